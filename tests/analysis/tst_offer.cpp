// The offer and the sensitivity, checked against figures worked out by hand: the capitalization
// rate's price as NOI ÷ target, the cash flow per unit's as the price at which the payment,
// rounded to cents, first exceeds what the target leaves of the NOI; and the user's criteria as
// the settings file keeps them.
#include "analysis/offer.h"
#include "analysis/sensitivity.h"
#include "gui/dialogs/criteriasettings.h"
#include "model/memoryform.h"
#include "testsupport.h"

#include <QSettings>
#include <QtTest>

#include <cmath>

namespace {

// A fourplex at $285,000: 20 % down, $6,000 closing costs, one loan of 80 % of the price at
// 6.75 % over 30 years (payment $1,478.80). NOI = 45,600 + 1,800 − 2,280 − 15,007 = $30,113.
ReturnsInputs Fourplex() {
    ReturnsInputs in;
    in.grossMonthlyIncome = 3800;
    in.otherMonthlyIncome = 150;
    in.vacancyRate = 0.05;
    in.rentIncrease = 0.03;
    in.costIncrease = 0.025;
    in.operatingExpenses = 15007;
    in.stateTaxRate = 0.05;
    in.federalTaxRate = 0.28;
    in.capitalGainsRate = 0.15;
    in.purchasePrice = 285000;
    in.closingCosts = 6000;
    in.downPayment = 57000;
    in.appreciation = 0.03;
    in.improvementsShare = 0.8;
    in.mortgages[0] = {228000, 0.0675, 360};
    return in;
}

InvestmentCriteria Only(Criterion c, double target) {
    InvestmentCriteria criteria;
    criteria.setTarget(c, target);
    return criteria;
}

} // namespace

class OfferTest : public QObject {
    Q_OBJECT
private slots:
    void aPriceScalesWhatKeepsItsShareOfIt() {
        ReturnsInputs in = Fourplex();
        in.mortgages[1] = {0, 0.08, 120};
        const ReturnsInputs at = AtPrice(in, 427500); // one and a half times
        QCOMPARE(at.purchasePrice, 427500.0);
        QCOMPARE(at.downPayment, 85500.0);
        QCOMPARE(at.closingCosts, 9000.0);
        QCOMPARE(at.mortgages[0].principal, 342000.0);
        QCOMPARE(at.mortgages[1].principal, 0.0);
        QCOMPARE(at.currentMarketValue, 0.0); // blank stays blank: the value follows the price
        QCOMPARE(at.grossMonthlyIncome, 3800.0);
        in.currentMarketValue = 300000;
        QCOMPARE(AtPrice(in, 427500).currentMarketValue, 300000.0);

        // Written into the property: to the cent, and a blank amount stays blank.
        MemoryForm form;
        form.setText("txtPurchasePrice", "$285,000");
        form.setText("txtDownPayment", "57000");
        form.setText("txtClosingCosts", "6,000");
        form.setText("txtMortgagePrincipal1", "228000");
        form.setText("txtMortgagePrincipal4", "1,500");
        const QVector<FieldEdit> edits = PurchasePriceEdits(form, 190001);
        QCOMPARE(edits.size(), 5);
        QCOMPARE(edits[0].field, QStringLiteral("txtPurchasePrice"));
        QCOMPARE(edits[0].value, 190001.0);
        QCOMPARE(edits[1].value, 38000.2);  // 57,000 × 190,001 ÷ 285,000
        QCOMPARE(edits[2].value, 4000.02);  // 4,000.021…
        QCOMPARE(edits[3].value, 152000.8); // 228,000 × 190,001 ÷ 285,000
        QCOMPARE(edits[3].field, QStringLiteral("txtMortgagePrincipal1"));
        QCOMPARE(edits[4].field, QStringLiteral("txtMortgagePrincipal4"));
        QCOMPARE(edits[4].value, 1000.01); // 1,000.005… to the cent
        form.setText("txtClosingCosts", "six");
        QVERIFY(PurchasePriceEdits(form, 190001).isEmpty());

        QCOMPARE(UnitCount(QStringLiteral("4")), 4.0);
        QCOMPARE(UnitCount(QStringLiteral("0")), 1.0);
        QCOMPARE(UnitCount(QStringLiteral("four")), 1.0);
    }

    void searchesMatchTheirClosedForms() {
        const ReturnsInputs in = Fourplex();
        // Capitalization rate: p = NOI ÷ target, the whole dollars below it.
        TargetOffer t = SearchTarget(Criterion::CapRate, in, 4, 0.07);
        QCOMPARE(t.outcome, OfferOutcome::Price);
        QCOMPARE(t.price, 430185.0); // 30,113 ÷ 0.07 = 430,185.71
        QCOMPARE(t.text, QStringLiteral("$430,185"));
        QCOMPARE(SearchTarget(Criterion::CapRate, in, 4, 0.085).price, 354270.0);
        // Cash flow per unit: (NOI − 12 × payment) ÷ 12 ÷ 4 ≥ T while the payment, linear in
        // p and rounded to cents, stays at or below NOI ÷ 12 − 4T.
        QCOMPARE(SearchTarget(Criterion::CashFlowPerUnit, in, 4, 100).price, 406533.0);
        QCOMPARE(SearchTarget(Criterion::CashFlowPerUnit, in, 4, 75).price, 425805.0);
        // The IRR has no closed form: the price found meets it and a dollar more does not.
        t = SearchTarget(Criterion::IrrAfterTax, in, 4, 0.15);
        QCOMPARE(t.outcome, OfferOutcome::Price);
        QVERIFY(CriterionMetric(Criterion::IrrAfterTax, AtPrice(in, t.price), 4) >= 0.15);
        QVERIFY(CriterionMetric(Criterion::IrrAfterTax, AtPrice(in, t.price + 1), 4) < 0.15);
    }

    void searchesThatFindNoPrice() {
        ReturnsInputs in = Fourplex();
        QCOMPARE(SearchTarget(Criterion::CashFlowPerUnit, in, 4, 5000).text,
                 QStringLiteral("No price"));
        QCOMPARE(SearchTarget(Criterion::CapRate, in, 4, 0.001).text,
                 QStringLiteral("Over $2,850,000"));
        QCOMPARE(SearchTarget(Criterion::CapRate, in, 4, std::nullopt).text,
                 QStringLiteral("Not used"));
        // Without debt any price covers it, and the property meets the target as it stands.
        ReturnsInputs cash = in;
        cash.mortgages[0] = {};
        QCOMPARE(SearchTarget(Criterion::DebtServiceCoverage, cash, 4, 1.25).outcome,
                 OfferOutcome::Over);
        QCOMPARE(CriteriaMet(cash, 4, Only(Criterion::DebtServiceCoverage, 1.25)), 1);
        // Nothing put in: no IRR at any price, which never meets a target.
        ReturnsInputs nothingDown = in;
        nothingDown.downPayment = nothingDown.closingCosts = 0;
        QCOMPARE(SearchTarget(Criterion::IrrAfterTax, nothingDown, 4, 0.12).text,
                 QStringLiteral("No price"));
        // No price to scale, or an input that is no number: n/a, not "No price".
        ReturnsInputs broken = in;
        broken.purchasePrice = 0;
        QCOMPARE(SearchTarget(Criterion::CapRate, broken, 4, 0.07).text, QStringLiteral("n/a"));
        broken = in;
        broken.vacancyRate = qQNaN();
        QCOMPARE(SearchTarget(Criterion::CashOnCash, broken, 4, 0.08).text, QStringLiteral("n/a"));
        broken = in;
        broken.mortgages[0].termMonths = 0; // a loan with no months to pay it over
        QCOMPARE(SearchTarget(Criterion::CapRate, broken, 4, 0.07).text, QStringLiteral("n/a"));
        broken = in;
        broken.holdingPeriod = 0;
        QCOMPARE(ComputeOffer(broken, 4, InvestmentCriteria::defaults()).priceText,
                 QStringLiteral("n/a"));
        // A repair or refinance field that does not convert counts as much as any other.
        broken = in;
        broken.afterRepairValue = qQNaN();
        QCOMPARE(SearchTarget(Criterion::IrrAfterTax, broken, 4, 0.12).text, QStringLiteral("n/a"));
        broken = in;
        broken.refinanceMonth = 12; // with no rate typed for the new loan
        QCOMPARE(SearchTarget(Criterion::CashOnCash, broken, 4, 0.08).text, QStringLiteral("n/a"));
    }

    void theLowestPriceBindsTheOffer() {
        const ReturnsInputs in = Fourplex();
        InvestmentCriteria c;
        c.capRate = 0.085;       // $354,270
        c.cashFlowPerUnit = 100; // $406,533
        c.cashOnCash = 0.001;    // higher than both
        OfferResult r = ComputeOffer(in, 4, c);
        QCOMPARE(r.price, 354270.0);
        QCOMPARE(r.binding, std::optional<Criterion>(Criterion::CapRate));
        QCOMPARE(r.bindingText, QStringLiteral("Limited by Capitalization Rate"));
        QCOMPARE(r.gapText, QStringLiteral("$69,270 (24.3 %) above the asking price"));
        c.capRate = 0.12; // 30,113 ÷ 0.12 = $250,941
        QCOMPARE(ComputeOffer(in, 4, c).gapText,
                 QStringLiteral("$34,059 (12.0 %) below the asking price"));

        // A target no price meets decides the offer, however low the others are.
        c.cashFlowPerUnit = 5000;
        r = ComputeOffer(in, 4, c);
        QCOMPARE(r.priceText, QStringLiteral("No price"));
        QCOMPARE(r.binding, std::optional<Criterion>(Criterion::CashFlowPerUnit));
        QVERIFY(r.bindingText.contains(QStringLiteral("Monthly Cash Flow per Unit")));

        r = ComputeOffer(in, 4, Only(Criterion::CapRate, 0.001));
        QCOMPARE(r.priceText, QStringLiteral("Over $2,850,000"));
        QVERIFY(!r.binding);
        QCOMPARE(r.bindingText,
                 QStringLiteral("No target limits the price below ten times the asking price"));
        QCOMPARE(r.gapText,
                 QStringLiteral("More than $2,565,000 (900.0 %) above the asking price"));
        QCOMPARE(ComputeOffer(in, 4, InvestmentCriteria()).priceText, QStringLiteral("Not used"));

        // At the asking price: cash-on-cash 19.63 %, coverage 1.70, $257.65 a unit, cap 10.57 %.
        c = InvestmentCriteria();
        c.cashOnCash = 0.20;
        c.debtServiceCoverage = 1.25;
        c.cashFlowPerUnit = 100;
        c.capRate = 0.11;
        QCOMPARE(CriteriaInForce(c), 4);
        QCOMPARE(CriteriaMet(in, 4, c), 2);
    }

    // Each figure's arithmetic names the price found and the figure there, worked again.
    void explanationsShowThePriceFound() {
        const ReturnsInputs in = Fourplex();
        InvestmentCriteria c = Only(Criterion::CapRate, 0.07);
        c.cashFlowPerUnit = 5000;
        c.debtServiceCoverage = 0.01;
        OfferResult r = ComputeOffer(in, 4, c);
        const auto explain = [&](const QString& field) {
            return ExplainOfferField(field, in, 4, c, r);
        };
        QVERIFY(explain("txtOfferCapRate")
                    .endsWith(QStringLiteral("At $430,185: Capitalization Rate = Year-One Net "
                                             "Operating Income ÷ Price = $30,113 ÷ $430,185 = "
                                             "7.00%")));
        QVERIFY(explain("txtOfferCashFlowPerUnit").contains(QStringLiteral("At $28,500: ")));
        QVERIFY(explain("txtOfferDSCR").contains(QStringLiteral("At $2,850,000: ")));
        QVERIFY(explain("txtOfferCapitalization").isEmpty());

        r = ComputeOffer(in, 4, Only(Criterion::CapRate, 0.07));
        QCOMPARE(ExplainOfferField(kOfferGapField, in, 4, c, r),
                 QStringLiteral("Offer Price − Asking Price = $430,185 − $285,000 = $145,185; "
                                "$145,185 ÷ $285,000 = 50.9 % of the asking price"));
    }

    // Rows move the price, columns the rent; without debt every cell meets a coverage target
    // although no coverage can be worked out.
    void priceByRentTable() {
        const ReturnsInputs in = Fourplex();
        const SensitivityMatrix m = ComputeSensitivityMatrix(in, 4, Criterion::CapRate, 0.1);
        QCOMPARE(m.prices[0], 256500.0);
        QCOMPARE(m.incomes[4], 4180.0);
        // Cap rate = NOI ÷ price: at −10 % price and +10 % rent, (30,113 + 4,332) ÷ 256,500.
        QVERIFY(qAbs(m.values[0][4] - 34445.0 / 256500) < 1e-12);
        QVERIFY(qAbs(m.values[4][0] - (30113 - 4332) / 313500.0) < 1e-12);
        QCOMPARE(m.meets[kMatrixBase][kMatrixBase], std::optional<bool>(true)); // 10.57 %
        QCOMPARE(m.meets[4][0], std::optional<bool>(false));                    // 8.22 %

        ReturnsInputs cash = in;
        cash.mortgages[0] = {};
        const SensitivityMatrix dscr =
            ComputeSensitivityMatrix(cash, 4, Criterion::DebtServiceCoverage, 1.25);
        QVERIFY(std::isnan(dscr.values[1][3]));
        QCOMPARE(dscr.meets[1][3], std::optional<bool>(true));
        QCOMPARE(ComputeSensitivityMatrix(cash, 4, Criterion::CashOnCash, std::nullopt).meets[0][0],
                 std::nullopt);
    }

    void tornadoStepsStayInTheirRanges() {
        ReturnsInputs in = Fourplex();
        in.vacancyRate = 0.01;
        in.sellingCostRate = 0.005;
        in.holdingPeriod = 19;
        in.mortgages[0].annualRate = 0.003;
        in.mortgages[1] = {0, 0.05, 120};
        const auto down = [&](SensitivityInput i) { return SteppedInputs(in, i, false); };
        const auto up = [&](SensitivityInput i) { return SteppedInputs(in, i, true); };
        QCOMPARE(down(SensitivityInput::VacancyRate).vacancyRate, 0.0);
        QCOMPARE(up(SensitivityInput::VacancyRate).vacancyRate, 0.035);
        QCOMPARE(down(SensitivityInput::InterestRate).mortgages[0].annualRate, 0.0);
        QCOMPARE(up(SensitivityInput::InterestRate).mortgages[0].annualRate, 0.008);
        QCOMPARE(up(SensitivityInput::InterestRate).mortgages[1].annualRate, 0.05); // no loan
        QCOMPARE(down(SensitivityInput::SellingCosts).sellingCostRate, 0.0);
        QCOMPARE(up(SensitivityInput::HoldingPeriod).holdingPeriod, 20);
        QCOMPARE(down(SensitivityInput::HoldingPeriod).holdingPeriod, 17);
        QCOMPARE(down(SensitivityInput::PurchasePrice).downPayment, 54150.0);
        QCOMPARE(up(SensitivityInput::OperatingExpenses).operatingExpenses, 15007 * 1.1);
        in.vacancyRate = 0.99;
        in.holdingPeriod = 1;
        QCOMPARE(up(SensitivityInput::VacancyRate).vacancyRate, 1.0);
        QCOMPARE(down(SensitivityInput::HoldingPeriod).holdingPeriod, 1);
    }

    void tornadoRowsByTheirSwing() {
        // Year-one cash-on-cash: price, rent, vacancy, expenses and the rate move it; the four
        // that only act later leave it alone and keep their listed order at the end.
        const Tornado t = ComputeTornado(Fourplex(), 4, Criterion::CashOnCash);
        QCOMPARE(t.rows.size(), kSensitivityInputCount);
        for (int i = 1; i < t.rows.size(); ++i)
            QVERIFY(t.rows[i - 1].swing() >= t.rows[i].swing());
        QVERIFY(t.rows[3].swing() > 0);
        const SensitivityInput still[] = {
            SensitivityInput::Appreciation, SensitivityInput::RentIncrease,
            SensitivityInput::SellingCosts, SensitivityInput::HoldingPeriod};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(t.rows[5 + i].input, still[i]);
            QCOMPARE(t.rows[5 + i].swing(), 0.0);
        }
        QCOMPARE(t.rows[0].low,
                 CriterionMetric(Criterion::CashOnCash,
                                 SteppedInputs(Fourplex(), t.rows[0].input, false), 4));

        // A repair adds its budget and its value, a step each way, after the nine; a new price
        // leaves both and the holding costs as typed.
        ReturnsInputs fixer = Fourplex();
        fixer.rehabCost = 30000;
        fixer.holdingCosts = 900;
        fixer.rehabMonths = 3;
        fixer.afterRepairValue = 420000;
        const Tornado repaired = ComputeTornado(fixer, 4, Criterion::IrrAfterTax);
        QCOMPARE(repaired.rows.size(), kSensitivityInputMost);
        QStringList captions;
        for (const TornadoRow& r : repaired.rows)
            captions << SensitivityInputCaption(r.input) + ' ' + SensitivityStepText(r.input);
        QVERIFY(captions.contains(QStringLiteral("Rehab Budget ±10 %")));
        QVERIFY(captions.contains(QStringLiteral("After Repair Value ±5 %")));
        QCOMPARE(SteppedInputs(fixer, SensitivityInput::RehabBudget, true).rehabCost, 33000.0);
        QCOMPARE(SteppedInputs(fixer, SensitivityInput::AfterRepairValue, false).afterRepairValue,
                 399000.0);
        const ReturnsInputs cheaper = AtPrice(fixer, fixer.purchasePrice * 0.8);
        QCOMPARE(cheaper.rehabCost, 30000.0);
        QCOMPARE(cheaper.holdingCosts, 900.0);
        QCOMPARE(cheaper.afterRepairValue, 420000.0);

        // A row that cannot be computed at one end goes last, after every swing there is.
        QVector<TornadoRow> rows = {{SensitivityInput::PurchasePrice, 1, 2},
                                    {SensitivityInput::GrossMonthlyIncome, qQNaN(), 5},
                                    {SensitivityInput::VacancyRate, 0, 3},
                                    {SensitivityInput::OperatingExpenses, 4, 3},
                                    {SensitivityInput::InterestRate, 7, qQNaN()}};
        SortTornadoRows(rows);
        QVector<SensitivityInput> order;
        for (const TornadoRow& r : rows)
            order << r.input;
        QCOMPARE(order, (QVector<SensitivityInput>{
                            SensitivityInput::VacancyRate, SensitivityInput::PurchasePrice,
                            SensitivityInput::OperatingExpenses,
                            SensitivityInput::GrossMonthlyIncome, SensitivityInput::InterestRate}));
    }

    void criteriaAsTheSettingsKeepThem() {
        QCOMPARE(CriterionFromText(Criterion::CashOnCash, "8"), std::optional<double>(0.08));
        QCOMPARE(CriterionFromText(Criterion::DebtServiceCoverage, "1.25"),
                 std::optional<double>(1.25));
        QCOMPARE(CriterionFromText(Criterion::CashFlowPerUnit, "$150"), std::optional<double>(150));
        QCOMPARE(CriterionFromText(Criterion::IrrAfterTax, "  "), std::nullopt);
        QVERIFY(!IsCriterionText("8 percent"));

        TempProgramFolder folder;
        {
            QSettings settings(QStringLiteral("Quillbrook"));
            settings.beginGroup(QStringLiteral("Criteria"));
            settings.setValue(QStringLiteral("CashOnCash"), QStringLiteral("10"));
            settings.setValue(QStringLiteral("DSCR"), QString());
            settings.setValue(QStringLiteral("CashFlowPerUnit"), QStringLiteral("lots"));
        }
        CriteriaSettings& stored = CriteriaSettings::instance();
        QSignalSpy changed(&stored, &CriteriaSettings::changed);
        stored.reload();
        QCOMPARE(changed.size(), 1);
        // Empty is not used, no number is its default, missing keys are their defaults.
        QCOMPARE(stored.texts(), (QStringList{"10", "", "100", "", "12"}));
        const InvestmentCriteria& c = stored.criteria();
        QCOMPARE(c.cashOnCash, std::optional<double>(0.10));
        QCOMPARE(c.debtServiceCoverage, std::nullopt);
        QCOMPARE(c.cashFlowPerUnit, std::optional<double>(100));
        QCOMPARE(c.capRate, std::nullopt);
        QCOMPARE(c.irrAfterTax, std::optional<double>(0.12));

        // A value edited by hand with digit grouping and no quotes is one number, not a list.
        const QString file = QSettings(QStringLiteral("Quillbrook")).fileName();
        WriteFile(file, "[Criteria]\nCashFlowPerUnit=1,000\n");
        stored.reload();
        QCOMPARE(stored.criteria().cashFlowPerUnit, std::optional<double>(1000));

        stored.store({"7.5", "1.3", "", "6", "15"});
        QCOMPARE(changed.size(), 3);
        QCOMPARE(ReadCriteriaTexts(), (QStringList{"7.5", "1.3", "", "6", "15"}));
        QCOMPARE(stored.criteria().capRate, std::optional<double>(0.06));
        QCOMPARE(stored.criteria().cashFlowPerUnit, std::nullopt);
    }
};

QTEST_GUILESS_MAIN(OfferTest)
#include "tst_offer.moc"
