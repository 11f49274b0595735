// The change handlers of the analysis fields and the operating-expense total line.
#include "analysis/analysis.h"

#include "base/errortrap.h"
#include "base/numerictext.h"
#include "model/fieldcatalog.h"
#include "model/memoryform.h"

namespace {

enum Location {
    kLocExpenseLine = 1010,
};

const QString kAnnualExpenses = QStringLiteral("txtQISAnnualExpenses");
const QString kExpenseLine = QStringLiteral("lblAnnualOperatingExpenses");

// The mortgage row (1..4) of a principal, rate or term field; 0 for any other field.
int MortgageRow(const QString& name) {
    static const QLatin1String stems[] = {QLatin1String("txtMortgagePrincipal"),
                                          QLatin1String("txtAnnualInterestRate"),
                                          QLatin1String("txtAmortizationTerm")};
    for (const QLatin1String& stem : stems) {
        if (name.size() == stem.size() + 1 && name.startsWith(stem, Qt::CaseInsensitive)) {
            const QChar digit = name.back();
            if (digit >= QLatin1Char('1') && digit <= QLatin1Char('4'))
                return digit.unicode() - '0';
        }
    }
    return 0;
}

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
    // The rate and term handlers forward to the principal's, which computes the payment.
    if (const int row = MortgageRow(name)) {
        UpdateMortgagePayment(form, row);
        return;
    }
    // txtOperatingCostIncrease sits among the expenses but is not one of them.
    if (IsExpenseField(name))
        OperatingExpenseChanged(form);
}

void ConnectAnalysisHandlers(MemoryForm& form) {
    form.setChangeHandler(
        [&form](const QString& name, int index) { DispatchFieldChange(form, name, index); });
}
