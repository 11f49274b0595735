#pragma once

#include "model/form.h"

#include <QString>
#include <QStringList>
#include <QVector>

// Every stored field of the main window in one table: where it shows, what it is called on
// screen, what it holds at design time, how it is stored and watched, and what runs when it
// changes. The in-memory form, the window, the store, the change tracking and the report all
// read their lists from here, so a new field is one line in fieldtable.cpp.

// The property view a field is shown on.
enum class FieldView { Property, Financial, Summary, Outlook, Returns };

// What a change of the field runs: nothing, the payment of mortgage row `arg`, or the
// operating-expense total (`arg` is the expense's place in the sum, 1 first).
enum class FieldHandler { None, MortgagePayment, Expense };

enum FieldFlag : unsigned {
    kWatched = 1,  // a change counts as unsaved work
    kReadOnly = 2, // computed: selectable, not typed over
    kPercent = 4,  // shown with a "%" after it
};

// What a typed amount of money stands for: a "%" typed into one is dropped like a "$" and the
// number read as dollars, so the view says how it was read.
enum class FieldAmount { None, Once, PerMonth, PerYear };

struct FieldInfo {
    QString name;
    int cells = 0; // 0 for a single field, else the size of the control array (1..cells)
    FieldView view = FieldView::Property;
    QString group;       // the heading it sits under on its view; empty for none
    QString caption;     // the caption beside it on its view; empty for none
    QString defaultText; // the design-time text
    int storedAt = -1;   // its place in the stored order (0 first); -1 is not stored
    unsigned flags = kWatched;
    FieldHandler handler = FieldHandler::None;
    int handlerArg = 0;
    QString reportCaption; // its caption on the analysis page, where the page lists it from here
    QString tooltip;       // what a typed field holds, in plain words with its unit
    FieldAmount amount = FieldAmount::None;

    bool isStored() const { return storedAt >= 0; }
    bool isWatched() const { return flags & kWatched; }
    bool isReadOnly() const { return flags & kReadOnly; }
    bool isPercent() const { return flags & kPercent; }
    bool isMoney() const { return amount != FieldAmount::None; }
};

// The whole table, view by view and group by group in the order the window shows them.
const QVector<FieldInfo>& FieldTable();
// The field of that name, letter case ignored; nullptr for a name that is no field.
const FieldInfo* FindField(const QString& name);
// The fields of one group of one view, in the order the window shows them.
QVector<const FieldInfo*> FieldsOf(FieldView view, const QString& group);

// The stored fields in the order a property is stored (the window order).
struct FieldSpec {
    QString name;
    int cells = 0;
};
const QVector<FieldSpec>& StoredFields();
// The same cell by cell (a control array's cells 1..n in turn): the keys of a stored property.
const QVector<ControlRef>& StoredCells();

// Design-time texts of the fields that have one, in the order the window shows them.
struct FieldDefault {
    QString name;
    QString text;
};
const QVector<FieldDefault>& DesignDefaults();

// The operating expenses, in the order the summary adds them up.
const QStringList& ExpenseFields();
bool IsExpenseField(const QString& name);
