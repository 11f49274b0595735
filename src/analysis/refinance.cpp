#include "analysis/refinance.h"

#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Months times a monthly amount, nothing when there are no months (whatever the amount).
double MonthsOf(double months, double amount) {
    return months == 0 ? 0 : months * amount;
}

QString M(double v) {
    return ReturnsMoneyText(v);
}

QString Equation(const QString& name, const QString& words, const QString& numbers,
                 const QString& result) {
    return name + QStringLiteral(" = ") + words + QStringLiteral(" = ") + numbers +
           QStringLiteral(" = ") + result;
}

QString CostNumbers(double first, const ReturnsInputs& in) {
    const QString months =
        std::isfinite(in.rehabMonths) ? QString::number(in.rehabMonths) : kNotAvailable;
    return QStringLiteral("%1 + %2 + %3 + %4 × %5")
        .arg(M(first), M(in.closingCosts), M(in.rehabCost), months, M(in.holdingCosts));
}

// Why a refinance figure is n/a, or an empty text when it is not for want of a month.
QString MissingMonth(const ReturnsRefinance& rf) {
    if (!rf.given)
        return QStringLiteral(": n/a until a refinance month is given");
    if (rf.month == 0)
        return QStringLiteral(": n/a, the refinance month must be a whole number of months from "
                              "1 to 240");
    return QString();
}

} // namespace

double ReturnsStartValue(const ReturnsInputs& in) {
    if (in.afterRepairValue > 0 || std::isnan(in.afterRepairValue))
        return in.afterRepairValue;
    if (in.currentMarketValue > 0 || std::isnan(in.currentMarketValue))
        return in.currentMarketValue;
    return in.purchasePrice;
}

QString ReturnsStartValueName(const ReturnsInputs& in) {
    if (in.afterRepairValue > 0 || std::isnan(in.afterRepairValue))
        return QStringLiteral("After Repair Value");
    if (in.currentMarketValue > 0 || std::isnan(in.currentMarketValue))
        return QStringLiteral("Current Market Value");
    return QStringLiteral("Property Price");
}

void WorkOutRefinance(const ReturnsInputs& in, double startValue, const QVector<ReturnsYear>& years,
                      ReturnsRefinance& rf) {
    const double holding = MonthsOf(in.rehabMonths, in.holdingCosts);
    rf.allInCost = in.purchasePrice + in.closingCosts + in.rehabCost + holding;
    rf.cashInvested = in.downPayment + in.closingCosts + in.rehabCost + holding;
    rf.equityCreated = startValue - rf.allInCost;
    if (rf.month == 0) {
        rf.balances = {};
        for (double* v : {&rf.loan, &rf.loanPayoff, &rf.cashOut, &rf.cashLeft, &rf.recovered,
                          &rf.afterYearCashFlow, &rf.monthlyCashFlow, &rf.cashOnCash})
            *v = kNaN;
        return;
    }
    rf.cashLeft = rf.cashInvested - rf.cashOut;
    rf.recovered = rf.cashInvested > 0 ? rf.cashOut / rf.cashInvested : kNaN;
    // Only twenty years are worked out: a refinance in the last of them has no year after it.
    const bool afterYearKnown = rf.afterYear <= years.size();
    rf.afterYearCashFlow = afterYearKnown ? years.at(rf.afterYear - 1).cashFlowBeforeTax : kNaN;
    rf.monthlyCashFlow = rf.afterYearCashFlow / 12;
    if (rf.cashLeft > 0) {
        const double ratio = rf.afterYearCashFlow / rf.cashLeft;
        rf.cashOnCash = std::isfinite(ratio) ? ratio : kNaN;
    } else {
        // Nothing left in the deal: any cash the year brings is an unbounded return on it, but
        // a loss on nothing is no rate at all.
        rf.cashOnCash = std::isfinite(rf.cashLeft) && rf.afterYearCashFlow > 0
                            ? std::numeric_limits<double>::infinity()
                            : kNaN;
    }
}

QString ExplainRefinanceFigure(ReturnsFigure figure, const ReturnsInputs& in,
                               const ReturnsResult& r) {
    const ReturnsRefinance& rf = r.refinance;
    const QString invested = QStringLiteral("Cash Invested before the Refinance");
    const QString missing = MissingMonth(rf);
    const QString afterYear = QString::number(rf.afterYear);
    switch (figure) {
    case ReturnsFigure::AllInCost:
        return Equation(QStringLiteral("All-In Cost"),
                        QStringLiteral("Purchase Price + Closing Costs + Rehab Budget + Rehab "
                                       "Months × Holding Costs per Month"),
                        CostNumbers(in.purchasePrice, in), M(rf.allInCost));
    case ReturnsFigure::RefinanceCashInvested:
        return Equation(invested,
                        QStringLiteral("Down Payment + Closing Costs + Rehab Budget + Rehab "
                                       "Months × Holding Costs per Month"),
                        CostNumbers(in.downPayment, in), M(rf.cashInvested));
    case ReturnsFigure::EquityCreated:
        return Equation(QStringLiteral("Equity Created"),
                        ReturnsStartValueName(in) + QStringLiteral(" − All-In Cost"),
                        M(ReturnsStartValue(in)) + QStringLiteral(" − ") + M(rf.allInCost),
                        M(rf.equityCreated));
    default:
        break;
    }
    QString text;
    switch (figure) {
    case ReturnsFigure::RefinanceLoan:
        text = Equation(QStringLiteral("Refinance Loan"),
                        QStringLiteral("Refinance Loan-to-Value × ") + ReturnsStartValueName(in),
                        ReturnsPercentText(in.refinanceLtv) + QStringLiteral(" × ") +
                            M(ReturnsStartValue(in)),
                        M(rf.loan));
        break;
    case ReturnsFigure::RefinanceLoanPayoff: {
        QStringList balances;
        for (int k = 0; k < 4; ++k)
            if (rf.balances[k] != 0)
                balances << QStringLiteral("Mortgage %1 %2").arg(k + 1).arg(M(rf.balances[k]));
        text = QStringLiteral("Loans Paid Off = the mortgages' balances at the end of month %1, "
                              "after its payment = %2 = %3")
                   .arg(rf.month > 0 ? QString::number(rf.month) : QStringLiteral("M"),
                        balances.isEmpty() ? QStringLiteral("no mortgage left")
                                           : balances.join(QStringLiteral(" + ")),
                        M(rf.loanPayoff));
        break;
    }
    case ReturnsFigure::RefinanceCashOut:
        text = Equation(
            QStringLiteral("Refinance Cash Out"),
            QStringLiteral("Refinance Loan − Loans Paid Off − Refinance Closing Costs"),
            QStringLiteral("%1 − %2 − %3").arg(M(rf.loan), M(rf.loanPayoff), M(in.refinanceCosts)),
            M(rf.cashOut));
        if (rf.cashOut < 0)
            text += QStringLiteral(": cash to bring to the closing");
        break;
    case ReturnsFigure::RefinanceCashLeft:
        text = Equation(QStringLiteral("Cash Left in the Deal"),
                        invested + QStringLiteral(" − Refinance Cash Out"),
                        M(rf.cashInvested) + QStringLiteral(" − ") + M(rf.cashOut), M(rf.cashLeft));
        break;
    case ReturnsFigure::RefinanceRecovered:
        text = Equation(QStringLiteral("Cash Recovered"),
                        QStringLiteral("Refinance Cash Out ÷ ") + invested,
                        M(rf.cashOut) + QStringLiteral(" ÷ ") + M(rf.cashInvested),
                        ReturnsPercentText(rf.recovered));
        break;
    case ReturnsFigure::MonthlyCashFlowAfterRefinance:
        text = Equation(QStringLiteral("Monthly Cash Flow after the Refinance"),
                        QStringLiteral("Cash Flow Before Tax of year %1, the first wholly after "
                                       "the refinance, ÷ 12")
                            .arg(rf.month > 0 ? afterYear : QStringLiteral("M ÷ 12 + 1")),
                        M(rf.afterYearCashFlow) + QStringLiteral(" ÷ 12"), M(rf.monthlyCashFlow));
        break;
    case ReturnsFigure::CashOnCashAfterRefinance:
        text = Equation(QStringLiteral("Cash-on-Cash after the Refinance"),
                        QStringLiteral("Cash Flow Before Tax of year %1 ÷ Cash Left in the Deal")
                            .arg(rf.month > 0 ? afterYear : QStringLiteral("M ÷ 12 + 1")),
                        M(rf.afterYearCashFlow) + QStringLiteral(" ÷ ") + M(rf.cashLeft),
                        ReturnsCashOnCashText(rf.cashOnCash));
        if (missing.isEmpty() && !(rf.cashLeft > 0) && std::isinf(rf.cashOnCash))
            text += QStringLiteral(": no cash is left in the deal and year %1 brings cash in")
                        .arg(afterYear);
        else if (missing.isEmpty() && !(rf.cashLeft > 0) && std::isfinite(rf.cashLeft) &&
                 std::isfinite(rf.afterYearCashFlow))
            text += QStringLiteral(": no cash is left in the deal and year %1 brings none in, "
                                   "which is no rate of return")
                        .arg(afterYear);
        break;
    default:
        return QString();
    }
    if (!missing.isEmpty())
        return text + missing;
    const bool afterYearFigure = figure == ReturnsFigure::MonthlyCashFlowAfterRefinance ||
                                 figure == ReturnsFigure::CashOnCashAfterRefinance;
    if (afterYearFigure && std::isnan(rf.afterYearCashFlow) && rf.afterYear > 20)
        text += QStringLiteral(": year %1 lies past the 20 years worked out").arg(afterYear);
    return text;
}

QString RefinanceNote(const ReturnsInputs& in, const ReturnsResult& r) {
    if (!r.refinance.afterHolding)
        return QString();
    return QStringLiteral("The refinance in month %1 comes after the %2-year holding period: its "
                          "figures are shown, but the sale and the rates of return leave it out.")
        .arg(r.refinance.month)
        .arg(in.holdingPeriod);
}
