// The returns over a 20-year holding period of an eight-unit building on four mortgages: the
// fields read and converted, the month-by-month amortization, the sale and both rates of return;
// then the same building bought in need of repair and refinanced after the work. This is what
// the returns view does for every keystroke while it is on screen.
#include "analysis/returns.h"
#include "benchreport.h"
#include "model/memoryform.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

// The holding-period fields are not on the window yet; this form adds them.
class HoldingForm : public MemoryForm {
public:
    QString text(const QString& name, int index = 0) const override {
        if (name == kHoldingPeriodField)
            return QStringLiteral("20");
        return MemoryForm::text(name, index);
    }
};

void FillProperty(MemoryForm& form) {
    form.applyDesignDefaults();
    const std::pair<const char*, const char*> inputs[] = {
        {"txtPurchasePrice", "$640,000"},
        {"txtDownPayment", "128000"},
        {"txtClosingCosts", "12,800"},
        {"txtCurrentMarketValue", "655,000"},
        {"txtAppreciation", "3"},
        {"txtDepreciateAsImprovements", "80"},
        {"txtGrossMonthlyIncome", "7,450"},
        {"txtOtherMonthlyIncome", "325"},
        {"txtExpectedVacancyRate", "6.5"},
        {"txtAnnualRateIncrease", "3"},
        {"txtOperatingCostIncrease", "2.5"},
        {"txtStateTaxRate", "5.75"},
        {"txtFederalTaxRate", "24"},
        {"txtLongTermCapitolGainsRate", "15"},
        {"txtRepairAndMaintenance", "9,200"},
        {"txtInsurance", "3,150"},
        {"txtPropertyTaxes", "8,320"},
        {"txtPropertyManagement", "6,990"},
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
}

template <class Work> double MedianMicros(int runs, Work&& work) {
    std::vector<double> micros;
    micros.reserve(runs);
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto stop = std::chrono::steady_clock::now();
        micros.push_back(std::chrono::duration<double, std::micro>(stop - start).count());
    }
    std::sort(micros.begin(), micros.end());
    return micros[micros.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    HoldingForm form;
    FillProperty(form);

    const int requested = qEnvironmentVariableIntValue("QB_BENCH_RUNS");
    const int runs = requested > 0 ? requested : 5000;
    ReturnsResult result;
    const double whole =
        MedianMicros(runs, [&] { result = ComputeReturns(ReadReturnsInputs(form).inputs); });
    const ReturnsInputs inputs = ReadReturnsInputs(form).inputs;
    const double model = MedianMicros(runs, [&] { result = ComputeReturns(inputs); });
    QString explained;
    const double explain = MedianMicros(runs, [&] {
        explained = ExplainReturnsFigure(ReturnsFigure::IrrAfterTax, inputs, result);
    });

    // Three months of repair, the loans paid off from a new one after month 9.
    const std::pair<const char*, const char*> rehab[] = {
        {"txtRehabCost", "60,000"},     {"txtRehabMonths", "3"},
        {"txtHoldingCosts", "2,500"},   {"txtAfterRepairValue", "$760,000"},
        {"txtRefinanceMonth", "9"},     {"txtRefinanceRate", "6.5"},
        {"txtRefinanceCosts", "9,000"},
    };
    for (const auto& [name, text] : rehab)
        form.setText(QString::fromLatin1(name), QString::fromLatin1(text));
    ReturnsResult refinanced;
    const double wholeRefinanced =
        MedianMicros(runs, [&] { refinanced = ComputeReturns(ReadReturnsInputs(form).inputs); });

    std::printf("%d runs each; years %d, IRR after tax %s; refinanced: cash out %s, IRR after "
                "tax %s\n",
                runs, int(result.years.size()), qPrintable(ReturnsPercentText(result.irrAfterTax)),
                qPrintable(ReturnsMoneyText(refinanced.refinance.cashOut)),
                qPrintable(ReturnsPercentText(refinanced.irrAfterTax)));
    bool ok = ReportMeasure("returns: fields read and computed", whole, 50, "us");
    ok &= ReportMeasure("returns: computation alone", model, 50, "us");
    ok &= ReportMeasure("returns: arithmetic text of the IRR after tax", explain, 50, "us");
    ok &= ReportMeasure("returns with a rehab and refinance: fields read and computed",
                        wholeRefinanced, 50, "us");
    return ok ? 0 : 1;
}
