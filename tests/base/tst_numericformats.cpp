// The hand-written fast paths of the numeric text (currency, plain number, conversion) must
// give exactly what the locale and Qt's own conversions give; the reference here is Qt itself.
#include "base/errortrap.h"
#include "base/numerictext.h"

#include <QLocale>
#include <QtTest>

#include <cmath>
#include <random>

namespace {

QString LocaleCurrency(double value, int decimals) {
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const double scale = std::pow(10.0, decimals);
    double rounded = std::round(value * scale) / scale;
    if (rounded == 0)
        rounded = 0;
    return us.toCurrencyString(rounded, QStringLiteral("$"), decimals);
}

int ErrorOf(const QString& text) {
    try {
        ToNumber(text);
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

} // namespace

class NumericFormatsTest : public QObject {
    Q_OBJECT
private slots:
    void currencyMatchesLocale() {
        const double fixed[] = {0,          0.004,    -0.004,      0.005,        -0.005,
                                0.5,        -0.5,     1.005,       999.995,      -999.995,
                                1000,       -1000,    1234567.891, -98765.4321,  314.82,
                                1314.7166,  999999.5, -999999.5,   12345678.125, 99999999999.99,
                                1e13 + 0.5, -4032.0,  20850.0,     201.0 - 0.2,  0.125};
        for (double v : fixed)
            for (int decimals : {0, 2})
                QCOMPARE(CurrencyText(v, decimals), LocaleCurrency(v, decimals));
        std::mt19937_64 random(20261207);
        std::uniform_real_distribution<double> exponent(-3, 14);
        for (int i = 0; i < 20000; ++i) {
            double v = std::pow(10.0, exponent(random)) * ((random() & 1) ? -1 : 1);
            if (i % 3 == 0) // exact halves of a cent and of a dollar
                v = std::round(v * 100) / 100 + ((i % 2) ? 0.005 : 0.5);
            for (int decimals : {0, 2})
                QCOMPARE(CurrencyText(v, decimals), LocaleCurrency(v, decimals));
        }
        // Beyond what the fast path handles, the locale formats it.
        QCOMPARE(CurrencyText(1e16, 0), LocaleCurrency(1e16, 0));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, CurrencyText(1e307, 2));
    }

    // Qt rounds an exact half at the 15th significant digit away from zero; so must we.
    void plainTextMatchesQt() {
        auto qt = [](double v) { return QString::number(v, 'g', 15); };
        const double fixed[] = {1234567890123.125,
                                -1234567890123.125,
                                81407321960971.25,
                                12345678901.03125,
                                1.0 / 3,
                                -12353.0 / 12,
                                1246.0 / 12,
                                1e-5,
                                123456789012345678.0,
                                0.1 + 0.2,
                                -7986394902196.625,
                                5e-324};
        for (double v : fixed)
            QCOMPARE(PlainText(v), qt(v));
        std::mt19937_64 random(7);
        std::uniform_real_distribution<double> exponent(-3, 15);
        for (int i = 0; i < 20000; ++i) {
            const double v = std::pow(10.0, exponent(random)) * ((random() & 1) ? -1 : 1);
            QCOMPARE(PlainText(v), qt(v));
            QCOMPARE(PlainText(std::round(v) / 12), qt(std::round(v) / 12));
            QCOMPARE(ToNumber(PlainText(v)), ToNumber(qt(v)));
        }
        QCOMPARE(PlainText(-0.0), QStringLiteral("0"));
    }

    // Every conversion is correctly rounded, like Qt's, and reads what the formats write.
    void conversionMatchesQt() {
        const char* texts[] = {
            "0.1",  "1314.7166",        "-12353.4166666667",       "3.14159265358979",
            "1e-7", "9007199254740993", "2.2250738585072014e-308", "123456789.123456789"};
        for (const char* text : texts)
            QCOMPARE(ToNumber(QString::fromLatin1(text)), QString::fromLatin1(text).toDouble());
        QCOMPARE(FieldNumber(QStringLiteral("$1,314.72")), 1314.72);
        QCOMPARE(FieldNumber(QStringLiteral(" ( $4,032 ) ")), -4032.0);
        QCOMPARE(FieldNumber(QStringLiteral(" % ")), 0.0);
    }

    // Too large for a double is an overflow (6), too small to hold is zero, and neither is
    // mistaken for a text that is not a number.
    void conversionLimits() {
        QCOMPARE(ErrorOf(QStringLiteral("1e400")), 6);
        QCOMPARE(ErrorOf(QStringLiteral("-1e400")), 6);
        QCOMPARE(ToNumber(QStringLiteral("1e-400")), 0.0);
        QCOMPARE(ErrorOf(QStringLiteral("1e4x")), 13);
        QCOMPARE(ErrorOf(QStringLiteral("12 34")), 13);
        const QString longDigits(200, QLatin1Char('1'));
        QCOMPARE(ToNumber(longDigits), longDigits.toDouble());
    }
};

QTEST_GUILESS_MAIN(NumericFormatsTest)
#include "tst_numericformats.moc"
