#include "model/fieldtable.h"

#include <QHash>
#include <algorithm>

namespace {

constexpr FieldView kProperty = FieldView::Property;
constexpr FieldView kFinancial = FieldView::Financial;
constexpr FieldView kSummary = FieldView::Summary;
constexpr FieldView kOutlook = FieldView::Outlook;
constexpr FieldView kReturns = FieldView::Returns;

struct Handler {
    FieldHandler kind = FieldHandler::None;
    int arg = 0;
};
constexpr Handler Mortgage(int row) {
    return {FieldHandler::MortgagePayment, row};
}
constexpr Handler Expense(int place) {
    return {FieldHandler::Expense, place};
}

struct Row {
    const char* name;
    int cells;
    FieldView view;
    const char* group;
    const char* caption;
    int storedAt;
    unsigned flags = kWatched;
    const char* defaultText = "";
    Handler handler = {};
    const char* reportCaption = "";
};

constexpr unsigned kPercentField = kWatched | kPercent;
constexpr unsigned kComputed = kWatched | kReadOnly;
constexpr unsigned kOutlookCell = 0; // rewritten on every recalculation: not watched

// clang-format off
// A new field goes into its view and group where the window shows it; the next free storedAt
// puts it last in the file.
const Row kRows[] = {
    // name                           cells view    group                  caption                  storedAt
    {"txtPropertyInformation",        0, kProperty, "",                    "Property Name",          14},
    {"txtAddress",                    0, kProperty, "",                    "Address",                15},
    {"txtUnits",                      0, kProperty, "",                    "Number of Units",        16},
    {"txtSquareFootage",              0, kProperty, "",                    "Square Footage",         17},
    {"txtMiscNotes",                  0, kProperty, "Miscellaneous Notes", "",                       18},

    {"txtCurrentMarketValue",         0, kFinancial, "Purchase Information", "Current Market Value", 24},
    {"txtPurchasePrice",              0, kFinancial, "Purchase Information", "Purchase Price",       21},
    {"txtDownPayment",                0, kFinancial, "Purchase Information", "Down Payment",         23},
    {"txtClosingCosts",               0, kFinancial, "Purchase Information", "Closing Costs",        20},
    {"txtAppreciation",               0, kFinancial, "Purchase Information", "Expected Appreciation", 22, kPercentField},
    {"txtDepreciateAsImprovements",   0, kFinancial, "Purchase Information", "Depreciate as Improvements", 19, kPercentField},
    {"txtGrossMonthlyIncome",         0, kFinancial, "Rental Information", "Gross Monthly Income",   25},
    {"txtExpectedVacancyRate",        0, kFinancial, "Rental Information", "Expected Vacancy Rate",  26, kPercentField},
    {"txtOtherMonthlyIncome",         0, kFinancial, "Rental Information", "Other Monthly Income",   27},
    {"txtAnnualRateIncrease",         0, kFinancial, "Rental Information", "Annual Rate Increase",   28, kPercentField},
    {"txtFederalTaxRate",             0, kFinancial, "Tax Information",    "Federal Tax Rate",       43, kPercentField},
    {"txtStateTaxRate",               0, kFinancial, "Tax Information",    "State Tax Rate",         41, kPercentField},
    {"txtLongTermCapitolGainsRate",   0, kFinancial, "Tax Information",    "Long Term Capitol Gains Rate", 42, kPercentField},
    {"txtAdvertising",                0, kFinancial, "Operating Expenses", "Advertising",            30, kWatched, "50",    Expense(5),  "Advertising: "},
    {"txtInsurance",                  0, kFinancial, "Operating Expenses", "Insurance",              37, kWatched, "600",   Expense(3),  "Insurance: "},
    {"txtMiscellaneousExpenses",      0, kFinancial, "Operating Expenses", "Miscellaneous",          31, kWatched, "300",   Expense(6),  "Miscellaneous Expenses: "},
    {"txtOfficeSupplies",             0, kFinancial, "Operating Expenses", "Office Supplies",        33, kWatched, "300",   Expense(11), "Office Supplies: "},
    {"txtProfessionalServices",       0, kFinancial, "Operating Expenses", "Professional Services",  40, kWatched, "500",   Expense(9),  "Professional Services: "},
    {"txtPropertyManagement",         0, kFinancial, "Operating Expenses", "Property Management",    38, kWatched, "500",   Expense(7),  "Property Management: "},
    {"txtPropertyTaxes",              0, kFinancial, "Operating Expenses", "Property Taxes",         39, kWatched, "2000",  Expense(8),  "Property Taxes: "},
    {"txtRepairAndMaintenance",       0, kFinancial, "Operating Expenses", "Repair and Maintenance", 35, kWatched, "12000", Expense(1),  "Repair and Maintenance: "},
    {"txtSalaryAndWages",             0, kFinancial, "Operating Expenses", "Salary and Wages",       36, kWatched, "4000",  Expense(2),  "Salary And Wages: "},
    {"txtUtilities",                  0, kFinancial, "Operating Expenses", "Utilities",              32, kWatched, "100",   Expense(10), "Utilities: "},
    {"txtWaterSewerGarbage",          0, kFinancial, "Operating Expenses", "Water/Sewer/Garbage",    29, kWatched, "500",   Expense(4),  "Water/Sewer/Garbage: "},
    {"txtOperatingCostIncrease",      0, kFinancial, "Operating Expenses", "Operating Cost Increase", 34, kPercentField, "", {}, "Operating Cost Increase: "},
    {"txtMortgagePrincipal1",         0, kFinancial, "Mortgages", "Mortgage Principal",   46, kWatched, "175000", Mortgage(1)},
    {"txtAnnualInterestRate1",        0, kFinancial, "Mortgages", "Annual Interest Rate", 44, kWatched, "8.25",   Mortgage(1)},
    {"txtAmortizationTerm1",          0, kFinancial, "Mortgages", "Amortization Term",    45, kWatched, "360",    Mortgage(1)},
    {"txtMortgageMonthlyPayment1",    0, kFinancial, "Mortgages", "Monthly Payment",      47, kComputed, "0"},
    {"txtMortgagePrincipal2",         0, kFinancial, "Mortgages", "Mortgage Principal",   49, kWatched, "0", Mortgage(2)},
    {"txtAnnualInterestRate2",        0, kFinancial, "Mortgages", "Annual Interest Rate", 51, kWatched, "0", Mortgage(2)},
    {"txtAmortizationTerm2",          0, kFinancial, "Mortgages", "Amortization Term",    50, kWatched, "0", Mortgage(2)},
    {"txtMortgageMonthlyPayment2",    0, kFinancial, "Mortgages", "Monthly Payment",      48, kComputed, "0"},
    {"txtMortgagePrincipal3",         0, kFinancial, "Mortgages", "Mortgage Principal",   53, kWatched, "0", Mortgage(3)},
    {"txtAnnualInterestRate3",        0, kFinancial, "Mortgages", "Annual Interest Rate", 55, kWatched, "0", Mortgage(3)},
    {"txtAmortizationTerm3",          0, kFinancial, "Mortgages", "Amortization Term",    54, kWatched, "0", Mortgage(3)},
    {"txtMortgageMonthlyPayment3",    0, kFinancial, "Mortgages", "Monthly Payment",      52, kComputed, "0"},
    {"txtMortgagePrincipal4",         0, kFinancial, "Mortgages", "Mortgage Principal",   57, kWatched, "0", Mortgage(4)},
    {"txtAnnualInterestRate4",        0, kFinancial, "Mortgages", "Annual Interest Rate", 59, kWatched, "0", Mortgage(4)},
    {"txtAmortizationTerm4",          0, kFinancial, "Mortgages", "Amortization Term",    58, kWatched, "0", Mortgage(4)},
    {"txtMortgageMonthlyPayment4",    0, kFinancial, "Mortgages", "Monthly Payment",      56, kComputed, "0"},
    // Read by the investment returns only, and stored after every older key, so a property
    // that leaves them blank is stored exactly as before.
    {"txtRehabCost",                  0, kFinancial, "Rehab and Refinance", "Rehab Budget",            86},
    {"txtRehabMonths",                0, kFinancial, "Rehab and Refinance", "Rehab Months",            87},
    {"txtHoldingCosts",               0, kFinancial, "Rehab and Refinance", "Holding Costs per Month", 88},
    {"txtAfterRepairValue",           0, kFinancial, "Rehab and Refinance", "After Repair Value",      89},
    {"txtRefinanceMonth",             0, kFinancial, "Rehab and Refinance", "Refinance in Month",      90},
    {"txtRefinanceLTV",               0, kFinancial, "Rehab and Refinance", "Refinance Loan-to-Value", 91, kPercentField},
    {"txtRefinanceRate",              0, kFinancial, "Rehab and Refinance", "Refinance Interest Rate", 92, kPercentField},
    {"txtRefinanceTerm",              0, kFinancial, "Rehab and Refinance", "Refinance Term",          93},
    {"txtRefinanceCosts",             0, kFinancial, "Rehab and Refinance", "Refinance Closing Costs", 94},

    {"txtQISPropertyPrice",           0, kSummary, "Acquisition", "Property Price",             65},
    {"txtQISDownPayment",             0, kSummary, "Acquisition", "Down Payment",               64},
    {"txtQISClosingCosts",            0, kSummary, "Acquisition", "Closing Costs",              63},
    {"txtQISTotalAcquisitionCost",    0, kSummary, "Acquisition", "Total Acquisition Cost",     62},
    {"txtQISTotalCashInvested",       0, kSummary, "Acquisition", "Total Cash Invested",        61},
    {"txtQISCashInvestedPercentage",  0, kSummary, "Acquisition", "Cash Invested Percentage",   66},
    {"txtQISPercentageDown",          0, kSummary, "Acquisition", "Percentage Down",            60},
    {"txtQISNumberOfUnits",           0, kSummary, "Acquisition", "Number of Units",            68},
    {"txtQISSquareFootage",           0, kSummary, "Acquisition", "Square Footage",             69},
    {"txtQISCostPerUnit",             0, kSummary, "Acquisition", "Cost Per Unit",              70},
    {"txtQISCostPerSquareFoot",       0, kSummary, "Acquisition", "Cost Per Square Foot",       71},
    {"txtQISScheduledAnnualIncome",   0, kSummary, "Income and Cash Flow", "Scheduled Annual Income", 72},
    {"txtQISAnnualVacancy",           0, kSummary, "Income and Cash Flow", "Annual Vacancy ",         73},
    {"txtQISActualAnnualGrossIncome", 0, kSummary, "Income and Cash Flow", "Actual Annual Gross Income", 67},
    {"txtQISAnnualExpenses",          0, kSummary, "Income and Cash Flow", "Annual Expenses",         76},
    {"txtQISAnnualNetOperatingIncome", 0, kSummary, "Income and Cash Flow", "Annual Net Operating Income", 75},
    {"txtQISCapitalizationRate",      0, kSummary, "Income and Cash Flow", "Capitalization Rate",     77},
    {"txtQISAverageRentPerUnit",      0, kSummary, "Income and Cash Flow", "Average Rent Per Unit",   74},
    {"txtQISAnnualDebtService",       0, kSummary, "Income and Cash Flow", "Annual Debt Service",     78},
    {"txtNetAnnualCashflowBeforeTaxes", 0, kSummary, "Income and Cash Flow", "Net Annual Cashflow before Taxes", 79},
    {"txtQISNetAnnualCashflowPerUnitBeforeTaxes", 0, kSummary, "Income and Cash Flow", "Net Annual Cashflow per unit before Taxes", 80},
    {"txtQISNetMonthlyCashflowPerUnitBeforeTaxes", 0, kSummary, "Income and Cash Flow", "Net Monthly Cashflow per unit before Taxes", 81},

    // The 5-year grid, then the 20-year grid, rows top to bottom.
    {"txt5CFTotalGrossIncome",        5, kOutlook, "", "Total Gross Income",   10, kOutlookCell},
    {"txt5CFExpectedVacancy",         5, kOutlook, "", "Expected Vacancy",     9,  kOutlookCell},
    {"txt5CFOperatingExpenses",       5, kOutlook, "", "Operating Expenses",   8,  kOutlookCell},
    {"txt5CFTotalMortgages",          5, kOutlook, "", "Mortgage Payments",    11, kOutlookCell},
    {"txt5CFIncomeTaxes",             5, kOutlook, "", "Estimated Income Tax", 12, kOutlookCell},
    {"txt5CFNetCashflow",             5, kOutlook, "", "Annual Cash Flow",     13, kOutlookCell},
    {"txt5CFMonthCashflow",           5, kOutlook, "", "Monthly Cash Flow",    7,  kOutlookCell},
    {"txt10CFTotalGrossIncome",       20, kOutlook, "", "Total Gross Income",  3,  kOutlookCell},
    {"txt10CFExpectedVacancy",        20, kOutlook, "", "Expected Vacancy",    2,  kOutlookCell},
    {"txt10CFOperatingExpenses",      20, kOutlook, "", "Operating Expenses",  1,  kOutlookCell},
    {"txt10CFTotalMortgages",         20, kOutlook, "", "Mortgage Payments",   4,  kOutlookCell},
    {"txt10CFIncomeTaxes",            20, kOutlook, "", "Est. Income Tax",     5,  kOutlookCell},
    {"txt10CFNetCashflow",            20, kOutlook, "", "Annual Cash Flow",    6,  kOutlookCell},
    {"txt10CFMonthCashflow",          20, kOutlook, "", "Monthly Cash Flow",   0,  kOutlookCell},

    // The holding-period inputs came after every older field, so they are stored last and a
    // property that leaves them blank (their defaults) is stored exactly as before.
    {"txtHoldingPeriod",              0, kReturns, "Holding Period and Sale", "Holding Period",   82},
    {"txtSellingCosts",               0, kReturns, "Holding Period and Sale", "Selling Costs",    83, kPercentField},
    {"txtDepreciationYears",          0, kReturns, "Holding Period and Sale", "Depreciation Period", 84},
    {"txtRecaptureRate",              0, kReturns, "Holding Period and Sale", "Depreciation Recapture Rate", 85, kPercentField},
};
// clang-format on

// What each typed field holds, in the user's words and with its unit: its tooltip. A mortgage
// row's fields share one line, found by the name without the row's digit.
struct Tip {
    const char* name;
    FieldAmount amount;
    const char* text;
};
constexpr FieldAmount kNoAmount = FieldAmount::None;
constexpr FieldAmount kOnce = FieldAmount::Once;
constexpr FieldAmount kMonthly = FieldAmount::PerMonth;
constexpr FieldAmount kYearly = FieldAmount::PerYear;

// clang-format off
const Tip kTips[] = {
    {"txtPropertyInformation",      kNoAmount, "Property Name \u2014 the name the property is listed under"},
    {"txtAddress",                  kNoAmount, "Address \u2014 where the property is"},
    {"txtUnits",                    kNoAmount, "Number of Units \u2014 how many apartments or houses are let, a whole number"},
    {"txtSquareFootage",            kNoAmount, "Square Footage \u2014 the building's floor area, in square feet"},
    {"txtMiscNotes",                kNoAmount, "Miscellaneous Notes \u2014 anything you want to remember about the property"},
    {"txtCurrentMarketValue",       kOnce,     "Current Market Value \u2014 what the property is worth today, in dollars; blank or 0: the purchase price"},
    {"txtPurchasePrice",            kOnce,     "Purchase Price \u2014 the price you pay for the property, in dollars"},
    {"txtDownPayment",              kOnce,     "Down Payment \u2014 the cash you pay toward the price, in dollars"},
    {"txtClosingCosts",             kOnce,     "Closing Costs \u2014 the fees and costs of the purchase, in dollars"},
    {"txtAppreciation",             kNoAmount, "Expected Appreciation \u2014 how much the property's value rises each year, in percent"},
    {"txtDepreciateAsImprovements", kNoAmount, "Depreciate as Improvements \u2014 the share of the price that is the building rather than the land, in percent: the part that is depreciated"},
    {"txtGrossMonthlyIncome",       kMonthly,  "Gross Monthly Income \u2014 the total rent of all units per month, in dollars"},
    {"txtExpectedVacancyRate",      kNoAmount, "Expected Vacancy Rate \u2014 percent of the gross rent lost to empty units"},
    {"txtOtherMonthlyIncome",       kMonthly,  "Other Monthly Income \u2014 income besides the rent (laundry, parking) per month, in dollars"},
    {"txtAnnualRateIncrease",       kNoAmount, "Annual Rate Increase \u2014 how much the rents rise each year, in percent"},
    {"txtFederalTaxRate",           kNoAmount, "Federal Tax Rate \u2014 your federal income tax rate, in percent"},
    {"txtStateTaxRate",             kNoAmount, "State Tax Rate \u2014 your state income tax rate, in percent"},
    {"txtLongTermCapitolGainsRate", kNoAmount, "Long Term Capitol Gains Rate \u2014 the tax rate on the gain when the property is sold, in percent"},
    {"txtAdvertising",              kYearly,   "Advertising \u2014 the cost of finding tenants per year, in dollars"},
    {"txtInsurance",                kYearly,   "Insurance \u2014 the property's insurance per year, in dollars"},
    {"txtMiscellaneousExpenses",    kYearly,   "Miscellaneous \u2014 any other operating cost per year, in dollars"},
    {"txtOfficeSupplies",           kYearly,   "Office Supplies \u2014 per year, in dollars"},
    {"txtProfessionalServices",     kYearly,   "Professional Services \u2014 accountant and lawyer per year, in dollars"},
    {"txtPropertyManagement",       kYearly,   "Property Management \u2014 the manager's fee per year, in dollars (an amount, not a percent of the rent)"},
    {"txtPropertyTaxes",            kYearly,   "Property Taxes \u2014 per year, in dollars"},
    {"txtRepairAndMaintenance",     kYearly,   "Repair and Maintenance \u2014 per year, in dollars"},
    {"txtSalaryAndWages",           kYearly,   "Salary and Wages \u2014 staff paid for the property per year, in dollars"},
    {"txtUtilities",                kYearly,   "Utilities \u2014 the utilities the owner pays per year, in dollars"},
    {"txtWaterSewerGarbage",        kYearly,   "Water/Sewer/Garbage \u2014 per year, in dollars"},
    {"txtOperatingCostIncrease",    kNoAmount, "Operating Cost Increase \u2014 how much the operating expenses rise each year, in percent"},
    {"txtMortgagePrincipal",        kOnce,     "Mortgage Principal \u2014 the amount borrowed on this loan, in dollars"},
    {"txtAnnualInterestRate",       kNoAmount, "Annual Interest Rate \u2014 the loan's yearly interest rate, in percent (8.25 for 8.25 %)"},
    {"txtAmortizationTerm",         kNoAmount, "Amortization Term \u2014 the number of monthly payments (360 for 30 years)"},
    {"txtMortgageMonthlyPayment",   kNoAmount, "Monthly Payment \u2014 worked out from the loan's principal, rate and term, in dollars"},
    {"txtRehabCost",                kOnce,     "Rehab Budget \u2014 the cost of the repairs, paid at the purchase, in dollars"},
    {"txtRehabMonths",              kNoAmount, "Rehab Months \u2014 the whole months the property earns no rent while it is repaired, 0 to 24"},
    {"txtHoldingCosts",             kMonthly,  "Holding Costs per Month \u2014 what the empty property costs per month of repair (utilities, insurance), in dollars"},
    {"txtAfterRepairValue",         kOnce,     "After Repair Value \u2014 what the property is worth once repaired, in dollars; blank: none"},
    {"txtRefinanceMonth",           kNoAmount, "Refinance in Month \u2014 the month after the purchase in which every loan is replaced by a new one, 1 to 240; blank: no refinance"},
    {"txtRefinanceLTV",             kNoAmount, "Refinance Loan-to-Value \u2014 the new loan as a percent of the value; blank: 75"},
    {"txtRefinanceRate",            kNoAmount, "Refinance Interest Rate \u2014 the new loan's yearly interest rate, in percent"},
    {"txtRefinanceTerm",            kNoAmount, "Refinance Term \u2014 the number of monthly payments of the new loan; blank: 360"},
    {"txtRefinanceCosts",           kOnce,     "Refinance Closing Costs \u2014 the fees of the new loan, in dollars"},
    {"txtHoldingPeriod",            kNoAmount, "Holding Period \u2014 the years you keep the property before you sell it, 1 to 20; blank: 10"},
    {"txtSellingCosts",             kNoAmount, "Selling Costs \u2014 the costs of the sale, in percent of the sale price; blank: 6"},
    {"txtDepreciationYears",        kNoAmount, "Depreciation Period \u2014 the years over which the building is depreciated; blank: 27.5"},
    {"txtRecaptureRate",            kNoAmount, "Depreciation Recapture Rate \u2014 the tax rate on the depreciation taken, due at the sale, in percent; blank: 25"},
};
// clang-format on

const Tip* tipOf(const QString& name) {
    QString stem = name;
    while (!stem.isEmpty() && stem.back().isDigit())
        stem.chop(1);
    for (const Tip& tip : kTips) {
        if (stem == QLatin1String(tip.name))
            return &tip;
    }
    return nullptr;
}

QVector<FieldInfo> buildTable() {
    QVector<FieldInfo> table;
    for (const Row& r : kRows) {
        FieldInfo f;
        f.name = QString::fromLatin1(r.name);
        f.cells = r.cells;
        f.view = r.view;
        f.group = QString::fromLatin1(r.group);
        f.caption = QString::fromLatin1(r.caption);
        f.defaultText = QString::fromLatin1(r.defaultText);
        f.storedAt = r.storedAt;
        f.flags = r.flags;
        f.handler = r.handler.kind;
        f.handlerArg = r.handler.arg;
        f.reportCaption = QString::fromLatin1(r.reportCaption);
        if (const Tip* tip = tipOf(f.name)) {
            f.tooltip = QString::fromUtf8(tip->text);
            f.amount = tip->amount;
        }
        table.append(f);
    }
    return table;
}

// Ordered by a number of the table (storedAt, the place in the expense sum), skipping the
// fields where it is absent.
QVector<const FieldInfo*> orderedBy(int (*key)(const FieldInfo&)) {
    QVector<const FieldInfo*> fields;
    for (const FieldInfo& f : FieldTable()) {
        if (key(f) >= 0)
            fields.append(&f);
    }
    std::stable_sort(fields.begin(), fields.end(),
                     [key](const FieldInfo* a, const FieldInfo* b) { return key(*a) < key(*b); });
    return fields;
}

} // namespace

const QVector<FieldInfo>& FieldTable() {
    static const QVector<FieldInfo> table = buildTable();
    return table;
}

const FieldInfo* FindField(const QString& name) {
    static const QHash<QString, const FieldInfo*> byName = [] {
        QHash<QString, const FieldInfo*> h;
        for (const FieldInfo& f : FieldTable())
            h.insert(f.name.toCaseFolded(), &f);
        return h;
    }();
    return byName.value(name.toCaseFolded(), nullptr);
}

QVector<const FieldInfo*> FieldsOf(FieldView view, const QString& group) {
    QVector<const FieldInfo*> fields;
    for (const FieldInfo& f : FieldTable()) {
        if (f.view == view && f.group == group)
            fields.append(&f);
    }
    return fields;
}

const QVector<FieldSpec>& StoredFields() {
    static const QVector<FieldSpec> fields = [] {
        QVector<FieldSpec> list;
        for (const FieldInfo* f : orderedBy([](const FieldInfo& f) { return f.storedAt; }))
            list.append({f->name, f->cells});
        return list;
    }();
    return fields;
}

const QVector<ControlRef>& StoredCells() {
    static const QVector<ControlRef> cells = [] {
        QVector<ControlRef> list;
        for (const FieldSpec& f : StoredFields()) {
            for (int i = f.cells == 0 ? 0 : 1; i <= f.cells; ++i)
                list.append({f.name, i, ControlKind::TextField});
        }
        return list;
    }();
    return cells;
}

const QVector<FieldDefault>& DesignDefaults() {
    static const QVector<FieldDefault> defaults = [] {
        QVector<FieldDefault> list;
        for (const FieldInfo& f : FieldTable()) {
            if (!f.defaultText.isEmpty())
                list.append({f.name, f.defaultText});
        }
        return list;
    }();
    return defaults;
}

const QStringList& ExpenseFields() {
    static const QStringList names = [] {
        QStringList list;
        const auto place = [](const FieldInfo& f) {
            return f.handler == FieldHandler::Expense ? f.handlerArg : -1;
        };
        for (const FieldInfo* f : orderedBy(place))
            list.append(f->name);
        return list;
    }();
    return names;
}

bool IsExpenseField(const QString& name) {
    const FieldInfo* f = FindField(name);
    return f && f->handler == FieldHandler::Expense;
}
