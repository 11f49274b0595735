#pragma once

#include "gui/dialogs/exportdestination.h"

#include <QFrame>
#include <QVector>
#include <functional>

class CompareChart;
class CompareModel;
class FilePicker;
class Prompts;
class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;

// Two to six properties side by side over the home page: the comparison table with the best
// value of each result marked, a chart of their rates of return under it, and the ways out:
// open one of them, export the table, put it on paper, or close and go back to the list.
class CompareView : public QFrame {
    Q_OBJECT
public:
    static constexpr int kFewest = 2;
    static constexpr int kMost = 6;

    explicit CompareView(QWidget* parent);

    // Shows the properties at these rows of the property table, in this order.
    void showRows(const QVector<qint32>& rows);
    // The property table the comparison was made from; a table loaded since may have moved
    // its rows.
    quint64 generation() const { return m_generation; }
    void setFilePicker(FilePicker* picker) { m_export.setFilePicker(picker); }
    void setPrompts(std::function<Prompts&()> prompts) { m_prompts = std::move(prompts); }
    // Fits the frame into the home page's area below its top strip.
    void layoutTo(int width, int height);

    CompareModel* model() const { return m_model; }
    QTableView* table() const { return m_table; }
    CompareChart* chart() const { return m_chart; }
    // The column "Open" acts on: the current cell's; -1 for none.
    int currentColumn() const;

public slots:
    void cmdCompareOpen_Click();
    void cmdCompareExportCsv_Click();
    void cmdCompareClose_Click();
    void chkCompareDifferent_Click();

signals:
    void openRequested(qint32 row, const QString& name);
    void pdfRequested();
    void printRequested();
    void closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPushButton* addButton(const QString& name, const QString& text);

    CompareModel* m_model = nullptr;
    QLabel* m_heading = nullptr;
    QCheckBox* m_onlyDiffering = nullptr;
    QTableView* m_table = nullptr;
    CompareChart* m_chart = nullptr;
    QPushButton* m_open = nullptr;
    QPushButton* m_csv = nullptr;
    QPushButton* m_pdf = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_close = nullptr;
    quint64 m_generation = 0;
    std::function<Prompts&()> m_prompts;
    ExportDestination m_export{QStringLiteral("Export CSV"), QStringLiteral("CSV Files"),
                               QStringLiteral("csv"), QStringLiteral("Comparison"),
                               QStringLiteral("comparison")};
};
