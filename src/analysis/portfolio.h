#pragma once

#include "analysis/criteria.h"
#include "analysis/returns.h"

#include <QPair>
#include <QString>
#include <QVector>

#include <array>
#include <limits>

// The figures of one property as the portfolio table and the comparison show them, worked out
// from the property's stored inputs by the program's own engine: the investment summary and the
// returns on a form of its own. The computed keys a file may hold are never read: older files
// lack them and any of them may be stale.
//
// Pure and free of widgets and of the property table, so it runs on worker threads.

// A property as the table holds it: its key/value texts in stored order.
using StoredProperty = QVector<QPair<QString, QString>>;

enum class PortfolioFigure {
    // The table's figures, in its column order.
    Price,
    PricePerUnit,
    CashInvested,
    MonthlyCashFlow,
    CapRate,
    CashOnCash,
    DebtServiceCoverage,
    GrossRentMultiplier,
    BreakEven,
    IrrAfterTax,
    EquityMultiple,
    // Only the comparison and the totals need these.
    YearOneNoi,
    YearOneDebtService,
    YearOneCashFlow,
    SaleProceedsAfterTax,
    IrrBeforeTax,
    ExpenseRatio,
    LoanToValue,
    Count
};
constexpr int kPortfolioFigureCount = int(PortfolioFigure::Count);

// A figure's text as the views show it: money without decimals (the price per unit with
// cents, as the summary shows it), percentages and ratios with two decimals; "n/a" for NaN.
QString PortfolioFigureText(PortfolioFigure figure, double value);

struct PortfolioProperty {
    // Indexed by PortfolioFigure; NaN where a figure cannot be computed (an input that does not
    // convert, no debt for the coverage, a holding period the returns cannot work with).
    std::array<double, kPortfolioFigureCount> figures{};
    ReturnsInputs inputs; // as the returns read them, for the comparison's input rows
    double units = 1;     // what a figure per unit divides by (UnitCount)
    QStringList unusable; // the inputs that do not convert
    double value(PortfolioFigure f) const { return figures[size_t(f)]; }
    QString text(PortfolioFigure f) const { return PortfolioFigureText(f, value(f)); }
};

// Whether a stored key is one of the inputs the figures are computed from (letter case
// ignored): the fields typed on the property, financial and returns views, not the payments,
// the summary or the outlook.
bool IsPortfolioInput(const QString& key);

PortfolioProperty ComputePortfolioProperty(const StoredProperty& stored);

// How a property stands against the user's investment criteria at its asking price and, when
// asked for, the most to offer for it: the offer searches a price for each target, a thousand
// times the work of the other figures, so the table works it out last.
struct PortfolioCriteria {
    bool priceable = false; // a price above 0 and every input a number
    int met = 0;
    int inForce = 0;
    // The offer as the returns view's offer shows it ("$467,547", "No price", "Over ...", "n/a",
    // "Not used"), and the number it sorts by: the price, ten times the asking price for "Over",
    // -1 for "No price" (below any price), NaN for "n/a" and "Not used". Empty and NaN when the
    // offer was not asked for.
    QString offerText;
    double offerSort = std::numeric_limits<double>::quiet_NaN();
    // "3 of 4"; "n/a" when the property cannot be priced.
    QString criteriaText() const;
    // Every target in force met: the row's green tick.
    bool meetsEvery() const { return priceable && inForce > 0 && met == inForce; }
};
PortfolioCriteria ComputePortfolioCriteria(const ReturnsInputs& in, double units,
                                           const InvestmentCriteria& criteria, bool withOffer);
