#pragma once

#include "analysis/criteria.h"
#include "analysis/returns.h"
#include "model/form.h"

#include <QString>
#include <QVector>

#include <array>
#include <optional>

// The most a user should offer for a property: for each of their criteria the highest price at
// which the property still meets it, and the lowest of those. Every figure comes from
// ComputeReturns on the property at the price tried.

// The property at another price p: with P the price typed and s = p / P, the down payment, the
// closing costs and every mortgage principal are multiplied by s (they keep their share of the
// price); everything else stays as typed, the current market value included (blank stays
// blank, so the value then follows the price).
ReturnsInputs AtPrice(const ReturnsInputs& in, double price);

// The number of units a per-unit figure divides by: the text as a number, where a text that is
// no number or below 1 counts as 1.
double UnitCount(const QString& unitsText);
double UnitCount(const Form& form); // from txtUnits

// Whether the offer can be worked out at all: a price above 0 and every input a number the
// returns can work with. Otherwise every target in force shows "n/a".
bool IsPriceable(const ReturnsInputs& in);

// The criterion's figure for the property as `in` describes it, at its own purchase price:
// cash-on-cash = year-one cash flow before tax ÷ cash invested; DSCR = year-one NOI ÷ year-one
// debt service (NaN without debt); monthly cash flow per unit = year-one cash flow before tax ÷
// 12 ÷ units; capitalization rate = year-one NOI ÷ price; IRR after tax as the returns compute
// it. NaN where it cannot be computed.
double CriterionMetric(Criterion c, const ReturnsInputs& in, double units);
// Whether the figure reaches the target (a figure that cannot be computed does not), where a
// property without debt meets any coverage target; the figure itself into `metric` if given.
bool MeetsTarget(Criterion c, const ReturnsInputs& in, double units, double target,
                 double* metric = nullptr);

enum class OfferOutcome {
    NotUsed,      // the target is blank: "Not used"
    NotAvailable, // no price above 0, or an input that is no number: "n/a"
    NoPrice,      // not met even at a tenth of the asking price: "No price"
    Over,         // still met at ten times the asking price: "Over $2,850,000"
    Price,        // the highest whole-dollar price that meets it
};

struct TargetOffer {
    Criterion criterion = Criterion::CashOnCash;
    OfferOutcome outcome = OfferOutcome::NotUsed;
    double price = 0; // whole dollars for Price, ten times the asking price for Over, else NaN
    QString text;
};

// The search, the same for every target: hi = 10 × P and lo = the first of P ÷ 10, P ÷ 4,
// P ÷ 2 and P that meets the target ("No price" when none does; "Over" when hi meets it too),
// then halving [lo, hi] until it is a cent wide; the answer is lo rounded down to whole dollars.
TargetOffer SearchTarget(Criterion c, const ReturnsInputs& in, double units,
                         std::optional<double> target);

struct OfferResult {
    double askingPrice = 0;
    std::array<TargetOffer, kCriterionCount> targets{};
    // The offer: "No price" when any target finds none, else the lowest price of all, else
    // "Over ..." when every target in force is still met at ten times the asking price.
    OfferOutcome outcome = OfferOutcome::NotUsed;
    double price = 0;
    std::optional<Criterion> binding; // the target that gives the offer, where one does
    QString priceText;
    QString bindingText; // "Limited by Cash-on-Cash Return"
    QString gapText;     // "$67,547 (16.9 %) above the asking price"
};

OfferResult ComputeOffer(const ReturnsInputs& in, double units, const InvestmentCriteria& c);

// How many targets are in force, and how many of them the property meets at its asking price.
int CriteriaInForce(const InvestmentCriteria& c);
int CriteriaMet(const ReturnsInputs& in, double units, const InvestmentCriteria& c);

// The offer group's fields, in the order they are laid out: one per criterion, then the offer,
// then its gap to the asking price.
QString OfferFieldName(Criterion c); // txtOfferCashOnCash, txtOfferDSCR, ...
extern const QString kOfferPriceField;
extern const QString kOfferGapField;

// The arithmetic behind an offer field: the target, the price found and the figure at that
// price; empty for a field that is not the offer group's.
QString ExplainOfferField(const QString& fieldName, const ReturnsInputs& in, double units,
                          const InvestmentCriteria& criteria, const OfferResult& offer);

// Making `price` the purchase price: the purchase price itself, and the down payment, closing
// costs and mortgage principals that hold an amount, scaled with it (to the cent). Empty when
// the property's own price or one of those fields is no number.
struct FieldEdit {
    QString field;
    QString caption;
    double value = 0;    // to be written
    double previous = 0; // as it stands
};
QVector<FieldEdit> PurchasePriceEdits(const Form& form, double price);
