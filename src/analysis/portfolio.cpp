#include "analysis/portfolio.h"

#include "analysis/analysis.h"
#include "analysis/offer.h"
#include "base/errortrap.h"
#include "base/numerictext.h"
#include "model/fieldtable.h"
#include "model/memoryform.h"

#include <QHash>

#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool IsInputField(const FieldInfo& f) {
    return f.isStored() && !f.isReadOnly() &&
           (f.view == FieldView::Property || f.view == FieldView::Financial ||
            f.view == FieldView::Returns);
}

// A summary figure counts only when it and every summary figure it is built from were
// computed: a statement that fails leaves its field empty on the fresh form, and the statements
// after it would read that empty text as 0 and carry on with a figure that means nothing.
double SummaryValue(const Form& form, const QString& field, std::initializer_list<QString> builtOn,
                    double scale = 1) {
    for (const QString& name : builtOn) {
        if (form.text(name).isEmpty())
            return kNaN;
    }
    const QString text = form.text(field);
    if (text.isEmpty())
        return kNaN;
    double value = kNaN;
    TrapSilently([&] { value = FieldNumber(text) * scale; });
    return value;
}

double Finite(double value) {
    return std::isfinite(value) ? value : kNaN;
}

} // namespace

QString PortfolioFigureText(PortfolioFigure figure, double value) {
    switch (figure) {
    case PortfolioFigure::PricePerUnit:
        return std::isfinite(value) ? CurrencyText(value, 2) : kNotAvailable;
    case PortfolioFigure::CapRate:
    case PortfolioFigure::CashOnCash:
    case PortfolioFigure::BreakEven:
    case PortfolioFigure::IrrAfterTax:
    case PortfolioFigure::IrrBeforeTax:
    case PortfolioFigure::ExpenseRatio:
    case PortfolioFigure::LoanToValue:
        return ReturnsPercentText(value);
    case PortfolioFigure::DebtServiceCoverage:
    case PortfolioFigure::GrossRentMultiplier:
        return ReturnsRatioText(value);
    case PortfolioFigure::EquityMultiple:
        return ReturnsMultipleText(value);
    default:
        return ReturnsMoneyText(value);
    }
}

bool IsPortfolioInput(const QString& key) {
    // Keys come in the spelling a save writes, found without building a lower-cased key.
    static const QHash<QString, bool> registered = [] {
        QHash<QString, bool> h;
        for (const FieldInfo& f : FieldTable())
            h.insert(f.name, IsInputField(f));
        return h;
    }();
    const auto it = registered.constFind(key);
    if (it != registered.constEnd())
        return it.value();
    const FieldInfo* f = FindField(key);
    return f && IsInputField(*f);
}

PortfolioProperty ComputePortfolioProperty(const StoredProperty& stored) {
    // Copied for each property: the copy shares the blank form's cells until it writes them.
    static const MemoryForm blank;
    MemoryForm form = blank;
    for (const auto& [key, value] : stored) {
        if (IsPortfolioInput(key))
            form.setText(key, value);
    }

    const QuietTraps quiet;
    for (int row = 1; row <= 4; ++row)
        UpdateMortgagePayment(form, row);
    RecalculateInvestmentSummary(form);
    const ReturnsReading reading = ReadReturnsInputs(form);
    const ReturnsResult r = ComputeReturns(reading.inputs);

    const QString price = QStringLiteral("txtQISPropertyPrice");
    PortfolioProperty p;
    p.inputs = reading.inputs;
    p.units = UnitCount(form);
    p.unusable = reading.unusableFields;
    auto set = [&p](PortfolioFigure f, double v) { p.figures[size_t(f)] = Finite(v); };
    set(PortfolioFigure::Price, SummaryValue(form, price, {}));
    set(PortfolioFigure::PricePerUnit,
        SummaryValue(form, QStringLiteral("txtQISCostPerUnit"), {price}));
    set(PortfolioFigure::CashInvested,
        SummaryValue(form, QStringLiteral("txtQISTotalCashInvested"), {}));
    set(PortfolioFigure::CapRate,
        SummaryValue(form, QStringLiteral("txtQISCapitalizationRate"),
                     {price, QStringLiteral("txtQISAnnualNetOperatingIncome"),
                      QStringLiteral("txtQISAnnualExpenses"),
                      QStringLiteral("txtQISActualAnnualGrossIncome"),
                      QStringLiteral("txtQISAnnualVacancy"),
                      QStringLiteral("txtQISScheduledAnnualIncome")},
                     0.01));
    set(PortfolioFigure::MonthlyCashFlow, r.firstYear.cashFlowBeforeTax / 12);
    set(PortfolioFigure::CashOnCash, r.yearOne.cashOnCash);
    set(PortfolioFigure::DebtServiceCoverage, r.yearOne.debtServiceCoverage);
    set(PortfolioFigure::GrossRentMultiplier, r.yearOne.grossRentMultiplier);
    set(PortfolioFigure::BreakEven, r.yearOne.breakEvenOccupancy);
    set(PortfolioFigure::IrrAfterTax, r.irrAfterTax);
    set(PortfolioFigure::EquityMultiple, r.equityMultiple);
    set(PortfolioFigure::YearOneNoi, r.firstYear.netOperatingIncome);
    set(PortfolioFigure::YearOneDebtService, r.firstYear.debtService);
    set(PortfolioFigure::YearOneCashFlow, r.firstYear.cashFlowBeforeTax);
    set(PortfolioFigure::SaleProceedsAfterTax, r.sale.proceedsAfterTax);
    set(PortfolioFigure::IrrBeforeTax, r.irrBeforeTax);
    set(PortfolioFigure::ExpenseRatio, r.yearOne.expenseRatio);
    set(PortfolioFigure::LoanToValue, r.yearOne.loanToValue);
    return p;
}

QString PortfolioCriteria::criteriaText() const {
    return priceable ? QStringLiteral("%1 of %2").arg(met).arg(inForce) : kNotAvailable;
}

PortfolioCriteria ComputePortfolioCriteria(const ReturnsInputs& in, double units,
                                           const InvestmentCriteria& criteria, bool withOffer) {
    PortfolioCriteria c;
    c.priceable = IsPriceable(in);
    c.inForce = CriteriaInForce(criteria);
    c.met = CriteriaMet(in, units, criteria);
    if (!withOffer)
        return c;
    const OfferResult offer = ComputeOffer(in, units, criteria);
    c.offerText = offer.priceText;
    switch (offer.outcome) {
    case OfferOutcome::Price:
    case OfferOutcome::Over:
        c.offerSort = offer.price;
        break;
    case OfferOutcome::NoPrice:
        c.offerSort = -1;
        break;
    case OfferOutcome::NotUsed:
    case OfferOutcome::NotAvailable:
        break;
    }
    return c;
}
