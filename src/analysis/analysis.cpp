// Placeholder until the recalculation engine lands; replaced by its own implementation.
#include "analysis/analysis.h"

void RecalculateAnalysis(Form&) {}
void UpdateMortgagePayment(Form&, int) {}
void OperatingExpenseChanged(Form&) {}
void RefreshOperatingExpenseLine(Form&) {}
void DispatchFieldChange(Form&, const QString&, int) {}
