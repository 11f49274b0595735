#include "store/propertytable.h"

#include "base/errortrap.h"

#include <QHash>

PropertyTable g_propertyTable;
qint32 g_lPropertyCount = 0;
qint32 g_lCurrentProperty = 0;

namespace {

const QString kEmpty;

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
    ++m_generation;
    m_bytes.clear();
    m_encoding = IniScanner::Encoding::Ascii;
    m_keyNames = QVector<QString>{QString()};
    m_rows = QVector<Row>(qsizetype(propertyCount) + 1);
    m_slots.clear();
    m_values.clear();
    m_slotCount = qMax(1, slotCount);
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
    const quint64 generation = m_generation + 1;
    *this = std::move(table);
    m_generation = generation;
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
    const bool values = !m_values.empty();
    if (values)
        m_values.resize(m_slots.size());
    for (qint32 j = 0; j < row.size; ++j) {
        const size_t from = size_t(row.start + j);
        m_slots[start + size_t(j)] = m_slots[from];
        if (values)
            m_values[start + size_t(j)] = std::move(m_values[from]);
    }
    row = Row{qsizetype(start), m_slotCount + 1};
    return qsizetype(start) + slot;
}

void PropertyTable::ensureValues() const {
    if (m_values.size() < m_slots.size())
        m_values.resize(m_slots.size());
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
    ensureValues();
    QString& text = m_values[size_t(i)];
    if (s.valueSize != kOwnValue && text.isNull())
        text = IniScanner::decode(m_bytes.constData(), m_encoding, {s.valueFrom, s.valueSize});
    return text;
}

void PropertyTable::setKey(int property, int slot, const QString& key) {
    Slot& s = m_slots[size_t(place(property, slot))];
    if (m_keyNames.at(s.key) == key)
        return;
    s.key = qint32(m_keyNames.size());
    m_keyNames.append(key);
}

void PropertyTable::setValue(int property, int slot, const QString& value) {
    const size_t i = size_t(place(property, slot));
    ensureValues();
    m_slots[i].valueSize = kOwnValue;
    m_values[i] = value;
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
    const Row& row = m_rows.at(property);
    for (qint32 j = 1; j < row.size; ++j) {
        const size_t i = size_t(row.start + j);
        m_slots[i] = Slot();
        if (i < m_values.size())
            m_values[i] = QString();
    }
}
