// The returns over a holding period, checked against figures worked separately: a spreadsheet-
// style PMT rounded to cents, balances from the closed form L(1+i)^k − p((1+i)^k − 1)/i, the
// year's interest as what was paid minus what the balance fell, and the IRR by Newton's method.
#include "analysis/returns.h"
#include "model/memoryform.h"

#include <QtTest>

#include <cmath>

namespace {

ReturnsMortgage Loan(double principal, double rate, double months) {
    return {principal, rate, months};
}

// A fourplex financed by four loans of 360, 180, 120 and 60 months; held 10 years.
// Payments 1643.38, 382.26, 190.01, 99.01.
ReturnsInputs Fourplex() {
    ReturnsInputs in;
    in.grossMonthlyIncome = 4800;
    in.otherMonthlyIncome = 150;
    in.vacancyRate = 0.05;
    in.rentIncrease = 0.03;
    in.costIncrease = 0.025;
    in.operatingExpenses = 19000;
    in.stateTaxRate = 0.05;
    in.federalTaxRate = 0.24;
    in.capitalGainsRate = 0.15;
    in.purchasePrice = 400000;
    in.closingCosts = 8000;
    in.downPayment = 80000;
    in.currentMarketValue = 410000;
    in.appreciation = 0.03;
    in.improvementsShare = 0.8;
    in.mortgages = {Loan(260000, 0.065, 360), Loan(40000, 0.08, 180), Loan(15000, 0.09, 120),
                    Loan(5000, 0.07, 60)};
    return in;
}

#define NEAR(actual, expected, tolerance)                                                          \
    QVERIFY2(std::fabs((actual) - (expected)) < (tolerance),                                       \
             qPrintable(QStringLiteral("%1 = %2, expected %3")                                     \
                            .arg(QLatin1String(#actual))                                           \
                            .arg(actual, 0, 'f', 8)                                                \
                            .arg(expected, 0, 'f', 8)))
#define MONEY(actual, expected) NEAR(actual, expected, 1e-4)
#define RATE(actual, expected) NEAR(actual, expected, 1e-8)

// The form as it will be once the holding-period fields are on the window.
class FormWithHolding : public MemoryForm {
public:
    QString text(const QString& name, int index = 0) const override {
        return extra.contains(name) ? extra.value(name) : MemoryForm::text(name, index);
    }
    QHash<QString, QString> extra;
};

} // namespace

class ReturnsTest : public QObject {
    Q_OBJECT
private slots:
    void fourMortgagesOfDifferentTerms() {
        const ReturnsResult r = ComputeReturns(Fourplex());
        QCOMPARE(r.years.size(), 10);
        const ReturnsYear& y1 = r.years[0];
        MONEY(y1.netOperatingIncome, 37520.0); // 59400 − 2880 − 19000
        MONEY(y1.debtService, 27775.92);       // 12 × (1643.38 + 382.26 + 190.01 + 99.01)
        MONEY(y1.interest, 21595.664039);
        MONEY(y1.depreciation, 11869.090909); // 408000 × 0.8 / 27.5
        MONEY(y1.loanBalance, 313819.744039);
        // The 60-month loan ends in year 5 with a final payment a few cents short of the rest.
        MONEY(r.years[4].debtService, 27775.633106);
        MONEY(r.years[5].debtService, 26587.80);
        MONEY(r.years[9].interest, 16257.336117);
        MONEY(r.years[9].cashFlowAfterTax, 16690.997909);
        QCOMPARE(r.payoffYear, (std::array<int, 4>{0, 0, 10, 5}));
        MONEY(r.sale.price, 551005.715531); // 410000 × 1.03^10
        MONEY(r.sale.loanPayoff, 239270.057913);
        MONEY(r.sale.recaptureTax, 29672.727273); // 25 % of the 118690.91 taken
        MONEY(r.sale.capitalGainsTax, 16491.805890);
        MONEY(r.sale.proceedsAfterTax, 232510.781523);
        RATE(r.irrBeforeTax, 0.228242141179);
        RATE(r.irrAfterTax, 0.192825509093);
        RATE(r.equityMultiple, 4.063179597212);
        RATE(r.yearOne.cashOnCash, 0.110728181818);
        RATE(r.yearOne.debtServiceCoverage, 1.350810342196);
        RATE(r.yearOne.breakEvenOccupancy, 0.787473400673);
        RATE(r.yearOne.expenseRatio, 0.336164189667);
        RATE(r.yearOne.loanToValue, 0.8);
        RATE(r.yearOne.rentToPrice, 0.012375);
    }

    void paidOffInsideTheHoldingPeriod() {
        // A duplex on one 84-month loan; no market value, so the price appreciates.
        ReturnsInputs in;
        in.grossMonthlyIncome = 1650;
        in.vacancyRate = 0.04;
        in.rentIncrease = 0.02;
        in.costIncrease = 0.03;
        in.operatingExpenses = 6200;
        in.stateTaxRate = 0.04;
        in.federalTaxRate = 0.22;
        in.capitalGainsRate = 0.15;
        in.purchasePrice = 180000;
        in.closingCosts = 5400;
        in.downPayment = 36000;
        in.appreciation = 0.025;
        in.improvementsShare = 0.75;
        in.mortgages[0] = Loan(144000, 0.065, 84); // payment 2138.32
        const ReturnsResult r = ComputeReturns(in);
        QCOMPARE(r.payoffYear[0], 7);
        MONEY(r.years[6].debtService, 25659.718291);
        MONEY(r.years[6].loanBalance, 0.0);
        MONEY(r.years[7].debtService, 0.0);
        MONEY(r.years[0].incomeTax, -289.611057); // a small loss in year 1
        MONEY(r.sale.price, 230415.217955);
        MONEY(r.sale.proceedsAfterTax, 199270.850055);
        RATE(r.irrBeforeTax, 0.100613615671);
        RATE(r.irrAfterTax, 0.081297889049);
        RATE(r.yearOne.cashOnCash, -0.310430917874);
    }

    void lossYears() {
        // 90 % financed: interest and depreciation exceed the income every year.
        ReturnsInputs in;
        in.grossMonthlyIncome = 2300;
        in.vacancyRate = 0.08;
        in.rentIncrease = 0.04;
        in.costIncrease = 0.02;
        in.operatingExpenses = 9500;
        in.stateTaxRate = 0.06;
        in.federalTaxRate = 0.32;
        in.capitalGainsRate = 0.20;
        in.purchasePrice = 300000;
        in.closingCosts = 9000;
        in.downPayment = 30000;
        in.appreciation = 0.04;
        in.improvementsShare = 0.85;
        in.mortgages[0] = Loan(270000, 0.075, 360);
        const ReturnsResult r = ComputeReturns(in);
        MONEY(r.years[0].taxableIncome, -13824.505866);
        MONEY(r.years[0].incomeTax, -5253.312229);
        MONEY(r.years[0].cashFlowAfterTax, -1509.247771); // the loss lowers other tax
        MONEY(r.sale.taxOnSale, 45563.050397);
        RATE(r.irrBeforeTax, 0.120741967825);
        RATE(r.irrAfterTax, 0.136762885811);
        RATE(r.equityMultiple, 3.700642853269);
    }

    void zeroRateLoan() {
        // 10000 over 36 months at 0 %: 277.78 a month, the 36th takes the 277.70 left.
        ReturnsInputs in;
        in.grossMonthlyIncome = 3000;
        in.purchasePrice = 100000;
        in.downPayment = 90000;
        in.holdingPeriod = 3;
        in.mortgages[0] = Loan(10000, 0, 36);
        const ReturnsResult r = ComputeReturns(in);
        MONEY(r.years[0].principal, 3333.36);
        MONEY(r.years[1].loanBalance, 3333.28);
        MONEY(r.years[2].principal, 3333.28);
        QCOMPARE(r.payoffYear[0], 3);
    }

    void noDebtHeldOneYear() {
        // Bought for cash at 200000 and sold a year later at 5 % more. By hand: NOI 24000 −
        // 6000 = 18000; depreciation 160000 / 27.5 = 5818.18; tax 30 % of 12181.82 = 3654.55;
        // sale 210000 − 12600 selling costs = 197400; gain 197400 − 194181.82 = 3218.18, all
        // recapture: 804.55. IRR before tax 215400 / 200000 − 1, after tax
        // (14345.45 + 196595.45) / 200000 − 1.
        ReturnsInputs in;
        in.grossMonthlyIncome = 2000;
        in.operatingExpenses = 6000;
        in.stateTaxRate = 0.05;
        in.federalTaxRate = 0.25;
        in.capitalGainsRate = 0.15;
        in.purchasePrice = 200000;
        in.downPayment = 200000;
        in.appreciation = 0.05;
        in.improvementsShare = 0.8;
        in.holdingPeriod = 1;
        const ReturnsResult r = ComputeReturns(in);
        QCOMPARE(r.years.size(), 1);
        MONEY(r.sale.recaptureTax, 804.545455);
        RATE(r.irrBeforeTax, 0.077);
        RATE(r.irrAfterTax, 0.054704545455);
        QVERIFY(std::isnan(r.yearOne.debtServiceCoverage));
        QCOMPARE(ReturnsRatioText(r.yearOne.debtServiceCoverage), QStringLiteral("n/a"));
        QCOMPARE(r.yearOne.loanToValue, 0.0);
        QVERIFY(ExplainReturnsFigure(ReturnsFigure::IrrAfterTax, in, r)
                    .endsWith(QStringLiteral("gives r = 5.47%")));
    }

    void heldTwentyYears() {
        ReturnsInputs in = Fourplex();
        in.holdingPeriod = 20;
        const ReturnsResult r = ComputeReturns(in);
        QCOMPARE(r.years.size(), 20);
        QCOMPARE(r.payoffYear, (std::array<int, 4>{0, 15, 10, 5}));
        MONEY(r.years[15].debtService, 19720.56); // only the 30-year loan is left
        MONEY(r.years[19].equity, 595777.410976);
        MONEY(r.sale.proceedsAfterTax, 448790.329581);
        RATE(r.irrAfterTax, 0.180153654317);
    }

    void negativeEquity() {
        // Bought at 200000 with 190000 borrowed, worth 150000 and falling 5 % a year: the sale
        // does not pay the loan off, every flow after the first is a loss and no rate of return
        // exists.
        ReturnsInputs in;
        in.grossMonthlyIncome = 1500;
        in.operatingExpenses = 4000;
        in.purchasePrice = 200000;
        in.closingCosts = 6000;
        in.downPayment = 16000;
        in.currentMarketValue = 150000;
        in.appreciation = -0.05;
        in.holdingPeriod = 2;
        in.mortgages[0] = Loan(190000, 0.06, 360);
        const ReturnsResult r = ComputeReturns(in);
        MONEY(r.years[0].equity, -45166.728377);
        MONEY(r.sale.proceedsBeforeTax, -57937.045666);
        QCOMPARE(r.sale.capitalGainsTax, 0.0);
        QVERIFY(std::isnan(r.irrBeforeTax));
    }

    // A depreciation period that ends inside the holding period: full shares for five years,
    // half a share in the sixth, nothing after, and the whole basis taken in all.
    void depreciationStopsAtTheBasis() {
        ReturnsInputs in = Fourplex();
        in.depreciationYears = 5.5;
        const ReturnsResult r = ComputeReturns(in);
        const double basis = 408000 * 0.8; // (price + closing costs) × improvements share
        for (int y = 0; y < 5; ++y)
            MONEY(r.years[y].depreciation, 59345.454545);
        MONEY(r.years[5].depreciation, 29672.727273);
        for (int y = 6; y < 10; ++y)
            MONEY(r.years[y].depreciation, 0.0);
        MONEY(r.sale.accumulatedDepreciation, basis);
    }

    void severalRatesOfReturn() {
        // −100 + 230/(1 + r) − 132/(1 + r)^2 = 0 at r = 10 % and at r = 20 %: both ends of the
        // range are below zero, and the rate nearest zero is the answer.
        RATE(InternalRateOfReturn(100, {230, -132}), 0.10);
        QVERIFY(std::isnan(InternalRateOfReturn(100, {-50, -40})));
        // Flows whose sign changes twice or three times without any rate in the range
        // bringing them to zero: scanned, and still n/a rather than an end of the range.
        QVERIFY(std::isnan(InternalRateOfReturn(100, {-10, 50, -100})));
        QVERIFY(std::isnan(InternalRateOfReturn(100, {5, -40, 20, -90})));
        QVERIFY(std::isnan(InternalRateOfReturn(0, {50, 40})));
    }

    void readingTheFields() {
        FormWithHolding form;
        for (const auto& [name, text] : {std::pair{"txtPurchasePrice", "$400,000"},
                                         {"txtGrossMonthlyIncome", "4,800"},
                                         {"txtInsurance", "1,200"},
                                         {"txtPropertyTaxes", "3000.50"},
                                         {"txtMortgagePrincipal1", "300000"},
                                         {"txtAnnualInterestRate1", "6.5%"},
                                         {"txtAmortizationTerm1", "360"}})
            form.setText(QString::fromLatin1(name), QString::fromLatin1(text));
        // Fields the window does not have yet read as blank: their defaults.
        ReturnsReading read = ReadReturnsInputs(form);
        QVERIFY(read.unusableFields.isEmpty());
        QCOMPARE(read.inputs.holdingPeriod, 10);
        QCOMPARE(read.inputs.sellingCostRate, 0.06);
        QCOMPARE(read.inputs.depreciationYears, 27.5);
        QCOMPARE(read.inputs.recaptureRate, 0.25);
        QCOMPARE(read.inputs.operatingExpenses, 4200.5);
        QCOMPARE(read.inputs.mortgages[0].annualRate, 0.065);

        // An appreciation that does not convert: value, equity and sale are n/a, the income
        // side is not.
        form.setText(QStringLiteral("txtAppreciation"), QStringLiteral("3.5.1"));
        form.extra.insert(kHoldingPeriodField, QStringLiteral("5"));
        read = ReadReturnsInputs(form);
        QCOMPARE(read.unusableFields, QStringList{QStringLiteral("txtAppreciation")});
        ReturnsResult r = ComputeReturns(read.inputs);
        QCOMPARE(r.years.size(), 5);
        QCOMPARE(ReturnsMoneyText(r.years[0].netOperatingIncome), QStringLiteral("$53,400"));
        QCOMPARE(ReturnsMoneyText(r.years[0].equity), QStringLiteral("n/a"));
        QCOMPARE(ReturnsMoneyText(r.sale.proceedsAfterTax), QStringLiteral("n/a"));
        QVERIFY(std::isnan(r.irrBeforeTax));

        // A holding period outside 1..20 or not whole: no years and no sale, the ratios stay.
        for (const char* bad : {"21", "0", "2.5"}) {
            form.extra.insert(kHoldingPeriodField, QString::fromLatin1(bad));
            read = ReadReturnsInputs(form);
            QVERIFY(read.unusableFields.contains(kHoldingPeriodField));
            r = ComputeReturns(read.inputs);
            QVERIFY(r.years.isEmpty());
            QVERIFY(std::isnan(r.sale.price));
            RATE(r.yearOne.loanToValue, 0.75);
        }
    }

    void displayTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("money") << ReturnsMoneyText(1234.5) << "$1,235";
        QTest::newRow("negative money") << ReturnsMoneyText(-4032.2) << "($4,032)";
        QTest::newRow("percent") << ReturnsPercentText(0.09547) << "9.55%";
        QTest::newRow("negative percent") << ReturnsPercentText(-0.05) << "-5.00%";
        QTest::newRow("ratio") << ReturnsRatioText(1.4449) << "1.44";
        QTest::newRow("ratio infinite") << ReturnsRatioText(HUGE_VAL) << "n/a";
        QTest::newRow("multiple") << ReturnsMultipleText(2.3456) << "2.35x";
    }
    void displayTexts() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }

    void arithmeticText() {
        const ReturnsInputs in = Fourplex();
        const ReturnsResult r = ComputeReturns(in);
        QCOMPARE(ExplainReturnsField(QStringLiteral("txtRetGRM"), in, r),
                 QStringLiteral("Gross Rent Multiplier = Property Price ÷ Year-One Gross "
                                "Scheduled Income = $400,000 ÷ $59,400 = 6.73"));
        QCOMPARE(ExplainReturnsFigure(ReturnsFigure::SaleProceedsBeforeTax, in, r),
                 QStringLiteral("Sale Proceeds Before Tax = Sale Price − Selling Costs − Loan "
                                "Payoff = $551,006 − $33,060 − $239,270 = $278,675"));
        QVERIFY(ExplainReturnsField(QStringLiteral("txtUnits"), in, r).isEmpty());
    }
};

QTEST_GUILESS_MAIN(ReturnsTest)
#include "tst_returns.moc"
