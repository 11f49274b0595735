// The monthly payment of one mortgage row, refreshed whenever one of its three inputs changes.
#include "analysis/analysis.h"

#include "base/errortrap.h"
#include "base/numerictext.h"

#include <cmath>

namespace {

enum Location {
    kLocZeroTest = 910,
    kLocZeroPayment = 920,
    kLocPayment = 930,
    kLocFormat = 940,
};

QString RowField(const char* stem, int row) {
    return QLatin1String(stem) + QString::number(row);
}

// Ordinary annuity, paid at the end of each month, nothing left over. Written as
// principal × r ÷ (1 − (1 + r)^−n) through expm1/log1p so a long term cannot overflow and a
// small rate keeps its precision.
double MonthlyPayment(double principal, double monthlyRate, double months) {
    const double denominator = Checked(-std::expm1(-months * std::log1p(monthlyRate)));
    return Checked(Divide(principal * monthlyRate, denominator));
}

} // namespace

void UpdateMortgagePayment(Form& form, int row) {
    if (row < 1 || row > 4)
        return;
    const QString rateField = RowField("txtAnnualInterestRate", row);
    const QString termField = RowField("txtAmortizationTerm", row);
    const QString principalField = RowField("txtMortgagePrincipal", row);
    const QString paymentField = RowField("txtMortgageMonthlyPayment", row);

    // The zero test reads the three figures; a figure that does not convert abandons the test
    // and the row shows no payment, as for a zero.
    double rate = 0;
    double term = 0;
    double principal = 0;
    bool noLoan = true;
    Trap(kLocZeroTest, [&] {
        rate = FieldNumber(form.text(rateField));
        term = FieldNumber(form.text(termField));
        principal = FieldNumber(form.text(principalField));
        // Only an exact zero means "no mortgage"; negative figures go to the formula as typed.
        noLoan = rate == 0 || term == 0 || principal == 0;
    });
    if (noLoan) {
        Trap(kLocZeroPayment, [&] { form.setText(paymentField, QStringLiteral("0")); });
    } else {
        // The term counts months as typed: not multiplied by 12, not rounded.
        Trap(kLocPayment, [&] {
            const double monthlyRate = rate * 0.01 / 12;
            form.setText(paymentField,
                         CurrencyText(MonthlyPayment(principal, monthlyRate, term), 2));
        });
    }
    // Always ends as currency with cents; a payment that could not be computed keeps its
    // previous amount, re-formatted.
    Trap(kLocFormat, [&] { form.setText(paymentField, CurrencyText(form.text(paymentField), 2)); });
}
