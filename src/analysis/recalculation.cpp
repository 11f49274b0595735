// The investment summary, the 5- and 20-year cash-flow outlook and the outlook chart.
//
// Every figure is written as display text at once and read back from that text by the
// statements that depend on it, so the shown rounding is what later figures are built on.
// Each statement is trapped on its own: a statement that fails is logged under its location
// number and skipped, its field keeps the text it had, and later statements read that text.
#include "analysis/analysis.h"

#include "base/errortrap.h"
#include "base/numerictext.h"
#include "model/fieldtable.h"

#include <QHash>
#include <QRgb>

namespace {

const QRgb kNegativeColour = qRgb(255, 0, 0);
const QRgb kPositiveColour = qRgb(0, 128, 0);

// Inputs.
const QString kPurchasePrice = QStringLiteral("txtPurchasePrice");
const QString kDownPayment = QStringLiteral("txtDownPayment");
const QString kClosingCosts = QStringLiteral("txtClosingCosts");
const QString kUnits = QStringLiteral("txtUnits");
const QString kSquareFootage = QStringLiteral("txtSquareFootage");
const QString kGrossMonthlyIncome = QStringLiteral("txtGrossMonthlyIncome");
const QString kOtherMonthlyIncome = QStringLiteral("txtOtherMonthlyIncome");
const QString kVacancyRate = QStringLiteral("txtExpectedVacancyRate");
const QString kRentIncrease = QStringLiteral("txtAnnualRateIncrease");
const QString kCostIncrease = QStringLiteral("txtOperatingCostIncrease");
const QString kStateTaxRate = QStringLiteral("txtStateTaxRate");
const QString kFederalTaxRate = QStringLiteral("txtFederalTaxRate");
const QString kPayments[4] = {
    QStringLiteral("txtMortgageMonthlyPayment1"), QStringLiteral("txtMortgageMonthlyPayment2"),
    QStringLiteral("txtMortgageMonthlyPayment3"), QStringLiteral("txtMortgageMonthlyPayment4")};

// Investment summary.
const QString kPropertyPrice = QStringLiteral("txtQISPropertyPrice");
const QString kQisDownPayment = QStringLiteral("txtQISDownPayment");
const QString kQisClosingCosts = QStringLiteral("txtQISClosingCosts");
const QString kAcquisitionCost = QStringLiteral("txtQISTotalAcquisitionCost");
const QString kCashInvested = QStringLiteral("txtQISTotalCashInvested");
const QString kCashInvestedPercentage = QStringLiteral("txtQISCashInvestedPercentage");
const QString kPercentageDown = QStringLiteral("txtQISPercentageDown");
const QString kNumberOfUnits = QStringLiteral("txtQISNumberOfUnits");
const QString kQisSquareFootage = QStringLiteral("txtQISSquareFootage");
const QString kCostPerUnit = QStringLiteral("txtQISCostPerUnit");
const QString kScheduledIncome = QStringLiteral("txtQISScheduledAnnualIncome");
const QString kAnnualVacancy = QStringLiteral("txtQISAnnualVacancy");
const QString kActualGrossIncome = QStringLiteral("txtQISActualAnnualGrossIncome");
const QString kCostPerSquareFoot = QStringLiteral("txtQISCostPerSquareFoot");
const QString kAnnualExpenses = QStringLiteral("txtQISAnnualExpenses");
const QString kAverageRentPerUnit = QStringLiteral("txtQISAverageRentPerUnit");
const QString kNetOperatingIncome = QStringLiteral("txtQISAnnualNetOperatingIncome");
const QString kCapitalizationRate = QStringLiteral("txtQISCapitalizationRate");
const QString kDebtService = QStringLiteral("txtQISAnnualDebtService");
const QString kNetCashflow = QStringLiteral("txtNetAnnualCashflowBeforeTaxes");
const QString kNetCashflowPerUnit = QStringLiteral("txtQISNetAnnualCashflowPerUnitBeforeTaxes");
const QString kMonthlyCashflowPerUnit =
    QStringLiteral("txtQISNetMonthlyCashflowPerUnitBeforeTaxes");

const QString kPeriodBox = QStringLiteral("cmbCFAYears");

// One outlook grid: seven rows of year cells.
struct Grid {
    QString gross;
    QString vacancy;
    QString expenses;
    QString mortgages;
    QString taxes;
    QString net;
    QString month;
    int years;
};

const Grid kGrid5{
    QStringLiteral("txt5CFTotalGrossIncome"),  QStringLiteral("txt5CFExpectedVacancy"),
    QStringLiteral("txt5CFOperatingExpenses"), QStringLiteral("txt5CFTotalMortgages"),
    QStringLiteral("txt5CFIncomeTaxes"),       QStringLiteral("txt5CFNetCashflow"),
    QStringLiteral("txt5CFMonthCashflow"),     5};
const Grid kGrid20{
    QStringLiteral("txt10CFTotalGrossIncome"),  QStringLiteral("txt10CFExpectedVacancy"),
    QStringLiteral("txt10CFOperatingExpenses"), QStringLiteral("txt10CFTotalMortgages"),
    QStringLiteral("txt10CFIncomeTaxes"),       QStringLiteral("txt10CFNetCashflow"),
    QStringLiteral("txt10CFMonthCashflow"),     20};

// Statement locations, logged with a failing statement. The outlook grids use the same
// offsets from their own base (5-year 400, 20-year 600).
enum Location {
    kLocPropertyPrice = 110,
    kLocDownPayment = 120,
    kLocClosingCosts = 130,
    kLocAcquisitionCost = 140,
    kLocCashInvested = 150,
    kLocCashInvestedPercentage = 160,
    kLocPercentageDown = 170,
    kLocNumberOfUnits = 180,
    kLocSquareFootage = 190,
    kLocCostPerUnit = 200,
    kLocScheduledIncome = 210,
    kLocAnnualVacancy = 220,
    kLocActualGrossIncome = 230,
    kLocCostPerSquareFoot = 240,
    kLocAnnualExpenses = 250,
    kLocAverageRentPerUnit = 260,
    kLocNetOperatingIncome = 270,
    kLocCapitalizationRate = 280,
    kLocDebtService = 290,
    kLocNetCashflow = 300,
    kLocNetCashflowPerUnit = 310,
    kLocMonthlyCashflowPerUnit = 320,

    kLocGrid5 = 400,
    kLocGrid20 = 600,
    kOffGrossFirst = 10,
    kOffGrossNext = 12,
    kOffGrossCopy = 14,
    kOffVacancy = 20,
    kOffVacancyCopy = 22,
    kOffExpensesFirst = 30,
    kOffExpensesNext = 32,
    kOffExpensesCopy = 34,
    kOffMortgagesFirst = 40,
    kOffMortgagesCopy = 42,
    kOffYearNetIncome = 50,
    kOffTax = 52,
    kOffTaxCopy = 54,
    kOffNet = 56,
    kOffNetCopy = 58,
    kOffMonth = 60,
    kOffMonthColour = 62,
    kOffNetColour = 64,
    kOffMonthFormat = 66,
    kOffNetFormat = 68,

    kLocOutlookYears = 810,
    kLocChartValue = 820,
    kLocChartData = 830,
};

// A field as calculations read it: cleaned, then converted.
double Num(const Form& form, const QString& name, int index = 0) {
    return FieldNumber(form.text(name, index));
}

// An input the outlook reads in many statements, converted once per run: its figure, or the
// error its text raises, raised again by every statement that uses it. A run writes no input,
// so each statement sees exactly what reading the field itself would have given.
class Input {
public:
    Input(const Form& form, const QString& name) {
        try {
            m_value = Num(form, name);
        } catch (const RuntimeError& e) {
            m_error = e.number();
            m_description = e.description();
        }
    }
    double operator()() const {
        if (m_error != 0)
            RaiseError(m_error, m_description);
        return m_value;
    }

private:
    double m_value = 0;
    int m_error = 0;
    QString m_description;
};

struct OutlookInputs {
    explicit OutlookInputs(const Form& form)
        : grossMonthly(form, kGrossMonthlyIncome), otherMonthly(form, kOtherMonthlyIncome),
          rentIncrease(form, kRentIncrease), vacancyRate(form, kVacancyRate),
          costIncrease(form, kCostIncrease), stateTaxRate(form, kStateTaxRate),
          federalTaxRate(form, kFederalTaxRate), payments{{form, kPayments[0]},
                                                          {form, kPayments[1]},
                                                          {form, kPayments[2]},
                                                          {form, kPayments[3]}} {}
    double paymentsPerMonth() const {
        return payments[0]() + payments[1]() + payments[2]() + payments[3]();
    }
    Input grossMonthly;
    Input otherMonthly;
    Input rentIncrease;
    Input vacancyRate;
    Input costIncrease;
    Input stateTaxRate;
    Input federalTaxRate;
    Input payments[4];
};

// Why a summary figure kept the text it had, for the window to grey it and say so: the input
// that stopped its statement, or a figure it was built on that had kept its own old text (what
// is built on an old figure is as old).
class SummaryRun {
public:
    explicit SummaryRun(Form& form) : m_form(form) {}

    // A field as the statements read it, noting why when it stops the statement or is old.
    double num(const QString& name) {
        const auto kept = m_kept.constFind(name);
        if (kept != m_kept.cend() && m_why.isEmpty())
            m_why = *kept;
        try {
            return Num(m_form, name);
        } catch (const RuntimeError&) {
            if (m_why.isEmpty())
                m_why = captionOf(name) + QStringLiteral(" is no number");
            throw;
        }
    }
    double divide(const QString& numerator, const QString& denominator) {
        const double top = num(numerator);
        const double bottom = num(denominator);
        if (bottom == 0 && m_why.isEmpty())
            m_why = captionOf(denominator) + QStringLiteral(" is 0");
        return Divide(top, bottom);
    }
    // The statement that writes the figure, trapped as every statement is.
    template <class Statement> void figure(int location, const QString& name, Statement&& run) {
        m_why.clear();
        if (!Trap(location, std::forward<Statement>(run)) && m_why.isEmpty())
            m_why = QStringLiteral("it could not be worked out");
        if (m_why.isEmpty())
            m_kept.remove(name);
        else
            m_kept.insert(name, m_why);
        m_form.setNotUpdated(name,
                             m_why.isEmpty() ? QString() : QStringLiteral("Not updated: ") + m_why);
    }

private:
    static QString captionOf(const QString& name) {
        if (name.startsWith(QLatin1String("txtMortgageMonthlyPayment")))
            return QStringLiteral("the Monthly Payment of Mortgage ") + name.right(1);
        const FieldInfo* field = FindField(name);
        return field ? field->caption.trimmed() : name;
    }

    Form& m_form;
    QHash<QString, QString> m_kept; // figure -> why it is old
    QString m_why;                  // of the statement running
};

void InvestmentSummary(Form& form) {
    SummaryRun run(form);
    const auto num = [&run](const QString& name) { return run.num(name); };
    run.figure(kLocPropertyPrice, kPropertyPrice,
               [&] { form.setText(kPropertyPrice, CurrencyText(num(kPurchasePrice), 0)); });
    run.figure(kLocDownPayment, kQisDownPayment,
               [&] { form.setText(kQisDownPayment, CurrencyText(num(kDownPayment), 0)); });
    run.figure(kLocClosingCosts, kQisClosingCosts,
               [&] { form.setText(kQisClosingCosts, CurrencyText(num(kClosingCosts), 0)); });
    run.figure(kLocAcquisitionCost, kAcquisitionCost, [&] {
        const double cost = num(kPurchasePrice) + num(kClosingCosts);
        form.setText(kAcquisitionCost, CurrencyText(cost, 0));
    });
    run.figure(kLocCashInvested, kCashInvested, [&] {
        const double cash = num(kClosingCosts) + num(kDownPayment);
        form.setText(kCashInvested, CurrencyText(cash, 0));
    });
    run.figure(kLocCashInvestedPercentage, kCashInvestedPercentage, [&] {
        const double share = run.divide(kCashInvested, kAcquisitionCost);
        form.setText(kCashInvestedPercentage, PercentText(share, 2));
    });
    // Measured against price plus closing costs, as the cash-invested share is.
    run.figure(kLocPercentageDown, kPercentageDown, [&] {
        const double share = run.divide(kDownPayment, kAcquisitionCost);
        form.setText(kPercentageDown, PercentText(share, 2));
    });
    // Copied as typed: "8,000" stays "8,000" here and is cleaned only where it divides.
    run.figure(kLocNumberOfUnits, kNumberOfUnits,
               [&] { form.setText(kNumberOfUnits, form.text(kUnits)); });
    run.figure(kLocSquareFootage, kQisSquareFootage,
               [&] { form.setText(kQisSquareFootage, form.text(kSquareFootage)); });
    run.figure(kLocCostPerUnit, kCostPerUnit, [&] {
        const double cost = run.divide(kPropertyPrice, kNumberOfUnits);
        form.setText(kCostPerUnit, CurrencyText(cost, 2));
    });
    run.figure(kLocScheduledIncome, kScheduledIncome, [&] {
        const double income = (num(kGrossMonthlyIncome) + num(kOtherMonthlyIncome)) * 12;
        form.setText(kScheduledIncome, CurrencyText(income, 0));
    });
    // The vacancy loss falls on the rent alone, not on the other income.
    run.figure(kLocAnnualVacancy, kAnnualVacancy, [&] {
        const double loss = num(kVacancyRate) * (num(kGrossMonthlyIncome) * -1 * 12) * 0.01;
        form.setText(kAnnualVacancy, CurrencyText(loss, 0));
    });
    run.figure(kLocActualGrossIncome, kActualGrossIncome, [&] {
        const double income = num(kAnnualVacancy) + num(kScheduledIncome);
        form.setText(kActualGrossIncome, CurrencyText(income, 0));
    });
    run.figure(kLocCostPerSquareFoot, kCostPerSquareFoot, [&] {
        const double cost = run.divide(kPropertyPrice, kQisSquareFootage);
        form.setText(kCostPerSquareFoot, CurrencyText(cost, 2));
    });
    run.figure(kLocAnnualExpenses, kAnnualExpenses, [&] {
        double total = 0;
        for (const QString& field : ExpenseFields())
            total += num(field);
        form.setText(kAnnualExpenses, CurrencyText(-total, 0));
    });
    run.figure(kLocAverageRentPerUnit, kAverageRentPerUnit, [&] {
        const double rent = run.divide(kGrossMonthlyIncome, kNumberOfUnits);
        form.setText(kAverageRentPerUnit, CurrencyText(rent, 2));
    });
    run.figure(kLocNetOperatingIncome, kNetOperatingIncome, [&] {
        const double income = num(kAnnualExpenses) + num(kActualGrossIncome);
        form.setText(kNetOperatingIncome, CurrencyText(income, 0));
    });
    run.figure(kLocCapitalizationRate, kCapitalizationRate, [&] {
        const double rate = run.divide(kNetOperatingIncome, kPropertyPrice);
        form.setText(kCapitalizationRate, PercentText(rate, 2));
    });
    run.figure(kLocDebtService, kDebtService, [&] {
        const double payments =
            num(kPayments[0]) + num(kPayments[1]) + num(kPayments[2]) + num(kPayments[3]);
        form.setText(kDebtService, CurrencyText(payments * -12, 0));
    });
    run.figure(kLocNetCashflow, kNetCashflow, [&] {
        const double cash = num(kDebtService) + num(kNetOperatingIncome);
        form.setText(kNetCashflow, CurrencyText(cash, 0));
    });
    run.figure(kLocNetCashflowPerUnit, kNetCashflowPerUnit, [&] {
        const double cash = run.divide(kNetCashflow, kNumberOfUnits);
        form.setText(kNetCashflowPerUnit, CurrencyText(cash, 0));
    });
    // From the per-unit figure already rounded to whole dollars.
    run.figure(kLocMonthlyCashflowPerUnit, kMonthlyCashflowPerUnit, [&] {
        form.setText(kMonthlyCashflowPerUnit, CurrencyText(num(kNetCashflowPerUnit) / 12, 2));
    });
}

// Gross income, vacancy and operating expenses for the years first..last of a grid; every
// year grows from the previous year's shown figure, only the rent part of the income grows.
void IncomeAndExpenses(Form& form, const OutlookInputs& in, const Grid& g, int base, int first) {
    for (int k = first; k <= g.years; ++k) {
        if (k == 1) {
            Trap(base + kOffGrossFirst, [&] {
                const double income = (in.grossMonthly() + in.otherMonthly()) * 12;
                form.setText(g.gross, CurrencyText(income, 0), k);
            });
        } else {
            Trap(base + kOffGrossNext, [&] {
                const double other = 12 * in.otherMonthly();
                const double increase = 1 + in.rentIncrease() * 0.01;
                const double income = other + increase * (Num(form, g.gross, k - 1) - other);
                form.setText(g.gross, CurrencyText(income, 0), k);
            });
        }
    }
    for (int k = first; k <= g.years; ++k) {
        Trap(base + kOffVacancy, [&] {
            const double loss =
                in.vacancyRate() * 0.01 * (in.otherMonthly() * 12 - Num(form, g.gross, k));
            form.setText(g.vacancy, CurrencyText(loss, 0), k);
        });
    }
    for (int k = first; k <= g.years; ++k) {
        if (k == 1) {
            // Already a negative currency text, so it is converted as it stands.
            Trap(base + kOffExpensesFirst,
                 [&] { form.setText(g.expenses, CurrencyText(form.text(kAnnualExpenses), 0), k); });
        } else {
            Trap(base + kOffExpensesNext, [&] {
                const double expenses =
                    (1 + in.costIncrease() * 0.01) * Num(form, g.expenses, k - 1);
                form.setText(g.expenses, CurrencyText(expenses, 0), k);
            });
        }
    }
}

// The payments count in every year of the outlook, also after a mortgage's term has ended.
void Mortgages(Form& form, const OutlookInputs& in, const Grid& g, int base) {
    Trap(base + kOffMortgagesFirst,
         [&] { form.setText(g.mortgages, CurrencyText(in.paymentsPerMonth() * 12, 0), 1); });
    for (int k = 2; k <= g.years; ++k)
        Trap(base + kOffMortgagesCopy,
             [&] { form.setText(g.mortgages, form.text(g.mortgages, 1), k); });
}

// Income tax and unrounded annual cash flow of the years first..last. yearNetIncome is the
// run's one working value: a year whose net income fails keeps the previous year's.
void TaxAndCashflow(Form& form, const OutlookInputs& in, const Grid& g, int base, int first,
                    double& yearNetIncome) {
    for (int k = first; k <= g.years; ++k) {
        Trap(base + kOffYearNetIncome, [&] {
            yearNetIncome =
                Num(form, g.gross, k) + Num(form, g.vacancy, k) + Num(form, g.expenses, k);
        });
        // A loss gives a negative tax, which raises that year's cash flow.
        Trap(base + kOffTax, [&] {
            const double rate = (in.stateTaxRate() + in.federalTaxRate()) * 0.01;
            form.setText(g.taxes, CurrencyText(rate * yearNetIncome, 0), k);
        });
        Trap(base + kOffNet, [&] {
            const double cash = yearNetIncome - Num(form, g.mortgages, k) - Num(form, g.taxes, k);
            form.setText(g.net, PlainText(cash), k);
        });
    }
}

// Red below zero, green otherwise. A text that does not convert counts as negative: the
// failed test falls through to the red branch.
void ColourBySign(Form& form, const QString& name, int index, int location) {
    bool negative = true;
    Trap(location, [&] { negative = ToNumber(form.text(name, index)) < 0; });
    form.setTextColor(name, index, negative ? kNegativeColour : kPositiveColour);
}

// Monthly cash flow from the annual text as it stands (rounded where it was copied, unrounded
// where it was just computed), the colours, then both rounded to whole dollars.
void FinishCashflows(Form& form, const Grid& g, int base) {
    for (int i = 1; i <= g.years; ++i) {
        Trap(base + kOffMonth,
             [&] { form.setText(g.month, PlainText(ToNumber(form.text(g.net, i)) / 12), i); });
        ColourBySign(form, g.month, i, base + kOffMonthColour);
        ColourBySign(form, g.net, i, base + kOffNetColour);
        Trap(base + kOffMonthFormat,
             [&] { form.setText(g.month, CurrencyText(form.text(g.month, i), 0), i); });
        Trap(base + kOffNetFormat,
             [&] { form.setText(g.net, CurrencyText(form.text(g.net, i), 0), i); });
    }
}

void CopyYears(Form& form, const QString& from, const QString& to, int years, int location) {
    for (int k = 1; k <= years; ++k)
        Trap(location, [&] { form.setText(to, form.text(from, k), k); });
}

void Outlook(Form& form) {
    const OutlookInputs in(form);
    double yearNetIncome = 0;

    IncomeAndExpenses(form, in, kGrid5, kLocGrid5, 1);
    Mortgages(form, in, kGrid5, kLocGrid5);
    TaxAndCashflow(form, in, kGrid5, kLocGrid5, 1, yearNetIncome);
    FinishCashflows(form, kGrid5, kLocGrid5);

    // The 20-year grid repeats the 5-year grid's first five years and carries on from them.
    CopyYears(form, kGrid5.gross, kGrid20.gross, 5, kLocGrid20 + kOffGrossCopy);
    CopyYears(form, kGrid5.vacancy, kGrid20.vacancy, 5, kLocGrid20 + kOffVacancyCopy);
    CopyYears(form, kGrid5.expenses, kGrid20.expenses, 5, kLocGrid20 + kOffExpensesCopy);
    IncomeAndExpenses(form, in, kGrid20, kLocGrid20, 6);
    Mortgages(form, in, kGrid20, kLocGrid20);
    CopyYears(form, kGrid5.taxes, kGrid20.taxes, 5, kLocGrid20 + kOffTaxCopy);
    CopyYears(form, kGrid5.net, kGrid20.net, 5, kLocGrid20 + kOffNetCopy);
    TaxAndCashflow(form, in, kGrid20, kLocGrid20, 6, yearNetIncome);
    FinishCashflows(form, kGrid20, kLocGrid20);
}

// The chart gets the selected period's years from the 20-year grid, whatever the period.
void Chart(Form& form) {
    int outlookYears = 0;
    Trap(kLocOutlookYears, [&] {
        const QVariant data = form.selectedItemData(kPeriodBox);
        // Nothing selected: the same error as reading the item data of list index -1.
        if (!data.isValid())
            RaiseError(381);
        bool ok = false;
        const int years = data.toInt(&ok);
        if (!ok)
            RaiseError(13);
        outlookYears = years;
    });
    if (outlookYears <= 0)
        return;

    QVector<double> values(outlookYears, 0.0);
    QStringList labels;
    labels.reserve(outlookYears);
    for (int i = 1; i <= outlookYears; ++i) {
        Trap(kLocChartValue, [&] {
            if (i > kGrid20.years)
                RaiseError(9);
            values[i - 1] = Num(form, kGrid20.net, i);
        });
        labels.append(QStringLiteral("Year ") + QString::number(i));
    }
    Trap(kLocChartData, [&] { form.setChartData(values, labels); });
    form.processPendingEvents();
}

} // namespace

void RecalculateInvestmentSummary(Form& form) {
    InvestmentSummary(form);
}

void RecalculateAnalysis(Form& form) {
    // A window shows each figure once, in its final form, when the run is over.
    FormUpdate update(form);
    InvestmentSummary(form);
    Outlook(form);
    Chart(form);
}
