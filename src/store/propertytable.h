#pragma once

#include <QString>
#include <QVector>

// Every property of the database as texts: T(part, property, slot).
//   part      1 = key name, 2 = value (0 is never used)
//   property  1..N = the file's sections in file order; 0 = the scratch row of a new property
//   slot      1..K = the property's keys in file order (0 is never used); K grows to the
//             largest key count met, and slots past a property's own keys hold empty texts.
// Reaching outside the bounds raises error 9 (subscript out of range), which the table walks
// of the program meet routinely and the error log drops.
class PropertyTableData {
public:
    PropertyTableData() { reset(0); }

    // Rows 0..propertyCount, slots 0..slotCount (at least 1), every text empty; the previous
    // contents go.
    void reset(int propertyCount, int slotCount = 1);
    // Grows the slot dimension to 0..slotTotal, keeping the contents.
    void growSlots(int slotTotal);

    int propertyCount() const { return m_rows - 1; } // N (upper bound of rows)
    int slotCount() const { return m_slots; }        // K (upper bound of slots)

    const QString& key(int property, int slot) const;
    const QString& value(int property, int slot) const;
    void setKey(int property, int slot, const QString& key);
    void setValue(int property, int slot, const QString& value);
    // T(part, property, slot) with part 1 or 2.
    const QString& text(int part, int property, int slot) const;
    void setText(int part, int property, int slot, const QString& text);
    // Empties every slot of a row.
    void clearRow(int property);

private:
    qsizetype at(int property, int slot) const;

    // Row-major, slots 0..K of row 0 first: one allocation for the whole table.
    QVector<QString> m_keys;
    QVector<QString> m_values;
    int m_rows = 1;
    int m_slots = 1;
};

// The program's table, its row count at the last load and the row open in the main window
// (0 for a new property not yet saved).
extern PropertyTableData PropertyTable;
extern qint32 g_lPropertyCount;
extern qint32 g_lCurrentProperty;
