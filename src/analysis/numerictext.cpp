#include "analysis/numerictext.h"

#include "app/errortrap.h"

#include <QLocale>
#include <cmath>

namespace {

const QLocale& usLocale() {
    static const QLocale locale(QLocale::English, QLocale::UnitedStates);
    return locale;
}

// Parses sign, digits with optional "," grouping, a decimal point and an exponent.
bool parsePlain(const QString& s, double* out) {
    if (s.isEmpty())
        return false;
    QString digits;
    digits.reserve(s.size());
    int i = 0;
    bool negative = false;
    if (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-')) {
        negative = s[i] == QLatin1Char('-');
        ++i;
    }
    if (i < s.size() && s[i] == QLatin1Char('$'))
        ++i;
    // "-$4,032" and "$-4,032" both occur in hand-typed figures.
    if (i < s.size() && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-')) && !negative) {
        negative = s[i] == QLatin1Char('-');
        ++i;
    }
    bool anyDigit = false;
    bool point = false;
    for (; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c.isDigit() && c.unicode() < 128) {
            digits.append(c);
            anyDigit = true;
        } else if (c == QLatin1Char(',') && !point && anyDigit) {
            continue;
        } else if (c == QLatin1Char('.') && !point) {
            digits.append(c);
            point = true;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return false;
    if (i < s.size() && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E'))) {
        int j = i + 1;
        QString exponent = QStringLiteral("e");
        if (j < s.size() && (s[j] == QLatin1Char('+') || s[j] == QLatin1Char('-')))
            exponent.append(s[j++]);
        const int firstExponentDigit = j;
        while (j < s.size() && s[j].isDigit() && s[j].unicode() < 128)
            exponent.append(s[j++]);
        if (j == firstExponentDigit)
            return false;
        digits.append(exponent);
        i = j;
    }
    if (i != s.size())
        return false;
    bool ok = false;
    const double value = digits.toDouble(&ok);
    if (!ok)
        return false;
    *out = negative ? -value : value;
    return true;
}

} // namespace

QString CleanNumericText(const QString& text) {
    QString s = text;
    s.remove(QLatin1Char('$'));
    s.remove(QLatin1Char(','));
    s.remove(QLatin1Char(' '));
    s.remove(QLatin1Char('%'));
    if (s.trimmed().isEmpty())
        return QStringLiteral("0");
    return s;
}

double ToNumber(const QString& text) {
    QString s = text.trimmed();
    bool negative = false;
    if (s.size() >= 2 && s.startsWith(QLatin1Char('(')) && s.endsWith(QLatin1Char(')'))) {
        s = s.mid(1, s.size() - 2).trimmed();
        negative = true;
    }
    double value = 0;
    if (!parsePlain(s, &value) || (negative && value < 0))
        RaiseError(13);
    if (!std::isfinite(value))
        RaiseError(6);
    return negative ? -value : value;
}

double FieldNumber(const QString& text) { return ToNumber(CleanNumericText(text)); }

QString CurrencyText(double value, int decimals) {
    Checked(value);
    // Round half away from zero first, so the display never depends on the library's rule.
    const double scale = std::pow(10.0, decimals);
    double rounded = std::round(value * scale) / scale;
    if (rounded == 0)
        rounded = 0; // no "($0)" for a tiny negative amount
    return usLocale().toCurrencyString(rounded, QStringLiteral("$"), decimals);
}

QString CurrencyText(const QString& text, int decimals) {
    return CurrencyText(ToNumber(text), decimals);
}

QString PercentText(double fraction, int decimals) {
    const double value = Checked(fraction * 100.0);
    const double scale = std::pow(10.0, decimals);
    double rounded = std::round(value * scale) / scale;
    if (rounded == 0)
        rounded = 0;
    return usLocale().toString(rounded, 'f', decimals) + QLatin1Char('%');
}

QString PercentText(const QString& text, int decimals) {
    return PercentText(ToNumber(text), decimals);
}

QString PlainText(double value) {
    Checked(value);
    if (value == 0)
        return QStringLiteral("0");
    QString s = QString::number(value, 'g', 15);
    // Plain notation for the magnitudes money takes; the exponent form only beyond them.
    if (s.contains(QLatin1Char('e')) && std::fabs(value) < 1e15 && std::fabs(value) >= 1e-4) {
        s = QString::number(value, 'f', 15 - int(std::floor(std::log10(std::fabs(value)))) - 1);
        if (s.contains(QLatin1Char('.'))) {
            while (s.endsWith(QLatin1Char('0')))
                s.chop(1);
            if (s.endsWith(QLatin1Char('.')))
                s.chop(1);
        }
    }
    return s;
}

double Divide(double numerator, double denominator) {
    if (denominator == 0)
        RaiseError(numerator == 0 ? 6 : 11);
    return Checked(numerator / denominator);
}

double Checked(double value) {
    if (!std::isfinite(value))
        RaiseError(6);
    return value;
}
