#pragma once

#include "analysis/portfolio.h"

#include <QAbstractTableModel>
#include <QVector>

// One property of a comparison: its row in the property table, its name and its figures.
struct CompareColumn {
    qint32 tableRow = 0;
    QString name;
    PortfolioProperty property;
    PortfolioCriteria criteria; // with the offer
};

// Two to six properties side by side: one column per property, one row per figure, the inputs
// first, then the results. In each result row the best value is marked, the higher or the
// lower one as the figure goes; rows whose size says nothing about the deal (the price, the
// cash invested, the debt service) mark none. The inputs' rows that are the same for every
// property can be left out.
class CompareModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class Better { Neither, Higher, Lower };
    enum class Kind { Heading, Input, Result };

    explicit CompareModel(QObject* parent = nullptr);

    void setColumns(const QVector<CompareColumn>& columns);
    const QVector<CompareColumn>& columns() const { return m_columns; }
    void setOnlyDiffering(bool only);
    bool onlyDiffering() const { return m_onlyDiffering; }

    // The shown rows' captions, top to bottom.
    QStringList captions() const;
    int rowOf(const QString& caption) const; // -1 when not shown
    Kind kind(int row) const;
    QString text(int row, int column) const;
    // Whether the cell holds the best value of its row.
    bool isBest(int row, int column) const;
    // The shown table as text: a heading line of the names, then a line per row; CSV cells
    // quoted as needed.
    QString tableText(QChar separator) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    struct Line {
        QString caption;
        Kind kind = Kind::Heading;
        Better better = Better::Neither;
        QVector<double> values;
        QStringList texts;
        QVector<bool> best;
        bool differs = true;
    };
    void buildLines();
    void showLines();

    QVector<CompareColumn> m_columns;
    QVector<Line> m_lines; // every line
    QVector<int> m_shown;  // the lines shown, as indexes into m_lines
    bool m_onlyDiffering = false;
};

// A cell of a CSV line: quoted when it holds the separator, a quote or a line break. Text the
// user typed (a name, an address) that starts like a formula is kept from being run as one by
// a spreadsheet.
QString CsvCell(const QString& text, QChar separator, bool typed = false);
