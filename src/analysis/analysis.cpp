// The change handlers of the analysis fields and the operating-expense total line.
#include "analysis/analysis.h"

#include "base/errortrap.h"
#include "base/numerictext.h"
#include "model/fieldtable.h"
#include "model/memoryform.h"

namespace {

enum Location {
    kLocExpenseLine = 1010,
};

const QString kAnnualExpenses = QStringLiteral("txtQISAnnualExpenses");
const QString kExpenseLine = QStringLiteral("lblAnnualOperatingExpenses");

} // namespace

void OperatingExpenseChanged(Form& form) {
    RecalculateAnalysis(form);
    RefreshOperatingExpenseLine(form);
}

void RefreshOperatingExpenseLine(Form& form) {
    // The summary holds the total as a negative amount; the line shows it positive. Should
    // the summary field hold no number, the line keeps what it said.
    Trap(kLocExpenseLine, [&] {
        const double total = FieldNumber(form.text(kAnnualExpenses)) * -1;
        form.setText(kExpenseLine,
                     QStringLiteral("Annual Operating Expenses = ") + CurrencyText(total, 0));
    });
}

void DispatchFieldChange(Form& form, const QString& name, int index) {
    Q_UNUSED(index)
    const FieldInfo* field = FindField(name);
    switch (field ? field->handler : FieldHandler::None) {
    case FieldHandler::MortgagePayment:
        UpdateMortgagePayment(form, field->handlerArg);
        break;
    case FieldHandler::Expense:
        OperatingExpenseChanged(form);
        break;
    case FieldHandler::None:
        break;
    }
}

void ConnectAnalysisHandlers(MemoryForm& form) {
    form.setChangeHandler(
        [&form](const QString& name, int index) { DispatchFieldChange(form, name, index); });
}
