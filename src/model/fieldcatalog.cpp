#include "model/fieldcatalog.h"

#include <QStringList>

const QVector<FieldSpec>& StoredFields() {
    static const QVector<FieldSpec> fields = [] {
        QVector<FieldSpec> f;
        for (const char* name :
             {"txt10CFMonthCashflow", "txt10CFOperatingExpenses", "txt10CFExpectedVacancy",
              "txt10CFTotalGrossIncome", "txt10CFTotalMortgages", "txt10CFIncomeTaxes",
              "txt10CFNetCashflow"})
            f.append({QString::fromLatin1(name), 20});
        for (const char* name : {"txt5CFMonthCashflow", "txt5CFOperatingExpenses",
                                 "txt5CFExpectedVacancy", "txt5CFTotalGrossIncome",
                                 "txt5CFTotalMortgages", "txt5CFIncomeTaxes", "txt5CFNetCashflow"})
            f.append({QString::fromLatin1(name), 5});
        for (const char* name : {"txtPropertyInformation",
                                 "txtAddress",
                                 "txtUnits",
                                 "txtSquareFootage",
                                 "txtMiscNotes",
                                 "txtDepreciateAsImprovements",
                                 "txtClosingCosts",
                                 "txtPurchasePrice",
                                 "txtAppreciation",
                                 "txtDownPayment",
                                 "txtCurrentMarketValue",
                                 "txtGrossMonthlyIncome",
                                 "txtExpectedVacancyRate",
                                 "txtOtherMonthlyIncome",
                                 "txtAnnualRateIncrease",
                                 "txtWaterSewerGarbage",
                                 "txtAdvertising",
                                 "txtMiscellaneousExpenses",
                                 "txtUtilities",
                                 "txtOfficeSupplies",
                                 "txtOperatingCostIncrease",
                                 "txtRepairAndMaintenance",
                                 "txtSalaryAndWages",
                                 "txtInsurance",
                                 "txtPropertyManagement",
                                 "txtPropertyTaxes",
                                 "txtProfessionalServices",
                                 "txtStateTaxRate",
                                 "txtLongTermCapitolGainsRate",
                                 "txtFederalTaxRate",
                                 "txtAnnualInterestRate1",
                                 "txtAmortizationTerm1",
                                 "txtMortgagePrincipal1",
                                 "txtMortgageMonthlyPayment1",
                                 "txtMortgageMonthlyPayment2",
                                 "txtMortgagePrincipal2",
                                 "txtAmortizationTerm2",
                                 "txtAnnualInterestRate2",
                                 "txtMortgageMonthlyPayment3",
                                 "txtMortgagePrincipal3",
                                 "txtAmortizationTerm3",
                                 "txtAnnualInterestRate3",
                                 "txtMortgageMonthlyPayment4",
                                 "txtMortgagePrincipal4",
                                 "txtAmortizationTerm4",
                                 "txtAnnualInterestRate4",
                                 "txtQISPercentageDown",
                                 "txtQISTotalCashInvested",
                                 "txtQISTotalAcquisitionCost",
                                 "txtQISClosingCosts",
                                 "txtQISDownPayment",
                                 "txtQISPropertyPrice",
                                 "txtQISCashInvestedPercentage",
                                 "txtQISActualAnnualGrossIncome",
                                 "txtQISNumberOfUnits",
                                 "txtQISSquareFootage",
                                 "txtQISCostPerUnit",
                                 "txtQISCostPerSquareFoot",
                                 "txtQISScheduledAnnualIncome",
                                 "txtQISAnnualVacancy",
                                 "txtQISAverageRentPerUnit",
                                 "txtQISAnnualNetOperatingIncome",
                                 "txtQISAnnualExpenses",
                                 "txtQISCapitalizationRate",
                                 "txtQISAnnualDebtService",
                                 "txtNetAnnualCashflowBeforeTaxes",
                                 "txtQISNetAnnualCashflowPerUnitBeforeTaxes",
                                 "txtQISNetMonthlyCashflowPerUnitBeforeTaxes"})
            f.append({QString::fromLatin1(name), 0});
        return f;
    }();
    return fields;
}

const QVector<FieldDefault>& DesignDefaults() {
    static const QVector<FieldDefault> defaults = {
        {QStringLiteral("txtMortgagePrincipal1"), QStringLiteral("175000")},
        {QStringLiteral("txtAnnualInterestRate1"), QStringLiteral("8.25")},
        {QStringLiteral("txtAmortizationTerm1"), QStringLiteral("360")},
        {QStringLiteral("txtMortgageMonthlyPayment1"), QStringLiteral("0")},
        {QStringLiteral("txtMortgagePrincipal2"), QStringLiteral("0")},
        {QStringLiteral("txtAnnualInterestRate2"), QStringLiteral("0")},
        {QStringLiteral("txtAmortizationTerm2"), QStringLiteral("0")},
        {QStringLiteral("txtMortgageMonthlyPayment2"), QStringLiteral("0")},
        {QStringLiteral("txtMortgagePrincipal3"), QStringLiteral("0")},
        {QStringLiteral("txtAnnualInterestRate3"), QStringLiteral("0")},
        {QStringLiteral("txtAmortizationTerm3"), QStringLiteral("0")},
        {QStringLiteral("txtMortgageMonthlyPayment3"), QStringLiteral("0")},
        {QStringLiteral("txtMortgagePrincipal4"), QStringLiteral("0")},
        {QStringLiteral("txtAnnualInterestRate4"), QStringLiteral("0")},
        {QStringLiteral("txtAmortizationTerm4"), QStringLiteral("0")},
        {QStringLiteral("txtMortgageMonthlyPayment4"), QStringLiteral("0")},
        {QStringLiteral("txtAdvertising"), QStringLiteral("50")},
        {QStringLiteral("txtInsurance"), QStringLiteral("600")},
        {QStringLiteral("txtMiscellaneousExpenses"), QStringLiteral("300")},
        {QStringLiteral("txtOfficeSupplies"), QStringLiteral("300")},
        {QStringLiteral("txtProfessionalServices"), QStringLiteral("500")},
        {QStringLiteral("txtPropertyManagement"), QStringLiteral("500")},
        {QStringLiteral("txtPropertyTaxes"), QStringLiteral("2000")},
        {QStringLiteral("txtRepairAndMaintenance"), QStringLiteral("12000")},
        {QStringLiteral("txtSalaryAndWages"), QStringLiteral("4000")},
        {QStringLiteral("txtUtilities"), QStringLiteral("100")},
        {QStringLiteral("txtWaterSewerGarbage"), QStringLiteral("500")},
    };
    return defaults;
}

const QStringList& ExpenseFields() {
    static const QStringList names{QStringLiteral("txtRepairAndMaintenance"),
                                   QStringLiteral("txtSalaryAndWages"),
                                   QStringLiteral("txtInsurance"),
                                   QStringLiteral("txtWaterSewerGarbage"),
                                   QStringLiteral("txtAdvertising"),
                                   QStringLiteral("txtMiscellaneousExpenses"),
                                   QStringLiteral("txtPropertyManagement"),
                                   QStringLiteral("txtPropertyTaxes"),
                                   QStringLiteral("txtProfessionalServices"),
                                   QStringLiteral("txtUtilities"),
                                   QStringLiteral("txtOfficeSupplies")};
    return names;
}

bool IsExpenseField(const QString& name) {
    return ExpenseFields().contains(name, Qt::CaseInsensitive);
}
