// The returns of a property over its holding period, from the inputs the program already
// collects plus the holding period, selling costs, depreciation period and recapture rate.
#include "analysis/returns.h"

#include "analysis/refinance.h"
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
const QString kRehabCostField = QStringLiteral("txtRehabCost");
const QString kRehabMonthsField = QStringLiteral("txtRehabMonths");
const QString kHoldingCostsField = QStringLiteral("txtHoldingCosts");
const QString kAfterRepairValueField = QStringLiteral("txtAfterRepairValue");
const QString kRefinanceMonthField = QStringLiteral("txtRefinanceMonth");
const QString kRefinanceLtvField = QStringLiteral("txtRefinanceLTV");
const QString kRefinanceRateField = QStringLiteral("txtRefinanceRate");
const QString kRefinanceTermField = QStringLiteral("txtRefinanceTerm");
const QString kRefinanceCostsField = QStringLiteral("txtRefinanceCosts");
const QString kNotAvailable = QStringLiteral("n/a");

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kLongestHolding = 20;
constexpr double kDefaultHolding = 10;
constexpr double kDefaultSellingCosts = 6;
constexpr double kDefaultDepreciationYears = 27.5;
constexpr double kDefaultRecapture = 25;
constexpr double kDefaultRefinanceLtv = 75;
constexpr double kDefaultRefinanceTerm = 360;
constexpr int kLongestRehab = 24;
constexpr int kLatestRefinance = 12 * kLongestHolding;
constexpr int kLongestRefinanceTerm = 480;
constexpr int kNoMonth = std::numeric_limits<int>::max();
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

void UnknownDebt(QVector<ReturnsYear>& years, int fromYear) {
    for (int y = fromYear; y < years.size(); ++y)
        years[y].debtService = years[y].interest = years[y].principal = years[y].loanBalance = kNaN;
}

// Month by month: the payment rounded to cents, interest on the balance, the rest to
// principal; the last month of the term (or the month the balance runs out) clears it. The
// loan is taken out at the end of month firstMonth - 1 (0: the purchase) and, when a refinance
// pays it off, makes its last payment in month lastMonth. Returns the balance left after that
// payment, which the refinance pays off.
double Amortize(const ReturnsMortgage& m, QVector<ReturnsYear>& years, int& payoffYear,
                int firstMonth = 1, int lastMonth = kNoMonth) {
    const double rate = m.annualRate / 12;
    const double term = m.termMonths;
    if (!Known(m.principal) || !Known(rate) || !Known(term) || term <= 0 || 1 + rate <= 0) {
        UnknownDebt(years, (firstMonth - 1) / 12);
        // Taken out at a year's end, the loan is owed in full then, before any payment.
        const int takenOut = firstMonth - 1;
        if (takenOut > 0 && takenOut % 12 == 0 && takenOut / 12 <= years.size())
            years[takenOut / 12 - 1].loanBalance += m.principal;
        return kNaN;
    }
    const double exact =
        rate == 0 ? m.principal / term : m.principal * rate / -std::expm1(-term * std::log1p(rate));
    const double payment = RoundCents(exact);
    double balance = m.principal;
    for (int y = 0; y < years.size(); ++y) {
        ReturnsYear& row = years[y];
        for (int k = 1; k <= 12 && balance > 0; ++k) {
            const int month = y * 12 + k;
            if (month < firstMonth || month > lastMonth)
                continue;
            // A fractional term ends with the month that holds its end.
            const bool endOfTerm = double(month - firstMonth + 1) >= term;
            const double interest = balance * rate;
            const double principal = endOfTerm ? balance : std::min(payment - interest, balance);
            balance -= principal;
            row.interest += interest;
            row.principal += principal;
            row.debtService += interest + principal;
            if (balance <= 0 && payoffYear == 0)
                payoffYear = y + 1;
        }
        // Owed at the year's end: from the day the loan is taken out until a refinance pays it.
        const int yearEnd = (y + 1) * 12;
        if (yearEnd >= firstMonth - 1 && yearEnd < lastMonth)
            row.loanBalance += balance;
    }
    return balance;
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
    s.adjustedBasis = in.purchasePrice + in.closingCosts + in.rehabCost - s.accumulatedDepreciation;
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
    const int holding = holdingKnown ? in.holdingPeriod : 1;
    ReturnsRefinance& rf = r.refinance;
    rf.given = in.refinanceMonth != 0; // NaN too: typed, but no month it can be worked with
    const double m = in.refinanceMonth;
    rf.month = m >= 1 && m <= kLatestRefinance && m == std::floor(m) ? int(m) : 0;
    if (rf.month > 0) {
        rf.year = (rf.month - 1) / 12 + 1;
        rf.afterYear = rf.year + 1;
        rf.afterHolding = holdingKnown && rf.month > 12 * in.holdingPeriod;
    }
    // Without a usable holding period year one is still worked out for the ratios; the
    // refinance's figures reach into the year after it, which may lie past the holding period.
    const int span = std::max(holding, std::min(rf.afterYear, kLongestHolding));
    r.years.resize(span);

    const double startValue = ReturnsStartValue(in);
    const double basis = (in.purchasePrice + in.closingCosts + in.rehabCost) * in.improvementsShare;
    for (int k = 0; k < r.years.size(); ++k) {
        ReturnsYear& y = r.years[k];
        y.year = k + 1;
        // The months of the year still under repair bring no rent and cost the holding costs
        // instead of the operating expenses.
        const double idle = Min(Max(in.rehabMonths - 12.0 * k, 0), 12);
        const double let = 12 - idle;
        // Only the rent grows; the other income stays as it is, as in the outlook.
        const double rent = let * in.grossMonthlyIncome * std::pow(1 + in.rentIncrease, k);
        y.grossScheduledIncome = rent + let * in.otherMonthlyIncome;
        y.vacancy = in.vacancyRate * rent;
        const double expenses = in.operatingExpenses * std::pow(1 + in.costIncrease, k);
        y.operatingExpenses = idle == 0 ? expenses : let / 12 * expenses + idle * in.holdingCosts;
        y.netOperatingIncome = y.grossScheduledIncome - y.vacancy - y.operatingExpenses;
        y.depreciation = YearDepreciation(basis, in.depreciationYears, y.year);
        y.propertyValue = startValue * std::pow(1 + in.appreciation, y.year);
    }

    // The refinance pays every loan off after its payment in month M and the new loan is paid
    // from month M + 1.
    const int lastMonth = rf.month > 0 ? rf.month : kNoMonth;
    for (int k = 0; k < 4; ++k)
        if (HasLoan(in.mortgages[k]))
            rf.balances[k] = Amortize(in.mortgages[k], r.years, r.payoffYear[k], 1, lastMonth);
    if (rf.month > 0) {
        rf.loanPayoff = 0;
        for (double b : rf.balances)
            rf.loanPayoff += b;
        rf.loan = in.refinanceLtv * startValue;
        rf.cashOut = rf.loan - rf.loanPayoff - in.refinanceCosts;
        const ReturnsMortgage loan{rf.loan, in.refinanceRate, in.refinanceTermMonths};
        if (HasLoan(loan))
            Amortize(loan, r.years, rf.payoffYear, rf.month + 1);
        r.years[rf.year - 1].refinanceCashOut = rf.cashOut;
    } else if (rf.given) {
        // Whether and when a new loan is paid cannot be known.
        UnknownDebt(r.years, 0);
        for (ReturnsYear& y : r.years)
            y.refinanceCashOut = kNaN;
    }

    const double taxRate = in.stateTaxRate + in.federalTaxRate;
    for (ReturnsYear& y : r.years) {
        y.taxableIncome = y.netOperatingIncome - y.interest - y.depreciation;
        y.incomeTax = taxRate * y.taxableIncome;
        y.cashFlowBeforeTax = y.netOperatingIncome - y.debtService;
        y.cashFlowAfterTax = y.cashFlowBeforeTax - y.incomeTax;
        y.equity = y.propertyValue - y.loanBalance;
    }
    WorkOutRefinance(in, startValue, r.years, rf);
    r.years.resize(holding);
    if (rf.payoffYear > holding)
        rf.payoffYear = 0;

    r.firstYear = r.years.front();
    r.cashInvested = in.downPayment + in.closingCosts + in.rehabCost;
    r.yearOne = YearOneRatios(in, r.firstYear, r.cashInvested);

    if (!holdingKnown) {
        r.years.clear();
        r.payoffYear = {};
        rf.payoffYear = 0;
        r.sale = UnknownSale();
        r.irrBeforeTax = r.irrAfterTax = r.equityMultiple = kNaN;
        return r;
    }
    // The cash out comes with its year's cash flow, the sale at the end of the last year.
    QVector<double> before;
    QVector<double> after;
    double sumAfter = 0;
    for (const ReturnsYear& y : r.years) {
        before.append(y.cashFlowBeforeTax + y.refinanceCashOut);
        after.append(y.cashFlowAfterTax + y.refinanceCashOut);
        sumAfter += y.cashFlowAfterTax + y.refinanceCashOut;
    }
    r.sale = Sale(in, r.years);
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
    bool isBlank(const QString& name) const { return text(name).trimmed().isEmpty(); }
    // A returns input within its range, scaled; blank means its default. NaN, and marked, when
    // it is no number or out of its range.
    double usable(const QString& name, double defaultValue, double scale = 1) {
        const double v = numberOr(name, defaultValue);
        if (IsUsableReturnsInput(name, v))
            return v * scale;
        markUnusable(name);
        return kNaN;
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

    in.rehabCost = f.usable(kRehabCostField, 0);
    in.rehabMonths = f.usable(kRehabMonthsField, 0);
    in.holdingCosts = f.usable(kHoldingCostsField, 0);
    in.afterRepairValue = f.usable(kAfterRepairValueField, 0);
    // Blank is no refinance, which no typed number means.
    in.refinanceMonth = f.isBlank(kRefinanceMonthField) ? 0 : f.usable(kRefinanceMonthField, 0);
    in.refinanceLtv = f.usable(kRefinanceLtvField, kDefaultRefinanceLtv, 0.01);
    if (!f.isBlank(kRefinanceRateField))
        in.refinanceRate = f.usable(kRefinanceRateField, 0, 0.01);
    else if (in.refinanceMonth != 0)
        f.markUnusable(kRefinanceRateField); // the new loan cannot be worked out without it
    in.refinanceTermMonths = f.usable(kRefinanceTermField, kDefaultRefinanceTerm);
    in.refinanceCosts = f.usable(kRefinanceCostsField, 0);
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
        kRehabCostField,
        kRehabMonthsField,
        kHoldingCostsField,
        kAfterRepairValueField,
        kRefinanceMonthField,
        kRefinanceLtvField,
        kRefinanceRateField,
        kRefinanceTermField,
        kRefinanceCostsField,
        QStringLiteral("txtCurrentMarketValue"),
        QStringLiteral("txtAppreciation"),
        QStringLiteral("txtDepreciateAsImprovements"),
        QStringLiteral("txtLongTermCapitolGainsRate"),
    };
    return fields.contains(fieldName, Qt::CaseInsensitive);
}

namespace {

// The numbers a returns input takes: from `low` to `high`, whole or not, `low` itself or not.
struct InputRange {
    const QString* field;
    double low;
    double high;
    bool whole;
    bool lowIncluded;
    const char* words;
};

const InputRange* RangeOf(const QString& fieldName) {
    constexpr double kAny = std::numeric_limits<double>::infinity();
    static const InputRange ranges[] = {
        {&kHoldingPeriodField, 1, kLongestHolding, true, true, "whole years from 1 to 20"},
        {&kDepreciationYearsField, 0, kAny, false, false, "more than 0 years"},
        {&kRehabCostField, 0, kAny, false, true, "$0 or more"},
        {&kRehabMonthsField, 0, kLongestRehab, true, true, "whole months from 0 to 24"},
        {&kHoldingCostsField, 0, kAny, false, true, "$0 or more"},
        {&kAfterRepairValueField, 0, kAny, false, true, "$0 or more"},
        {&kRefinanceMonthField, 1, kLatestRefinance, true, true, "whole months from 1 to 240"},
        {&kRefinanceLtvField, 0, 100, false, true, "from 0% to 100%"},
        {&kRefinanceRateField, 0, kAny, false, true, "0% or more"},
        {&kRefinanceTermField, 1, kLongestRefinanceTerm, true, true, "whole months from 1 to 480"},
        {&kRefinanceCostsField, 0, kAny, false, true, "$0 or more"},
    };
    for (const InputRange& range : ranges)
        if (fieldName.compare(*range.field, Qt::CaseInsensitive) == 0)
            return &range;
    return nullptr;
}

} // namespace

QString ReturnsInputRange(const QString& fieldName) {
    const InputRange* range = RangeOf(fieldName);
    return range ? QString::fromUtf8(range->words) : QString();
}

bool IsUsableReturnsInput(const QString& fieldName, double value) {
    const InputRange* range = RangeOf(fieldName);
    if (!range)
        return true;
    if (std::isnan(value) || value > range->high || value < range->low)
        return false;
    if (!range->lowIncluded && value == range->low)
        return false;
    return !range->whole || value == std::floor(value);
}

QString ReturnsInputBlankText(const QString& fieldName) {
    static const std::pair<const QString*, const char*> blanks[] = {
        {&kHoldingPeriodField, "10"},
        {&kSellingCostsField, "6"},
        {&kDepreciationYearsField, "27.5"},
        {&kRecaptureRateField, "25"},
        {&kRehabCostField, "0"},
        {&kRehabMonthsField, "0"},
        {&kHoldingCostsField, "0"},
        {&kAfterRepairValueField, "none"},
        {&kRefinanceMonthField, "none"},
        {&kRefinanceLtvField, "75"},
        {&kRefinanceTermField, "360"},
        {&kRefinanceCostsField, "0"},
    };
    for (const auto& [field, text] : blanks)
        if (fieldName.compare(*field, Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(text);
    return QString();
}

QString ReturnsInputNeededWith(const QString& fieldName) {
    return fieldName.compare(kRefinanceRateField, Qt::CaseInsensitive) == 0 ? kRefinanceMonthField
                                                                            : QString();
}

bool HasRehabOrRefinance(const ReturnsInputs& in) {
    return in.rehabCost != 0 || in.rehabMonths != 0 || in.holdingCosts != 0 ||
           in.afterRepairValue != 0 || in.refinanceMonth != 0;
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

QString ReturnsCashOnCashText(double value) {
    return std::isinf(value) && value > 0 ? QStringLiteral("Infinite") : ReturnsPercentText(value);
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

// The cash invested worked out, when a rehab budget is part of it; else nothing.
QString InvestedLine(const ReturnsInputs& in, const ReturnsResult& r) {
    if (in.rehabCost == 0)
        return QString();
    return QLatin1Char('\n') +
           Equation(QStringLiteral("Total Cash Invested"),
                    QStringLiteral("Down Payment + Closing Costs + Rehab Budget"),
                    QStringLiteral("%1 + %2 + %3")
                        .arg(M(in.downPayment), M(in.closingCosts), M(in.rehabCost)),
                    M(r.cashInvested));
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
        // The refinance's cash out comes with its year's flow.
        QString amount = M(y.*flow);
        if (y.refinanceCashOut != 0)
            amount += QStringLiteral(" + ") + M(y.refinanceCashOut);
        if (y.year == h)
            amount += QStringLiteral(" + ") + M(proceeds);
        if (amount != M(y.*flow))
            amount = QLatin1Char('(') + amount + QLatin1Char(')');
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
                        Pc(q.cashOnCash)) +
               InvestedLine(in, r);
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
    case ReturnsFigure::SalePrice:
        return Equation(QStringLiteral("Sale Price"),
                        ReturnsStartValueName(in) +
                            QStringLiteral(" × (1 + Expected Appreciation)^") + h,
                        QStringLiteral("%1 × (1 + %2)^%3")
                            .arg(M(ReturnsStartValue(in)), Pc(in.appreciation), h),
                        M(s.price));
    case ReturnsFigure::SellingCosts:
        return Equation(
            QStringLiteral("Selling Costs"), QStringLiteral("Sale Price × Selling Costs Rate"),
            M(s.price) + QStringLiteral(" × ") + Pc(in.sellingCostRate), M(s.sellingCosts));
    case ReturnsFigure::LoanPayoff:
        return QStringLiteral("Loan Payoff = the balance of all mortgages at the end of year %1%2 "
                              "= %3")
            .arg(h,
                 r.refinance.month > 0 && !r.refinance.afterHolding
                     ? QStringLiteral(", the refinance loan in place of those it paid off")
                     : QString(),
                 M(s.loanPayoff));
    case ReturnsFigure::TaxOnSale: {
        const double recaptured = Min(Max(s.gain, 0), s.accumulatedDepreciation);
        const double beyond = Max(s.gain - s.accumulatedDepreciation, 0);
        return Equation(QStringLiteral("Tax on Sale"),
                        QStringLiteral("Depreciation Recapture Tax + Capital Gains Tax"),
                        M(s.recaptureTax) + QStringLiteral(" + ") + M(s.capitalGainsTax),
                        M(s.taxOnSale)) +
               QLatin1Char('\n') +
               (in.rehabCost == 0
                    ? Equation(QStringLiteral("Gain on Sale"),
                               QStringLiteral("Sale Price − Selling Costs − (Property Price + "
                                              "Closing Costs − Accumulated Depreciation)"),
                               QStringLiteral("%1 − %2 − (%3 + %4 − %5)")
                                   .arg(M(s.price), M(s.sellingCosts), M(in.purchasePrice),
                                        M(in.closingCosts), M(s.accumulatedDepreciation)),
                               M(s.gain))
                    : Equation(QStringLiteral("Gain on Sale"),
                               QStringLiteral("Sale Price − Selling Costs − (Property Price + "
                                              "Closing Costs + Rehab Budget − Accumulated "
                                              "Depreciation)"),
                               QStringLiteral("%1 − %2 − (%3 + %4 + %5 − %6)")
                                   .arg(M(s.price), M(s.sellingCosts), M(in.purchasePrice),
                                        M(in.closingCosts), M(in.rehabCost),
                                        M(s.accumulatedDepreciation)),
                               M(s.gain))) +
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
                            &ReturnsYear::cashFlowBeforeTax, s.proceedsBeforeTax, r.irrBeforeTax) +
               InvestedLine(in, r);
    case ReturnsFigure::IrrAfterTax:
        return RateOfReturn(QStringLiteral("Internal Rate of Return After Tax"),
                            QStringLiteral("Cash Flow After Tax"),
                            QStringLiteral("Sale Proceeds After Tax"), r.cashInvested, r.years,
                            &ReturnsYear::cashFlowAfterTax, s.proceedsAfterTax, r.irrAfterTax) +
               InvestedLine(in, r);
    case ReturnsFigure::EquityMultiple: {
        double sumAfter = r.years.isEmpty() ? kNaN : 0;
        double cashOut = 0;
        for (const ReturnsYear& y : r.years) {
            sumAfter += y.cashFlowAfterTax;
            cashOut += y.refinanceCashOut;
        }
        if (cashOut == 0)
            return Equation(QStringLiteral("Equity Multiple"),
                            QStringLiteral("(Sum of Cash Flows After Tax + Sale Proceeds After "
                                           "Tax) ÷ Total Cash Invested"),
                            QStringLiteral("(%1 + %2) ÷ %3")
                                .arg(M(sumAfter), M(s.proceedsAfterTax), M(r.cashInvested)),
                            ReturnsMultipleText(r.equityMultiple)) +
                   InvestedLine(in, r);
        return Equation(QStringLiteral("Equity Multiple"),
                        QStringLiteral("(Sum of Cash Flows After Tax + Refinance Cash Out + Sale "
                                       "Proceeds After Tax) ÷ Total Cash Invested"),
                        QStringLiteral("(%1 + %2 + %3) ÷ %4")
                            .arg(M(sumAfter), M(cashOut), M(s.proceedsAfterTax), M(r.cashInvested)),
                        ReturnsMultipleText(r.equityMultiple)) +
               InvestedLine(in, r);
    }
    default:
        return ExplainRefinanceFigure(figure, in, r);
    }
}

} // namespace

QString ExplainReturnsFigure(ReturnsFigure figure, const ReturnsInputs& in,
                             const ReturnsResult& r) {
    QString text = ExplainWithNumbers(figure, in, r);
    // Every figure from the sale on needs the holding period; the ratios come from year one.
    if (r.years.isEmpty() && figure >= ReturnsFigure::SalePrice &&
        figure <= ReturnsFigure::EquityMultiple)
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
        {"txtBrrrrAllInCost", ReturnsFigure::AllInCost},
        {"txtBrrrrCashInvested", ReturnsFigure::RefinanceCashInvested},
        {"txtBrrrrRefinanceLoan", ReturnsFigure::RefinanceLoan},
        {"txtBrrrrLoanPayoff", ReturnsFigure::RefinanceLoanPayoff},
        {"txtBrrrrCashOut", ReturnsFigure::RefinanceCashOut},
        {"txtBrrrrCashLeft", ReturnsFigure::RefinanceCashLeft},
        {"txtBrrrrRecovered", ReturnsFigure::RefinanceRecovered},
        {"txtBrrrrEquityCreated", ReturnsFigure::EquityCreated},
        {"txtBrrrrMonthlyCashFlow", ReturnsFigure::MonthlyCashFlowAfterRefinance},
        {"txtBrrrrCashOnCash", ReturnsFigure::CashOnCashAfterRefinance},
    };
    for (const auto& [name, figure] : fields)
        if (fieldName.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return ExplainReturnsFigure(figure, in, result);
    return QString();
}
