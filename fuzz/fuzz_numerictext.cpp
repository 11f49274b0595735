// Numeric text on any input: nothing crashes; a text is either a finite number or raises the
// program's own error; reading a field agrees with cleaning it and converting; and every text
// the formatters write reads back as the figure it shows.
#include "base/errortrap.h"
#include "base/numerictext.h"
#include "fuzzcheck.h"

#include <cmath>
#include <cstring>
#include <optional>

namespace {

// The number, or nothing when the conversion raised the error trap's error 13 or 6.
template <class F> std::optional<double> number(F&& convert, const QString& text) {
    try {
        const double value = convert(text);
        fuzzCheck(std::isfinite(value), "a conversion gave a number that is not finite", text);
        return value;
    } catch (const RuntimeError& e) {
        fuzzCheck(e.number() == 13 || e.number() == 6, "a conversion raised an unexpected error",
                  QString::number(e.number()) + QLatin1Char(' ') + text);
        return std::nullopt;
    }
}

bool close(double got, double expected, double absolute) {
    return std::fabs(got - expected) <= absolute + std::fabs(expected) * 1e-14;
}

// A formatted figure, or nothing when the value cannot be shown (overflow raises error 6).
template <class F> std::optional<QString> formatted(F&& format) {
    try {
        return format();
    } catch (const RuntimeError& e) {
        fuzzCheck(e.number() == 6, "a formatter raised an error other than overflow",
                  QString::number(e.number()));
        return std::nullopt;
    }
}

void checkFormatters(double value) {
    for (int decimals = 0; decimals <= 2; ++decimals) {
        const double unit = std::pow(10.0, -decimals);
        if (const auto text = formatted([&] { return CurrencyText(value, decimals); })) {
            const auto back = number(FieldNumber, *text);
            fuzzCheck(back && close(*back, value, unit / 2), "a currency text reads back wrong",
                      *text, QString::number(value, 'g', 17));
        }
        if (const auto text = formatted([&] { return PercentText(value, decimals); })) {
            const auto back = number(FieldNumber, *text);
            fuzzCheck(back && close(*back, value * 100, unit / 2),
                      "a percent text reads back wrong", *text,
                      QString::number(value * 100, 'g', 17));
        }
    }
    if (const auto text = formatted([&] { return PlainText(value); })) {
        // Fifteen digits of the very largest figures round past the largest double, so those
        // read back as an overflow.
        const auto back = number(ToNumber, *text);
        fuzzCheck(back ? close(*back, value, 0) : std::fabs(value) > 1.7976931348623e308,
                  "a plain text reads back wrong", *text, QString::number(value, 'g', 17));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));

    const QString cleaned = CleanNumericText(text);
    fuzzCheck(!cleaned.isEmpty(), "a cleaned text is empty", text);
    const auto direct = number(ToNumber, text);
    const auto field = number(FieldNumber, text);
    const auto viaClean = number(ToNumber, cleaned);
    fuzzCheck(field.has_value() == viaClean.has_value() && (!field || *field == *viaClean),
              "reading a field is not cleaning then converting", text);
    if (direct)
        checkFormatters(*direct);

    // The raw bytes as a figure too, so the formatters meet every double there is.
    double raw = 0;
    if (size >= sizeof raw) {
        std::memcpy(&raw, data, sizeof raw);
        if (std::isfinite(raw))
            checkFormatters(raw);
        else
            fuzzCheck(!formatted([&] { return PlainText(raw); }),
                      "a figure that is not finite was shown");
    }
    return 0;
}
