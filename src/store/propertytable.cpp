#include "store/propertytable.h"

#include "app/errortrap.h"

PropertyTableData PropertyTable;
qint32 g_lPropertyCount = 0;
qint32 g_lCurrentProperty = 0;

void PropertyTableData::reset(int propertyCount) {
    if (propertyCount < 0)
        RaiseError(9);
    m_slots = 1;
    m_keys = QVector<QVector<QString>>(propertyCount + 1, QVector<QString>(m_slots + 1));
    m_values = m_keys;
}

void PropertyTableData::growSlots(int slotTotal) {
    if (slotTotal <= m_slots)
        return;
    m_slots = slotTotal;
    for (QVector<QString>& row : m_keys)
        row.resize(m_slots + 1);
    for (QVector<QString>& row : m_values)
        row.resize(m_slots + 1);
}

void PropertyTableData::check(int property, int slot) const {
    if (property < 0 || property >= m_keys.size() || slot < 0 || slot > m_slots)
        RaiseError(9);
}

const QString& PropertyTableData::key(int property, int slot) const {
    check(property, slot);
    return m_keys.at(property).at(slot);
}

const QString& PropertyTableData::value(int property, int slot) const {
    check(property, slot);
    return m_values.at(property).at(slot);
}

void PropertyTableData::setKey(int property, int slot, const QString& key) {
    check(property, slot);
    m_keys[property][slot] = key;
}

void PropertyTableData::setValue(int property, int slot, const QString& value) {
    check(property, slot);
    m_values[property][slot] = value;
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
    check(property, 0);
    for (int j = 1; j <= m_slots; ++j) {
        m_keys[property][j].clear();
        m_values[property][j].clear();
    }
}
