#include "analysis/sensitivity.h"

#include "analysis/offer.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double Clamp(double v, double low, double high) {
    return std::isnan(v) ? v : std::min(std::max(v, low), high);
}

} // namespace

const QVector<Criterion>& SensitivityMetrics() {
    static const QVector<Criterion> metrics = {Criterion::IrrAfterTax, Criterion::CashOnCash,
                                               Criterion::CashFlowPerUnit,
                                               Criterion::DebtServiceCoverage};
    return metrics;
}

QString SensitivityInputCaption(SensitivityInput input) {
    switch (input) {
    case SensitivityInput::PurchasePrice:
        return QStringLiteral("Purchase Price");
    case SensitivityInput::GrossMonthlyIncome:
        return QStringLiteral("Gross Monthly Income");
    case SensitivityInput::VacancyRate:
        return QStringLiteral("Expected Vacancy Rate");
    case SensitivityInput::OperatingExpenses:
        return QStringLiteral("Operating Expenses");
    case SensitivityInput::InterestRate:
        return QStringLiteral("Annual Interest Rate");
    case SensitivityInput::Appreciation:
        return QStringLiteral("Expected Appreciation");
    case SensitivityInput::RentIncrease:
        return QStringLiteral("Annual Rate Increase");
    case SensitivityInput::SellingCosts:
        return QStringLiteral("Selling Costs");
    case SensitivityInput::HoldingPeriod:
        return QStringLiteral("Holding Period");
    case SensitivityInput::RehabBudget:
        return QStringLiteral("Rehab Budget");
    case SensitivityInput::AfterRepairValue:
        return QStringLiteral("After Repair Value");
    }
    return QString();
}

QString SensitivityStepText(SensitivityInput input) {
    switch (input) {
    case SensitivityInput::PurchasePrice:
    case SensitivityInput::GrossMonthlyIncome:
    case SensitivityInput::AfterRepairValue:
        return QStringLiteral("±5 %");
    case SensitivityInput::VacancyRate:
        return QStringLiteral("±2.5 points");
    case SensitivityInput::OperatingExpenses:
    case SensitivityInput::RehabBudget:
        return QStringLiteral("±10 %");
    case SensitivityInput::InterestRate:
        return QStringLiteral("±0.5 point");
    case SensitivityInput::Appreciation:
    case SensitivityInput::RentIncrease:
    case SensitivityInput::SellingCosts:
        return QStringLiteral("±1 point");
    case SensitivityInput::HoldingPeriod:
        return QStringLiteral("±2 years");
    }
    return QString();
}

ReturnsInputs SteppedInputs(const ReturnsInputs& in, SensitivityInput input, bool up) {
    const double sign = up ? 1 : -1;
    ReturnsInputs out = in;
    switch (input) {
    case SensitivityInput::PurchasePrice:
        return AtPrice(in, in.purchasePrice * (1 + sign * 0.05));
    case SensitivityInput::GrossMonthlyIncome:
        out.grossMonthlyIncome *= 1 + sign * 0.05;
        break;
    case SensitivityInput::VacancyRate:
        out.vacancyRate = Clamp(in.vacancyRate + sign * 0.025, 0, 1);
        break;
    case SensitivityInput::OperatingExpenses:
        out.operatingExpenses *= 1 + sign * 0.10;
        break;
    case SensitivityInput::InterestRate:
        for (ReturnsMortgage& m : out.mortgages)
            if (m.principal > 0)
                m.annualRate = std::isnan(m.annualRate)
                                   ? m.annualRate
                                   : std::max(0.0, m.annualRate + sign * 0.005);
        break;
    case SensitivityInput::Appreciation:
        out.appreciation += sign * 0.01;
        break;
    case SensitivityInput::RentIncrease:
        out.rentIncrease += sign * 0.01;
        break;
    case SensitivityInput::SellingCosts:
        out.sellingCostRate = std::isnan(in.sellingCostRate)
                                  ? in.sellingCostRate
                                  : std::max(0.0, in.sellingCostRate + sign * 0.01);
        break;
    case SensitivityInput::HoldingPeriod:
        // A holding period the returns cannot work with stays one: moving it would make up
        // figures around a base that has none.
        if (in.holdingPeriod >= 1 && in.holdingPeriod <= 20)
            out.holdingPeriod = std::min(20, std::max(1, in.holdingPeriod + (up ? 2 : -2)));
        break;
    case SensitivityInput::RehabBudget:
        out.rehabCost *= 1 + sign * 0.10;
        break;
    case SensitivityInput::AfterRepairValue:
        out.afterRepairValue *= 1 + sign * 0.05;
        break;
    }
    return out;
}

double TornadoRow::swing() const {
    return std::isfinite(low) && std::isfinite(high) ? std::fabs(high - low) : kNaN;
}

Tornado ComputeTornado(const ReturnsInputs& in, double units, Criterion metric) {
    Tornado t;
    t.metric = metric;
    t.base = CriterionMetric(metric, in, units);
    QVector<SensitivityInput> inputs;
    for (int i = 0; i < kSensitivityInputCount; ++i)
        inputs.append(SensitivityInput(i));
    // A repair's own guesses count only where there is a repair to guess about.
    if (in.rehabCost > 0)
        inputs.append(SensitivityInput::RehabBudget);
    if (in.afterRepairValue > 0)
        inputs.append(SensitivityInput::AfterRepairValue);
    for (SensitivityInput input : inputs) {
        TornadoRow row;
        row.input = input;
        row.low = CriterionMetric(metric, SteppedInputs(in, row.input, false), units);
        row.high = CriterionMetric(metric, SteppedInputs(in, row.input, true), units);
        t.rows.append(row);
    }
    SortTornadoRows(t.rows);
    return t;
}

void SortTornadoRows(QVector<TornadoRow>& rows) {
    std::stable_sort(rows.begin(), rows.end(), [](const TornadoRow& a, const TornadoRow& b) {
        const double sa = a.swing();
        const double sb = b.swing();
        if (std::isnan(sa) || std::isnan(sb))
            return !std::isnan(sa) && std::isnan(sb);
        return sa > sb;
    });
}

const std::array<double, kMatrixSize>& MatrixSteps() {
    static const std::array<double, kMatrixSize> steps = {-0.10, -0.05, 0, 0.05, 0.10};
    return steps;
}

SensitivityMatrix ComputeSensitivityMatrix(const ReturnsInputs& in, double units, Criterion metric,
                                           std::optional<double> target) {
    SensitivityMatrix m;
    m.metric = metric;
    for (int k = 0; k < kMatrixSize; ++k) {
        m.prices[size_t(k)] = in.purchasePrice * (1 + MatrixSteps()[size_t(k)]);
        m.incomes[size_t(k)] = in.grossMonthlyIncome * (1 + MatrixSteps()[size_t(k)]);
    }
    for (int r = 0; r < kMatrixSize; ++r) {
        for (int c = 0; c < kMatrixSize; ++c) {
            ReturnsInputs cell = r == kMatrixBase ? in : AtPrice(in, m.prices[size_t(r)]);
            cell.grossMonthlyIncome = m.incomes[size_t(c)];
            double& value = m.values[size_t(r)][size_t(c)];
            if (target)
                m.meets[size_t(r)][size_t(c)] = MeetsTarget(metric, cell, units, *target, &value);
            else
                value = CriterionMetric(metric, cell, units);
        }
    }
    return m;
}
