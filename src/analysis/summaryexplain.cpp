#include "analysis/summaryexplain.h"

#include "base/numerictext.h"
#include "model/fieldtable.h"

#include <QtMath>

namespace {

const QChar kTimes(0x00D7);
const QChar kDivide(0x00F7);

// A typed input as the summary read it: its amount, cents only where it has them; a text that
// is no number is quoted as it stands.
QString inputText(const Form& form, const QString& field) {
    const QString text = form.text(field);
    try {
        const double v = FieldNumber(text);
        return CurrencyText(v, v == std::floor(v) ? 0 : 2);
    } catch (...) {
        return QLatin1Char('"') + text + QLatin1Char('"');
    }
}

// A typed rate as the summary read it, with one "%" however it was typed ("5", "5%", " 5 ").
QString percentInput(const Form& form, const QString& field) {
    const QString text = form.text(field);
    try {
        return QString::number(FieldNumber(text), 'g', 15) + QLatin1Char('%');
    } catch (...) {
        return QLatin1Char('"') + text + QLatin1Char('"');
    }
}

QString shown(const Form& form, const QString& field) {
    return form.text(field);
}

QString caption(const QString& field) {
    const FieldInfo* f = FindField(field);
    return f ? f->caption.trimmed() : field;
}

// "Result = a op b = $x op $y = $z", the operands being summary fields or inputs.
struct Operand {
    const char* field;
    bool input; // read from the financial or property view rather than the summary
};

QString binary(const Form& form, const QString& result, Operand a, QChar op, Operand b,
               const QString& aWords = {}, const QString& bWords = {}) {
    const QString an = QString::fromLatin1(a.field), bn = QString::fromLatin1(b.field);
    const auto value = [&form](const QString& f, bool input) {
        return input ? inputText(form, f) : shown(form, f);
    };
    return QStringLiteral("%1 = %2 %3 %4 = %5 %3 %6 = %7")
        .arg(caption(result), aWords.isEmpty() ? caption(an) : aWords, QString(op),
             bWords.isEmpty() ? caption(bn) : bWords, value(an, a.input), value(bn, b.input),
             shown(form, result));
}

} // namespace

QString ExplainSummaryField(const Form& form, const QString& name) {
    const FieldInfo* field = FindField(name);
    if (!field || field->view != FieldView::Summary)
        return QString();
    const QString n = field->name;
    auto is = [&n](const char* f) { return n == QLatin1String(f); };

    if (is("txtQISPropertyPrice") || is("txtQISDownPayment") || is("txtQISClosingCosts")) {
        const QString source =
            QStringLiteral("txt") +
            n.mid(6).replace(QLatin1String("PropertyPrice"), QLatin1String("PurchasePrice"));
        return QStringLiteral("%1 = %2 on the Financial view = %3")
            .arg(caption(n), caption(source), shown(form, n));
    }
    if (is("txtQISNumberOfUnits") || is("txtQISSquareFootage"))
        return QStringLiteral("%1 = as typed on the Property view = %2")
            .arg(caption(n), shown(form, n));
    if (is("txtQISTotalAcquisitionCost"))
        return binary(form, n, {"txtPurchasePrice", true}, QLatin1Char('+'),
                      {"txtClosingCosts", true});
    if (is("txtQISTotalCashInvested"))
        return binary(form, n, {"txtClosingCosts", true}, QLatin1Char('+'),
                      {"txtDownPayment", true});
    if (is("txtQISCashInvestedPercentage"))
        return binary(form, n, {"txtQISTotalCashInvested", false}, kDivide,
                      {"txtQISTotalAcquisitionCost", false});
    if (is("txtQISPercentageDown"))
        return binary(form, n, {"txtDownPayment", true}, kDivide,
                      {"txtQISTotalAcquisitionCost", false});
    if (is("txtQISCostPerUnit"))
        return binary(form, n, {"txtQISPropertyPrice", false}, kDivide,
                      {"txtQISNumberOfUnits", false});
    if (is("txtQISCostPerSquareFoot"))
        return binary(form, n, {"txtQISPropertyPrice", false}, kDivide,
                      {"txtQISSquareFootage", false});
    if (is("txtQISScheduledAnnualIncome"))
        return QStringLiteral("%1 = (Gross Monthly Income + Other Monthly Income) %2 12 = "
                              "(%3 + %4) %2 12 = %5")
            .arg(caption(n), QString(kTimes),
                 inputText(form, QStringLiteral("txtGrossMonthlyIncome")),
                 inputText(form, QStringLiteral("txtOtherMonthlyIncome")), shown(form, n));
    if (is("txtQISAnnualVacancy"))
        return QStringLiteral("%1 = \u2212Expected Vacancy Rate %2 Gross Monthly Income %2 12 "
                              "(the vacancy falls on the rent alone) = \u2212%3 %2 %4 %2 12 = %5")
            .arg(caption(n), QString(kTimes),
                 percentInput(form, QStringLiteral("txtExpectedVacancyRate")),
                 inputText(form, QStringLiteral("txtGrossMonthlyIncome")), shown(form, n));
    if (is("txtQISActualAnnualGrossIncome"))
        return binary(form, n, {"txtQISScheduledAnnualIncome", false}, QLatin1Char('+'),
                      {"txtQISAnnualVacancy", false});
    if (is("txtQISAnnualExpenses")) {
        QStringList amounts;
        for (const QString& expense : ExpenseFields())
            amounts << inputText(form, expense);
        return QStringLiteral("%1 = \u2212(the sum of the operating expenses) = \u2212(%2) = %3")
            .arg(caption(n), amounts.join(QStringLiteral(" + ")), shown(form, n));
    }
    if (is("txtQISAverageRentPerUnit"))
        return binary(form, n, {"txtGrossMonthlyIncome", true}, kDivide,
                      {"txtQISNumberOfUnits", false});
    if (is("txtQISAnnualNetOperatingIncome"))
        return binary(form, n, {"txtQISActualAnnualGrossIncome", false}, QLatin1Char('+'),
                      {"txtQISAnnualExpenses", false});
    if (is("txtQISCapitalizationRate"))
        return binary(form, n, {"txtQISAnnualNetOperatingIncome", false}, kDivide,
                      {"txtQISPropertyPrice", false});
    if (is("txtQISAnnualDebtService")) {
        QStringList payments;
        for (int row = 1; row <= 4; ++row)
            payments << inputText(form, QStringLiteral("txtMortgageMonthlyPayment%1").arg(row));
        return QStringLiteral("%1 = \u221212 %2 (the sum of the monthly mortgage payments) = "
                              "\u221212 %2 (%3) = %4")
            .arg(caption(n), QString(kTimes), payments.join(QStringLiteral(" + ")), shown(form, n));
    }
    if (is("txtNetAnnualCashflowBeforeTaxes"))
        return binary(form, n, {"txtQISAnnualNetOperatingIncome", false}, QLatin1Char('+'),
                      {"txtQISAnnualDebtService", false});
    if (is("txtQISNetAnnualCashflowPerUnitBeforeTaxes"))
        return binary(form, n, {"txtNetAnnualCashflowBeforeTaxes", false}, kDivide,
                      {"txtQISNumberOfUnits", false}, QStringLiteral("Net Annual Cashflow"));
    if (is("txtQISNetMonthlyCashflowPerUnitBeforeTaxes"))
        return QStringLiteral("%1 = Net Annual Cashflow per Unit (in whole dollars) %2 12 = %3 "
                              "%2 12 = %4")
            .arg(caption(n), QString(kDivide),
                 shown(form, QStringLiteral("txtQISNetAnnualCashflowPerUnitBeforeTaxes")),
                 shown(form, n));
    return QString();
}
