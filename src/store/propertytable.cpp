#include "store/propertytable.h"

#include "app/errortrap.h"

PropertyTableData PropertyTable;
qint32 g_lPropertyCount = 0;
qint32 g_lCurrentProperty = 0;

void PropertyTableData::reset(int propertyCount, int slotCount) {
    if (propertyCount < 0)
        RaiseError(9);
    m_rows = propertyCount + 1;
    m_slots = qMax(1, slotCount);
    m_keys = QVector<QString>(qsizetype(m_rows) * (m_slots + 1));
    m_values = QVector<QString>(m_keys.size());
}

void PropertyTableData::growSlots(int slotTotal) {
    if (slotTotal <= m_slots)
        return;
    QVector<QString> keys(qsizetype(m_rows) * (slotTotal + 1));
    QVector<QString> values(keys.size());
    for (int r = 0; r < m_rows; ++r) {
        for (int j = 0; j <= m_slots; ++j) {
            keys[qsizetype(r) * (slotTotal + 1) + j] = std::move(m_keys[at(r, j)]);
            values[qsizetype(r) * (slotTotal + 1) + j] = std::move(m_values[at(r, j)]);
        }
    }
    m_slots = slotTotal;
    m_keys = std::move(keys);
    m_values = std::move(values);
}

qsizetype PropertyTableData::at(int property, int slot) const {
    if (property < 0 || property >= m_rows || slot < 0 || slot > m_slots)
        RaiseError(9);
    return qsizetype(property) * (m_slots + 1) + slot;
}

const QString& PropertyTableData::key(int property, int slot) const {
    return m_keys.at(at(property, slot));
}

const QString& PropertyTableData::value(int property, int slot) const {
    return m_values.at(at(property, slot));
}

void PropertyTableData::setKey(int property, int slot, const QString& key) {
    m_keys[at(property, slot)] = key;
}

void PropertyTableData::setValue(int property, int slot, const QString& value) {
    m_values[at(property, slot)] = value;
}

const QString& PropertyTableData::text(int part, int property, int slot) const {
    if (part == 1)
        return key(property, slot);
    if (part == 2)
        return value(property, slot);
    RaiseError(9);
}

void PropertyTableData::setText(int part, int property, int slot, const QString& text) {
    if (part == 1)
        setKey(property, slot, text);
    else if (part == 2)
        setValue(property, slot, text);
    else
        RaiseError(9);
}

void PropertyTableData::clearRow(int property) {
    for (int j = 1; j <= m_slots; ++j) {
        m_keys[at(property, j)].clear();
        m_values[at(property, j)].clear();
    }
}
