#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Lines the Financial view shows while its typed figures disagree with each other. None of them
// stops a calculation; each points at a likely slip. A line is empty while it does not apply.
struct FinancialHintLines {
    QString financing;       // the loans and the down payment do not add up to the price
    QString negativeAmounts; // a price or an expense typed as a negative amount
};
// `text` gives a field's text by its name.
FinancialHintLines FinancialHints(const std::function<QString(const QString&)>& text);

// The fields whose change can change the hints.
const QStringList& FinancialHintFields();
