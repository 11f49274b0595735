#include "analysis/criteria.h"

#include "analysis/returns.h"
#include "base/errortrap.h"
#include "base/numerictext.h"

#include <cmath>

const std::array<Criterion, kCriterionCount>& AllCriteria() {
    static const std::array<Criterion, kCriterionCount> all = {
        Criterion::CashOnCash, Criterion::DebtServiceCoverage, Criterion::CashFlowPerUnit,
        Criterion::CapRate, Criterion::IrrAfterTax};
    return all;
}

InvestmentCriteria InvestmentCriteria::defaults() {
    InvestmentCriteria c;
    for (Criterion k : AllCriteria())
        c.setTarget(k, CriterionFromText(k, DefaultCriterionText(k)));
    return c;
}

std::optional<double> InvestmentCriteria::target(Criterion c) const {
    switch (c) {
    case Criterion::CashOnCash:
        return cashOnCash;
    case Criterion::DebtServiceCoverage:
        return debtServiceCoverage;
    case Criterion::CashFlowPerUnit:
        return cashFlowPerUnit;
    case Criterion::CapRate:
        return capRate;
    case Criterion::IrrAfterTax:
        return irrAfterTax;
    }
    return std::nullopt;
}

void InvestmentCriteria::setTarget(Criterion c, std::optional<double> value) {
    switch (c) {
    case Criterion::CashOnCash:
        cashOnCash = value;
        break;
    case Criterion::DebtServiceCoverage:
        debtServiceCoverage = value;
        break;
    case Criterion::CashFlowPerUnit:
        cashFlowPerUnit = value;
        break;
    case Criterion::CapRate:
        capRate = value;
        break;
    case Criterion::IrrAfterTax:
        irrAfterTax = value;
        break;
    }
}

QString CriterionCaption(Criterion c) {
    switch (c) {
    case Criterion::CashOnCash:
        return QStringLiteral("Cash-on-Cash Return");
    case Criterion::DebtServiceCoverage:
        return QStringLiteral("Debt Service Coverage");
    case Criterion::CashFlowPerUnit:
        return QStringLiteral("Monthly Cash Flow per Unit");
    case Criterion::CapRate:
        return QStringLiteral("Capitalization Rate");
    case Criterion::IrrAfterTax:
        return QStringLiteral("IRR After Tax");
    }
    return QString();
}

QString CriterionKey(Criterion c) {
    switch (c) {
    case Criterion::CashOnCash:
        return QStringLiteral("CashOnCash");
    case Criterion::DebtServiceCoverage:
        return QStringLiteral("DSCR");
    case Criterion::CashFlowPerUnit:
        return QStringLiteral("CashFlowPerUnit");
    case Criterion::CapRate:
        return QStringLiteral("CapRate");
    case Criterion::IrrAfterTax:
        return QStringLiteral("IRRAfterTax");
    }
    return QString();
}

bool IsPercentCriterion(Criterion c) {
    return c == Criterion::CashOnCash || c == Criterion::CapRate || c == Criterion::IrrAfterTax;
}

QString DefaultCriterionText(Criterion c) {
    switch (c) {
    case Criterion::CashOnCash:
        return QStringLiteral("8");
    case Criterion::DebtServiceCoverage:
        return QStringLiteral("1.25");
    case Criterion::CashFlowPerUnit:
        return QStringLiteral("100");
    case Criterion::CapRate:
        return QString();
    case Criterion::IrrAfterTax:
        return QStringLiteral("12");
    }
    return QString();
}

namespace {

// The number a text reads as, the way every field is read; nothing for a text that is none.
std::optional<double> NumberIn(const QString& text) {
    double v = 0;
    if (!TrapSilently([&] { v = FieldNumber(text); }) || !std::isfinite(v))
        return std::nullopt;
    return v;
}

} // namespace

std::optional<double> CriterionFromText(Criterion c, const QString& text) {
    if (text.trimmed().isEmpty())
        return std::nullopt;
    std::optional<double> v = NumberIn(text);
    if (!v) // the defaults are all blank or numbers, so this ends at once
        return CriterionFromText(c, DefaultCriterionText(c));
    return IsPercentCriterion(c) ? *v * 0.01 : *v;
}

bool IsCriterionText(const QString& text) {
    return text.trimmed().isEmpty() || NumberIn(text).has_value();
}

QString CriterionValueText(Criterion c, double value) {
    switch (c) {
    case Criterion::CashOnCash:
    case Criterion::CapRate:
    case Criterion::IrrAfterTax:
        return ReturnsPercentText(value);
    case Criterion::DebtServiceCoverage:
        return ReturnsRatioText(value);
    case Criterion::CashFlowPerUnit:
        return ReturnsMoneyText(value);
    }
    return kNotAvailable;
}
