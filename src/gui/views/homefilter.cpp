#include "gui/views/homefilter.h"

#include "base/errortrap.h"
#include "base/numerictext.h"
#include "store/propertydatabase.h"

#include <cmath>

namespace {

// The whole-number conversion the filters use: banker's rounding, 32-bit range.
qint32 WholeNumber(const QString& text) {
    const double value = std::nearbyint(ToNumber(text));
    if (value > 2147483647.0 || value < -2147483648.0)
        RaiseError(6);
    return qint32(value);
}

} // namespace

HomeFilter::HomeFilter(const QString& filter) {
    const QString lower = filter.toLower();
    if (lower == QLatin1String("show all properties"))
        m_rule = Rule::None;
    else if (lower == QLatin1String("1-unit only"))
        m_rule = Rule::OneUnit;
    else if (lower == QLatin1String("multiple units"))
        m_rule = Rule::MultipleUnits;
    else if (lower.contains(QLatin1String("purchase price < $")))
        m_rule = Rule::PriceBelow;
    else if (lower.contains(QLatin1String("purchase price $2,000,000 +")))
        m_rule = Rule::PriceFrom2M;
    m_limitText = filter.mid(filter.indexOf(QLatin1Char('$')) + 1);
}

bool HomeFilter::tests(const QString& key) const {
    switch (m_rule) {
    case Rule::OneUnit:
    case Rule::MultipleUnits:
        return key.compare(QLatin1String("txtUnits"), Qt::CaseInsensitive) == 0;
    case Rule::PriceBelow:
    case Rule::PriceFrom2M:
        return key.compare(QLatin1String("txtPurchasePrice"), Qt::CaseInsensitive) == 0;
    case Rule::None:
        break;
    }
    return false;
}

bool HomeFilter::rejects(const QString& value, bool quiet) const {
    // A value that cannot be read rejects the property (the failure is logged, then the
    // rejection runs).
    auto rejects = [&](int location, auto&& test) {
        bool result = true;
        if (quiet)
            TrapSilently([&] { result = test(); });
        else
            Trap(location, [&] { result = test(); });
        return result;
    };
    switch (m_rule) {
    case Rule::OneUnit:
        return rejects(3140, [&] { return WholeNumber(value) > 1; });
    case Rule::MultipleUnits:
        return rejects(3141, [&] { return WholeNumber(value) <= 1; });
    case Rule::PriceBelow:
        return rejects(3142, [&] { return WholeNumber(value) > WholeNumber(m_limitText); });
    case Rule::PriceFrom2M:
        return rejects(3143, [&] { return WholeNumber(value) < 2000000; });
    case Rule::None:
        break;
    }
    return false;
}

bool SearchFinds(const QString& search, const QString& name, const QString& address,
                 const QString& storedNotes) {
    if (search.isEmpty() || name.contains(search, Qt::CaseInsensitive) ||
        address.contains(search, Qt::CaseInsensitive))
        return true;
    // A stored line break is two characters that were never typed: "~|" must not be found.
    if (storedNotes.contains(QLatin1String("~|")))
        return DecodeLineBreaks(storedNotes).contains(search, Qt::CaseInsensitive);
    return storedNotes.contains(search, Qt::CaseInsensitive);
}
