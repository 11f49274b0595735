#pragma once

#include "model/form.h"

class MemoryForm;

// The investment summary, both outlook grids, their colours and the chart, from the texts
// of the input fields. Each statement stands alone: one that fails is logged and skipped and
// its field keeps the text it had.
void RecalculateAnalysis(Form& form);
// The investment summary alone, as RecalculateAnalysis computes it first: for figures that need
// nothing of the outlook.
void RecalculateInvestmentSummary(Form& form);

// The monthly payment of mortgage row 1..4 (the principal's change handler; the rate and
// term handlers forward to it).
void UpdateMortgagePayment(Form& form, int row);

// An operating expense changed: full recalculation, then the total line.
void OperatingExpenseChanged(Form& form);
// "Annual Operating Expenses = " + the positive total taken from the summary.
void RefreshOperatingExpenseLine(Form& form);

// Runs the change handler the field table gives a text field, if it has one (mortgage inputs
// and the operating expenses); the window and the in-memory form both change through here.
void DispatchFieldChange(Form& form, const QString& name, int index);

// Routes a form's changes to the handlers above (payments, expense total), as the window does.
void ConnectAnalysisHandlers(MemoryForm& form);
