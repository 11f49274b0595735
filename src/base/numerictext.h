#pragma once

#include <QString>

// Figures live as display texts in United States conventions: $1,234, ($4,032), 13.95%.
// Conversions raise error 13 on a text that is not a number, 6 on overflow, and a division
// by zero raises 11; none of them ever yields an infinity.

// Drops "$", ",", blanks and "%"; an empty result is "0".
QString CleanNumericText(const QString& text);

// Text to number: sign, digits, decimal point, exponent, "$", digit grouping and a negative
// amount in parentheses are accepted; anything else raises error 13.
double ToNumber(const QString& text);

// CleanNumericText then ToNumber: how calculations read a field.
double FieldNumber(const QString& text);

QString CurrencyText(double value, int decimals);
QString CurrencyText(const QString& text, int decimals);
QString PercentText(double fraction, int decimals);
QString PercentText(const QString& text, int decimals);
// Up to 15 significant digits, no grouping, no trailing zeros.
QString PlainText(double value);

// Checked arithmetic: raises 11 (x/0) or 6 (0/0 and anything that is not finite).
double Divide(double numerator, double denominator);
double Checked(double value);
