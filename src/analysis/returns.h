#pragma once

#include "model/form.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <array>
#include <limits>

// The investment returns of a property over a holding period: a month-by-month amortization of
// up to four mortgages, depreciation, taxes, appreciation, the sale at the end and the internal
// rates of return. Everything is computed in doubles from figures already converted; only the
// display helpers round.
//
// A figure that cannot be computed is NaN ("n/a" on screen): a field that does not convert is
// read as NaN and every figure built on it turns NaN with it, so the view never shows a figure
// left over from an earlier run.

struct ReturnsMortgage {
    double principal = 0;  // L; a loan is taken into account only when L > 0
    double annualRate = 0; // fraction a year (0.0825 for 8.25 %)
    double termMonths = 0; // number of monthly payments as typed
};

struct ReturnsInputs {
    double grossMonthlyIncome = 0;   // G
    double otherMonthlyIncome = 0;   // O
    double vacancyRate = 0;          // v, fraction of the rent
    double rentIncrease = 0;         // r, fraction a year
    double costIncrease = 0;         // c, fraction a year
    double operatingExpenses = 0;    // E, year one, positive
    double stateTaxRate = 0;         // s, fraction
    double federalTaxRate = 0;       // f, fraction
    double capitalGainsRate = 0;     // g, fraction
    double purchasePrice = 0;        // P
    double closingCosts = 0;         // CC
    double downPayment = 0;          // DP
    double currentMarketValue = 0;   // V0; 0 or less means "use the purchase price"
    double appreciation = 0;         // a, fraction a year
    double improvementsShare = 0;    // d, fraction of price plus closing costs
    double depreciationYears = 27.5; // N
    int holdingPeriod = 10;          // H, whole years 1..20
    double sellingCostRate = 0.06;   // of the sale price
    double recaptureRate = 0.25;     // tax on the depreciation taken back at the sale
    std::array<ReturnsMortgage, 4> mortgages{};

    // A repair period after the purchase and one refinance. Left at these values, the returns
    // are exactly those of a property bought and let at once.
    double rehabCost = 0;        // paid at the purchase
    double rehabMonths = 0;      // R, the first months without rent, whole months 0..24
    double holdingCosts = 0;     // a month under repair, in place of the operating expenses
    double afterRepairValue = 0; // above 0: the value the property starts from
    double refinanceMonth = 0;   // M, 1..240; 0 for none, NaN when typed but unusable
    double refinanceLtv = 0.75;  // of the starting value
    double refinanceRate = std::numeric_limits<double>::quiet_NaN(); // needed with a month
    double refinanceTermMonths = 360;
    double refinanceCosts = 0;
};

// One year of the holding period. Costs are positive amounts; income tax is negative when a
// loss lowers the tax on other income; taxable income, cash flows and equity carry their sign.
struct ReturnsYear {
    int year = 0;
    double grossScheduledIncome = 0;
    double vacancy = 0;
    double operatingExpenses = 0;
    double netOperatingIncome = 0;
    double debtService = 0;
    double interest = 0;
    double principal = 0;
    double depreciation = 0;
    double taxableIncome = 0;
    double incomeTax = 0;
    double cashFlowBeforeTax = 0;
    double cashFlowAfterTax = 0;
    double refinanceCashOut = 0; // in the year of the refinance: not income, never taxed
    double propertyValue = 0;    // at the end of the year
    double loanBalance = 0;      // at the end of the year
    double equity = 0;
};

struct ReturnsSale {
    double price = 0;
    double sellingCosts = 0;
    double loanPayoff = 0;
    double accumulatedDepreciation = 0;
    double adjustedBasis = 0;
    double gain = 0;
    double recaptureTax = 0;
    double capitalGainsTax = 0;
    double taxOnSale = 0;
    double proceedsBeforeTax = 0;
    double proceedsAfterTax = 0;
};

struct ReturnsRatios {
    double cashOnCash = 0;
    double debtServiceCoverage = 0; // NaN without debt
    double grossRentMultiplier = 0;
    double breakEvenOccupancy = 0;
    double expenseRatio = 0;
    double loanToValue = 0;
    double rentToPrice = 0;
};

// What the repair and the refinance come to. The first three are shown with or without a
// refinance; the rest are NaN without one. cashOnCash is +infinity when no cash is left in the
// deal and the year after the refinance brings money in.
struct ReturnsRefinance {
    bool given = false;               // a refinance month was typed, usable or not
    int month = 0;                    // M when usable
    int year = 0;                     // the year holding month M
    int afterYear = 0;                // the first year wholly after it, whose cash flow is quoted
    bool afterHolding = false;        // M is past the holding period: not in the sale or the IRR
    int payoffYear = 0;               // the year the new loan is paid off within the holding period
    std::array<double, 4> balances{}; // each mortgage's balance paid off at the refinance
    double allInCost = 0;
    double cashInvested = 0; // before the refinance: down payment, costs, repairs, holding
    double loan = 0;
    double loanPayoff = 0;
    double cashOut = 0; // negative when the refinance needs cash brought in
    double cashLeft = 0;
    double recovered = 0;
    double equityCreated = 0;
    double afterYearCashFlow = 0; // cash flow before tax of afterYear
    double monthlyCashFlow = 0;
    double cashOnCash = 0;
};

struct ReturnsResult {
    QVector<ReturnsYear> years; // 1..H; empty when the holding period is not usable
    ReturnsYear firstYear;      // year one, which the ratios are built on, kept in any case
    // The year (1..H) in which each mortgage is paid off; 0 when it is not paid off within the
    // holding period or there is no such loan.
    std::array<int, 4> payoffYear{};
    double cashInvested = 0; // C0 = down payment + closing costs + rehab budget
    ReturnsSale sale;
    double irrBeforeTax = 0; // NaN when no rate brings the flows to zero, or C0 <= 0
    double irrAfterTax = 0;
    double equityMultiple = 0;
    ReturnsRatios yearOne;
    ReturnsRefinance refinance;
};

ReturnsResult ComputeReturns(const ReturnsInputs& in);

// The rate in (-99.99 %, 1,000 %) at which -invested + flows[y-1] / (1 + rate)^y summed over
// the years is zero, to 1e-10; NaN when the flows do not change sign over that range or
// invested <= 0. With several such rates, the one nearest zero.
double InternalRateOfReturn(double invested, const QVector<double>& flows);

// The inputs as the property's fields hold them. The four holding-period fields may not exist
// on the form yet; a missing or blank one means its default (10 years, 6 %, 27.5 years, 25 %).
struct ReturnsReading {
    ReturnsInputs inputs;
    QStringList unusableFields; // do not convert, or out of their range
};
ReturnsReading ReadReturnsInputs(const Form& form);

extern const QString kHoldingPeriodField;
extern const QString kSellingCostsField;
extern const QString kDepreciationYearsField;
extern const QString kRecaptureRateField;
extern const QString kRehabCostField;
extern const QString kRehabMonthsField;
extern const QString kHoldingCostsField;
extern const QString kAfterRepairValueField;
extern const QString kRefinanceMonthField;
extern const QString kRefinanceLtvField;
extern const QString kRefinanceRateField;
extern const QString kRefinanceTermField;
extern const QString kRefinanceCostsField;

// The classic outlook's annual cash flow for years 1..years, as its 20-year grid shows it; NaN
// for a cell that does not read as a number.
QVector<double> OutlookCashFlows(const Form& form, int years);

// Whether only these returns read the field and no classic figure does: the inputs above, the
// current market value, appreciation, improvements share and capital gains rate. Where such a
// field does not convert, what depends on it shows "n/a" instead of keeping an earlier value.
bool IsReturnsOnlyInput(const QString& fieldName);
// The numbers a returns input can be worked with, in words ("whole years from 1 to 20"); empty
// for a field that takes any number.
QString ReturnsInputRange(const QString& fieldName);
// Whether `value`, typed into that field, can be worked with (any number for a field without
// a range).
bool IsUsableReturnsInput(const QString& fieldName, double value);
// What a blank returns input stands for, shown in it as a hint ("360"); empty for none.
QString ReturnsInputBlankText(const QString& fieldName);
// The field whose text makes this one needed (the refinance month for its rate); empty for
// a field that is never needed.
QString ReturnsInputNeededWith(const QString& fieldName);
// Whether a repair or a refinance is part of these inputs (typed, usable or not).
bool HasRehabOrRefinance(const ReturnsInputs& in);

// Display texts; a NaN or infinite value shows as "n/a".
extern const QString kNotAvailable;
QString ReturnsMoneyText(double value);      // $12,345 / ($4,032)
QString ReturnsPercentText(double value);    // fraction -> 9.55%
QString ReturnsRatioText(double value);      // 1.44
QString ReturnsMultipleText(double value);   // 2.35x
QString ReturnsCashOnCashText(double value); // as a percentage; +infinity is "Infinite"

// The figures that can show their own arithmetic.
enum class ReturnsFigure {
    CashOnCash,
    DebtServiceCoverage,
    GrossRentMultiplier,
    BreakEvenOccupancy,
    ExpenseRatio,
    LoanToValue,
    RentToPrice,
    SalePrice,
    SellingCosts,
    LoanPayoff,
    TaxOnSale,
    SaleProceedsBeforeTax,
    SaleProceedsAfterTax,
    IrrBeforeTax,
    IrrAfterTax,
    EquityMultiple,
    // The repair and the refinance; these need no holding period.
    AllInCost,
    RefinanceCashInvested,
    RefinanceLoan,
    RefinanceLoanPayoff,
    RefinanceCashOut,
    RefinanceCashLeft,
    RefinanceRecovered,
    EquityCreated,
    MonthlyCashFlowAfterRefinance,
    CashOnCashAfterRefinance,
};

// The figure's formula in words followed by the user's own numbers, e.g.
// "Gross Rent Multiplier = Property Price ÷ Year-One Gross Scheduled Income = $400,000 ÷
// $57,600 = 6.94". Built only when asked for.
QString ExplainReturnsFigure(ReturnsFigure figure, const ReturnsInputs& in,
                             const ReturnsResult& result);
// The same by the name of the field that shows the figure (txtRetCashOnCash ...); an empty
// text for any other name.
QString ExplainReturnsField(const QString& fieldName, const ReturnsInputs& in,
                            const ReturnsResult& result);
