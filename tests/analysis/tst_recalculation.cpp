// The investment summary, the outlook grids, their colours and the chart, checked against
// figures worked out by hand (the arithmetic is in the comments).
#include "analysis/analysis.h"
#include "analysis/financialhints.h"
#include "model/fieldtable.h"
#include "model/memoryform.h"
#include "testsupport.h"

#include <QtTest>
#include <memory>

namespace {

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kGreen = qRgb(0, 128, 0);

using Texts = QList<QPair<QString, QString>>;

void Fill(MemoryForm& form, const Texts& texts) {
    for (const auto& [name, text] : texts)
        form.setText(name, text);
}

QString T(const MemoryForm& form, const char* name, int index = 0) {
    return form.text(QString::fromLatin1(name), index);
}

QStringList Row(const MemoryForm& form, const char* name, int years) {
    QStringList cells;
    for (int i = 1; i <= years; ++i)
        cells << T(form, name, i);
    return cells;
}

QVector<QRgb> Colours(const MemoryForm& form, const char* name, int years) {
    QVector<QRgb> colours;
    for (int i = 1; i <= years; ++i)
        colours << form.textColor(QString::fromLatin1(name), i);
    return colours;
}

// Every text and colour of the form, to compare whole screens.
QStringList Screen(const MemoryForm& form) {
    QStringList lines;
    for (const ControlRef& c : form.controlsInWindowOrder())
        lines << QStringLiteral("%1[%2]=%3 #%4")
                     .arg(c.name)
                     .arg(c.index)
                     .arg(form.text(c.name, c.index))
                     .arg(form.textColor(c.name, c.index), 0, 16);
    return lines;
}

// A duplex bought for 180,000 with one 144,000 loan at 6.5 % over 360 months.
// Payment: r = 0.065 / 12; 144000 × r / (1 − (1 + r)^−360) = 910.178 -> $910.18.
void FillDuplex(MemoryForm& form) {
    Fill(form, {{"txtPurchasePrice", "$180,000"},
                {"txtDownPayment", "36000"},
                {"txtClosingCosts", "5,400"},
                {"txtUnits", "2"},
                {"txtSquareFootage", "1,850"},
                {"txtGrossMonthlyIncome", "1650"},
                {"txtOtherMonthlyIncome", "75"},
                {"txtExpectedVacancyRate", "5"},
                {"txtAnnualRateIncrease", "3"},
                {"txtOperatingCostIncrease", "2"},
                {"txtStateTaxRate", "5"},
                {"txtFederalTaxRate", "15%"},
                {"txtPropertyTaxes", "2,400"},
                {"txtInsurance", "900"},
                {"txtRepairAndMaintenance", "1200"},
                {"txtMortgagePrincipal1", "144000"},
                {"txtAnnualInterestRate1", "6.5"},
                {"txtAmortizationTerm1", "360"}});
    UpdateMortgagePayment(form, 1);
}

// A loss-making triplex: 250,000 with two loans, 200,000 at 7.25 % / 360 (1364.3526 ->
// $1,364.35) and 25,000 at 9 % / 120 (316.6894 -> $316.69).
void FillTriplex(MemoryForm& form) {
    Fill(form, {{"txtPurchasePrice", "250000"},
                {"txtDownPayment", "25,000"},
                {"txtClosingCosts", "7500"},
                {"txtUnits", "3"},
                {"txtSquareFootage", "2400"},
                {"txtGrossMonthlyIncome", "$1,800"},
                {"txtOtherMonthlyIncome", ""},
                {"txtExpectedVacancyRate", "8"},
                {"txtAnnualRateIncrease", "0"},
                {"txtOperatingCostIncrease", "3"},
                {"txtStateTaxRate", "4"},
                {"txtFederalTaxRate", "22"},
                {"txtPropertyTaxes", "3600"},
                {"txtInsurance", "1,250.40"},
                {"txtRepairAndMaintenance", "2000"},
                {"txtPropertyManagement", "2,160"},
                {"txtUtilities", "1800"},
                {"txtMortgagePrincipal1", "200000"},
                {"txtAnnualInterestRate1", "7.25"},
                {"txtAmortizationTerm1", "360"},
                {"txtMortgagePrincipal2", "25000"},
                {"txtAnnualInterestRate2", "9"},
                {"txtAmortizationTerm2", "120"}});
    UpdateMortgagePayment(form, 1);
    UpdateMortgagePayment(form, 2);
}

} // namespace

class RecalculationTest : public QObject {
    Q_OBJECT
private slots:
    void init() { m_folder.reset(new TempProgramFolder); }
    void cleanup() { m_folder.reset(); }

    // The worked examples of the summary, one input set per row.
    void summaryExamples_data() {
        QTest::addColumn<Texts>("inputs");
        QTest::addColumn<Texts>("expected");
        QTest::newRow("acquisition") << Texts{{"txtPurchasePrice", "200000"},
                                              {"txtClosingCosts", "15000"},
                                              {"txtDownPayment", "15000"}}
                                     << Texts{{"txtQISTotalAcquisitionCost", "$215,000"},
                                              {"txtQISTotalCashInvested", "$30,000"},
                                              // 30000 / 215000 = 0.139535
                                              {"txtQISCashInvestedPercentage", "13.95%"},
                                              // 15000 / 215000 = 0.069767: not of the price
                                              {"txtQISPercentageDown", "6.98%"}};
        QTest::newRow("vacancy on rent only")
            << Texts{{"txtGrossMonthlyIncome", "5000"},
                     {"txtOtherMonthlyIncome", "250"},
                     {"txtExpectedVacancyRate", "5"}}
            << Texts{{"txtQISScheduledAnnualIncome", "$63,000"},
                     {"txtQISAnnualVacancy", "($3,000)"},
                     {"txtQISActualAnnualGrossIncome", "$60,000"}};
        // (1000 + 314.82) × −12 = −15777.84
        QTest::newRow("debt service") << Texts{{"txtMortgageMonthlyPayment1", "$1,000.00"},
                                               {"txtMortgageMonthlyPayment2", "$314.82"}}
                                      << Texts{{"txtQISAnnualDebtService", "($15,778)"}};
        // 8 and 7,500 are shown as typed; 7500 divides: 600000 / 7500 = 80.
        QTest::newRow("counts as typed") << Texts{{"txtPurchasePrice", "600000"},
                                                  {"txtUnits", "8"},
                                                  {"txtSquareFootage", "7,500"}}
                                         << Texts{{"txtQISNumberOfUnits", "8"},
                                                  {"txtQISSquareFootage", "7,500"},
                                                  {"txtQISCostPerUnit", "$75,000.00"},
                                                  {"txtQISCostPerSquareFoot", "$80.00"}};
        // 100.40 + 100.40 = 200.80, shown in whole dollars.
        QTest::newRow("expense cents")
            << Texts{{"txtAdvertising", "100.40"}, {"txtUtilities", "100.40"}}
            << Texts{{"txtQISAnnualExpenses", "($201)"}};
    }
    void summaryExamples() {
        QFETCH(Texts, inputs);
        QFETCH(Texts, expected);
        MemoryForm form;
        Fill(form, inputs);
        RecalculateAnalysis(form);
        for (const auto& [name, text] : expected)
            QCOMPARE(form.text(name), text);
    }

    // Zero units: 10, 16 and 21 divide by zero and keep their texts; 22 uses 21's old text.
    // Division by zero is routine and never reaches the log.
    void zeroUnitsKeepsPreviousTexts() {
        MemoryForm form;
        form.selectOutlookPeriod(0);
        Fill(form, {{"txtPurchasePrice", "100000"},
                    {"txtGrossMonthlyIncome", "1000"},
                    {"txtUnits", "0"},
                    {"txtQISCostPerUnit", "$1.00"},
                    {"txtQISAverageRentPerUnit", "$2.00"},
                    {"txtQISNetAnnualCashflowPerUnitBeforeTaxes", "$1,200"}});
        RecalculateAnalysis(form);
        QCOMPARE(T(form, "txtQISCostPerUnit"), QStringLiteral("$1.00"));
        QCOMPARE(T(form, "txtQISAverageRentPerUnit"), QStringLiteral("$2.00"));
        QCOMPARE(T(form, "txtQISNetAnnualCashflowPerUnitBeforeTaxes"), QStringLiteral("$1,200"));
        QCOMPARE(T(form, "txtQISNetMonthlyCashflowPerUnitBeforeTaxes"), QStringLiteral("$100.00"));
        QCOMPARE(T(form, "txtQISNumberOfUnits"), QStringLiteral("0"));
        QCOMPARE(T(form, "txtQISScheduledAnnualIncome"), QStringLiteral("$12,000"));
        QVERIFY(m_folder->logLines().isEmpty());
    }

    // A figure the run could not work out says which input stopped it, and so does every
    // figure built on it; the others, and all of them once the inputs read again, say nothing.
    void notUpdatedFiguresNameTheInputThatStoppedThem() {
        MemoryForm form;
        FillDuplex(form);
        Fill(form, {{"txtGrossMonthlyIncome", "16S0"}, {"txtUnits", "0"}});
        RecalculateAnalysis(form);
        const QString rent = QStringLiteral("Not updated: Gross Monthly Income is no number");
        for (const char* name :
             {"txtQISScheduledAnnualIncome", "txtQISAnnualVacancy",
              "txtQISAnnualNetOperatingIncome", "txtQISCapitalizationRate",
              "txtQISAverageRentPerUnit", "txtQISNetMonthlyCashflowPerUnitBeforeTaxes"})
            QCOMPARE(form.notUpdated(QString::fromLatin1(name)), rent);
        QCOMPARE(form.notUpdated(QStringLiteral("txtQISCostPerUnit")),
                 QStringLiteral("Not updated: Number of Units is 0"));
        for (const char* name :
             {"txtQISPropertyPrice", "txtQISCostPerSquareFoot", "txtQISAnnualDebtService"})
            QVERIFY2(form.notUpdated(QString::fromLatin1(name)).isEmpty(), name);

        Fill(form, {{"txtGrossMonthlyIncome", "1650"}, {"txtUnits", "2"}});
        RecalculateAnalysis(form);
        for (const FieldInfo& field : FieldTable())
            QVERIFY2(field.view != FieldView::Summary || form.notUpdated(field.name).isEmpty(),
                     qPrintable(field.name));
    }

    // The Financial view's hints: financing more than 1 % away from the price (1 % is still
    // fine), and a negative price or expense, each only while it applies.
    void financialHintsOnlyWhileTheyApply() {
        MemoryForm form;
        const auto hints = [&form] {
            return FinancialHints([&form](const QString& name) { return form.text(name); });
        };
        QVERIFY(hints().financing.isEmpty()); // no price yet
        Fill(form, {{"txtPurchasePrice", "$400,000"},
                    {"txtDownPayment", "100000"},
                    {"txtMortgagePrincipal1", "290,000"}});
        QCOMPARE(hints().financing,
                 QStringLiteral("Financing covers $290,000 + down $100,000 of a $400,000 price"));
        form.setText(QStringLiteral("txtMortgagePrincipal2"), QStringLiteral("6000"));
        QVERIFY(hints().financing.isEmpty()); // exactly 1 % short
        form.setText(QStringLiteral("txtMortgagePrincipal2"), QStringLiteral("5999"));
        QVERIFY(!hints().financing.isEmpty());
        form.setText(QStringLiteral("txtMortgagePrincipal2"), QStringLiteral("6x"));
        QVERIFY(hints().financing.isEmpty()); // its red frame says it; the sum means nothing

        QVERIFY(hints().negativeAmounts.isEmpty());
        Fill(form, {{"txtInsurance", "-600"}, {"txtUtilities", "($100)"}});
        QCOMPARE(hints().negativeAmounts,
                 QStringLiteral("Insurance and Utilities are negative \u2014 the price and the "
                                "expenses are amounts paid, typed without a minus"));
        Fill(form, {{"txtInsurance", "600"}, {"txtUtilities", "0"}});
        QVERIFY(hints().negativeAmounts.isEmpty());
    }

    // Price and closing costs 0: the two shares and the cap rate fail (0 ÷ 0), the costs per
    // unit and per square foot are 0 ÷ n.
    void zeroPrice() {
        MemoryForm form;
        Fill(form, {{"txtPurchasePrice", "0"},
                    {"txtUnits", "4"},
                    {"txtSquareFootage", "3000"},
                    {"txtQISCashInvestedPercentage", "1.00%"},
                    {"txtQISPercentageDown", "2.00%"},
                    {"txtQISCapitalizationRate", "3.00%"}});
        RecalculateAnalysis(form);
        QCOMPARE(T(form, "txtQISCashInvestedPercentage"), QStringLiteral("1.00%"));
        QCOMPARE(T(form, "txtQISPercentageDown"), QStringLiteral("2.00%"));
        QCOMPARE(T(form, "txtQISCapitalizationRate"), QStringLiteral("3.00%"));
        QCOMPARE(T(form, "txtQISCostPerUnit"), QStringLiteral("$0.00"));
        QCOMPARE(T(form, "txtQISCostPerSquareFoot"), QStringLiteral("$0.00"));
    }

    // A price of abc: 1 and 4 fail (logged, type mismatch); what divides by the price uses the
    // price shown before.
    void unreadablePriceUsesShownPrice() {
        MemoryForm form;
        Fill(form, {{"txtPurchasePrice", "abc"},
                    {"txtClosingCosts", "5000"},
                    {"txtUnits", "4"},
                    {"txtSquareFootage", "2000"},
                    {"txtGrossMonthlyIncome", "2000"},
                    {"txtQISPropertyPrice", "$100,000"},
                    {"txtQISTotalAcquisitionCost", "$104,000"}});
        RecalculateAnalysis(form);
        QCOMPARE(T(form, "txtQISPropertyPrice"), QStringLiteral("$100,000"));
        QCOMPARE(T(form, "txtQISTotalAcquisitionCost"), QStringLiteral("$104,000"));
        QCOMPARE(T(form, "txtQISCostPerUnit"), QStringLiteral("$25,000.00"));   // 100000 / 4
        QCOMPARE(T(form, "txtQISCostPerSquareFoot"), QStringLiteral("$50.00")); // 100000 / 2000
        // 5000 / 104000 = 0.048077
        QCOMPARE(T(form, "txtQISCashInvestedPercentage"), QStringLiteral("4.81%"));
        // NOI = 24000 ; 24000 / 100000
        QCOMPARE(T(form, "txtQISCapitalizationRate"), QStringLiteral("24.00%"));

        const QStringList log = m_folder->logLines();
        QCOMPARE(log.size(), 2);
        // Newest first: statement 4, then statement 1, each with its own location.
        QVERIFY2(log[0].contains(QStringLiteral("\"13\",\"Type mismatch\",\"140\"")),
                 qPrintable(log[0]));
        QVERIFY2(log[1].contains(QStringLiteral("\"13\",\"Type mismatch\",\"110\"")),
                 qPrintable(log[1]));
    }

    // G 5000, O 250, r 3: year 2 = 3000 + 1.03 × 60000 = 64800; year 3 = 3000 + 1.03 × 61800
    // = 66654; year 4 = 3000 + 1.03 × 63654 = 68563.62 -> 68564; year 5 = 3000 + 1.03 × 65564
    // = 70530.92 -> 70531.
    void rentGrowsOnRentOnly() {
        MemoryForm form;
        Fill(form, {{"txtGrossMonthlyIncome", "5000"},
                    {"txtOtherMonthlyIncome", "250"},
                    {"txtAnnualRateIncrease", "3"}});
        RecalculateAnalysis(form);
        QCOMPARE(Row(form, "txt5CFTotalGrossIncome", 5),
                 (QStringList{"$63,000", "$64,800", "$66,654", "$68,564", "$70,531"}));
    }

    void noIncreaseKeepsYearOne() {
        MemoryForm form;
        form.applyDesignDefaults();
        Fill(form, {{"txtGrossMonthlyIncome", "2500"}, {"txtAnnualRateIncrease", "0"}});
        RecalculateAnalysis(form);
        for (int k = 1; k <= 20; ++k) {
            QCOMPARE(T(form, "txt10CFTotalGrossIncome", k), QStringLiteral("$30,000"));
            QCOMPARE(T(form, "txt10CFOperatingExpenses", k), QStringLiteral("($20,850)"));
        }
    }

    // Income 6000, repairs 9000: YearNetIncome −3000, tax 24 % = −720 (a credit), payments 1200.
    // Cash flow = −3000 − 1200 − (−720) = −3480, above −3000 − 1200; monthly −290.
    void lossGivesNegativeTax() {
        MemoryForm form;
        Fill(form, {{"txtGrossMonthlyIncome", "500"},
                    {"txtRepairAndMaintenance", "9000"},
                    {"txtStateTaxRate", "4"},
                    {"txtFederalTaxRate", "20"},
                    {"txtMortgageMonthlyPayment1", "$100.00"}});
        RecalculateAnalysis(form);
        QCOMPARE(T(form, "txt5CFIncomeTaxes", 1), QStringLiteral("($720)"));
        QCOMPARE(T(form, "txt5CFTotalMortgages", 1), QStringLiteral("$1,200"));
        QCOMPARE(T(form, "txt5CFNetCashflow", 1), QStringLiteral("($3,480)"));
        QCOMPARE(T(form, "txt5CFMonthCashflow", 1), QStringLiteral("($290)"));
        QCOMPARE(form.textColor(QStringLiteral("txt5CFNetCashflow"), 1), kRed);
        QCOMPARE(T(form, "txt10CFIncomeTaxes", 20), QStringLiteral("($720)"));
    }

    // Nothing at all: every cash flow is exactly 0 and green. One dollar of expense: −1, red,
    // and its monthly −0.08 shows as $0 but stays red.
    void zeroIsGreenMinusOneIsRed() {
        MemoryForm form;
        RecalculateAnalysis(form);
        QCOMPARE(Row(form, "txt10CFNetCashflow", 20), QStringList(20, QStringLiteral("$0")));
        QCOMPARE(Colours(form, "txt10CFNetCashflow", 20), QVector<QRgb>(20, kGreen));
        QCOMPARE(Colours(form, "txt10CFMonthCashflow", 20), QVector<QRgb>(20, kGreen));

        form.setText(QStringLiteral("txtAdvertising"), QStringLiteral("1"));
        RecalculateAnalysis(form);
        QCOMPARE(Row(form, "txt5CFNetCashflow", 5), QStringList(5, QStringLiteral("($1)")));
        QCOMPARE(Colours(form, "txt5CFNetCashflow", 5), QVector<QRgb>(5, kRed));
        QCOMPARE(T(form, "txt5CFMonthCashflow", 3), QStringLiteral("$0"));
        QCOMPARE(Colours(form, "txt5CFMonthCashflow", 5), QVector<QRgb>(5, kRed));
        QCOMPARE(Colours(form, "txt10CFNetCashflow", 20), QVector<QRgb>(20, kRed));
    }

    // The payments cannot be read, so no year's cash flow can be computed: the empty cells stay
    // empty and, not being numbers, are coloured red.
    void unreadableCashflowIsRed() {
        MemoryForm form;
        Fill(form, {{"txtGrossMonthlyIncome", "1000"}, {"txtMortgageMonthlyPayment1", "abc"}});
        for (int k = 1; k <= 5; ++k)
            form.setText(QStringLiteral("txt5CFTotalMortgages"), QStringLiteral("n/a"), k);
        RecalculateAnalysis(form);
        QCOMPARE(Row(form, "txt5CFNetCashflow", 5), QStringList(5, QString()));
        QCOMPARE(Row(form, "txt5CFMonthCashflow", 5), QStringList(5, QString()));
        QCOMPARE(Colours(form, "txt5CFNetCashflow", 5), QVector<QRgb>(5, kRed));
        QCOMPARE(Colours(form, "txt5CFMonthCashflow", 5), QVector<QRgb>(5, kRed));
        QCOMPARE(T(form, "txt5CFTotalGrossIncome", 1), QStringLiteral("$12,000"));
        QVERIFY(!m_folder->logLines().isEmpty());
    }

    // Year 3's vacancy cell holds no number, so its YearNetIncome fails and year 3 is taxed on
    // year 2's: G 1000, r 10: gross 12000, 13200, 14520; tax 10 %: 1200, 1320, then 1320 again;
    // cash flow year 3 = 13200 − 0 − 1320 = 11880.
    void failedYearUsesPreviousYearNetIncome() {
        MemoryForm form;
        Fill(form, {{"txtGrossMonthlyIncome", "1000"},
                    {"txtAnnualRateIncrease", "10"},
                    {"txtExpectedVacancyRate", "abc"},
                    {"txtStateTaxRate", "10"}});
        for (int k = 1; k <= 5; ++k)
            form.setText(QStringLiteral("txt5CFExpectedVacancy"),
                         k == 3 ? QStringLiteral("junk") : QStringLiteral("$0"), k);
        RecalculateAnalysis(form);
        QCOMPARE(Row(form, "txt5CFTotalGrossIncome", 3),
                 (QStringList{"$12,000", "$13,200", "$14,520"}));
        QCOMPARE(Row(form, "txt5CFIncomeTaxes", 3), (QStringList{"$1,200", "$1,320", "$1,320"}));
        QCOMPARE(Row(form, "txt5CFNetCashflow", 3), (QStringList{"$10,800", "$11,880", "$11,880"}));
    }

    void twentyYearGridRepeatsFirstFiveYears() {
        MemoryForm form;
        FillTriplex(form);
        form.setText(QStringLiteral("txtAdvertising"), QStringLiteral("-40000")); // some years > 0
        form.setText(QStringLiteral("txtAnnualRateIncrease"), QStringLiteral("7"));
        RecalculateAnalysis(form);
        for (const char* row : {"TotalGrossIncome", "ExpectedVacancy", "OperatingExpenses",
                                "TotalMortgages", "IncomeTaxes", "NetCashflow", "MonthCashflow"}) {
            const QByteArray five = QByteArray("txt5CF") + row;
            const QByteArray twenty = QByteArray("txt10CF") + row;
            QCOMPARE(Row(form, twenty.constData(), 5), Row(form, five.constData(), 5));
            QCOMPARE(Colours(form, twenty.constData(), 5), Colours(form, five.constData(), 5));
        }
        QVERIFY(Colours(form, "txt5CFNetCashflow", 5).contains(kGreen));
    }

    // Every figure of a whole property, worked by hand.
    //  1-5  180000, 36000, 5400; 180000 + 5400 = 185400; 5400 + 36000 = 41400
    //  6-7  41400 / 185400 = 22.33 %; 36000 / 185400 = 19.42 %
    //  10   180000 / 2 = 90000.00          14  180000 / 1850 = 97.297 -> 97.30
    //  11   (1650 + 75) × 12 = 20700       12  5 × (−1650 × 12) × 0.01 = −990
    //  13   −990 + 20700 = 19710           15  −(1200 + 900 + 2400) = −4500
    //  16   1650 / 2 = 825.00              17  −4500 + 19710 = 15210
    //  18   15210 / 180000 = 8.45 %        19  910.18 × −12 = −10922.16 -> −10922
    //  20   −10922 + 15210 = 4288          21  4288 / 2 = 2144    22  2144 / 12 = 178.67
    void wholeDuplexSummary() {
        MemoryForm form;
        FillDuplex(form);
        RecalculateAnalysis(form);
        QCOMPARE(T(form, "txtMortgageMonthlyPayment1"), QStringLiteral("$910.18"));
        const Texts expected{{"txtQISPropertyPrice", "$180,000"},
                             {"txtQISDownPayment", "$36,000"},
                             {"txtQISClosingCosts", "$5,400"},
                             {"txtQISTotalAcquisitionCost", "$185,400"},
                             {"txtQISTotalCashInvested", "$41,400"},
                             {"txtQISCashInvestedPercentage", "22.33%"},
                             {"txtQISPercentageDown", "19.42%"},
                             {"txtQISNumberOfUnits", "2"},
                             {"txtQISSquareFootage", "1,850"},
                             {"txtQISCostPerUnit", "$90,000.00"},
                             {"txtQISScheduledAnnualIncome", "$20,700"},
                             {"txtQISAnnualVacancy", "($990)"},
                             {"txtQISActualAnnualGrossIncome", "$19,710"},
                             {"txtQISCostPerSquareFoot", "$97.30"},
                             {"txtQISAnnualExpenses", "($4,500)"},
                             {"txtQISAverageRentPerUnit", "$825.00"},
                             {"txtQISAnnualNetOperatingIncome", "$15,210"},
                             {"txtQISCapitalizationRate", "8.45%"},
                             {"txtQISAnnualDebtService", "($10,922)"},
                             {"txtNetAnnualCashflowBeforeTaxes", "$4,288"},
                             {"txtQISNetAnnualCashflowPerUnitBeforeTaxes", "$2,144"},
                             {"txtQISNetMonthlyCashflowPerUnitBeforeTaxes", "$178.67"}};
        for (const auto& [name, text] : expected)
            QCOMPARE(form.text(name), text);
    }

    // The duplex's outlook. O × 12 = 900, rent +3 %, costs +2 %, tax 20 %, payments 10922.
    //  gross  y2 900 + 1.03 × 19800 = 21294; y3 900 + 1.03 × 20394 = 21905.82 -> 21906;
    //         y4 900 + 1.03 × 21006 = 22536.18 -> 22536; y5 900 + 1.03 × 21636 = 23185.08
    //         -> 23185; y6 900 + 1.03 × 22285 = 23853.55 -> 23854
    //  vac.   5 % of (900 − gross): −990, −1019.7, −1050.3, −1081.8, −1114.25, −1147.7
    //  costs  −4500, −4590, −4681.8 -> −4682, 1.02 × −4682 = −4775.64 -> −4776 (from the
    //         unrounded −4681.8 it would be −4775), 1.02 × −4776 = −4871.52, 1.02 × −4872
    //         = −4969.44
    //  YNI    15210, 15684, 16174, 16678, 17199, 17737; tax 20 %: 3042, 3136.8, 3234.8,
    //         3335.6, 3439.8, 3547.4
    //  cash   15210 − 10922 − 3042 = 1246; 15684 − 10922 − 3137 = 1625; 2017; 2420; 2837; 3268
    //  month  103.83, 135.42, 168.08, 201.67, 236.42, 272.33
    void wholeDuplexOutlook() {
        MemoryForm form;
        FillDuplex(form);
        form.selectOutlookPeriod(0);
        RecalculateAnalysis(form);
        QCOMPARE(Row(form, "txt10CFTotalGrossIncome", 6),
                 (QStringList{"$20,700", "$21,294", "$21,906", "$22,536", "$23,185", "$23,854"}));
        QCOMPARE(
            Row(form, "txt10CFExpectedVacancy", 6),
            (QStringList{"($990)", "($1,020)", "($1,050)", "($1,082)", "($1,114)", "($1,148)"}));
        QCOMPARE(
            Row(form, "txt10CFOperatingExpenses", 6),
            (QStringList{"($4,500)", "($4,590)", "($4,682)", "($4,776)", "($4,872)", "($4,969)"}));
        QCOMPARE(Row(form, "txt10CFTotalMortgages", 20),
                 QStringList(20, QStringLiteral("$10,922")));
        QCOMPARE(Row(form, "txt10CFIncomeTaxes", 6),
                 (QStringList{"$3,042", "$3,137", "$3,235", "$3,336", "$3,440", "$3,547"}));
        QCOMPARE(Row(form, "txt10CFNetCashflow", 6),
                 (QStringList{"$1,246", "$1,625", "$2,017", "$2,420", "$2,837", "$3,268"}));
        QCOMPARE(Row(form, "txt10CFMonthCashflow", 6),
                 (QStringList{"$104", "$135", "$168", "$202", "$236", "$272"}));
        QCOMPARE(Colours(form, "txt10CFNetCashflow", 20), QVector<QRgb>(20, kGreen));

        QCOMPARE(form.chartValues(), (QVector<double>{1246, 1625, 2017, 2420, 2837}));
        QCOMPARE(form.chartLabels(),
                 (QStringList{"Year 1", "Year 2", "Year 3", "Year 4", "Year 5"}));
    }

    // The triplex loses money every year.
    //  summary 19  (1364.35 + 316.69) × −12 = −20172.48 -> −20172
    //          17  −10810 (10810.40 rounded) + 19872 = 9062; 20  −20172 + 9062 = −11110
    //          21  −11110 / 3 = −3703.33 -> −3703; 22  −3703 / 12 = −308.58 (from the
    //          unrounded −3703.33 it would be −308.61)
    //  outlook gross 21600, vacancy 8 % of −21600 = −1728 every year; costs +3 %: −10810,
    //          −11134.3, −11468.02, −11812.04, −12166.36; YNI 9062, 8738, 8404, 8060, 7706;
    //          tax 26 %: 2356.12, 2271.88, 2185.04, 2095.6, 2003.56;
    //          cash 9062 − 20172 − 2356 = −13466, −13706, −13953, −14208, −14470;
    //          month −1122.17, −1142.17, −1162.75, −1184, −1205.83
    void wholeTriplex() {
        MemoryForm form;
        FillTriplex(form);
        form.selectOutlookPeriod(2);
        RecalculateAnalysis(form);
        QCOMPARE(T(form, "txtMortgageMonthlyPayment1"), QStringLiteral("$1,364.35"));
        QCOMPARE(T(form, "txtMortgageMonthlyPayment2"), QStringLiteral("$316.69"));
        QCOMPARE(T(form, "txtQISCashInvestedPercentage"), QStringLiteral("12.62%"));
        QCOMPARE(T(form, "txtQISPercentageDown"), QStringLiteral("9.71%"));
        QCOMPARE(T(form, "txtQISCostPerUnit"), QStringLiteral("$83,333.33"));
        QCOMPARE(T(form, "txtQISCostPerSquareFoot"), QStringLiteral("$104.17"));
        QCOMPARE(T(form, "txtQISAnnualExpenses"), QStringLiteral("($10,810)"));
        QCOMPARE(T(form, "txtQISAnnualNetOperatingIncome"), QStringLiteral("$9,062"));
        QCOMPARE(T(form, "txtQISCapitalizationRate"), QStringLiteral("3.62%"));
        QCOMPARE(T(form, "txtQISAnnualDebtService"), QStringLiteral("($20,172)"));
        QCOMPARE(T(form, "txtNetAnnualCashflowBeforeTaxes"), QStringLiteral("($11,110)"));
        QCOMPARE(T(form, "txtQISNetAnnualCashflowPerUnitBeforeTaxes"), QStringLiteral("($3,703)"));
        QCOMPARE(T(form, "txtQISNetMonthlyCashflowPerUnitBeforeTaxes"),
                 QStringLiteral("($308.58)"));

        QCOMPARE(Row(form, "txt5CFOperatingExpenses", 5),
                 (QStringList{"($10,810)", "($11,134)", "($11,468)", "($11,812)", "($12,166)"}));
        QCOMPARE(Row(form, "txt5CFIncomeTaxes", 5),
                 (QStringList{"$2,356", "$2,272", "$2,185", "$2,096", "$2,004"}));
        QCOMPARE(Row(form, "txt5CFNetCashflow", 5),
                 (QStringList{"($13,466)", "($13,706)", "($13,953)", "($14,208)", "($14,470)"}));
        QCOMPARE(Row(form, "txt5CFMonthCashflow", 5),
                 (QStringList{"($1,122)", "($1,142)", "($1,163)", "($1,184)", "($1,206)"}));
        QCOMPARE(Colours(form, "txt5CFMonthCashflow", 5), QVector<QRgb>(5, kRed));

        QCOMPARE(form.chartValues().size(), 20);
        QCOMPARE(form.chartValues().mid(0, 3), (QVector<double>{-13466, -13706, -13953}));
        QCOMPARE(form.chartLabels().last(), QStringLiteral("Year 20"));
    }

    void runningTwiceGivesSameScreen() {
        MemoryForm form;
        FillTriplex(form);
        form.selectOutlookPeriod(1);
        RecalculateAnalysis(form);
        const QStringList first = Screen(form);
        const QVector<double> chart = form.chartValues();
        RecalculateAnalysis(form);
        QCOMPARE(Screen(form), first);
        QCOMPARE(form.chartValues(), chart);
        QCOMPARE(form.chartLabels().size(), 10);
    }

    // With no period chosen the chart keeps what it showed, and nothing is logged for it.
    void noPeriodLeavesChartAlone() {
        MemoryForm form;
        FillDuplex(form);
        RecalculateAnalysis(form);
        QCOMPARE(form.chartUpdates(), 0);
        QCOMPARE(T(form, "txt10CFNetCashflow", 1), QStringLiteral("$1,246"));

        form.selectOutlookPeriod(0);
        RecalculateAnalysis(form);
        QCOMPARE(form.chartUpdates(), 1);
        form.selectOutlookPeriod(-1);
        form.setText(QStringLiteral("txtGrossMonthlyIncome"), QStringLiteral("9000"));
        RecalculateAnalysis(form);
        QCOMPARE(form.chartUpdates(), 1);
        QCOMPARE(form.chartValues().first(), 1246.0);
        QVERIFY(m_folder->logLines().isEmpty());
    }

private:
    std::unique_ptr<TempProgramFolder> m_folder;
};

QTEST_GUILESS_MAIN(RecalculationTest)
#include "tst_recalculation.moc"
