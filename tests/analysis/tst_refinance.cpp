// The repair and the refinance in the returns, checked against figures worked separately: the
// payment as PMT rounded to cents, balances from the closed form L(1+i)^k − p((1+i)^k − 1)/i,
// a year's interest as what was paid less what the balance fell, and the rate of return by
// bisection on the net present value.
#include "analysis/refinance.h"
#include "model/memoryform.h"

#include <QtTest>

#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Bought at 100,000 with 90,000 borrowed at 11 %, four months of repair for 30,000 at 800 a
// month, worth 180,000 repaired; refinanced after month 7 at 75 % of that, 7 % over 360 months,
// for 3,500 in costs. Payments 857.09 and 898.16.
ReturnsInputs Classic() {
    ReturnsInputs in;
    in.grossMonthlyIncome = 2000;
    in.vacancyRate = 0.05;
    in.rentIncrease = 0.02;
    in.costIncrease = 0.02;
    in.operatingExpenses = 6000;
    in.stateTaxRate = 0.05;
    in.federalTaxRate = 0.22;
    in.capitalGainsRate = 0.15;
    in.purchasePrice = 100000;
    in.closingCosts = 3000;
    in.downPayment = 10000;
    in.appreciation = 0.03;
    in.improvementsShare = 0.8;
    in.mortgages[0] = {90000, 0.11, 360};
    in.rehabCost = 30000;
    in.rehabMonths = 4;
    in.holdingCosts = 800;
    in.afterRepairValue = 180000;
    in.refinanceMonth = 7;
    in.refinanceRate = 0.07;
    in.refinanceCosts = 3500;
    return in;
}

// The figures compared, in the order of the expected values.
QVector<double> Figures(const ReturnsResult& r) {
    const ReturnsRefinance& f = r.refinance;
    // clang-format off
    return {f.loan, f.loanPayoff, f.cashOut, f.cashLeft, f.recovered, f.allInCost, f.cashInvested,
            f.equityCreated, f.monthlyCashFlow, f.cashOnCash, r.sale.loanPayoff,
            r.sale.proceedsAfterTax, r.irrBeforeTax, r.irrAfterTax, r.equityMultiple,
            r.yearOne.cashOnCash};
    // clang-format on
}

bool Same(double actual, double expected) {
    if (std::isnan(expected) || std::isinf(expected))
        return std::isnan(expected) ? std::isnan(actual) : actual == expected;
    return std::fabs(actual - expected) < 1e-4;
}

#define MONEY(actual, expected)                                                                    \
    QVERIFY2(Same(actual, expected), qPrintable(QStringLiteral("%1 = %2, expected %3")             \
                                                    .arg(QLatin1String(#actual))                   \
                                                    .arg(actual, 0, 'f', 6)                        \
                                                    .arg(expected, 0, 'f', 6)))

} // namespace

Q_DECLARE_METATYPE(ReturnsInputs)

class RefinanceTest : public QObject {
    Q_OBJECT
private slots:
    void workedCases_data() {
        QTest::addColumn<ReturnsInputs>("in");
        QTest::addColumn<QVector<double>>("expected");
        // refinance loan, loans paid off, cash out, cash left, recovered, all-in cost, cash
        // invested, equity created, monthly cash flow after, its cash-on-cash; the sale's loan
        // payoff, proceeds after tax, IRR before and after tax, equity multiple, year-one
        // cash-on-cash.
        const ReturnsInputs classic = Classic();
        ReturnsInputs in;
        // clang-format off
        in = classic;
        QTest::newRow("classic") << in << QVector<double>{135000, 89769.097429, 41730.902571,
            4469.097429, 0.9032662894, 136200, 46200, 43800, 529.84, 1.4226765249, 117367.462057,
            86191.864347, 0.4105831332, 0.3849861681, 4.2544328715, -0.0579169767};
        in = classic;
        in.afterRepairValue = 220000;
        QTest::newRow("more out than put in") << in << QVector<double>{165000, 89769.097429,
            71730.902571, -25530.902571, 1.5526169388, 136200, 46200, 83800, 330.25, kInf,
            143449.297336, 103061.596552, 0.7447755966, 0.7569683413, 4.9369363280, -0.0811251163};
        in = classic;
        in.rehabMonths = 12;
        in.refinanceMonth = 12;
        QTest::newRow("a year of repair, refinanced in month 12") << in << QVector<double>{135000,
            89594.899914, 41905.100086, 10694.899914, 0.7966749066, 142600, 52600, 37400, 529.84,
            0.5944964470, 118416.613079, 85142.713326, 0.2897658386, 0.2878487770, 3.9442744864,
            -0.4624437209};
        in = classic;
        in.rehabMonths = 18;
        in.refinanceMonth = 0;
        QTest::newRow("repair over two years, no refinance") << in << QVector<double>{kNaN, kNaN,
            kNaN, kNaN, kNaN, 147400, 57400, 32600, kNaN, kNaN, 83036.529735, 120522.796669,
            0.1461114370, 0.1377744328, 3.7038339417, -0.4624437209};
        in = classic;
        in.holdingPeriod = 5;
        in.refinanceMonth = 72;
        // The sale and the rates as without a refinance.
        QTest::newRow("refinanced after the holding period") << in << QVector<double>{135000,
            86747.880912, 44752.119088, 1447.880912, 0.9686605863, 136200, 46200, 43800,
            678.467387, 5.6231203656, 87448.264823, 94392.168907, 0.2772458086, 0.2441491026,
            2.7624251083, -0.0531413953};
        in = classic;
        in.downPayment = 100000;
        in.mortgages[0] = {};
        in.refinanceMonth = 24;
        QTest::newRow("bought for cash, refinanced later") << in << QVector<double>{135000, 0,
            131500, 4700, 0.9654919236, 136200, 136200, 43800, 558.4, 1.4257021277, 120813.518464,
            82745.807940, 0.2381679705, 0.2092313091, 2.1487393152, 0.0601503759};
        in = classic;
        in.refinanceMonth = 120;
        QTest::newRow("refinanced in the sale's last month") << in << QVector<double>{135000,
            83036.529735, 48463.470265, -2263.470265, 1.0489928629, 136200, 46200, 43800,
            808.432188, kInf, 135000, 68559.326405, 0.2150305268, 0.1903903615, 4.1481744068,
            -0.0531413953};
        in = classic;
        in.downPayment = 5000;
        in.mortgages[0] = {80000, 0.11, 360};
        in.mortgages[1] = {15000, 0.06, 60};
        in.refinanceMonth = 9;
        QTest::newRow("two loans refinanced") << in << QVector<double>{135000, 92759.578973,
            38740.421027, 2459.578973, 0.9403014812, 136200, 41200, 43800, 529.84, 2.5850277912,
            117790.787313, 85768.539091, 0.4335801322, 0.4077929460, 4.6810243029, -0.1095034211};
        in = classic;
        in.holdingPeriod = 20;
        in.refinanceMonth = 235;
        QTest::newRow("no year after the twentieth") << in << QVector<double>{135000, 63616.701973,
            67883.298027, -21683.298027, 1.4693354551, 136200, 46200, 43800, kNaN, kNaN,
            134440.207068, 125919.256156, 0.1866310265, 0.1667471745, 8.1085553546, -0.0531413953};
        // clang-format on
    }
    void workedCases() {
        QFETCH(ReturnsInputs, in);
        QFETCH(QVector<double>, expected);
        const QVector<double> actual = Figures(ComputeReturns(in));
        for (int i = 0; i < expected.size(); ++i)
            QVERIFY2(Same(actual[i], expected[i]),
                     qPrintable(QStringLiteral("figure %1 is %2, expected %3")
                                    .arg(i)
                                    .arg(actual[i], 0, 'f', 8)
                                    .arg(expected[i], 0, 'f', 8)));
    }

    // The repair months bring no rent and cost the holding costs; the old loan is paid until
    // month 7 and the new one from month 8, its cash out in year 1 beside the cash flows.
    void yearsAroundTheRepairAndTheRefinance() {
        ReturnsResult r = ComputeReturns(Classic());
        const ReturnsYear& y1 = r.years[0];
        MONEY(y1.grossScheduledIncome, 16000.0); // 8 months let
        MONEY(y1.operatingExpenses, 7200.0);     // 8/12 of 6,000 + 4 × 800
        MONEY(y1.debtService, 10490.43);         // 7 × 857.09 + 5 × 898.16
        MONEY(y1.interest, 9699.734498);
        MONEY(y1.depreciation, 3869.090909); // (100,000 + 3,000 + 30,000) × 0.8 / 27.5
        MONEY(y1.loanBalance, 134440.207068);
        MONEY(y1.cashFlowAfterTax, -986.847140);
        MONEY(y1.refinanceCashOut, 41730.902571);
        MONEY(r.years[1].debtService, 10777.92);

        // Repair into the second year: a year without rent, then half a year.
        ReturnsInputs in = Classic();
        in.rehabMonths = 18;
        in.refinanceMonth = 0;
        r = ComputeReturns(in);
        MONEY(r.years[0].grossScheduledIncome, 0.0);
        MONEY(r.years[0].operatingExpenses, 9600.0);
        MONEY(r.years[1].grossScheduledIncome, 12240.0);
        MONEY(r.years[1].vacancy, 612.0);
        MONEY(r.years[1].operatingExpenses, 7860.0);
        MONEY(r.years[1].loanBalance, 89142.922118);
        QCOMPARE(ReturnsMoneyText(r.refinance.cashOut), QStringLiteral("n/a"));

        // Refinanced at the sale without a rate: no payment of the new loan falls in the
        // holding period, so the sale pays off its whole principal.
        in = Classic();
        in.holdingPeriod = 1;
        in.refinanceMonth = 12;
        in.refinanceRate = kNaN;
        r = ComputeReturns(in);
        MONEY(r.years[0].debtService, 10285.08); // 12 × 857.09
        MONEY(r.years[0].loanBalance, 135000.0);
        MONEY(r.sale.loanPayoff, 135000.0);
    }

    // Blank fields read as no repair and no refinance; a refinance month needs a rate; numbers
    // out of their ranges are no input at all.
    void readingTheFields() {
        MemoryForm form;
        form.setText(QStringLiteral("txtPurchasePrice"), QStringLiteral("100000"));
        ReturnsReading read = ReadReturnsInputs(form);
        QVERIFY(read.unusableFields.isEmpty());
        QVERIFY(!HasRehabOrRefinance(read.inputs));
        QCOMPARE(read.inputs.refinanceLtv, 0.75);
        QCOMPARE(read.inputs.refinanceTermMonths, 360.0);

        form.setText(kRefinanceMonthField, QStringLiteral("7"));
        read = ReadReturnsInputs(form);
        QCOMPARE(read.unusableFields, QStringList{kRefinanceRateField});
        const ReturnsResult r = ComputeReturns(read.inputs);
        QCOMPARE(ReturnsMoneyText(r.refinance.cashOut), QStringLiteral("$75,000"));
        QCOMPARE(ReturnsMoneyText(r.years[0].debtService), QStringLiteral("n/a"));
        QVERIFY(std::isnan(r.irrBeforeTax));

        form.setText(kRefinanceRateField, QStringLiteral("6.5%"));
        form.setText(kRehabCostField, QStringLiteral("$25,000"));
        read = ReadReturnsInputs(form);
        QVERIFY(read.unusableFields.isEmpty());
        QCOMPARE(read.inputs.refinanceRate, 0.065);
        QCOMPARE(read.inputs.rehabCost, 25000.0);

        const std::pair<const QString*, const char*> bad[] = {
            {&kRehabMonthsField, "25"},   {&kRehabMonthsField, "2.5"},
            {&kRefinanceMonthField, "0"}, {&kRefinanceMonthField, "241"},
            {&kRefinanceLtvField, "101"}, {&kRefinanceTermField, "0"},
            {&kHoldingCostsField, "-1"},  {&kAfterRepairValueField, "x"},
        };
        for (const auto& [field, text] : bad) {
            MemoryForm typed;
            typed.setText(kRefinanceRateField, QStringLiteral("6"));
            typed.setText(*field, QString::fromLatin1(text));
            QVERIFY2(ReadReturnsInputs(typed).unusableFields.contains(*field), text);
        }
        // A refinance month that is no month: no debt figure and no rate of return.
        form.setText(kRefinanceMonthField, QStringLiteral("seven"));
        const ReturnsResult unknown = ComputeReturns(ReadReturnsInputs(form).inputs);
        QVERIFY(unknown.refinance.given);
        QVERIFY(std::isnan(unknown.years[0].refinanceCashOut));
        QVERIFY(std::isnan(unknown.years[0].debtService));
        QVERIFY(std::isnan(unknown.irrAfterTax));
    }

    void arithmeticText() {
        ReturnsInputs in = Classic();
        ReturnsResult r = ComputeReturns(in);
        QCOMPARE(ExplainReturnsField(QStringLiteral("txtBrrrrCashOut"), in, r),
                 QStringLiteral("Refinance Cash Out = Refinance Loan − Loans Paid Off − Refinance "
                                "Closing Costs = $135,000 − $89,769 − $3,500 = $41,731"));
        QCOMPARE(ExplainReturnsField(QStringLiteral("txtBrrrrAllInCost"), in, r),
                 QStringLiteral("All-In Cost = Purchase Price + Closing Costs + Rehab Budget + "
                                "Rehab Months × Holding Costs per Month = $100,000 + $3,000 + "
                                "$30,000 + 4 × $800 = $136,200"));
        // The cash out comes with year 1's flow; the cash invested includes the repairs.
        const QString irr = ExplainReturnsFigure(ReturnsFigure::IrrBeforeTax, in, r);
        QVERIFY2(irr.contains(QStringLiteral("−$43,000 + (($2,490) + $41,731) ÷ (1 + r) + ")),
                 qPrintable(irr));
        QVERIFY(irr.endsWith(QStringLiteral("= $10,000 + $3,000 + $30,000 = $43,000")));
        in.afterRepairValue = 220000;
        r = ComputeReturns(in);
        QCOMPARE(ReturnsCashOnCashText(r.refinance.cashOnCash), QStringLiteral("Infinite"));
        QVERIFY(ExplainReturnsField(QStringLiteral("txtBrrrrCashOnCash"), in, r)
                    .endsWith(QStringLiteral("= Infinite: no cash is left in the deal and year 2 "
                                             "brings cash in")));
        in.refinanceMonth = 0;
        r = ComputeReturns(in);
        QVERIFY(ExplainReturnsField(QStringLiteral("txtBrrrrRefinanceLoan"), in, r)
                    .endsWith(QStringLiteral("n/a until a refinance month is given")));
    }
};

QTEST_GUILESS_MAIN(RefinanceTest)
#include "tst_refinance.moc"
