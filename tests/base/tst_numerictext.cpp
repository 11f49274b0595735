#include "base/errortrap.h"
#include "base/numerictext.h"

#include <QtTest>

class NumericTextTest : public QObject {
    Q_OBJECT
private slots:
    void cleaning_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("cleaned");
        QTest::newRow("empty") << ""
                               << "0";
        QTest::newRow("blanks") << "   "
                                << "0";
        QTest::newRow("currency") << "$1,250.50"
                                  << "1250.50";
        QTest::newRow("percent") << "7.5%"
                                 << "7.5";
        QTest::newRow("inner blank") << "1 000"
                                     << "1000";
        QTest::newRow("parentheses kept") << "($4,032)"
                                          << "(4032)";
        QTest::newRow("minus kept") << "-$4,032"
                                    << "-4032";
        QTest::newRow("comma decimal") << "1,5"
                                       << "15";
        QTest::newRow("letters kept") << "12abc"
                                      << "12abc";
        QTest::newRow("only symbols") << "$ %,"
                                      << "0";
    }
    void cleaning() {
        QFETCH(QString, input);
        QFETCH(QString, cleaned);
        QCOMPARE(CleanNumericText(input), cleaned);
    }

    void conversion_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "1250.5" << 1250.5;
        QTest::newRow("negative parentheses") << "(4032)" << -4032.0;
        QTest::newRow("currency parentheses") << "($4,032)" << -4032.0;
        QTest::newRow("minus currency") << "-$4,032.00" << -4032.0;
        QTest::newRow("grouped") << "$1,314.72" << 1314.72;
        QTest::newRow("exponent") << "1.5e3" << 1500.0;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("surrounding blanks") << "  42 " << 42.0;
        QTest::newRow("plus") << "+7" << 7.0;
    }
    void conversion() {
        QFETCH(QString, input);
        QFETCH(double, value);
        QCOMPARE(ToNumber(input), value);
    }

    void rejects_data() {
        QTest::addColumn<QString>("input");
        for (const char* bad : {"abc", "12abc", "1.2.3", "-", ".", "", "(-5)", "1e", "$"})
            QTest::newRow(bad[0] ? bad : "empty") << QString::fromLatin1(bad);
    }
    void rejects() {
        QFETCH(QString, input);
        try {
            ToNumber(input);
            QFAIL("converted a text that is not a number");
        } catch (const RuntimeError& e) {
            QCOMPARE(e.number(), 13);
        }
    }

    void formats() {
        QCOMPARE(CurrencyText(1234.4, 0), QStringLiteral("$1,234"));
        QCOMPARE(CurrencyText(-4032.0, 0), QStringLiteral("($4,032)"));
        QCOMPARE(CurrencyText(1234.4, 2), QStringLiteral("$1,234.40"));
        QCOMPARE(CurrencyText(-4032.0, 2), QStringLiteral("($4,032.00)"));
        QCOMPARE(CurrencyText(1314.7166, 2), QStringLiteral("$1,314.72"));
        QCOMPARE(CurrencyText(2.5, 0), QStringLiteral("$3"));
        QCOMPARE(CurrencyText(-0.2, 0), QStringLiteral("$0"));
        QCOMPARE(CurrencyText(QStringLiteral("($4,032)"), 2), QStringLiteral("($4,032.00)"));
        QCOMPARE(PercentText(0.1395349, 2), QStringLiteral("13.95%"));
        QCOMPARE(PercentText(-0.05, 2), QStringLiteral("-5.00%"));
        QCOMPARE(PlainText(1234.4), QStringLiteral("1234.4"));
        QCOMPARE(PlainText(-4032.0), QStringLiteral("-4032"));
        QCOMPARE(PlainText(0.1 + 0.2), QStringLiteral("0.3"));
        QCOMPARE(PlainText(-1234.5678), QStringLiteral("-1234.5678"));
        // Everything the formats write reads back.
        for (double v : {0.0, 1.0, -1.0, 1234567.891, -98765.4321}) {
            QCOMPARE(ToNumber(CurrencyText(v, 2)), std::round(v * 100) / 100);
            QCOMPARE(ToNumber(PlainText(v)), v);
        }
    }

    void arithmetic() {
        QCOMPARE(Divide(1, 4), 0.25);
        for (auto [n, d, err] : {std::tuple{1.0, 0.0, 11}, std::tuple{0.0, 0.0, 6}}) {
            try {
                Divide(n, d);
                QFAIL("no error");
            } catch (const RuntimeError& e) {
                QCOMPARE(e.number(), err);
            }
        }
        QVERIFY_THROWS_EXCEPTION(RuntimeError, Checked(1e308 * 10));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, CurrencyText(QStringLiteral("abc"), 0));
    }
};

QTEST_GUILESS_MAIN(NumericTextTest)
#include "tst_numerictext.moc"
