#include "base/numerictext.h"

#include "base/errortrap.h"

#include <QLocale>
#include <QVarLengthArray>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

const QLocale& usLocale() {
    static const QLocale locale(QLocale::English, QLocale::UnitedStates);
    return locale;
}

// Parses sign, digits with optional "," grouping, a decimal point and an exponent. Every
// figure of a recalculation passes through here several times, so it works on a view and a
// stack buffer and never allocates.
void parsePlain(QStringView s, double* out, bool* ok) {
    *ok = false;
    if (s.isEmpty())
        return;
    QVarLengthArray<char, 64> digits;
    qsizetype i = 0;
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
        const char16_t c = s[i].unicode();
        if (c >= u'0' && c <= u'9') {
            digits.append(char(c));
            anyDigit = true;
        } else if (c == u',' && !point && anyDigit) {
            continue;
        } else if (c == u'.' && !point) {
            digits.append('.');
            point = true;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return;
    if (i < s.size() && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        digits.append('e');
        if (j < s.size() && (s[j] == QLatin1Char('+') || s[j] == QLatin1Char('-')))
            digits.append(char(s[j++].unicode()));
        const qsizetype firstExponentDigit = j;
        while (j < s.size() && s[j].unicode() >= u'0' && s[j].unicode() <= u'9')
            digits.append(char(s[j++].unicode()));
        if (j == firstExponentDigit)
            return;
        i = j;
    }
    if (i != s.size())
        return;
    const char* first = digits.constData();
    const char* last = first + digits.size();
    double value = 0;
    const std::from_chars_result r = std::from_chars(first, last, value);
    if (r.ec == std::errc::result_out_of_range) {
        // Too large is an overflow; too small to hold is zero.
        const std::string text(first, last);
        value = std::strtod(text.c_str(), nullptr) == 0 ? 0.0 : HUGE_VAL;
    } else if (r.ec != std::errc() || r.ptr != last) {
        return;
    }
    *out = negative ? -value : value;
    *ok = true;
}

double parseNumber(QStringView text) {
    QStringView s = text.trimmed();
    bool negative = false;
    if (s.size() >= 2 && s.front() == QLatin1Char('(') && s.back() == QLatin1Char(')')) {
        s = s.mid(1, s.size() - 2).trimmed();
        negative = true;
    }
    double value = 0;
    bool ok = false;
    parsePlain(s, &value, &ok);
    if (!ok || (negative && value < 0))
        RaiseError(13);
    if (!std::isfinite(value))
        RaiseError(6);
    return negative ? -value : value;
}

inline bool isDropped(QChar c) {
    return c == QLatin1Char('$') || c == QLatin1Char(',') || c == QLatin1Char(' ') ||
           c == QLatin1Char('%');
}

// $1,234.56 and ($1,234.56) from a whole number of cents (or dollars, or whatever the
// decimals say), as the United States locale writes them. Done by hand because the locale's
// own formatter is the most expensive step of a recalculation.
QString formatCurrency(qint64 units, int decimals) {
    const bool negative = units < 0;
    quint64 magnitude = negative ? quint64(0) - quint64(units) : quint64(units);
    char reversed[48];
    int n = 0;
    for (int d = 0; d < decimals; ++d) {
        reversed[n++] = char('0' + magnitude % 10);
        magnitude /= 10;
    }
    if (decimals > 0)
        reversed[n++] = '.';
    int group = 0;
    do {
        if (group == 3) {
            reversed[n++] = ',';
            group = 0;
        }
        reversed[n++] = char('0' + magnitude % 10);
        magnitude /= 10;
        ++group;
    } while (magnitude != 0);
    QString text;
    text.reserve(n + 3);
    if (negative)
        text.append(QLatin1Char('('));
    text.append(QLatin1Char('$'));
    while (n > 0)
        text.append(QLatin1Char(reversed[--n]));
    if (negative)
        text.append(QLatin1Char(')'));
    return text;
}

// What QString::number(value, 'g', 15) gives, without its slow path for most values. The
// standard library rounds an exact half to even where Qt rounds it away from zero; an exact
// half at the 16th digit shows as a 16-digit shortest form ending in 5, and goes to Qt.
QString formatGeneral15(double value) {
    char buffer[64];
    const std::to_chars_result shortest =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    const char* begin = buffer;
    const char* exponent = std::find(begin, static_cast<const char*>(shortest.ptr), 'e');
    const qsizetype digits =
        std::count_if(begin, exponent, [](char c) { return c >= '0' && c <= '9'; });
    if (shortest.ec != std::errc() || (digits == 16 && exponent[-1] == '5'))
        return QString::number(value, 'g', 15);
    const std::to_chars_result r =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    if (r.ec != std::errc())
        return QString::number(value, 'g', 15);
    return QString::fromLatin1(buffer, r.ptr - buffer);
}

} // namespace

QString CleanNumericText(const QString& text) {
    // The four removals are of single characters, so one pass does them all.
    QString s;
    if (std::any_of(text.cbegin(), text.cend(), isDropped)) {
        s.reserve(text.size());
        for (const QChar c : text)
            if (!isDropped(c))
                s.append(c);
    } else {
        s = text;
    }
    if (QStringView(s).trimmed().isEmpty())
        return QStringLiteral("0");
    return s;
}

double ToNumber(const QString& text) {
    return parseNumber(text);
}

double FieldNumber(const QString& text) {
    // CleanNumericText then ToNumber, without building the cleaned text on the heap.
    QVarLengthArray<QChar, 64> cleaned;
    for (const QChar c : text)
        if (!isDropped(c))
            cleaned.append(c);
    const QStringView view(cleaned.constData(), cleaned.size());
    if (view.trimmed().isEmpty())
        return 0;
    return parseNumber(view);
}

QString CurrencyText(double value, int decimals) {
    Checked(value);
    // Round half away from zero first, so the display never depends on the library's rule.
    const double scale = std::pow(10.0, decimals);
    const double scaled = std::round(Checked(value * scale));
    if (decimals >= 0 && decimals <= 6 && std::fabs(scaled) < 1e15)
        return formatCurrency(qint64(scaled), decimals);
    double rounded = scaled / scale;
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
    double rounded = std::round(Checked(value * scale)) / scale;
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
    QString s = formatGeneral15(value);
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
