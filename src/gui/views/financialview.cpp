#include "gui/views/financialview.h"

#include <QLabel>
#include <QLineEdit>

namespace {

struct Row {
    const char* field;
    const char* caption;
    bool percent;
};

const Row kPurchase[] = {
    {"txtCurrentMarketValue", "Current Market Value", false},
    {"txtPurchasePrice", "Purchase Price", false},
    {"txtDownPayment", "Down Payment", false},
    {"txtClosingCosts", "Closing Costs", false},
    {"txtAppreciation", "Expected Appreciation", true},
    {"txtDepreciateAsImprovements", "Depreciate as Improvements", true},
};
const Row kRental[] = {
    {"txtGrossMonthlyIncome", "Gross Monthly Income", false},
    {"txtExpectedVacancyRate", "Expected Vacancy Rate", true},
    {"txtOtherMonthlyIncome", "Other Monthly Income", false},
    {"txtAnnualRateIncrease", "Annual Rate Increase", true},
};
const Row kTaxes[] = {
    {"txtFederalTaxRate", "Federal Tax Rate", true},
    {"txtStateTaxRate", "State Tax Rate", true},
    {"txtLongTermCapitolGainsRate", "Long Term Capitol Gains Rate", true},
};
const Row kExpenses[] = {
    {"txtAdvertising", "Advertising", false},
    {"txtInsurance", "Insurance", false},
    {"txtMiscellaneousExpenses", "Miscellaneous", false},
    {"txtOfficeSupplies", "Office Supplies", false},
    {"txtProfessionalServices", "Professional Services", false},
    {"txtPropertyManagement", "Property Management", false},
    {"txtPropertyTaxes", "Property Taxes", false},
    {"txtRepairAndMaintenance", "Repair and Maintenance", false},
    {"txtSalaryAndWages", "Salary and Wages", false},
    {"txtUtilities", "Utilities", false},
    {"txtWaterSewerGarbage", "Water/Sewer/Garbage", false},
    {"txtOperatingCostIncrease", "Operating Cost Increase", true},
};

// The left column's caption and field positions.
constexpr int kCaptionLeft = 240;
constexpr int kFieldWidth = 1560;

} // namespace

FinancialView::FinancialView(QWidget* parent, ControlTable& controls)
    : ViewFrame(parent, controls, QStringLiteral("frameFinancial"),
                QStringLiteral("Financial Information"), 10260) {
    auto column = [this](const auto& rows, int top, int captionLeft, int captionWidth,
                         int fieldLeft) {
        int i = 0;
        for (const Row& row : rows)
            addCaptionedField(QString::fromLatin1(row.field), QString::fromLatin1(row.caption),
                              row.percent, captionLeft, captionWidth, fieldLeft, kFieldWidth,
                              top + i++ * kRowPitch);
    };
    addGroupHeading(QStringLiteral("Purchase Information"), kCaptionLeft, 1620, 4500);
    column(kPurchase, 1980, kCaptionLeft, 3000, 3300);
    addGroupHeading(QStringLiteral("Rental Information"), kCaptionLeft, 4260, 4500);
    column(kRental, 4620, kCaptionLeft, 3000, 3300);
    addGroupHeading(QStringLiteral("Tax Information"), kCaptionLeft, 6180, 4500);
    column(kTaxes, 6540, kCaptionLeft, 3000, 3300);

    // Right column: the operating expenses and their running total.
    addGroupHeading(QStringLiteral("Operating Expenses"), 5700, 1620, 4500);
    column(kExpenses, 1980, 5700, 2580, 8340);
    QLabel* total = addCaption(this, QStringLiteral("lblAnnualOperatingExpenses"),
                               QStringLiteral("Annual Operating Expenses"), 5700, 6390, 4920, 330);
    total->setFont(PixelFont(12, true));

    buildMortgages();
}

// One row per loan under four column headings.
void FinancialView::buildMortgages() {
    addGroupHeading(QStringLiteral("Mortgages"), kCaptionLeft, 7620, 4500);
    const int colLeft[] = {1860, 4020, 6180, 8340};
    const int colWidth = 2000;
    const char* headings[] = {"Mortgage Principal", "Annual Interest Rate", "Amortization Term",
                              "Monthly Payment"};
    const char* headingNames[] = {"lblMortgagePrincipalHeading", "lblAnnualInterestRateHeading",
                                  "lblAmortizationTermHeading", "lblMonthlyPaymentHeading"};
    for (int c = 0; c < 4; ++c) {
        QLabel* h =
            addCaption(this, QString::fromLatin1(headingNames[c]), QString::fromLatin1(headings[c]),
                       colLeft[c] - 120, 7995, colWidth + 240, 270);
        h->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        h->setFont(PixelFont(12, true));
    }
    QLabel* months =
        addCaption(this, QStringLiteral("lblAmortizationTermMonths"), QStringLiteral("(months)"),
                   colLeft[2] - 120, 8265, colWidth + 240, 255);
    months->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    for (int row = 1; row <= 4; ++row) {
        const int top = 8580 + (row - 1) * kRowPitch;
        QLabel* caption =
            addCaption(this, QStringLiteral("lblMortgageRow%1").arg(row),
                       QStringLiteral("Mortgage %1").arg(row), kCaptionLeft, top, 1500);
        caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        const QString n = QString::number(row);
        addField(this, QStringLiteral("txtMortgagePrincipal") + n, 0, colLeft[0], top, colWidth);
        addField(this, QStringLiteral("txtAnnualInterestRate") + n, 0, colLeft[1], top, colWidth);
        addField(this, QStringLiteral("txtAmortizationTerm") + n, 0, colLeft[2], top, colWidth);
        QLineEdit* payment = addField(this, QStringLiteral("txtMortgageMonthlyPayment") + n, 0,
                                      colLeft[3], top, colWidth);
        // Computed: the user can select the payment but not type over it.
        payment->setReadOnly(true);
        QPalette p = payment->palette();
        p.setColor(QPalette::Base, QColor(0xE0, 0xE0, 0xE0));
        payment->setPalette(p);
    }
}
