#pragma once

#include "analysis/sensitivity.h"

#include <QAbstractTableModel>

#include <optional>

// The tornado as a table: one row an input, largest swing first, with the step it is moved by
// and the figure at either end as the returns view writes it. The tornado chart draws from the
// same model (its roles are in tornadochart.h).
class SensitivityTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // `target` is the user's target for the tornado's figure, if they set one.
    void setTornado(const Tornado& tornado, std::optional<double> target);
    const Tornado& tornado() const { return m_tornado; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The table with its headings, cells split by `separator`, lines by CR LF; figures as
    // plain numbers (a percentage as its number of percent) so a spreadsheet takes them.
    QString tableText(QChar separator) const;

private:
    Tornado m_tornado;
    std::optional<double> m_target;
};

// A figure as a plain number for a spreadsheet: percent figures as percent with two decimals,
// the coverage with two decimals, money in whole dollars; "n/a" where there is none.
QString PlainFigure(Criterion metric, double value);
// What those numbers are in, for a heading: " (%)", " ($)" or nothing.
QString PlainFigureUnit(Criterion metric);
// A cell of a CSV line, quoted when it must be; a tab-separated cell as it is.
QString SeparatedCell(const QString& text, QChar separator);
