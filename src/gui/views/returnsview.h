#pragma once

#include "analysis/returns.h"
#include "gui/dialogs/exportdestination.h"
#include "gui/views/viewframe.h"

class FilePicker;
class Prompts;
class Form;
class OfferPanel;
class SensitivityPanel;
class QLineEdit;
class QPushButton;
class QTableView;
class ReturnsChart;
class ReturnsTableModel;
class RehabPanel;

// One computed figure as the view shows it: its caption and its text.
struct ReturnsFigureText {
    QString caption;
    QString text;
};
// The view's figures in its order: the year-one ratios (the first ReturnsRatioCount()), then
// the sale and the rates of return.
QVector<ReturnsFigureText> ReturnsFigureTexts(const ReturnsResult& result);
int ReturnsRatioCount();

// The investment returns over a holding period: its four inputs, the year-one ratios, the sale
// at the end with the rates of return, the repair and refinance, the year-by-year table beside
// the classic outlook's cash flow, and the chart of value, balance and equity. Every figure
// explains itself.
//
// The figures are computed from the property's fields each time the view comes up and on every
// change of its inputs while it is on screen; they are not stored, since they follow from the
// stored inputs and a stored copy could only disagree with them.
class ReturnsView : public ViewFrame {
    Q_OBJECT
public:
    ReturnsView(QWidget* parent, ControlTable& controls, Form& form);

    // The file dialog "Export CSV..." asks through; the view's own until one is set.
    void setFilePicker(FilePicker* picker);
    // Where a failed export is reported.
    void setPrompts(Prompts* prompts) { m_prompts = prompts; }

    // Reads the inputs and shows every figure; nothing while the view is hidden.
    void refresh();

    ReturnsTableModel* tableModel() const { return m_model; }
    ReturnsChart* chart() const { return m_chart; }
    OfferPanel* offerPanel() const { return m_offer; }
    SensitivityPanel* sensitivityPanel() const { return m_sensitivity; }
    // The arithmetic of the figure shown in that field, from the last refresh.
    QString explain(const QString& fieldName) const;

public slots:
    void cmdCopyTable_Click();
    void cmdExportCsv_Click();

signals:
    // The view grew or shrank (the sensitivity's tornado gained or lost rows).
    void heightChanged();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void followPanels();
    int buildFigures(const QString& group, int firstFigure, int lastFigure, int left, int top);
    QPushButton* addButton(const QString& name, const QString& text, int left, int top, int width);
    void keepTabToInputs();

    Form& m_form; // the offer group writes its price into the property
    Prompts* m_prompts = nullptr;
    ExportDestination m_export{QStringLiteral("Export CSV"), QStringLiteral("CSV Files"),
                               QStringLiteral("csv"), QStringLiteral("Returns"),
                               QStringLiteral("table")};
    QVector<QLineEdit*> m_figures;
    ReturnsTableModel* m_model = nullptr;
    QTableView* m_table = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_csv = nullptr;
    ReturnsChart* m_chart = nullptr;
    RehabPanel* m_rehab = nullptr;
    OfferPanel* m_offer = nullptr;
    SensitivityPanel* m_sensitivity = nullptr;
    ReturnsInputs m_inputs;
    ReturnsResult m_result;
};
