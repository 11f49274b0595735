#pragma once

#include "analysis/criteria.h"
#include "analysis/returns.h"

#include <QString>
#include <QVector>

#include <array>
#include <optional>

// How much a return moves when one guess is off by a step: the tornado (each input a step down
// and a step up, everything else as typed) and the two-way table over price and rent.

// The figures the sensitivity can show, in the order the user picks them from: IRR after tax,
// cash-on-cash, monthly cash flow per unit, debt service coverage.
const QVector<Criterion>& SensitivityMetrics();

enum class SensitivityInput {
    PurchasePrice,      // ±5 %, scaled as the offer scales it
    GrossMonthlyIncome, // ±5 %
    VacancyRate,        // ±2.5 points, kept within 0–100 %
    OperatingExpenses,  // ±10 %, all eleven
    InterestRate,       // ±0.5 point on every loan with a principal, not below 0
    Appreciation,       // ±1 point
    RentIncrease,       // ±1 point
    SellingCosts,       // ±1 point, not below 0
    HoldingPeriod,      // ±2 years, kept within 1–20
    // Only for a property with a repair budget or an after repair value:
    RehabBudget,      // ±10 %
    AfterRepairValue, // ±5 %
};
// The inputs every tornado has; a repair adds up to two.
constexpr int kSensitivityInputCount = 9;
constexpr int kSensitivityInputMost = 11;

QString SensitivityInputCaption(SensitivityInput input); // "Purchase Price"
QString SensitivityStepText(SensitivityInput input);     // "±5 %"
// The inputs with that one moved a step down or up, kept within its range.
ReturnsInputs SteppedInputs(const ReturnsInputs& in, SensitivityInput input, bool up);

struct TornadoRow {
    SensitivityInput input = SensitivityInput::PurchasePrice;
    double low = 0;  // the figure with the input a step down; NaN where it cannot be computed
    double high = 0; // a step up
    // |high − low|; NaN when either end cannot be computed.
    double swing() const;
};

struct Tornado {
    Criterion metric = Criterion::IrrAfterTax;
    double base = 0; // the figure with every input as typed
    // Largest swing first; equal swings in the order of SensitivityInput; a row that cannot be
    // computed at one of its ends last.
    QVector<TornadoRow> rows;
};

Tornado ComputeTornado(const ReturnsInputs& in, double units, Criterion metric);
// The tornado's order: largest swing first, equal swings as they came, rows without a swing last.
void SortTornadoRows(QVector<TornadoRow>& rows);

// Purchase price (rows) × gross monthly income (columns), each −10 %, −5 %, as typed, +5 %,
// +10 %.
constexpr int kMatrixSize = 5;
const std::array<double, kMatrixSize>& MatrixSteps();
constexpr int kMatrixBase = 2; // the row and column of the figures as typed

struct SensitivityMatrix {
    Criterion metric = Criterion::IrrAfterTax;
    std::array<double, kMatrixSize> prices{};
    std::array<double, kMatrixSize> incomes{};
    std::array<std::array<double, kMatrixSize>, kMatrixSize> values{};
    // Whether each cell meets the user's target; nothing without a target.
    std::array<std::array<std::optional<bool>, kMatrixSize>, kMatrixSize> meets{};
};

SensitivityMatrix ComputeSensitivityMatrix(const ReturnsInputs& in, double units, Criterion metric,
                                           std::optional<double> target);
