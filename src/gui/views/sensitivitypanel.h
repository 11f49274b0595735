#pragma once

#include "analysis/sensitivity.h"
#include "gui/dialogs/exportdestination.h"
#include "gui/views/viewframe.h"

#include <functional>

class FilePicker;
class Prompts;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;
class SensitivityMatrixModel;
class SensitivityTableModel;
class TornadoChart;

// The returns view's sensitivity group: the figure chosen in cmbSensitivityMetric with each
// input a step down and a step up (tblSensitivity and its tornado chart), and over the purchase
// price and the rent (tblSensitivityMatrix), coloured against the user's own target for it.
// Both tables copy as text and export as CSV.
class SensitivityPanel : public ViewFrame {
    Q_OBJECT
public:
    // `propertyName` names the exported file; `prompts` reports an export that failed.
    SensitivityPanel(QWidget* view, ControlTable& controls, std::function<QString()> propertyName,
                     std::function<Prompts*()> prompts);

    // Puts the panel's top at `top` twips down its view; returns where it ends.
    int placeAt(int top);
    // Its height, which follows the tornado's number of rows.
    int heightTwips() const;
    // Works the tornado and the table out for the property as `in` describes it.
    void refresh(const ReturnsInputs& in, double units);
    void setFilePicker(FilePicker* picker) { m_export.setFilePicker(picker); }

    Criterion metric() const;
    SensitivityTableModel* tableModel() const { return m_model; }
    SensitivityMatrixModel* matrixModel() const { return m_matrixModel; }
    TornadoChart* chart() const { return m_chart; }
    // Both tables as text, tornado first.
    QString tablesText(QChar separator) const;

public slots:
    void cmdCopySensitivity_Click();
    void cmdExportSensitivityCsv_Click();

signals:
    // The tornado gained or lost rows (a repair adds two inputs), and the panel its height.
    void heightChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void recompute();
    void layoutRows();
    void layoutWidth();

    std::function<QString()> m_propertyName;
    std::function<Prompts*()> m_prompts;
    ExportDestination m_export{QStringLiteral("Export CSV"), QStringLiteral("CSV Files"),
                               QStringLiteral("csv"), QStringLiteral("Sensitivity"),
                               QStringLiteral("tables")};
    QComboBox* m_metric = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_csv = nullptr;
    QLabel* m_note = nullptr;
    QLabel* m_matrixCaption = nullptr;
    SensitivityTableModel* m_model = nullptr;
    QTableView* m_table = nullptr;
    TornadoChart* m_chart = nullptr;
    SensitivityMatrixModel* m_matrixModel = nullptr;
    QTableView* m_matrix = nullptr;
    int m_height = 0; // twips
    int m_rows = 0;   // the tornado's rows the layout has room for
    ReturnsInputs m_inputs;
    double m_units = 1;
    bool m_hasInputs = false;
};
