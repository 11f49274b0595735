#pragma once

#include "model/form.h"

#include <QString>

// The arithmetic behind one figure of the investment summary, in words and then with the
// numbers it was really computed from: the summary works from the texts its fields display
// (a total already rounded to whole dollars, a per-unit figure rounded before it is divided by
// twelve), so the text quotes those displayed texts, e.g. "Capitalization Rate = Annual Net
// Operating Income ÷ Property Price = $38,188 ÷ $400,000 = 9.55%". An empty text for a field
// that is not a summary figure.
QString ExplainSummaryField(const Form& form, const QString& fieldName);
