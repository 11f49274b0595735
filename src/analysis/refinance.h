#pragma once

#include "analysis/returns.h"

// The repair and the refinance as the investor weighs them: what the property cost all in,
// what the refinance brings back out and what stays in the deal.

// The value the property starts from: the after repair value when above 0, else the current
// market value when above 0, else the price; and the name of the field it comes from.
double ReturnsStartValue(const ReturnsInputs& in);
QString ReturnsStartValueName(const ReturnsInputs& in);

// The figures of `rf` from the inputs, the starting value and the worked-out years, which run
// at least to the year after the refinance when that year is within the twenty worked out.
// Expects rf's month, years, loan, loan payoff and cash out in place.
void WorkOutRefinance(const ReturnsInputs& in, double startValue, const QVector<ReturnsYear>& years,
                      ReturnsRefinance& rf);

// The arithmetic of a repair or refinance figure, with the user's numbers.
QString ExplainRefinanceFigure(ReturnsFigure figure, const ReturnsInputs& in,
                               const ReturnsResult& result);

// The one line the view shows for a refinance past the holding period; empty otherwise.
QString RefinanceNote(const ReturnsInputs& in, const ReturnsResult& result);
