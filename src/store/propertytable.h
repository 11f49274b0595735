#pragma once

#include "base/inidocument.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <unordered_map>
#include <utility>
#include <vector>

// Every property of the database as texts: T(part, property, slot).
//   part      1 = key name, 2 = value (0 is never used)
//   property  1..N = the file's sections in file order; 0 = the scratch row of a new property
//   slot      1..K = the property's keys in file order (0 is never used); K grows to the
//             largest key count met, and slots past a property's own keys hold empty texts.
// Reaching outside the bounds raises error 9 (subscript out of range), which the table walks
// of the program meet routinely and the error log drops.
//
// A table loaded from a file keeps the file's bytes and, per slot, only where its value lies
// in them: a value becomes text when first asked for through value() and is kept from then on
// (only the values asked for: a table of 100,000 properties must not hold a text object per
// slot), and each key name is decoded once for the whole table. A slot written since holds its
// own text. The bytes belong to the table and go with it at the next load or reset, so no slot
// outlives them. References returned by key(), value() and text() stay valid until the next
// write, reset or load.
//
// The table is not safe to use from two threads at once, except that any number of threads may
// call the const readers other than value() and text() (valueText() instead) while nothing
// writes to the table.
class PropertyTable {
public:
    PropertyTable() { reset(0); }

    // Rows 0..propertyCount, slots 0..slotCount (at least 1), every text empty; the previous
    // contents go.
    void reset(int propertyCount, int slotCount = 1);
    // Replaces the whole table by the sections of an INI file (rows 1..N in file order, each
    // with its keys in file order) and an empty scratch row 0.
    void load(const QByteArray& bytes);
    // Grows the slot dimension to 0..slotTotal, keeping the contents.
    void growSlots(int slotTotal);

    int propertyCount() const { return int(m_rows.size()) - 1; } // N (upper bound of rows)
    int slotCount() const { return m_slotCount; }                // K (upper bound of slots)

    const QString& key(int property, int slot) const;
    const QString& value(int property, int slot) const;
    void setKey(int property, int slot, const QString& key);
    void setValue(int property, int slot, const QString& value);
    // T(part, property, slot) with part 1 or 2.
    const QString& text(int part, int property, int slot) const;
    void setText(int part, int property, int slot, const QString& text);
    // Empties every slot of a row.
    void clearRow(int property);

    // A value as value() gives it, decoded afresh and kept nowhere: for readers that walk the
    // whole table once, and for readers on other threads.
    QString valueText(int property, int slot) const;

    // The rows a save changed, put into the table as they now stand in the file: a row's keys
    // and values replaced by these (slots past them emptied), a row appended, a row taken out
    // (the rows after it move up by one).
    void setRow(int property, const QVector<std::pair<QString, QString>>& entries);
    int appendRow();
    void removeRow(int property);

    // Changes with every load, reset and write, so a reader that keeps figures worked out from
    // the table can tell that they may be stale.
    quint64 generation() const { return m_generation; }

    // What a writer of the whole table reads without decoding: the encoding of the bytes the
    // table was loaded from, a slot's key as an index into keyNames(), and its value's bytes
    // (rawValue() is false for a value written since, which value() gives).
    IniScanner::Encoding encoding() const { return m_encoding; }
    const QVector<QString>& keyNames() const { return m_keyNames; }
    qint32 keyIndex(int property, int slot) const;
    bool rawValue(int property, int slot, QByteArrayView* bytes) const;
    // The slots a row really holds (at most slotCount()); slots past them are empty.
    int rowSlots(int property) const;
    // Calls f(slot, keyIndex, raw, bytes) for each slot a row holds, in order: the same as
    // keyIndex() and rawValue() slot by slot, for a writer that walks millions of them.
    template <class F> void forEachSlot(int property, F&& f) const {
        find(property, 0); // bounds
        const Row& row = m_rows.at(property);
        for (qint32 j = 1; j < row.size; ++j) {
            const Slot& s = m_slots[size_t(row.start + j)];
            if (s.valueSize == kOwnValue)
                f(int(j), s.key, false, QByteArrayView());
            else
                f(int(j), s.key, true,
                  QByteArrayView(m_bytes.constData() + s.valueFrom, s.valueSize));
        }
    }

private:
    // A row's slots 0..size-1 lie at m_slots[start..]; the slots after them are empty.
    struct Row {
        qsizetype start = 0;
        qint32 size = 0;
    };
    struct Slot {
        qsizetype valueFrom = 0;
        qint32 valueSize = 0; // kOwnValue: the value is m_values' element, not in the bytes
        qint32 key = 0;       // index into m_keyNames; 0 is the empty name
    };
    static constexpr qint32 kOwnValue = -1;

    // The slot's index in m_slots, or -1 for an empty slot past the row's own; raises error 9
    // outside the bounds.
    qsizetype find(int property, int slot) const;
    // The slot's index, moving the row to the end of m_slots with room for K slots first
    // when it has no place for the slot yet.
    qsizetype place(int property, int slot);
    void changed() { ++m_generation; }

    QByteArray m_bytes;
    IniScanner::Encoding m_encoding = IniScanner::Encoding::Ascii;
    QVector<QString> m_keyNames;
    QVector<Row> m_rows;
    std::vector<Slot> m_slots;
    // Decoded and written values by slot index. A node map: references handed out stay valid
    // while other values are added.
    mutable std::unordered_map<qsizetype, QString> m_values;
    int m_slotCount = 1;
    quint64 m_generation = 0;
};

// The program's table, its row count at the last load and the row open in the main window
// (0 for a new property not yet saved).
extern PropertyTable g_propertyTable;
extern qint32 g_lPropertyCount;
extern qint32 g_lCurrentProperty;
