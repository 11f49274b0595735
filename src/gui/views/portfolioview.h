#pragma once

#include "gui/dialogs/exportdestination.h"

#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <QVector>
#include <functional>

class CompareView;
class FilePicker;
class HomePage;
class PortfolioSortProxy;
class PortfolioTableModel;
class Prompts;
class QLabel;
class QLineEdit;
class QModelIndex;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTableView;

// The home page's choice between the cards and the portfolio table, and everything around the
// table: "Show as" Cards or Table (remembered), the search box that narrows both, the table of
// every property's figures with its totals line, its CSV export and its remembered column
// layout, and the comparison of the properties picked in either. The cards themselves stay the
// HomePage's, exactly as they are while the table is not chosen.
class PortfolioView : public QObject {
    Q_OBJECT
public:
    PortfolioView(HomePage& home, std::function<Prompts&()> prompts, QObject* parent);
    ~PortfolioView() override;

    QRadioButton* cardsOption() const { return m_cardsOption; }
    QRadioButton* tableOption() const { return m_tableOption; }
    QLineEdit* searchBox() const { return m_search; }
    QPushButton* compareButton() const { return m_compareButton; }
    QTableView* table() const { return m_table; }
    QLabel* totals() const { return m_totals; }
    // "No properties match ..." over the table when the filter and search leave no row.
    QLabel* noMatchLabel() const { return m_noMatch; }
    QProgressBar* progressBar() const { return m_progress; }
    PortfolioTableModel* model() const { return m_model; }
    PortfolioSortProxy* proxy() const { return m_proxy; }
    CompareView* compare() const { return m_compare; }

    bool isTableShown() const;
    // The export dialogs ask through this picker; nullptr puts back the file dialogs.
    void setFilePicker(FilePicker* picker);
    // Ctrl+F: the keyboard goes to the search box, its text selected.
    void focusSearch();
    // What the next comparison takes: the table's selected rows in the order shown, or the
    // visible cards with a border.
    QVector<qint32> pickedRows() const;
    // The table's current row (0 for none): File › Open and Remove act on it while the table is
    // shown.
    qint32 currentRow() const;
    // The table as shown: its visible columns in their order, its rows in theirs.
    QString tableText(QChar separator) const;

public slots:
    void optHomeCards_Click();
    void optHomeTable_Click();
    void txtHomeSearch_Change();
    void cmdCompare_Click();
    void cmdPortfolioExportCsv_Click();

signals:
    // The home page started or stopped following the window's width (the table or the
    // comparison came up, or the cards came back): the window lays it out again.
    void widthFollowingChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void followWidth();
    void showTable(bool table);
    void layout();
    // The page was built again: follow the property table and the filter box.
    void sync();
    void updateTotals();
    void openIndex(const QModelIndex& proxyIndex);
    void restoreSettings();
    void saveLayout();
    void headerMenu(const QPoint& at);
    QVector<qint32> selectedTableRows() const;
    void reselect(const QVector<qint32>& tableRows);

    HomePage& m_home;
    std::function<Prompts&()> m_prompts;
    QLabel* m_showAs = nullptr;
    QRadioButton* m_cardsOption = nullptr;
    QRadioButton* m_tableOption = nullptr;
    QLineEdit* m_search = nullptr;
    QPushButton* m_compareButton = nullptr;
    QTableView* m_table = nullptr;
    QLabel* m_totals = nullptr;
    QLabel* m_noMatch = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_export = nullptr;
    PortfolioTableModel* m_model = nullptr;
    PortfolioSortProxy* m_proxy = nullptr;
    CompareView* m_compare = nullptr;
    QTimer m_saveLayout;
    QThreadPool m_settingsWriter;
    QVector<qint32> m_keptSelection; // across a new filter or search
    quint64 m_keptGeneration = 0;
    quint64 m_selectionGeneration = 0; // of the table the selection was made in
    ExportDestination m_csv{QStringLiteral("Export CSV"), QStringLiteral("CSV Files"),
                            QStringLiteral("csv"), QStringLiteral("Table"),
                            QStringLiteral("table")};
};
