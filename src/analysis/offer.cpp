// The offer: a bisection on the price for each of the user's criteria, every step a full run of
// the returns at the price tried.
#include "analysis/offer.h"

#include "base/errortrap.h"
#include "base/numerictext.h"

#include <QLocale>

#include <cmath>
#include <limits>

const QString kOfferPriceField = QStringLiteral("txtOfferPrice");
const QString kOfferGapField = QStringLiteral("txtOfferGap");

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kCent = 0.01;
// The lowest prices tried, as shares of the asking price: at a tenth of it an IRR can leave the
// range it is searched in, so the search starts from the first of these that meets the target.
constexpr double kLowDivisors[] = {10, 4, 2, 1};
constexpr double kHighMultiple = 10;

bool Known(double v) {
    return std::isfinite(v);
}

// Year-one figures need only year one: a holding period of one year gives the same year one
// for a tenth of the work, which the bisection repeats some thirty times.
ReturnsInputs ForCriterion(Criterion c, ReturnsInputs in) {
    if (c != Criterion::IrrAfterTax)
        in.holdingPeriod = 1;
    return in;
}

double MetricOf(Criterion c, const ReturnsInputs& in, const ReturnsResult& r, double units) {
    switch (c) {
    case Criterion::CashOnCash:
        return r.yearOne.cashOnCash;
    case Criterion::DebtServiceCoverage:
        return r.yearOne.debtServiceCoverage;
    case Criterion::CashFlowPerUnit: {
        const double v = r.firstYear.cashFlowBeforeTax / 12 / units;
        return Known(v) ? v : kNaN;
    }
    case Criterion::CapRate: {
        const double v =
            in.purchasePrice > 0 ? r.firstYear.netOperatingIncome / in.purchasePrice : kNaN;
        return Known(v) ? v : kNaN;
    }
    case Criterion::IrrAfterTax:
        return r.irrAfterTax;
    }
    return kNaN;
}

bool Meets(Criterion c, const ReturnsInputs& in, const ReturnsResult& r, double units,
           double target) {
    if (c == Criterion::DebtServiceCoverage && r.firstYear.debtService == 0)
        return true; // nothing to cover
    const double v = MetricOf(c, in, r, units);
    return Known(v) && v >= target; // NaN compares false, but say so
}

QString Money(double v) {
    return ReturnsMoneyText(v);
}

// A share with one decimal, as the gap to the asking price shows it ("16.9 %").
QString ShareText(double fraction) {
    static const QLocale us(QLocale::English, QLocale::UnitedStates);
    double shown = std::round(fraction * 1000) / 10;
    if (shown == 0)
        shown = 0; // no "-0.0"
    return us.toString(shown, 'f', 1) + QStringLiteral(" %");
}

QString TargetText(Criterion c, double target) {
    return CriterionValueText(c, target);
}

double RoundCents(double v) {
    return std::round(v * 100) / 100;
}

} // namespace

ReturnsInputs AtPrice(const ReturnsInputs& in, double price) {
    ReturnsInputs at = in;
    const double s = in.purchasePrice > 0 ? price / in.purchasePrice : kNaN;
    at.purchasePrice = price;
    at.downPayment = in.downPayment * s;
    at.closingCosts = in.closingCosts * s;
    for (ReturnsMortgage& m : at.mortgages)
        m.principal *= s;
    return at;
}

double UnitCount(const QString& unitsText) {
    double units = kNaN;
    TrapSilently([&] { units = FieldNumber(unitsText); });
    return Known(units) && units >= 1 ? units : 1;
}

double UnitCount(const Form& form) {
    QString text;
    TrapSilently([&] { text = form.text(QStringLiteral("txtUnits")); });
    return UnitCount(text);
}

bool IsPriceable(const ReturnsInputs& in) {
    if (!(in.purchasePrice > 0) || !Known(in.purchasePrice))
        return false;
    if (in.holdingPeriod < 1 || in.holdingPeriod > 20)
        return false;
    for (double v : {in.grossMonthlyIncome, in.otherMonthlyIncome, in.vacancyRate, in.rentIncrease,
                     in.costIncrease, in.operatingExpenses, in.stateTaxRate, in.federalTaxRate,
                     in.capitalGainsRate, in.closingCosts, in.downPayment, in.currentMarketValue,
                     in.appreciation, in.improvementsShare, in.depreciationYears,
                     in.sellingCostRate, in.recaptureRate})
        if (!Known(v))
            return false;
    if (!(in.depreciationYears > 0))
        return false;
    // A repair or refinance field that does not convert is no less an input: without it some
    // figures are NaN at every price, which would read as "No price" instead of "n/a".
    for (double v : {in.rehabCost, in.rehabMonths, in.holdingCosts, in.afterRepairValue,
                     in.refinanceMonth, in.refinanceLtv, in.refinanceTermMonths, in.refinanceCosts})
        if (!Known(v))
            return false;
    // A refinance month without a rate is an input in error (the view frames it in red), also
    // when the month falls after the sale and no figure needs the rate: the offer says n/a
    // until it is mended, as it does for any other input in error.
    if (in.refinanceMonth != 0 && !Known(in.refinanceRate))
        return false;
    for (const ReturnsMortgage& m : in.mortgages) {
        if (!Known(m.principal) || !Known(m.annualRate) || !Known(m.termMonths))
            return false;
        if (m.principal > 0 && !(m.termMonths > 0))
            return false; // a loan needs months to be paid over
    }
    return true;
}

double CriterionMetric(Criterion c, const ReturnsInputs& in, double units) {
    const ReturnsInputs run = ForCriterion(c, in);
    return MetricOf(c, run, ComputeReturns(run), units);
}

bool MeetsTarget(Criterion c, const ReturnsInputs& in, double units, double target,
                 double* metric) {
    const ReturnsInputs run = ForCriterion(c, in);
    const ReturnsResult r = ComputeReturns(run);
    if (metric)
        *metric = MetricOf(c, run, r, units);
    return Meets(c, run, r, units, target);
}

TargetOffer SearchTarget(Criterion c, const ReturnsInputs& in, double units,
                         std::optional<double> target) {
    TargetOffer t;
    t.criterion = c;
    t.price = kNaN;
    if (!target) {
        t.outcome = OfferOutcome::NotUsed;
        t.text = QStringLiteral("Not used");
        return t;
    }
    if (!IsPriceable(in) || !Known(*target)) {
        t.outcome = OfferOutcome::NotAvailable;
        t.text = kNotAvailable;
        return t;
    }
    const ReturnsInputs base = ForCriterion(c, in);
    const auto meets = [&](double p) {
        const ReturnsInputs at = AtPrice(base, p);
        return Meets(c, at, ComputeReturns(at), units, *target);
    };
    const double asking = in.purchasePrice;
    double lo = kNaN;
    for (double divisor : kLowDivisors) {
        if (meets(asking / divisor)) {
            lo = asking / divisor;
            break;
        }
    }
    if (std::isnan(lo)) {
        t.outcome = OfferOutcome::NoPrice;
        t.text = QStringLiteral("No price");
        return t;
    }
    double hi = kHighMultiple * asking;
    if (meets(hi)) {
        t.outcome = OfferOutcome::Over;
        t.price = hi;
        t.text = QStringLiteral("Over ") + Money(hi);
        return t;
    }
    // A cent wide long before this many halvings; the cap only guards against a price so large
    // that the halves stop shrinking.
    for (int step = 0; step < 200 && hi - lo > kCent; ++step) {
        const double mid = (lo + hi) / 2;
        if (meets(mid))
            lo = mid;
        else
            hi = mid;
    }
    t.outcome = OfferOutcome::Price;
    t.price = std::floor(lo);
    t.text = Money(t.price);
    return t;
}

OfferResult ComputeOffer(const ReturnsInputs& in, double units, const InvestmentCriteria& c) {
    OfferResult r;
    r.askingPrice = in.purchasePrice;
    r.price = kNaN;
    int inForce = 0;
    int over = 0;
    std::optional<Criterion> noPrice;
    bool unavailable = false;
    for (int i = 0; i < kCriterionCount; ++i) {
        const Criterion k = AllCriteria()[size_t(i)];
        TargetOffer& t = r.targets[size_t(i)];
        t = SearchTarget(k, in, units, c.target(k));
        if (t.outcome == OfferOutcome::NotUsed)
            continue;
        ++inForce;
        if (t.outcome == OfferOutcome::NotAvailable)
            unavailable = true;
        else if (t.outcome == OfferOutcome::NoPrice && !noPrice)
            noPrice = k;
        else if (t.outcome == OfferOutcome::Over)
            ++over;
        else if (t.outcome == OfferOutcome::Price && (!r.binding || t.price < r.price)) {
            r.price = t.price; // the first of equal prices binds
            r.binding = k;
        }
    }

    r.gapText = kNotAvailable;
    if (inForce == 0) {
        r.outcome = OfferOutcome::NotUsed;
        r.priceText = QStringLiteral("Not used");
        r.bindingText = QStringLiteral("No investment criteria are set");
        r.binding.reset();
        return r;
    }
    if (unavailable) {
        r.outcome = OfferOutcome::NotAvailable;
        r.priceText = kNotAvailable;
        r.bindingText = QString();
        r.binding.reset();
        r.price = kNaN;
        return r;
    }
    if (noPrice) {
        r.outcome = OfferOutcome::NoPrice;
        r.priceText = QStringLiteral("No price");
        r.binding = noPrice;
        r.bindingText =
            QStringLiteral("No price meets the %1 target").arg(CriterionCaption(*noPrice));
        r.price = kNaN;
        return r;
    }
    const double asking = in.purchasePrice;
    if (over == inForce) {
        r.outcome = OfferOutcome::Over;
        r.price = kHighMultiple * asking;
        r.priceText = QStringLiteral("Over ") + Money(r.price);
        r.bindingText =
            QStringLiteral("No target limits the price below ten times the asking price");
        r.gapText = QStringLiteral("More than %1 (%2) above the asking price")
                        .arg(Money(r.price - asking), ShareText((r.price - asking) / asking));
        return r;
    }
    r.outcome = OfferOutcome::Price;
    r.priceText = Money(r.price);
    r.bindingText = QStringLiteral("Limited by ") + CriterionCaption(*r.binding);
    const double gap = r.price - asking;
    if (std::round(gap) == 0)
        r.gapText = QStringLiteral("At the asking price");
    else
        r.gapText = QStringLiteral("%1 (%2) %3 the asking price")
                        .arg(Money(std::fabs(gap)), ShareText(std::fabs(gap) / asking),
                             gap > 0 ? QStringLiteral("above") : QStringLiteral("below"));
    return r;
}

int CriteriaInForce(const InvestmentCriteria& c) {
    int n = 0;
    for (Criterion k : AllCriteria())
        n += c.target(k).has_value() ? 1 : 0;
    return n;
}

int CriteriaMet(const ReturnsInputs& in, double units, const InvestmentCriteria& c) {
    if (!IsPriceable(in))
        return 0;
    int n = 0;
    for (Criterion k : AllCriteria())
        if (const std::optional<double> target = c.target(k))
            n += MeetsTarget(k, in, units, *target) ? 1 : 0;
    return n;
}

QString OfferFieldName(Criterion c) {
    switch (c) {
    case Criterion::CashOnCash:
        return QStringLiteral("txtOfferCashOnCash");
    case Criterion::DebtServiceCoverage:
        return QStringLiteral("txtOfferDSCR");
    case Criterion::CashFlowPerUnit:
        return QStringLiteral("txtOfferCashFlowPerUnit");
    case Criterion::CapRate:
        return QStringLiteral("txtOfferCapRate");
    case Criterion::IrrAfterTax:
        return QStringLiteral("txtOfferIRR");
    }
    return QString();
}

// ---------------------------------------------------------------------------------------------
// Show the arithmetic

namespace {

// The criterion's figure at the price `in` holds, worked out in words and numbers.
QString MetricArithmetic(Criterion c, const ReturnsInputs& in, double units) {
    const ReturnsInputs run = ForCriterion(c, in);
    const ReturnsResult r = ComputeReturns(run);
    const double v = MetricOf(c, run, r, units);
    switch (c) {
    case Criterion::CashOnCash:
        return ExplainReturnsFigure(ReturnsFigure::CashOnCash, run, r);
    case Criterion::DebtServiceCoverage: {
        const QString text = ExplainReturnsFigure(ReturnsFigure::DebtServiceCoverage, run, r);
        return r.firstYear.debtService == 0
                   ? text + QStringLiteral(", which meets any coverage target")
                   : text;
    }
    case Criterion::CashFlowPerUnit:
        return QStringLiteral("Monthly Cash Flow per Unit = Year-One Cash Flow Before Tax ÷ 12 ÷ "
                              "Units = %1 ÷ 12 ÷ %2 = %3")
            .arg(Money(r.firstYear.cashFlowBeforeTax), PlainText(units), Money(v));
    case Criterion::CapRate:
        return QStringLiteral("Capitalization Rate = Year-One Net Operating Income ÷ Price = %1 ÷ "
                              "%2 = %3")
            .arg(Money(r.firstYear.netOperatingIncome), Money(run.purchasePrice),
                 ReturnsPercentText(v));
    case Criterion::IrrAfterTax:
        return ExplainReturnsFigure(ReturnsFigure::IrrAfterTax, run, r);
    }
    return QString();
}

QString ExplainTarget(const TargetOffer& t, const ReturnsInputs& in, double units,
                      const InvestmentCriteria& criteria) {
    const QString caption = CriterionCaption(t.criterion);
    const std::optional<double> target = criteria.target(t.criterion);
    if (t.outcome == OfferOutcome::NotUsed || !target)
        return caption + QStringLiteral(": no target is set (Tools \u203a Investment Criteria...)");
    const QString wanted =
        QStringLiteral("%1 of at least %2").arg(caption, TargetText(t.criterion, *target));
    const double asking = in.purchasePrice;
    switch (t.outcome) {
    case OfferOutcome::NotUsed:
    case OfferOutcome::NotAvailable:
        return wanted + QStringLiteral(": n/a, the purchase price must be above $0 and every "
                                       "input a number the returns can work with");
    case OfferOutcome::NoPrice:
        return wanted +
               QStringLiteral(": met at none of %1, %2, %3 and the asking price %4, so no price "
                              "meets it.\nAt %1: ")
                   .arg(Money(asking / 10), Money(asking / 4), Money(asking / 2), Money(asking)) +
               MetricArithmetic(t.criterion, AtPrice(in, asking / 10), units);
    case OfferOutcome::Over:
        return wanted +
               QStringLiteral(": still met at ten times the asking price, %1.\nAt %1: ")
                   .arg(Money(t.price)) +
               MetricArithmetic(t.criterion, AtPrice(in, t.price), units);
    case OfferOutcome::Price:
        return wanted +
               QStringLiteral(": the highest price that meets it is %1 (halving the range from "
                              "the lowest price tried that meets it to ten times the asking "
                              "price, %2, until it is a cent wide, then rounding down to whole "
                              "dollars).\nAt %1: ")
                   .arg(Money(t.price), Money(kHighMultiple * asking)) +
               MetricArithmetic(t.criterion, AtPrice(in, t.price), units);
    }
    return QString();
}

QString ExplainOfferPrice(const OfferResult& offer) {
    QStringList prices;
    for (const TargetOffer& t : offer.targets)
        if (t.outcome != OfferOutcome::NotUsed)
            prices << QStringLiteral("%1 (%2)").arg(t.text, CriterionCaption(t.criterion));
    if (prices.isEmpty())
        return QStringLiteral("Offer Price: no investment criteria are set (Tools \u203a "
                              "Investment Criteria...)");
    const QString text =
        QStringLiteral("Offer Price = the lowest of the targets' prices: ") + prices.join(", ");
    switch (offer.outcome) {
    case OfferOutcome::NoPrice:
        return text + QStringLiteral(" = No price, since no price meets the %1 target")
                          .arg(CriterionCaption(*offer.binding));
    case OfferOutcome::Over:
        return text + QStringLiteral(" = ") + offer.priceText +
               QStringLiteral(": every target is still met at ten times the asking price");
    default:
        return text + QStringLiteral(" = ") + offer.priceText;
    }
}

QString ExplainGap(const OfferResult& offer) {
    const double asking = offer.askingPrice;
    if (offer.outcome != OfferOutcome::Price && offer.outcome != OfferOutcome::Over)
        return QStringLiteral("Offer Price − Asking Price = %1 − %2 = n/a")
            .arg(offer.priceText, Money(asking));
    const double gap = offer.price - asking;
    return QStringLiteral("Offer Price − Asking Price = %1 − %2 = %3; %3 ÷ %2 = %4 of the asking "
                          "price")
        .arg(Money(offer.price), Money(asking), Money(gap), ShareText(gap / asking));
}

} // namespace

QString ExplainOfferField(const QString& fieldName, const ReturnsInputs& in, double units,
                          const InvestmentCriteria& criteria, const OfferResult& offer) {
    for (const TargetOffer& t : offer.targets)
        if (fieldName.compare(OfferFieldName(t.criterion), Qt::CaseInsensitive) == 0)
            return ExplainTarget(t, in, units, criteria);
    if (fieldName.compare(kOfferPriceField, Qt::CaseInsensitive) == 0)
        return ExplainOfferPrice(offer);
    if (fieldName.compare(kOfferGapField, Qt::CaseInsensitive) == 0)
        return ExplainGap(offer);
    return QString();
}

QVector<FieldEdit> PurchasePriceEdits(const Form& form, double price) {
    const auto read = [&](const QString& name, double& value) {
        return TrapSilently([&] { value = FieldNumber(form.text(name)); }) && Known(value);
    };
    double asking = 0;
    if (!read(QStringLiteral("txtPurchasePrice"), asking) || !(asking > 0) || !(price > 0))
        return {};
    const double s = price / asking;
    QVector<FieldEdit> edits = {
        {QStringLiteral("txtPurchasePrice"), QStringLiteral("Purchase Price"), price, asking}};
    QVector<std::pair<QString, QString>> scaled = {
        {QStringLiteral("txtDownPayment"), QStringLiteral("Down Payment")},
        {QStringLiteral("txtClosingCosts"), QStringLiteral("Closing Costs")}};
    for (int m = 1; m <= 4; ++m)
        scaled.append({QStringLiteral("txtMortgagePrincipal%1").arg(m),
                       QStringLiteral("Mortgage %1 Principal").arg(m)});
    for (const auto& [field, caption] : scaled) {
        double v = 0;
        if (!read(field, v))
            return {};
        if (v != 0) // a blank or zero amount stays as it is
            edits.append({field, caption, RoundCents(v * s), v});
    }
    return edits;
}
