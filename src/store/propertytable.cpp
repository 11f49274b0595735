#include "store/propertytable.h"

#include "base/errortrap.h"

#include <QHash>

PropertyTable g_propertyTable;
qint32 g_lPropertyCount = 0;
qint32 g_lCurrentProperty = 0;

namespace {

const QString kEmpty;

// One sequence for every table, so a table loaded in place of another never repeats a
// generation a reader has seen.
quint64 nextGeneration() {
    static quint64 generation = 0;
    return ++generation;
}

bool sameBytes(const char* a, const char* b, qsizetype n) {
    // Key names are short: a library call costs more than the comparison. Eight bytes a
    // step, the last step overlapping the one before.
    if (n < 8)
        return memcmp(a, b, size_t(n)) == 0;
    quint64 x, y;
    for (qsizetype i = 0; i < n - 8; i += 8) {
        memcpy(&x, a + i, 8);
        memcpy(&y, b + i, 8);
        if (x != y)
            return false;
    }
    memcpy(&x, a + n - 8, 8);
    memcpy(&y, b + n - 8, 8);
    return x == y;
}

} // namespace

void PropertyTable::reset(int propertyCount, int slotCount) {
    if (propertyCount < 0)
        RaiseError(9);
    m_bytes.clear();
    m_encoding = IniScanner::Encoding::Ascii;
    m_keyNames = QVector<QString>{QString()};
    m_rows = QVector<Row>(qsizetype(propertyCount) + 1);
    m_slots.clear();
    m_values.clear();
    m_slotCount = qMax(1, slotCount);
    m_generation = nextGeneration();
}

void PropertyTable::load(const QByteArray& bytes) {
    using Piece = IniScanner::Piece;
    // Built aside and moved in whole: a failure part-way leaves the previous table.
    PropertyTable table;
    table.m_bytes = IniScanner::textOf(bytes);
    const IniScanner scanner(table.m_bytes);
    table.m_encoding = scanner.encoding();
    // About one key per 36 bytes in a typical database; a guess saves the regrowing.
    table.m_slots.reserve(size_t(table.m_bytes.size() / 32 + 16));

    struct Loader {
        Loader(PropertyTable& t, const IniScanner& s) : table(t), scanner(s) {}
        PropertyTable& table;
        const IniScanner& scanner;
        const char* bytes = table.m_bytes.constData();
        QVector<Piece> keyPieces{Piece()}; // where each key name was first met
        QHash<QByteArrayView, qint32> keyIds;
        qsizetype previousStart = -1; // the row before: its keys usually come again
        qint32 previousSize = 0;
        qint32 widest = 1;

        void closeRow() {
            Row& row = table.m_rows.last();
            row.size = qint32(qsizetype(table.m_slots.size()) - row.start);
            widest = qMax(widest, row.size - 1);
        }
        void section(Piece) {
            if (table.m_rows.size() > 1) {
                closeRow();
                previousStart = table.m_rows.last().start;
                previousSize = table.m_rows.last().size;
            }
            table.m_rows.append(Row{qsizetype(table.m_slots.size()), 0});
            table.m_slots.push_back(Slot()); // slot 0
        }
        qint32 keyId(Piece key) {
            const qsizetype j = qsizetype(table.m_slots.size()) - table.m_rows.last().start;
            if (j < previousSize) {
                const qint32 id = table.m_slots[size_t(previousStart + j)].key;
                const Piece& known = keyPieces.at(id);
                if (known.size == key.size &&
                    sameBytes(bytes + known.from, bytes + key.from, key.size))
                    return id;
            }
            const QByteArrayView name(bytes + key.from, key.size);
            const auto it = keyIds.constFind(name);
            if (it != keyIds.constEnd())
                return it.value();
            const qint32 id = qint32(table.m_keyNames.size());
            table.m_keyNames.append(scanner.text(key));
            keyPieces.append(key);
            keyIds.insert(name, id);
            return id;
        }
        void entry(Piece key, Piece value) {
            const qint32 id = keyId(key);
            table.m_slots.push_back(Slot{value.from, qint32(value.size), id});
        }
        void other(Piece) {}
    } loader(table, scanner);
    scanner.scan(loader);
    if (table.m_rows.size() > 1)
        loader.closeRow();
    table.m_slotCount = loader.widest;
    *this = std::move(table);
    m_generation = nextGeneration();
}

void PropertyTable::growSlots(int slotTotal) {
    // Rows keep their places; a row takes room for the new slots when one is written.
    m_slotCount = qMax(m_slotCount, slotTotal);
}

qsizetype PropertyTable::find(int property, int slot) const {
    if (property < 0 || property >= m_rows.size() || slot < 0 || slot > m_slotCount)
        RaiseError(9);
    const Row& row = m_rows.at(property);
    return slot < row.size ? row.start + slot : -1;
}

qsizetype PropertyTable::place(int property, int slot) {
    const qsizetype found = find(property, slot);
    if (found >= 0)
        return found;
    Row& row = m_rows[property];
    const size_t start = m_slots.size();
    m_slots.resize(start + size_t(m_slotCount) + 1);
    for (qint32 j = 0; j < row.size; ++j) {
        const qsizetype from = row.start + j;
        m_slots[start + size_t(j)] = m_slots[size_t(from)];
        const auto it = m_values.find(from);
        if (it != m_values.end()) {
            m_values[qsizetype(start) + j] = std::move(it->second);
            m_values.erase(it);
        }
    }
    row = Row{qsizetype(start), m_slotCount + 1};
    return qsizetype(start) + slot;
}

const QString& PropertyTable::key(int property, int slot) const {
    const qsizetype i = find(property, slot);
    return i < 0 ? kEmpty : m_keyNames.at(m_slots[size_t(i)].key);
}

const QString& PropertyTable::value(int property, int slot) const {
    const qsizetype i = find(property, slot);
    if (i < 0)
        return kEmpty;
    const Slot& s = m_slots[size_t(i)];
    if (s.valueSize == 0)
        return kEmpty;
    const auto it = m_values.find(i);
    if (it != m_values.end())
        return it->second;
    if (s.valueSize == kOwnValue)
        return kEmpty;
    return m_values
        .emplace(i, IniScanner::decode(m_bytes.constData(), m_encoding, {s.valueFrom, s.valueSize}))
        .first->second;
}

QString PropertyTable::valueText(int property, int slot) const {
    const qsizetype i = find(property, slot);
    if (i < 0)
        return QString();
    const Slot& s = m_slots[size_t(i)];
    if (s.valueSize == 0)
        return QString();
    if (s.valueSize == kOwnValue) {
        const auto it = m_values.find(i);
        return it == m_values.end() ? QString() : it->second;
    }
    return IniScanner::decode(m_bytes.constData(), m_encoding, {s.valueFrom, s.valueSize});
}

qint32 PropertyTable::keyIndex(int property, int slot) const {
    const qsizetype i = find(property, slot);
    return i < 0 ? 0 : m_slots[size_t(i)].key;
}

bool PropertyTable::rawValue(int property, int slot, QByteArrayView* bytes) const {
    const qsizetype i = find(property, slot);
    if (i < 0) {
        *bytes = QByteArrayView();
        return true;
    }
    const Slot& s = m_slots[size_t(i)];
    if (s.valueSize == kOwnValue)
        return false;
    *bytes = QByteArrayView(m_bytes.constData() + s.valueFrom, s.valueSize);
    return true;
}

int PropertyTable::rowSlots(int property) const {
    find(property, 0); // bounds
    return qMax(0, m_rows.at(property).size - 1);
}

void PropertyTable::setKey(int property, int slot, const QString& key) {
    Slot& s = m_slots[size_t(place(property, slot))];
    changed();
    if (m_keyNames.at(s.key) == key)
        return;
    // Names are few; a save names every key of a row again, so look before adding one.
    const qsizetype known = m_keyNames.indexOf(key);
    if (known > 0) {
        s.key = qint32(known);
        return;
    }
    s.key = qint32(m_keyNames.size());
    m_keyNames.append(key);
}

void PropertyTable::setValue(int property, int slot, const QString& value) {
    const qsizetype i = place(property, slot);
    changed();
    m_slots[size_t(i)].valueSize = kOwnValue;
    m_values[i] = value;
}

void PropertyTable::setRow(int property, const QVector<std::pair<QString, QString>>& entries) {
    clearRow(property);
    growSlots(int(entries.size()));
    int slot = 1;
    for (const auto& [key, value] : entries) {
        setKey(property, slot, key);
        setValue(property, slot, value);
        ++slot;
    }
}

int PropertyTable::appendRow() {
    changed();
    m_rows.append(Row());
    return int(m_rows.size()) - 1;
}

void PropertyTable::removeRow(int property) {
    if (property < 1 || property >= m_rows.size())
        RaiseError(9);
    clearRow(property);
    m_rows.remove(property);
}

const QString& PropertyTable::text(int part, int property, int slot) const {
    if (part == 1)
        return key(property, slot);
    if (part == 2)
        return value(property, slot);
    RaiseError(9);
}

void PropertyTable::setText(int part, int property, int slot, const QString& text) {
    if (part == 1)
        setKey(property, slot, text);
    else if (part == 2)
        setValue(property, slot, text);
    else
        RaiseError(9);
}

void PropertyTable::clearRow(int property) {
    find(property, 0); // bounds
    changed();
    const Row& row = m_rows.at(property);
    for (qint32 j = 1; j < row.size; ++j) {
        const qsizetype i = row.start + j;
        m_slots[size_t(i)] = Slot();
        m_values.erase(i);
    }
}
