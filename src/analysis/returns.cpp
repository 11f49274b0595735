// The returns of a property over its holding period, from the inputs the program already
// collects plus the holding period, selling costs, depreciation period and recapture rate.
#include "analysis/returns.h"

#include "base/errortrap.h"
#include "base/numerictext.h"
#include "model/fieldtable.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>

const QString kHoldingPeriodField = QStringLiteral("txtHoldingPeriod");
const QString kSellingCostsField = QStringLiteral("txtSellingCosts");
const QString kDepreciationYearsField = QStringLiteral("txtDepreciationYears");
const QString kRecaptureRateField = QStringLiteral("txtRecaptureRate");
const QString kNotAvailable = QStringLiteral("n/a");

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kLongestHolding = 20;
constexpr double kDefaultHolding = 10;
constexpr double kDefaultSellingCosts = 6;
constexpr double kDefaultDepreciationYears = 27.5;
constexpr double kDefaultRecapture = 25;
constexpr double kLowestRate = -0.9999;
constexpr double kHighestRate = 10.0;
constexpr double kRateTolerance = 1e-10;
// Steps of the scan for a sign change: about 5 % of (1 + rate) each over the whole range.
constexpr int kRateScanSteps = 240;

bool Known(double v) {
    return std::isfinite(v);
}

// max and min that keep an unknown figure unknown (std::max drops a NaN on one side).
double Max(double a, double b) {
    return std::isnan(a) || std::isnan(b) ? kNaN : std::max(a, b);
}
double Min(double a, double b) {
    return std::isnan(a) || std::isnan(b) ? kNaN : std::min(a, b);
}

// A quotient that is n/a rather than infinite.
double Quotient(double numerator, double denominator) {
    if (denominator == 0)
        return kNaN;
    const double q = numerator / denominator;
    return Known(q) ? q : kNaN;
}

double RoundCents(double amount) {
    return std::round(amount * 100) / 100;
}

// Straight-line depreciation over a period that may end inside a year: full years first, then
// the part-year that completes the basis, nothing after.
double YearDepreciation(double basis, double periodYears, int year) {
    if (!(periodYears > 0))
        return kNaN;
    const double fullYears = std::floor(periodYears);
    if (year <= fullYears)
        return basis / periodYears;
    if (year - 1 < periodYears)
        return basis * (periodYears - fullYears) / periodYears;
    return 0;
}

// A loan counts when its principal is above zero; an unknown principal counts too, so that it
// spoils the figures built on it instead of quietly dropping the loan.
bool HasLoan(const ReturnsMortgage& m) {
    return std::isnan(m.principal) || m.principal > 0;
}

double TotalPrincipal(const ReturnsInputs& in) {
    double total = 0;
    for (const ReturnsMortgage& m : in.mortgages)
        if (HasLoan(m))
            total += m.principal;
    return total;
}

// Month by month: the payment rounded to cents, interest on the balance, the rest to
// principal; the last month of the term (or the month the balance runs out) clears it.
void Amortize(const ReturnsMortgage& m, QVector<ReturnsYear>& years, int& payoffYear) {
    const double rate = m.annualRate / 12;
    const double term = m.termMonths;
    if (!Known(m.principal) || !Known(rate) || !Known(term) || term <= 0 || 1 + rate <= 0) {
        for (ReturnsYear& y : years)
            y.debtService = y.interest = y.principal = y.loanBalance = kNaN;
        return;
    }
    const double exact =
        rate == 0 ? m.principal / term : m.principal * rate / -std::expm1(-term * std::log1p(rate));
    const double payment = RoundCents(exact);
    double balance = m.principal;
    for (int y = 0; y < years.size(); ++y) {
        ReturnsYear& row = years[y];
        for (int k = 1; k <= 12 && balance > 0; ++k) {
            // A fractional term ends with the month that holds its end.
            const bool lastMonth = double(y * 12 + k) >= term;
            const double interest = balance * rate;
            const double principal = lastMonth ? balance : std::min(payment - interest, balance);
            balance -= principal;
            row.interest += interest;
            row.principal += principal;
            row.debtService += interest + principal;
            if (balance <= 0 && payoffYear == 0)
                payoffYear = y + 1;
        }
        row.loanBalance += balance;
    }
}

double NetPresentValue(double invested, const QVector<double>& flows, double rate) {
    const double discount = 1 / (1 + rate);
    double value = 0;
    for (qsizetype k = flows.size() - 1; k >= 0; --k)
        value = (value + flows[k]) * discount;
    return value - invested;
}

// How often the signs of the money put in and the flows that follow change, zeros skipped: the
// most rates of return there can be.
int SignChanges(const QVector<double>& flows) {
    int changes = 0;
    bool negative = true; // the money put in
    for (double f : flows) {
        if (f != 0 && (f < 0) != negative) {
            ++changes;
            negative = f < 0;
        }
    }
    return changes;
}

ReturnsSale UnknownSale() {
    ReturnsSale s;
    for (double* v : {&s.price, &s.sellingCosts, &s.loanPayoff, &s.accumulatedDepreciation,
                      &s.adjustedBasis, &s.gain, &s.recaptureTax, &s.capitalGainsTax, &s.taxOnSale,
                      &s.proceedsBeforeTax, &s.proceedsAfterTax})
        *v = kNaN;
    return s;
}

ReturnsSale Sale(const ReturnsInputs& in, const QVector<ReturnsYear>& years) {
    ReturnsSale s;
    const ReturnsYear& last = years.back();
    s.price = last.propertyValue;
    s.sellingCosts = s.price * in.sellingCostRate;
    s.loanPayoff = last.loanBalance;
    for (const ReturnsYear& y : years)
        s.accumulatedDepreciation += y.depreciation;
    s.adjustedBasis = in.purchasePrice + in.closingCosts - s.accumulatedDepreciation;
    s.gain = s.price - s.sellingCosts - s.adjustedBasis;
    // The gain up to the depreciation taken is taxed as recapture, only the rest as a gain.
    s.recaptureTax = in.recaptureRate * Min(Max(s.gain, 0), s.accumulatedDepreciation);
    s.capitalGainsTax = in.capitalGainsRate * Max(s.gain - s.accumulatedDepreciation, 0);
    s.taxOnSale = s.recaptureTax + s.capitalGainsTax;
    s.proceedsBeforeTax = s.price - s.sellingCosts - s.loanPayoff;
    s.proceedsAfterTax = s.proceedsBeforeTax - s.taxOnSale;
    return s;
}

ReturnsRatios YearOneRatios(const ReturnsInputs& in, const ReturnsYear& y1, double cashInvested) {
    ReturnsRatios q;
    const double invested = cashInvested > 0 ? cashInvested : kNaN;
    q.cashOnCash = Quotient(y1.cashFlowBeforeTax, invested);
    q.debtServiceCoverage = Quotient(y1.netOperatingIncome, y1.debtService);
    q.grossRentMultiplier = Quotient(in.purchasePrice, y1.grossScheduledIncome);
    q.breakEvenOccupancy = Quotient(y1.operatingExpenses + y1.debtService, y1.grossScheduledIncome);
    q.expenseRatio = Quotient(y1.operatingExpenses, y1.grossScheduledIncome - y1.vacancy);
    q.loanToValue = Quotient(TotalPrincipal(in), in.purchasePrice);
    q.rentToPrice = Quotient(in.grossMonthlyIncome + in.otherMonthlyIncome, in.purchasePrice);
    return q;
}

} // namespace

ReturnsResult ComputeReturns(const ReturnsInputs& in) {
    ReturnsResult r;
    const bool holdingKnown = in.holdingPeriod >= 1 && in.holdingPeriod <= kLongestHolding;
    // Without a usable holding period year one is still worked out for the ratios.
    r.years.resize(holdingKnown ? in.holdingPeriod : 1);

    const double startValue = std::isnan(in.currentMarketValue) ? kNaN
                              : in.currentMarketValue > 0       ? in.currentMarketValue
                                                                : in.purchasePrice;
    const double basis = (in.purchasePrice + in.closingCosts) * in.improvementsShare;
    for (int k = 0; k < r.years.size(); ++k) {
        ReturnsYear& y = r.years[k];
        y.year = k + 1;
        // Only the rent grows; the other income stays as it is, as in the outlook.
        const double rent = 12 * in.grossMonthlyIncome * std::pow(1 + in.rentIncrease, k);
        y.grossScheduledIncome = rent + 12 * in.otherMonthlyIncome;
        y.vacancy = in.vacancyRate * rent;
        y.operatingExpenses = in.operatingExpenses * std::pow(1 + in.costIncrease, k);
        y.netOperatingIncome = y.grossScheduledIncome - y.vacancy - y.operatingExpenses;
        y.depreciation = YearDepreciation(basis, in.depreciationYears, y.year);
        y.propertyValue = startValue * std::pow(1 + in.appreciation, y.year);
    }
    for (int m = 0; m < 4; ++m)
        if (HasLoan(in.mortgages[m]))
            Amortize(in.mortgages[m], r.years, r.payoffYear[m]);

    const double taxRate = in.stateTaxRate + in.federalTaxRate;
    QVector<double> before;
    QVector<double> after;
    double sumAfter = 0;
    for (ReturnsYear& y : r.years) {
        y.taxableIncome = y.netOperatingIncome - y.interest - y.depreciation;
        y.incomeTax = taxRate * y.taxableIncome;
        y.cashFlowBeforeTax = y.netOperatingIncome - y.debtService;
        y.cashFlowAfterTax = y.cashFlowBeforeTax - y.incomeTax;
        y.equity = y.propertyValue - y.loanBalance;
        before.append(y.cashFlowBeforeTax);
        after.append(y.cashFlowAfterTax);
        sumAfter += y.cashFlowAfterTax;
    }
    r.firstYear = r.years.front();
    r.cashInvested = in.downPayment + in.closingCosts;
    r.yearOne = YearOneRatios(in, r.firstYear, r.cashInvested);

    if (!holdingKnown) {
        r.years.clear();
        r.payoffYear = {};
        r.sale = UnknownSale();
        r.irrBeforeTax = r.irrAfterTax = r.equityMultiple = kNaN;
        return r;
    }
    r.sale = Sale(in, r.years);
    // The sale comes at the end of the last year, together with that year's cash flow.
    before.back() += r.sale.proceedsBeforeTax;
    after.back() += r.sale.proceedsAfterTax;
    r.irrBeforeTax = InternalRateOfReturn(r.cashInvested, before);
    r.irrAfterTax = InternalRateOfReturn(r.cashInvested, after);
    r.equityMultiple =
        r.cashInvested > 0 ? Quotient(sumAfter + r.sale.proceedsAfterTax, r.cashInvested) : kNaN;
    return r;
}

double InternalRateOfReturn(double invested, const QVector<double>& flows) {
    if (!(invested > 0) || flows.isEmpty() || !Known(invested))
        return kNaN;
    if (!std::all_of(flows.begin(), flows.end(), Known))
        return kNaN;
    const auto npv = [&](double rate) { return NetPresentValue(invested, flows, rate); };

    double bestLow = kLowestRate;
    double bestHigh = kHighestRate;
    if (SignChanges(flows) > 1) {
        // Flows that change sign more than once may have several rates: scan the range for
        // the sign changes and take the one nearest zero, the one an investor means.
        const double step = std::pow((1 + kHighestRate) / (1 + kLowestRate), 1.0 / kRateScanSteps);
        double bestDistance = std::numeric_limits<double>::infinity();
        double previousRate = kLowestRate;
        double previousValue = npv(previousRate);
        double factor = 1 + kLowestRate;
        if (previousValue == 0) {
            bestHigh = previousRate;
            bestDistance = std::fabs(previousRate);
        }
        for (int k = 1; k <= kRateScanSteps; ++k) {
            factor *= step;
            const double rate = k == kRateScanSteps ? kHighestRate : factor - 1;
            const double value = npv(rate);
            const bool root = value == 0;
            const bool crossing =
                (previousValue < 0 && value > 0) || (previousValue > 0 && value < 0);
            if (root || crossing) {
                const double low = root ? rate : previousRate;
                const double distance =
                    low <= 0 && rate >= 0 ? 0 : std::min(std::fabs(low), std::fabs(rate));
                if (distance < bestDistance) {
                    bestDistance = distance;
                    bestLow = low;
                    bestHigh = rate;
                }
            }
            previousRate = rate;
            previousValue = value;
        }
        if (std::isinf(bestDistance))
            return kNaN;
    } else {
        // One change of sign (money in, then money out): at most one rate, and it lies in the
        // range exactly when the ends of the range differ in sign.
        const double lowValue = npv(kLowestRate);
        const double highValue = npv(kHighestRate);
        if (lowValue == 0 || highValue == 0)
            return lowValue == 0 ? kLowestRate : kHighestRate;
        if ((lowValue < 0) == (highValue < 0))
            return kNaN;
    }

    double low = bestLow;
    double high = bestHigh;
    double lowValue = npv(low);
    while (high - low > kRateTolerance) {
        const double middle = 0.5 * (low + high);
        const double value = npv(middle);
        if (value == 0)
            return middle;
        if ((value < 0) == (lowValue < 0)) {
            low = middle;
            lowValue = value;
        } else {
            high = middle;
        }
    }
    return 0.5 * (low + high);
}

// ---------------------------------------------------------------------------------------------
// Reading the fields

namespace {

class FieldReader {
public:
    explicit FieldReader(const Form& form) : m_form(form) {}

    // As every calculation reads a field: cleaned and converted; NaN when it does not convert.
    double number(const QString& name) { return convert(name, text(name)); }
    double percent(const QString& name) { return number(name) * 0.01; }
    // A field the form may not have yet: missing or blank means its default.
    double numberOr(const QString& name, double defaultValue) {
        const QString t = text(name);
        return t.trimmed().isEmpty() ? defaultValue : convert(name, t);
    }
    void markUnusable(const QString& name) {
        if (!m_unusable.contains(name))
            m_unusable << name;
    }
    QStringList unusable() const { return m_unusable; }

private:
    QString text(const QString& name) const {
        QString t;
        TrapSilently([&] { t = m_form.text(name); });
        return t;
    }
    // Not logged: the caller shows "n/a" for what depends on it, and the recalculation already
    // logs the fields the classic views read.
    double convert(const QString& name, const QString& t) {
        double v = kNaN;
        if (!TrapSilently([&] { v = FieldNumber(t); }))
            markUnusable(name);
        return v;
    }

    const Form& m_form;
    QStringList m_unusable;
};

} // namespace

ReturnsReading ReadReturnsInputs(const Form& form) {
    FieldReader f(form);
    ReturnsInputs in;
    in.grossMonthlyIncome = f.number(QStringLiteral("txtGrossMonthlyIncome"));
    in.otherMonthlyIncome = f.number(QStringLiteral("txtOtherMonthlyIncome"));
    in.vacancyRate = f.percent(QStringLiteral("txtExpectedVacancyRate"));
    in.rentIncrease = f.percent(QStringLiteral("txtAnnualRateIncrease"));
    in.costIncrease = f.percent(QStringLiteral("txtOperatingCostIncrease"));
    // The expense total, unrounded: the same sum the summary shows in whole dollars.
    in.operatingExpenses = 0;
    for (const QString& field : ExpenseFields())
        in.operatingExpenses += f.number(field);
    in.stateTaxRate = f.percent(QStringLiteral("txtStateTaxRate"));
    in.federalTaxRate = f.percent(QStringLiteral("txtFederalTaxRate"));
    in.capitalGainsRate = f.percent(QStringLiteral("txtLongTermCapitolGainsRate"));
    in.purchasePrice = f.number(QStringLiteral("txtPurchasePrice"));
    in.closingCosts = f.number(QStringLiteral("txtClosingCosts"));
    in.downPayment = f.number(QStringLiteral("txtDownPayment"));
    in.currentMarketValue = f.number(QStringLiteral("txtCurrentMarketValue"));
    in.appreciation = f.percent(QStringLiteral("txtAppreciation"));
    in.improvementsShare = f.percent(QStringLiteral("txtDepreciateAsImprovements"));

    for (int k = 0; k < 4; ++k) {
        const QString row = QString::number(k + 1);
        ReturnsMortgage& m = in.mortgages[k];
        m.principal = f.number(QStringLiteral("txtMortgagePrincipal") + row);
        m.annualRate = f.percent(QStringLiteral("txtAnnualInterestRate") + row);
        const QString termField = QStringLiteral("txtAmortizationTerm") + row;
        m.termMonths = f.number(termField);
        // A loan needs months to be paid over.
        if (m.principal > 0 && !(m.termMonths > 0))
            f.markUnusable(termField);
    }

    const double holding = f.numberOr(kHoldingPeriodField, kDefaultHolding);
    if (IsUsableReturnsInput(kHoldingPeriodField, holding)) {
        in.holdingPeriod = int(holding);
    } else {
        in.holdingPeriod = 0;
        f.markUnusable(kHoldingPeriodField);
    }
    in.sellingCostRate = f.numberOr(kSellingCostsField, kDefaultSellingCosts) * 0.01;
    in.depreciationYears = f.numberOr(kDepreciationYearsField, kDefaultDepreciationYears);
    if (!IsUsableReturnsInput(kDepreciationYearsField, in.depreciationYears)) {
        in.depreciationYears = kNaN;
        f.markUnusable(kDepreciationYearsField);
    }
    in.recaptureRate = f.numberOr(kRecaptureRateField, kDefaultRecapture) * 0.01;
    return {in, f.unusable()};
}

QVector<double> OutlookCashFlows(const Form& form, int years) {
    QVector<double> flows;
    flows.reserve(years);
    for (int y = 1; y <= years; ++y) {
        double v = kNaN;
        TrapSilently([&] { v = FieldNumber(form.text(QStringLiteral("txt10CFNetCashflow"), y)); });
        flows.append(v);
    }
    return flows;
}

bool IsReturnsOnlyInput(const QString& fieldName) {
    static const QStringList fields = {
        kHoldingPeriodField,
        kSellingCostsField,
        kDepreciationYearsField,
        kRecaptureRateField,
        QStringLiteral("txtCurrentMarketValue"),
        QStringLiteral("txtAppreciation"),
        QStringLiteral("txtDepreciateAsImprovements"),
        QStringLiteral("txtLongTermCapitolGainsRate"),
    };
    return fields.contains(fieldName, Qt::CaseInsensitive);
}

QString ReturnsInputRange(const QString& fieldName) {
    if (fieldName.compare(kHoldingPeriodField, Qt::CaseInsensitive) == 0)
        return QStringLiteral("whole years from 1 to %1").arg(kLongestHolding);
    if (fieldName.compare(kDepreciationYearsField, Qt::CaseInsensitive) == 0)
        return QStringLiteral("more than 0 years");
    return QString();
}

bool IsUsableReturnsInput(const QString& fieldName, double value) {
    if (fieldName.compare(kHoldingPeriodField, Qt::CaseInsensitive) == 0)
        return value >= 1 && value <= kLongestHolding && value == std::floor(value);
    if (fieldName.compare(kDepreciationYearsField, Qt::CaseInsensitive) == 0)
        return value > 0;
    return true;
}

// ---------------------------------------------------------------------------------------------
// Display

namespace {

// Rounded half away from zero to the decimals shown, in United States digits.
QString FixedText(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    double rounded = std::round(value * scale) / scale;
    if (rounded == 0)
        rounded = 0; // no "-0.00"
    static const QLocale us(QLocale::English, QLocale::UnitedStates);
    return us.toString(rounded, 'f', decimals);
}

} // namespace

QString ReturnsMoneyText(double value) {
    return Known(value) ? CurrencyText(value, 0) : kNotAvailable;
}

QString ReturnsPercentText(double value) {
    return Known(value) && Known(value * 100) ? PercentText(value, 2) : kNotAvailable;
}

QString ReturnsRatioText(double value) {
    return Known(value) ? FixedText(value, 2) : kNotAvailable;
}

QString ReturnsMultipleText(double value) {
    return Known(value) ? FixedText(value, 2) + QLatin1Char('x') : kNotAvailable;
}

// ---------------------------------------------------------------------------------------------
// Show the arithmetic

namespace {

QString M(double v) {
    return ReturnsMoneyText(v);
}
QString Pc(double v) {
    return ReturnsPercentText(v);
}

// "Name = formula in words = the user's numbers = result".
QString Equation(const QString& name, const QString& words, const QString& numbers,
                 const QString& result) {
    return name + QStringLiteral(" = ") + words + QStringLiteral(" = ") + numbers +
           QStringLiteral(" = ") + result;
}

QString RateOfReturn(const QString& name, const QString& flowName, const QString& proceedsName,
                     double invested, const QVector<ReturnsYear>& years, double ReturnsYear::*flow,
                     double proceeds, double rate) {
    const int h = int(years.size());
    QString text =
        name + QStringLiteral(" = the yearly rate r at which −Total Cash Invested + "
                              "Σ %1 of year y ÷ (1 + r)^y + %2 ÷ (1 + r)^%3 = 0")
                   .arg(flowName, proceedsName, h == 0 ? QStringLiteral("H") : QString::number(h));
    if (h == 0)
        return text + QStringLiteral(" = ") + kNotAvailable;
    text += QStringLiteral(": −") + M(invested);
    for (const ReturnsYear& y : years) {
        const QString amount =
            y.year == h ? QStringLiteral("(%1 + %2)").arg(M(y.*flow), M(proceeds)) : M(y.*flow);
        const QString power = y.year == 1 ? QString() : QStringLiteral("^%1").arg(y.year);
        text += QStringLiteral(" + %1 ÷ (1 + r)%2").arg(amount, power);
    }
    text += QStringLiteral(" = 0");
    if (Known(rate))
        return text + QStringLiteral(" gives r = ") + Pc(rate);
    if (!(invested > 0))
        return text + QStringLiteral(": n/a, the cash invested is not above zero");
    return text + QStringLiteral(": n/a, no rate between −99.99% and 1,000% brings them to zero");
}

QString ExplainWithNumbers(ReturnsFigure figure, const ReturnsInputs& in, const ReturnsResult& r) {
    const ReturnsYear& y1 = r.firstYear;
    const ReturnsRatios& q = r.yearOne;
    const ReturnsSale& s = r.sale;
    const QString h = r.years.isEmpty() ? QStringLiteral("H") : QString::number(r.years.size());
    switch (figure) {
    case ReturnsFigure::CashOnCash:
        return Equation(QStringLiteral("Cash-on-Cash Return"),
                        QStringLiteral("Year-One Cash Flow Before Tax ÷ Total Cash Invested"),
                        M(y1.cashFlowBeforeTax) + QStringLiteral(" ÷ ") + M(r.cashInvested),
                        Pc(q.cashOnCash));
    case ReturnsFigure::DebtServiceCoverage: {
        const QString text =
            Equation(QStringLiteral("Debt Service Coverage Ratio"),
                     QStringLiteral("Year-One Net Operating Income ÷ Year-One Debt Service"),
                     M(y1.netOperatingIncome) + QStringLiteral(" ÷ ") + M(y1.debtService),
                     ReturnsRatioText(q.debtServiceCoverage));
        return y1.debtService == 0 ? text + QStringLiteral(": there is no debt to cover") : text;
    }
    case ReturnsFigure::GrossRentMultiplier:
        return Equation(QStringLiteral("Gross Rent Multiplier"),
                        QStringLiteral("Property Price ÷ Year-One Gross Scheduled Income"),
                        M(in.purchasePrice) + QStringLiteral(" ÷ ") + M(y1.grossScheduledIncome),
                        ReturnsRatioText(q.grossRentMultiplier));
    case ReturnsFigure::BreakEvenOccupancy:
        return Equation(
            QStringLiteral("Break-Even Occupancy"),
            QStringLiteral("(Year-One Operating Expenses + Year-One Debt Service) ÷ "
                           "Year-One Gross Scheduled Income"),
            QStringLiteral("(%1 + %2) ÷ %3")
                .arg(M(y1.operatingExpenses), M(y1.debtService), M(y1.grossScheduledIncome)),
            Pc(q.breakEvenOccupancy));
    case ReturnsFigure::ExpenseRatio:
        return Equation(
            QStringLiteral("Operating Expense Ratio"),
            QStringLiteral("Year-One Operating Expenses ÷ (Year-One Gross Scheduled "
                           "Income − Year-One Vacancy)"),
            QStringLiteral("%1 ÷ (%2 − %3)")
                .arg(M(y1.operatingExpenses), M(y1.grossScheduledIncome), M(y1.vacancy)),
            Pc(q.expenseRatio));
    case ReturnsFigure::LoanToValue:
        return Equation(QStringLiteral("Loan-to-Value"),
                        QStringLiteral("Total Mortgage Principal ÷ Property Price"),
                        M(TotalPrincipal(in)) + QStringLiteral(" ÷ ") + M(in.purchasePrice),
                        Pc(q.loanToValue));
    case ReturnsFigure::RentToPrice:
        return Equation(
            QStringLiteral("Rent-to-Price"),
            QStringLiteral("(Gross Monthly Income + Other Monthly Income) ÷ Property Price"),
            QStringLiteral("(%1 + %2) ÷ %3")
                .arg(M(in.grossMonthlyIncome), M(in.otherMonthlyIncome), M(in.purchasePrice)),
            Pc(q.rentToPrice));
    case ReturnsFigure::SalePrice: {
        const bool market = !(in.currentMarketValue <= 0);
        return Equation(
            QStringLiteral("Sale Price"),
            (market ? QStringLiteral("Current Market Value") : QStringLiteral("Property Price")) +
                QStringLiteral(" × (1 + Expected Appreciation)^") + h,
            QStringLiteral("%1 × (1 + %2)^%3")
                .arg(M(market ? in.currentMarketValue : in.purchasePrice), Pc(in.appreciation), h),
            M(s.price));
    }
    case ReturnsFigure::SellingCosts:
        return Equation(
            QStringLiteral("Selling Costs"), QStringLiteral("Sale Price × Selling Costs Rate"),
            M(s.price) + QStringLiteral(" × ") + Pc(in.sellingCostRate), M(s.sellingCosts));
    case ReturnsFigure::LoanPayoff:
        return QStringLiteral("Loan Payoff = the balance of all mortgages at the end of year %1 "
                              "= %2")
            .arg(h, M(s.loanPayoff));
    case ReturnsFigure::TaxOnSale: {
        const double recaptured = Min(Max(s.gain, 0), s.accumulatedDepreciation);
        const double beyond = Max(s.gain - s.accumulatedDepreciation, 0);
        return Equation(QStringLiteral("Tax on Sale"),
                        QStringLiteral("Depreciation Recapture Tax + Capital Gains Tax"),
                        M(s.recaptureTax) + QStringLiteral(" + ") + M(s.capitalGainsTax),
                        M(s.taxOnSale)) +
               QLatin1Char('\n') +
               Equation(QStringLiteral("Gain on Sale"),
                        QStringLiteral("Sale Price − Selling Costs − (Property Price + Closing "
                                       "Costs − Accumulated Depreciation)"),
                        QStringLiteral("%1 − %2 − (%3 + %4 − %5)")
                            .arg(M(s.price), M(s.sellingCosts), M(in.purchasePrice),
                                 M(in.closingCosts), M(s.accumulatedDepreciation)),
                        M(s.gain)) +
               QLatin1Char('\n') +
               Equation(QStringLiteral("Depreciation Recapture Tax"),
                        QStringLiteral("Recapture Rate × the gain up to the depreciation taken"),
                        Pc(in.recaptureRate) + QStringLiteral(" × ") + M(recaptured),
                        M(s.recaptureTax)) +
               QLatin1Char('\n') +
               Equation(QStringLiteral("Capital Gains Tax"),
                        QStringLiteral("Capital Gains Rate × the gain beyond the depreciation "
                                       "taken"),
                        Pc(in.capitalGainsRate) + QStringLiteral(" × ") + M(beyond),
                        M(s.capitalGainsTax));
    }
    case ReturnsFigure::SaleProceedsBeforeTax:
        return Equation(
            QStringLiteral("Sale Proceeds Before Tax"),
            QStringLiteral("Sale Price − Selling Costs − Loan Payoff"),
            QStringLiteral("%1 − %2 − %3").arg(M(s.price), M(s.sellingCosts), M(s.loanPayoff)),
            M(s.proceedsBeforeTax));
    case ReturnsFigure::SaleProceedsAfterTax:
        return Equation(QStringLiteral("Sale Proceeds After Tax"),
                        QStringLiteral("Sale Price − Selling Costs − Loan Payoff − Tax on Sale"),
                        QStringLiteral("%1 − %2 − %3 − %4")
                            .arg(M(s.price), M(s.sellingCosts), M(s.loanPayoff), M(s.taxOnSale)),
                        M(s.proceedsAfterTax));
    case ReturnsFigure::IrrBeforeTax:
        return RateOfReturn(QStringLiteral("Internal Rate of Return Before Tax"),
                            QStringLiteral("Cash Flow Before Tax"),
                            QStringLiteral("Sale Proceeds Before Tax"), r.cashInvested, r.years,
                            &ReturnsYear::cashFlowBeforeTax, s.proceedsBeforeTax, r.irrBeforeTax);
    case ReturnsFigure::IrrAfterTax:
        return RateOfReturn(QStringLiteral("Internal Rate of Return After Tax"),
                            QStringLiteral("Cash Flow After Tax"),
                            QStringLiteral("Sale Proceeds After Tax"), r.cashInvested, r.years,
                            &ReturnsYear::cashFlowAfterTax, s.proceedsAfterTax, r.irrAfterTax);
    case ReturnsFigure::EquityMultiple: {
        double sumAfter = r.years.isEmpty() ? kNaN : 0;
        for (const ReturnsYear& y : r.years)
            sumAfter += y.cashFlowAfterTax;
        return Equation(QStringLiteral("Equity Multiple"),
                        QStringLiteral("(Sum of Cash Flows After Tax + Sale Proceeds After Tax) ÷ "
                                       "Total Cash Invested"),
                        QStringLiteral("(%1 + %2) ÷ %3")
                            .arg(M(sumAfter), M(s.proceedsAfterTax), M(r.cashInvested)),
                        ReturnsMultipleText(r.equityMultiple));
    }
    }
    return QString();
}

} // namespace

QString ExplainReturnsFigure(ReturnsFigure figure, const ReturnsInputs& in,
                             const ReturnsResult& r) {
    QString text = ExplainWithNumbers(figure, in, r);
    // Every figure from the sale on needs the holding period; the ratios come from year one.
    if (r.years.isEmpty() && figure >= ReturnsFigure::SalePrice)
        text +=
            QStringLiteral("\nThe holding period must be a whole number of years from 1 to 20.");
    return text;
}

QString ExplainReturnsField(const QString& fieldName, const ReturnsInputs& in,
                            const ReturnsResult& result) {
    static const std::pair<const char*, ReturnsFigure> fields[] = {
        {"txtRetCashOnCash", ReturnsFigure::CashOnCash},
        {"txtRetDSCR", ReturnsFigure::DebtServiceCoverage},
        {"txtRetGRM", ReturnsFigure::GrossRentMultiplier},
        {"txtRetBreakEven", ReturnsFigure::BreakEvenOccupancy},
        {"txtRetExpenseRatio", ReturnsFigure::ExpenseRatio},
        {"txtRetLoanToValue", ReturnsFigure::LoanToValue},
        {"txtRetRentToPrice", ReturnsFigure::RentToPrice},
        {"txtRetSalePrice", ReturnsFigure::SalePrice},
        {"txtRetSellingCostAmount", ReturnsFigure::SellingCosts},
        {"txtRetLoanPayoff", ReturnsFigure::LoanPayoff},
        {"txtRetTaxOnSale", ReturnsFigure::TaxOnSale},
        {"txtRetSaleProceeds", ReturnsFigure::SaleProceedsAfterTax},
        {"txtRetIRRBeforeTax", ReturnsFigure::IrrBeforeTax},
        {"txtRetIRRAfterTax", ReturnsFigure::IrrAfterTax},
        {"txtRetEquityMultiple", ReturnsFigure::EquityMultiple},
    };
    for (const auto& [name, figure] : fields)
        if (fieldName.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return ExplainReturnsFigure(figure, in, result);
    return QString();
}
