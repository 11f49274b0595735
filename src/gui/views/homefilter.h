#pragma once

#include <QString>

// One entry of the home page's filter box as a rule: units (1-unit only, multiple units) or a
// price band, whose limit is read from the entry's own text. The cards and the portfolio table
// turn properties away by the same rule.
class HomeFilter {
public:
    explicit HomeFilter(const QString& filterText);

    // Whether the entry is one of the rules; any other text lets every property pass.
    bool isActive() const { return m_rule != Rule::None; }
    // Whether the rule tests this key (txtUnits or txtPurchasePrice, letter case ignored).
    bool tests(const QString& key) const;
    bool testsUnits() const { return m_rule == Rule::OneUnit || m_rule == Rule::MultipleUnits; }
    bool testsPrice() const { return m_rule == Rule::PriceBelow || m_rule == Rule::PriceFrom2M; }
    // Whether that key's value turns the property away. A value that cannot be converted does,
    // and is logged as the failing statement of the test unless quiet.
    bool rejects(const QString& value, bool quiet = false) const;

private:
    enum class Rule { None, OneUnit, MultipleUnits, PriceBelow, PriceFrom2M };
    Rule m_rule = Rule::None;
    QString m_limitText;
};

// Whether a property's name, address or notes contain the search text, letter case ignored;
// true for an empty search. Notes come as stored, their line breaks as "~|".
bool SearchFinds(const QString& search, const QString& name, const QString& address,
                 const QString& storedNotes);
