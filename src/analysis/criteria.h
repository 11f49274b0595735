#pragma once

#include <QString>

#include <array>
#include <optional>

// The user's own investment criteria: the lowest figures a property must reach to be worth
// buying. They belong to the user, not to a property, and apply to every property alike.

// The five targets, in the order the criteria dialog, the offer group and the stored keys list
// them.
enum class Criterion { CashOnCash, DebtServiceCoverage, CashFlowPerUnit, CapRate, IrrAfterTax };
constexpr int kCriterionCount = 5;
const std::array<Criterion, kCriterionCount>& AllCriteria();

// Each target is either not used or the figure to reach: cash-on-cash, capitalization rate and
// IRR as fractions (0.08 for 8 %), the debt service coverage as a ratio, the monthly cash flow
// per unit in dollars.
struct InvestmentCriteria {
    std::optional<double> cashOnCash;
    std::optional<double> debtServiceCoverage;
    std::optional<double> cashFlowPerUnit;
    std::optional<double> capRate;
    std::optional<double> irrAfterTax;

    // 8 %, 1.25, $100 a month and unit, no capitalization rate, 12 %.
    static InvestmentCriteria defaults();

    std::optional<double> target(Criterion c) const;
    void setTarget(Criterion c, std::optional<double> value);
};

// "Cash-on-Cash Return", "Debt Service Coverage", "Monthly Cash Flow per Unit",
// "Capitalization Rate", "IRR After Tax".
QString CriterionCaption(Criterion c);
// The key the target is stored under ("CashOnCash", "DSCR", "CashFlowPerUnit", "CapRate",
// "IRRAfterTax").
QString CriterionKey(Criterion c);
// Whether the target is typed as a percentage (cash-on-cash, capitalization rate, IRR).
bool IsPercentCriterion(Criterion c);
// The target as the user types it by default ("8", "1.25", "100", "", "12").
QString DefaultCriterionText(Criterion c);

// A target as typed: blank means not used; a number is the target (a percentage becomes a
// fraction); a text that is no number counts as the default, as a missing one does, so a
// settings file edited by hand never quietly switches a criterion off.
std::optional<double> CriterionFromText(Criterion c, const QString& text);
// Whether the text is blank or a number: what the dialog accepts.
bool IsCriterionText(const QString& text);

// A figure of that kind as the returns view shows it: a percentage with two decimals, the
// coverage with two decimals, the cash flow as whole dollars; "n/a" for NaN.
QString CriterionValueText(Criterion c, double value);
