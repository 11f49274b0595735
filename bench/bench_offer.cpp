// The returns view's decision groups on an eight-unit building held 20 years on four mortgages,
// with all five criteria in force and each of them limiting the price: the offer (five
// bisections of the price, each step a run of the returns) and the sensitivity (the tornado's
// eighteen runs and the price-by-rent table's twenty-five). Both run on every keystroke while
// the view is on screen.
#include "analysis/offer.h"
#include "analysis/sensitivity.h"
#include "benchreport.h"

#include <chrono>
#include <cstdio>
#include <vector>

namespace {

ReturnsInputs EightUnits() {
    ReturnsInputs in;
    in.purchasePrice = 640000;
    in.downPayment = 128000;
    in.closingCosts = 12800;
    in.currentMarketValue = 655000;
    in.appreciation = 0.03;
    in.improvementsShare = 0.8;
    in.grossMonthlyIncome = 7450;
    in.otherMonthlyIncome = 325;
    in.vacancyRate = 0.065;
    in.rentIncrease = 0.03;
    in.costIncrease = 0.025;
    in.stateTaxRate = 0.0575;
    in.federalTaxRate = 0.24;
    in.capitalGainsRate = 0.15;
    in.operatingExpenses = 9200 + 3150 + 8320 + 6990;
    in.holdingPeriod = 20;
    in.mortgages = {ReturnsMortgage{400000, 0.0675, 360}, ReturnsMortgage{60000, 0.085, 180},
                    ReturnsMortgage{25000, 0.0925, 120}, ReturnsMortgage{15000, 0.07, 84}};
    return in;
}

template <class Work> double MedianMillis(int runs, Work&& work) {
    std::vector<double> times;
    times.reserve(size_t(runs));
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto stop = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
    }
    return MedianOf(times);
}

} // namespace

int main() {
    const ReturnsInputs in = EightUnits();
    constexpr double units = 8;
    InvestmentCriteria criteria = InvestmentCriteria::defaults();
    criteria.capRate = 0.07;

    OfferResult offer;
    const double offerMs = MedianMillis(200, [&] { offer = ComputeOffer(in, units, criteria); });
    for (const TargetOffer& t : offer.targets)
        std::printf("%s: %s\n", qPrintable(CriterionCaption(t.criterion)), qPrintable(t.text));
    std::printf("offer %s, %s\n", qPrintable(offer.priceText), qPrintable(offer.bindingText));

    Tornado tornado;
    SensitivityMatrix matrix;
    const double sensitivityMs = MedianMillis(200, [&] {
        tornado = ComputeTornado(in, units, Criterion::IrrAfterTax);
        matrix = ComputeSensitivityMatrix(in, units, Criterion::IrrAfterTax, criteria.irrAfterTax);
    });
    std::printf("tornado: %s swings most, IRR after tax %s as typed\n",
                qPrintable(SensitivityInputCaption(tornado.rows.front().input)),
                qPrintable(ReturnsPercentText(tornado.base)));

    const bool ok = ReportMeasure("offer group, five searches", offerMs, 2, "ms") &
                    ReportMeasure("tornado and price-by-rent table", sensitivityMs, 2, "ms");
    return ok ? 0 : 1;
}
