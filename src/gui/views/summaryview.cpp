#include "gui/views/summaryview.h"

#include "analysis/summaryexplain.h"
#include "gui/views/controltable.h"
#include "gui/widgets/figureexplainer.h"
#include "model/fieldtable.h"

#include <QLineEdit>

// Both columns come from the field table: the acquisition group on the left, income and cash
// flow on the right.
SummaryView::SummaryView(QWidget* parent, ControlTable& controls)
    : ViewFrame(parent, controls, QStringLiteral("frameQuickView"),
                QStringLiteral("Investment Summary"), 0) {
    const QString leftGroup = QStringLiteral("Acquisition");
    const QString rightGroup = QStringLiteral("Income and Cash Flow");
    const QVector<const FieldInfo*> left = FieldsOf(FieldView::Summary, leftGroup);
    const QVector<const FieldInfo*> right = FieldsOf(FieldView::Summary, rightGroup);
    addGroupHeading(leftGroup, 240, 1620, 4500);
    addGroupHeading(rightGroup, 4860, 1620, 4500);
    // Left and right rows are built in pairs, so Tab runs across before it runs down.
    int top = 1980;
    const int rows = int(qMax(left.size(), right.size()));
    for (int i = 0; i < rows; ++i, top += kRowPitch) {
        if (i < left.size())
            addFieldRow(*left[i], 240, 2820, 3060, 1560, top)->setAlignment(Qt::AlignRight);
        if (i < right.size())
            addFieldRow(*right[i], 4860, 4140, 9060, 1560, top)->setAlignment(Qt::AlignRight);
    }
    PlaceTwips(this, 0, 0, kWidth, top + kRowPitch);
}

void SummaryView::explainFigures(const Form& form) {
    // A figure greyed as not updated says first what stopped it.
    auto* explainer = new FigureExplainer(this, [&form](const QString& name) {
        const QString why = form.notUpdated(name);
        const QString how = ExplainSummaryField(form, name);
        return why.isEmpty() || how.isEmpty() ? why + how : why + QLatin1Char('\n') + how;
    });
    for (const FieldInfo& field : FieldTable()) {
        if (field.view != FieldView::Summary)
            continue;
        if (const ControlTable::Cell* cell = controls().find(field.name, 0))
            explainer->watch(cell->widget);
    }
}
