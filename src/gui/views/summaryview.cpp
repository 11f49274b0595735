#include "gui/views/summaryview.h"

#include <QLineEdit>

namespace {

struct Row {
    const char* field;
    const char* caption;
};

const Row kLeft[] = {
    {"txtQISPropertyPrice", "Property Price"},
    {"txtQISDownPayment", "Down Payment"},
    {"txtQISClosingCosts", "Closing Costs"},
    {"txtQISTotalAcquisitionCost", "Total Acquisition Cost"},
    {"txtQISTotalCashInvested", "Total Cash Invested"},
    {"txtQISCashInvestedPercentage", "Cash Invested Percentage"},
    {"txtQISPercentageDown", "Percentage Down"},
    {"txtQISNumberOfUnits", "Number of Units"},
    {"txtQISSquareFootage", "Square Footage"},
    {"txtQISCostPerUnit", "Cost Per Unit"},
    {"txtQISCostPerSquareFoot", "Cost Per Square Foot"},
};
const Row kRight[] = {
    {"txtQISScheduledAnnualIncome", "Scheduled Annual Income"},
    {"txtQISAnnualVacancy", "Annual Vacancy "},
    {"txtQISActualAnnualGrossIncome", "Actual Annual Gross Income"},
    {"txtQISAnnualExpenses", "Annual Expenses"},
    {"txtQISAnnualNetOperatingIncome", "Annual Net Operating Income"},
    {"txtQISCapitalizationRate", "Capitalization Rate"},
    {"txtQISAverageRentPerUnit", "Average Rent Per Unit"},
    {"txtQISAnnualDebtService", "Annual Debt Service"},
    {"txtNetAnnualCashflowBeforeTaxes", "Net Annual Cashflow before Taxes"},
    {"txtQISNetAnnualCashflowPerUnitBeforeTaxes", "Net Annual Cashflow per unit before Taxes"},
    {"txtQISNetMonthlyCashflowPerUnitBeforeTaxes", "Net Monthly Cashflow per unit before Taxes"},
};

} // namespace

SummaryView::SummaryView(QWidget* parent, ControlTable& controls)
    : ViewFrame(parent, controls, QStringLiteral("frameQuickView"),
                QStringLiteral("Investment Summary"), 6300) {
    addGroupHeading(QStringLiteral("Acquisition"), 240, 1620, 4500);
    addGroupHeading(QStringLiteral("Income and Cash Flow"), 4860, 1620, 4500);
    // Left and right rows are built in pairs, so Tab runs across before it runs down.
    for (int i = 0; i < 11; ++i) {
        const int top = 1980 + i * kRowPitch;
        addCaptionedField(QString::fromLatin1(kLeft[i].field),
                          QString::fromLatin1(kLeft[i].caption), false, 240, 2820, 3060, 1560, top)
            ->setAlignment(Qt::AlignRight);
        addCaptionedField(QString::fromLatin1(kRight[i].field),
                          QString::fromLatin1(kRight[i].caption), false, 4860, 4140, 9060, 1560,
                          top)
            ->setAlignment(Qt::AlignRight);
    }
}
