// One full recalculation (summary, both outlook grids, colours, chart) of a realistic property
// held in a MemoryForm: the work done for every keystroke in an operating-expense field.
#include "analysis/analysis.h"
#include "benchreport.h"
#include "model/memoryform.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include "base/errorlog.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

void FillProperty(MemoryForm& form) {
    form.applyDesignDefaults();
    const std::pair<const char*, const char*> inputs[] = {
        {"txtPropertyInformation", "Maple Court"},
        {"txtUnits", "8"},
        {"txtSquareFootage", "7,500"},
        {"txtPurchasePrice", "$640,000"},
        {"txtDownPayment", "128000"},
        {"txtClosingCosts", "12,800"},
        {"txtGrossMonthlyIncome", "7,450"},
        {"txtOtherMonthlyIncome", "325"},
        {"txtExpectedVacancyRate", "6.5"},
        {"txtAnnualRateIncrease", "3"},
        {"txtOperatingCostIncrease", "2.5"},
        {"txtStateTaxRate", "5.75"},
        {"txtFederalTaxRate", "24"},
        {"txtRepairAndMaintenance", "9,200"},
        {"txtSalaryAndWages", "4,000"},
        {"txtInsurance", "3,150"},
        {"txtWaterSewerGarbage", "4,800"},
        {"txtAdvertising", "250"},
        {"txtMiscellaneousExpenses", "600"},
        {"txtPropertyManagement", "6,990"},
        {"txtPropertyTaxes", "8,320"},
        {"txtProfessionalServices", "1,200"},
        {"txtUtilities", "2,640"},
        {"txtOfficeSupplies", "180"},
        {"txtMortgagePrincipal1", "$400,000"},
        {"txtAnnualInterestRate1", "6.75%"},
        {"txtAmortizationTerm1", "360"},
        {"txtMortgagePrincipal2", "60000"},
        {"txtAnnualInterestRate2", "8.5"},
        {"txtAmortizationTerm2", "180"},
        {"txtMortgagePrincipal3", "25,000"},
        {"txtAnnualInterestRate3", "9.25"},
        {"txtAmortizationTerm3", "120"},
        {"txtMortgagePrincipal4", "15000"},
        {"txtAnnualInterestRate4", "7"},
        {"txtAmortizationTerm4", "84"},
    };
    for (const auto& [name, text] : inputs)
        form.setText(QString::fromLatin1(name), QString::fromLatin1(text));
    for (int row = 1; row <= 4; ++row)
        UpdateMortgagePayment(form, row);
    form.selectOutlookPeriod(2);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // Keep any log the run might write out of the program folder.
    QTemporaryDir folder;
    ErrorLog::setLogPath(folder.filePath(QStringLiteral("Quillbrook.Err")));

    MemoryForm form;
    FillProperty(form);
    RecalculateAnalysis(form); // warm-up: every output field now holds its figure

    // QB_BENCH_RUNS shortens the loop for a profiler run.
    const int requested = qEnvironmentVariableIntValue("QB_BENCH_RUNS");
    const int runs = requested > 0 ? requested : 2000;
    std::vector<double> micros;
    micros.reserve(runs);
    int writes = 0;
    for (int i = 0; i < runs; ++i) {
        form.resetWriteCount();
        const auto start = std::chrono::steady_clock::now();
        RecalculateAnalysis(form);
        const auto stop = std::chrono::steady_clock::now();
        writes = form.writeCount();
        micros.push_back(std::chrono::duration<double, std::micro>(stop - start).count());
    }
    std::sort(micros.begin(), micros.end());
    std::printf("RecalculateAnalysis: %d runs, median %.1f us, p10 %.1f us, p90 %.1f us\n", runs,
                micros[runs / 2], micros[runs / 10], micros[runs * 9 / 10]);
    std::printf("field writes per run: %d\n", writes);
    std::printf("annual cash flow year 1: %s, year 20: %s; chart rows: %d\n",
                qPrintable(form.text(QStringLiteral("txt10CFNetCashflow"), 1)),
                qPrintable(form.text(QStringLiteral("txt10CFNetCashflow"), 20)),
                int(form.chartValues().size()));
    // Most of a keystroke's budget of one millisecond on the Financial view.
    return ReportMeasure("one full recalculation", micros[runs / 2], 250, "us") ? 0 : 1;
}
