// Mortgage payments, the change handlers of the Financial view and the expense total line.
// Payments are checked against a spreadsheet's PMT(rate/12, term, −principal).
#include "analysis/analysis.h"
#include "model/fieldtable.h"
#include "model/memoryform.h"
#include "testsupport.h"

#include <memory>

#include <QtTest>

namespace {

QString Payment(const MemoryForm& form, int row) {
    return form.text(QStringLiteral("txtMortgageMonthlyPayment%1").arg(row));
}

void SetRow(MemoryForm& form, int row, const QString& principal, const QString& rate,
            const QString& term) {
    form.setText(QStringLiteral("txtMortgagePrincipal%1").arg(row), principal);
    form.setText(QStringLiteral("txtAnnualInterestRate%1").arg(row), rate);
    form.setText(QStringLiteral("txtAmortizationTerm%1").arg(row), term);
}

const QString kLine = QStringLiteral("lblAnnualOperatingExpenses");

} // namespace

class PaymentsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { m_folder.reset(new TempProgramFolder); }
    void cleanup() { m_folder.reset(); }

    void payment_data() {
        QTest::addColumn<QString>("principal");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("term");
        QTest::addColumn<QString>("previous");
        QTest::addColumn<QString>("expected");
        // PMT(0.0825/12, 360, −175000) = 1314.7166
        QTest::newRow("design defaults") << "175000"
                                         << "8.25"
                                         << "360"
                                         << "0"
                                         << "$1,314.72";
        QTest::newRow("formatted inputs") << "$175,000"
                                          << "8.25%"
                                          << "360"
                                          << "0"
                                          << "$1,314.72";
        QTest::newRow("blanks in figures") << " 175 000 "
                                           << " 8.25 % "
                                           << "360"
                                           << "0"
                                           << "$1,314.72";
        // PMT(0.065/12, 360, −144000) = 910.1780
        QTest::newRow("duplex loan") << "144000"
                                     << "6.5"
                                     << "360"
                                     << "0"
                                     << "$910.18";
        // 180 months, not years: PMT(0.06/12, 180, −100000) = 843.8568
        QTest::newRow("term in months") << "100000"
                                        << "6"
                                        << "180"
                                        << "0"
                                        << "$843.86";
        // PMT(0.06/12, 12, 10000) = −860.6643: a negative principal is not refused.
        QTest::newRow("negative principal") << "-10000"
                                            << "6"
                                            << "12"
                                            << "0"
                                            << "($860.66)";
        QTest::newRow("large") << "$2,500,000"
                               << "4.125"
                               << "480"
                               << "0"
                               << "$10,643.65";
        QTest::newRow("rate 0") << "100000"
                                << "0"
                                << "360"
                                << "$5.00"
                                << "$0.00";
        QTest::newRow("rate 0.00") << "100000"
                                   << "0.00"
                                   << "360"
                                   << "$5.00"
                                   << "$0.00";
        QTest::newRow("principal empty") << ""
                                         << "7"
                                         << "360"
                                         << "$5.00"
                                         << "$0.00";
        QTest::newRow("term blank") << "100000"
                                    << "7"
                                    << "   "
                                    << "$5.00"
                                    << "$0.00";
        QTest::newRow("all zero") << "0"
                                  << "0"
                                  << "0"
                                  << "0"
                                  << "$0.00";
        // A rate of −1200 % makes 1 + r = 0: no payment can be computed, the old one stays.
        QTest::newRow("formula fails") << "1000"
                                       << "-1200"
                                       << "12"
                                       << "5"
                                       << "$5.00";
    }
    void payment() {
        QFETCH(QString, principal);
        QFETCH(QString, rate);
        QFETCH(QString, term);
        QFETCH(QString, previous);
        QFETCH(QString, expected);
        MemoryForm form;
        SetRow(form, 3, principal, rate, term);
        form.setText(QStringLiteral("txtMortgageMonthlyPayment3"), previous);
        UpdateMortgagePayment(form, 3);
        QCOMPARE(Payment(form, 3), expected);
    }

    // A figure that is not a number shows no payment, and the type mismatch is logged.
    void unreadableInputShowsZero_data() {
        QTest::addColumn<int>("field");
        QTest::newRow("rate") << 1;
        QTest::newRow("term") << 2;
        QTest::newRow("principal") << 0;
    }
    void unreadableInputShowsZero() {
        QFETCH(int, field);
        MemoryForm form;
        QStringList row{"175000", "8.25", "360"};
        row[field] = field == 1 ? QStringLiteral("1.2.3") : QStringLiteral("abc");
        SetRow(form, 1, row[0], row[1], row[2]);
        form.setText(QStringLiteral("txtMortgageMonthlyPayment1"), QStringLiteral("$1,314.72"));
        UpdateMortgagePayment(form, 1);
        QCOMPARE(Payment(form, 1), QStringLiteral("$0.00"));
        const QStringList log = m_folder->logLines();
        QCOMPARE(log.size(), 1);
        QVERIFY(log[0].contains(QStringLiteral("\"13\",\"Type mismatch\",\"910\"")));
    }

    // The test is abandoned at the first figure that does not convert: one entry, not two.
    void unreadableFiguresLogOnce() {
        MemoryForm form;
        SetRow(form, 2, QStringLiteral("lots"), QStringLiteral("some"), QStringLiteral("360"));
        UpdateMortgagePayment(form, 2);
        QCOMPARE(Payment(form, 2), QStringLiteral("$0.00"));
        QCOMPARE(m_folder->logLines().size(), 1);
    }

    // Typing the design defaults' mortgage figures: row 1 pays, rows 2-4 show $0.00.
    void typingRoutesToTheRow() {
        MemoryForm form;
        ConnectAnalysisHandlers(form);
        for (const FieldDefault& d : DesignDefaults())
            if (!d.name.contains(QStringLiteral("MonthlyPayment")))
                form.setText(d.name, d.text);
        QCOMPARE(Payment(form, 1), QStringLiteral("$1,314.72"));
        for (int row = 2; row <= 4; ++row)
            QCOMPARE(Payment(form, row), QStringLiteral("$0.00"));

        // Row 2 becomes a loan; row 1's payment is left as it is.
        form.setText(QStringLiteral("txtMortgageMonthlyPayment1"), QStringLiteral("$1.00"));
        SetRow(form, 2, QStringLiteral("144000"), QStringLiteral("7"), QStringLiteral("360"));
        QCOMPARE(Payment(form, 2), QStringLiteral("$958.04")); // PMT(0.07/12, 360, −144000)
        form.setText(QStringLiteral("txtAnnualInterestRate2"), QStringLiteral("6.5"));
        QCOMPARE(Payment(form, 2), QStringLiteral("$910.18"));
        form.setText(QStringLiteral("txtAmortizationTerm2"), QStringLiteral("180"));
        // PMT(0.065/12, 180, −144000) = 1254.3946
        QCOMPARE(Payment(form, 2), QStringLiteral("$1,254.39"));
        QCOMPARE(Payment(form, 1), QStringLiteral("$1.00"));
        QCOMPARE(Payment(form, 3), QStringLiteral("$0.00"));
    }

    void dispatchIgnoresCaseAndOtherFields() {
        MemoryForm form;
        SetRow(form, 3, QStringLiteral("175000"), QStringLiteral("8.25"), QStringLiteral("360"));
        DispatchFieldChange(form, QStringLiteral("TXTANNUALINTERESTRATE3"), 0);
        QCOMPARE(Payment(form, 3), QStringLiteral("$1,314.72"));

        form.resetWriteCount();
        for (const char* name :
             {"txtOperatingCostIncrease", "txtMortgagePrincipal5", "txtMortgagePrincipal",
              "txtMortgageMonthlyPayment1", "txtPurchasePrice", "txtQISAnnualExpenses", "nonsense"})
            DispatchFieldChange(form, QString::fromLatin1(name), 0);
        QCOMPARE(form.writeCount(), 0);
        QCOMPARE(form.text(kLine), QStringLiteral("Annual Operating Expenses"));
    }

    // Each expense change recalculates everything and shows the total positive.
    void expenseTotal_data() {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("summary");
        // 50 + 600 + 300 + 300 + 500 + 500 + 2000 + 12000 + 4000 + 100 + 500 = 20850
        QTest::newRow("design defaults") << QStringList() << "Annual Operating Expenses = $20,850"
                                         << "($20,850)";
        QTest::newRow("one field") << QStringList{"1,500"} << "Annual Operating Expenses = $1,500"
                                   << "($1,500)";
        // 100.40 + 100.40 = 200.80
        QTest::newRow("cents") << QStringList{"100.40", "100.40"}
                               << "Annual Operating Expenses = $201"
                               << "($201)";
        QTest::newRow("none") << QStringList{""} << "Annual Operating Expenses = $0"
                              << "$0";
    }
    void expenseTotal() {
        QFETCH(QStringList, values);
        QFETCH(QString, line);
        QFETCH(QString, summary);
        MemoryForm form;
        form.selectOutlookPeriod(0);
        ConnectAnalysisHandlers(form);
        for (const FieldDefault& d : DesignDefaults())
            form.setText(d.name, d.text);
        if (!values.isEmpty()) {
            // Clear every expense, then type the given figures into the first fields.
            for (const QString& name : ExpenseFields())
                form.setText(name, QString());
            for (int i = 0; i < values.size(); ++i)
                form.setText(ExpenseFields()[i], values[i]);
        }
        QCOMPARE(form.text(kLine), line);
        QCOMPARE(form.text(QStringLiteral("txtQISAnnualExpenses")), summary);
        // The whole recalculation ran: outlook and chart included.
        QCOMPARE(form.text(QStringLiteral("txt10CFOperatingExpenses"), 1), summary);
        QVERIFY(form.chartUpdates() > 0);
    }

    // An expense that is not a number: the summary keeps its amount and the line repeats it;
    // the yearly increase of the costs has no handler and leaves the line alone.
    void expenseLineRepeatsKeptTotal() {
        MemoryForm form;
        ConnectAnalysisHandlers(form);
        form.setText(QStringLiteral("txtInsurance"), QStringLiteral("300"));
        QCOMPARE(form.text(kLine), QStringLiteral("Annual Operating Expenses = $300"));
        form.setText(QStringLiteral("txtUtilities"), QStringLiteral("12abc"));
        QCOMPARE(form.text(QStringLiteral("txtQISAnnualExpenses")), QStringLiteral("($300)"));
        QCOMPARE(form.text(kLine), QStringLiteral("Annual Operating Expenses = $300"));
        form.setText(QStringLiteral("txtOperatingCostIncrease"), QStringLiteral("5"));
        QCOMPARE(form.text(QStringLiteral("txt5CFOperatingExpenses"), 2), QStringLiteral("($300)"));

        // Should the summary hold no number at all, the line keeps what it said.
        form.setText(QStringLiteral("txtQISAnnualExpenses"), QStringLiteral("n/a"));
        RefreshOperatingExpenseLine(form);
        QCOMPARE(form.text(kLine), QStringLiteral("Annual Operating Expenses = $300"));
    }

private:
    std::unique_ptr<TempProgramFolder> m_folder;
};

QTEST_GUILESS_MAIN(PaymentsTest)
#include "tst_payments.moc"
