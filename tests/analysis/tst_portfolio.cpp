// A property's portfolio figures from its stored texts. The returns figures are the ones
// tst_returns checks against figures worked separately, here reached through stored display
// texts; the summary figures are worked by hand in the comments.
#include "analysis/portfolio.h"

#include <QtTest>

namespace {

using F = PortfolioFigure;

// The fourplex of tst_returns as a save writes it, with stale computed keys that must not count.
StoredProperty Fourplex() {
    return {{"txtQISCapitalizationRate", "55.00%"}, // stale: never read
            {"txtPropertyInformation", "Maple Fourplex"},
            {"txtUnits", "4"},
            {"txtDepreciateAsImprovements", "80"},
            {"txtClosingCosts", "$8,000"},
            {"txtPurchasePrice", "$400,000"},
            {"txtAppreciation", "3"},
            {"txtDownPayment", "$80,000"},
            {"txtCurrentMarketValue", "$410,000"},
            {"txtGrossMonthlyIncome", "$4,800"},
            {"txtExpectedVacancyRate", "5"},
            {"txtOtherMonthlyIncome", "$150"},
            {"txtAnnualRateIncrease", "3"},
            {"txtRepairAndMaintenance", "$6,000"},
            {"txtInsurance", "$4,000"},
            {"txtPropertyTaxes", "$9,000"},
            {"txtOperatingCostIncrease", "2.5"},
            {"txtStateTaxRate", "5"},
            {"txtLongTermCapitolGainsRate", "15"},
            {"txtFederalTaxRate", "24"},
            {"txtAnnualInterestRate1", "6.5"},
            {"txtAmortizationTerm1", "360"},
            {"txtMortgagePrincipal1", "$260,000"},
            {"txtMortgageMonthlyPayment1", "$9,999.99"}, // stale: recomputed from the inputs
            {"txtMortgagePrincipal2", "40000"},
            {"txtAmortizationTerm2", "180"},
            {"txtAnnualInterestRate2", "8"},
            {"txtMortgagePrincipal3", "15000"},
            {"txtAmortizationTerm3", "120"},
            {"txtAnnualInterestRate3", "9"},
            {"txtMortgagePrincipal4", "5000"},
            {"txtAmortizationTerm4", "60"},
            {"txtAnnualInterestRate4", "7"},
            {"txtQISPropertyPrice", "$1"}}; // stale, stored after the price
}

// Bought for cash and sold a year later: tst_returns' noDebtHeldOneYear.
StoredProperty CashPurchase() {
    return {{"txtPropertyInformation", "Harbor Condo"},
            {"txtUnits", "1"},
            {"txtPurchasePrice", "200000"},
            {"txtDownPayment", "200000"},
            {"txtGrossMonthlyIncome", "2000"},
            {"txtPropertyTaxes", "6000"},
            {"txtStateTaxRate", "5"},
            {"txtFederalTaxRate", "25"},
            {"txtLongTermCapitolGainsRate", "15"},
            {"txtAppreciation", "5"},
            {"txtDepreciateAsImprovements", "80"},
            {"txtHoldingPeriod", "1"}};
}

} // namespace

class PortfolioTest : public QObject {
    Q_OBJECT
private slots:
    void figuresOfThreeProperties_data() {
        QTest::addColumn<StoredProperty>("stored");
        QTest::addColumn<QStringList>("texts"); // in PortfolioFigure order up to EquityMultiple
        // Summary: 59400 scheduled − 2880 vacancy − 19000 expenses = 37520 NOI, ÷ 400000 =
        // 9.38 %; per unit 400000 ÷ 4. Cash flow (37520 − 27775.92) ÷ 12 = 812.01.
        QTest::newRow("four loans")
            << Fourplex()
            << QStringList{"$400,000", "$100,000.00", "$88,000", "$812",   "9.38%", "11.07%",
                           "1.35",     "6.73",        "78.75%",  "19.28%", "4.06x"};
        // NOI 24000 − 6000 = 18000 = 9.00 % of the price and of the cash; no debt to cover.
        QTest::newRow("no debt") << CashPurchase()
                                 << QStringList{"$200,000", "$200,000.00", "$200,000", "$1,500",
                                                "9.00%",    "9.00%",       "n/a",      "8.33",
                                                "25.00%",   "5.47%",       "1.05x"};
        // Units and the vacancy rate do not convert: what needs them is n/a, never the stale
        // stored cap rate; price, cash invested, the multiplier and break-even need neither.
        StoredProperty broken = Fourplex();
        broken[2].second = QStringLiteral("four");
        broken[10].second = QStringLiteral("5 pct");
        QTest::newRow("does not convert")
            << broken << QStringList{"$400,000", "n/a",  "$88,000", "n/a", "n/a", "n/a",
                                     "n/a",      "6.73", "78.75%",  "n/a", "n/a"};
    }
    void figuresOfThreeProperties() {
        QFETCH(StoredProperty, stored);
        QFETCH(QStringList, texts);
        const PortfolioProperty p = ComputePortfolioProperty(stored);
        QStringList shown;
        for (int f = 0; f <= int(F::EquityMultiple); ++f)
            shown << p.text(PortfolioFigure(f));
        QCOMPARE(shown, texts);
    }

    void comparisonFiguresAndInputs() {
        const PortfolioProperty p = ComputePortfolioProperty(Fourplex());
        QCOMPARE(p.text(F::YearOneNoi), QStringLiteral("$37,520"));
        QCOMPARE(p.text(F::YearOneDebtService), QStringLiteral("$27,776"));
        QCOMPARE(p.text(F::SaleProceedsAfterTax), QStringLiteral("$232,511"));
        QCOMPARE(p.text(F::IrrBeforeTax), QStringLiteral("22.82%"));
        QCOMPARE(p.text(F::LoanToValue), QStringLiteral("80.00%"));
        QCOMPARE(p.inputs.mortgages[3].termMonths, 60.0);
        // Keys match without regard to case; computed keys are no inputs.
        QVERIFY(IsPortfolioInput(QStringLiteral("TXTPURCHASEPRICE")));
        QVERIFY(!IsPortfolioInput(QStringLiteral("txtMortgageMonthlyPayment1")));
        QVERIFY(!IsPortfolioInput(QStringLiteral("txtQISCapitalizationRate")));
    }

    // The cap rate is NOI ÷ price and NOI does not move with the price: the offer under a 9 %
    // target is 37520 ÷ 0.09 = 416,888.89, in whole dollars below it.
    void criteriaAndOffer() {
        InvestmentCriteria capRate;
        capRate.capRate = 0.09;
        const PortfolioProperty p = ComputePortfolioProperty(Fourplex());
        PortfolioCriteria c = ComputePortfolioCriteria(p.inputs, p.units, capRate, true);
        QCOMPARE(c.offerText, QStringLiteral("$416,888"));
        QCOMPARE(c.offerSort, 416888.0);
        QCOMPARE(c.criteriaText(), QStringLiteral("1 of 1"));
        QVERIFY(c.meetsEvery());
        capRate.capRate = 0.095; // 9.38 % at the asking price falls short
        c = ComputePortfolioCriteria(p.inputs, p.units, capRate, false);
        QCOMPARE(c.criteriaText(), QStringLiteral("0 of 1"));
        QVERIFY(!c.meetsEvery());
        QVERIFY(c.offerText.isEmpty());

        StoredProperty broken = Fourplex();
        broken[10].second = QStringLiteral("5 pct");
        const PortfolioProperty b = ComputePortfolioProperty(broken);
        c = ComputePortfolioCriteria(b.inputs, b.units, InvestmentCriteria::defaults(), true);
        QCOMPARE(c.criteriaText(), QStringLiteral("n/a"));
        QCOMPARE(c.offerText, QStringLiteral("n/a"));
        QVERIFY(std::isnan(c.offerSort));
    }
};

QTEST_GUILESS_MAIN(PortfolioTest)
#include "tst_portfolio.moc"
