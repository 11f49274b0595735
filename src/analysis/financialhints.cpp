#include "analysis/financialhints.h"

#include "base/errortrap.h"
#include "base/numerictext.h"
#include "model/fieldtable.h"

#include <cmath>
#include <optional>

namespace {

const QString kPrice = QStringLiteral("txtPurchasePrice");
const QString kDown = QStringLiteral("txtDownPayment");

QString principalField(int row) {
    return QStringLiteral("txtMortgagePrincipal%1").arg(row);
}

// A field as the calculations read it; nothing for a text that is no number (its own red
// frame says so, and a hint built on it would only add noise).
std::optional<double> read(const std::function<QString(const QString&)>& text,
                           const QString& name) {
    try {
        return FieldNumber(text(name));
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

QString money(double amount) {
    return CurrencyText(amount, 0);
}

// "a", "a and b", "a, b and c".
QString listed(const QStringList& names) {
    if (names.size() < 2)
        return names.value(0);
    return names.mid(0, names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") +
           names.last();
}

} // namespace

const QStringList& FinancialHintFields() {
    static const QStringList fields = [] {
        QStringList list{kPrice, kDown};
        for (int row = 1; row <= 4; ++row)
            list << principalField(row);
        return list + ExpenseFields();
    }();
    return fields;
}

FinancialHintLines FinancialHints(const std::function<QString(const QString&)>& text) {
    FinancialHintLines hints;
    // The loans and the down payment pay for the price; more than 1 % apart, one of them is
    // likely mistyped (closing costs are paid besides, so they do not count).
    const std::optional<double> price = read(text, kPrice);
    const std::optional<double> down = read(text, kDown);
    std::optional<double> loans = 0.0;
    for (int row = 1; row <= 4 && loans; ++row) {
        const std::optional<double> principal = read(text, principalField(row));
        loans = principal ? std::optional<double>(*loans + *principal) : std::nullopt;
    }
    if (price && *price > 0 && down && loans && std::fabs(*down + *loans - *price) > 0.01 * *price)
        hints.financing = QStringLiteral("Financing covers %1 + down %2 of a %3 price")
                              .arg(money(*loans), money(*down), money(*price));

    // The price and the expenses are amounts paid: a minus turns an expense into income.
    QStringList negative;
    for (const QString& name : QStringList{kPrice} + ExpenseFields()) {
        const std::optional<double> amount = read(text, name);
        if (amount && *amount < 0) {
            const FieldInfo* field = FindField(name);
            negative << (field ? field->caption : name);
        }
    }
    if (!negative.isEmpty())
        hints.negativeAmounts =
            QStringLiteral("%1 %2 negative \u2014 the price and the expenses are amounts "
                           "paid, typed without a minus")
                .arg(listed(negative),
                     negative.size() == 1 ? QStringLiteral("is") : QStringLiteral("are"));
    return hints;
}
