#pragma once

#include <QString>
#include <QVector>

// The text fields of the main window in window order: the order a property is stored in.
struct FieldSpec {
    QString name;
    int cells = 0; // 0 for a single field, else the size of the control array (1..cells)
};

const QVector<FieldSpec>& StoredFields();

// Design-time texts of the fields (mortgage 1 and the operating expenses carry figures).
struct FieldDefault {
    QString name;
    QString text;
};
const QVector<FieldDefault>& DesignDefaults();

// The eleven operating expenses, in the order the summary adds them up.
const QStringList& ExpenseFields();
bool IsExpenseField(const QString& name);
