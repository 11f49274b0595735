#include "gui/views/controltable.h"

#include <QVariant>
#include <QWidget>

int ControlTable::nameId(const QString& name) const {
    const auto it = m_ids.constFind(name);
    if (it != m_ids.constEnd())
        return *it;
    return m_ids.value(name.toLower(), -1);
}

void ControlTable::add(QWidget* widget, const QString& name, int index, ControlKind kind) {
    widget->setObjectName(name);
    if (index > 0)
        widget->setProperty("index", index);
    int id = nameId(name);
    if (id < 0) {
        id = int(m_byName.size());
        m_byName.append(QVector<Cell*>());
        m_ids.insert(name.toLower(), id);
    }
    m_ids.insert(name, id);
    QVector<Cell*>& cells = m_byName[id];
    if (cells.size() <= index)
        cells.resize(index + 1);
    m_store.push_back(Cell());
    Cell& cell = m_store.back();
    cell.widget = widget;
    cell.kind = kind;
    cell.index = index;
    cells[index] = &cell;
    if (kind != ControlKind::TextField)
        m_others.append({name, index, kind});
}

ControlTable::Cell* ControlTable::find(const QString& name, int index) {
    const int id = nameId(name);
    if (id < 0 || index < 0 || index >= m_byName.at(id).size())
        return nullptr;
    return m_byName.at(id).at(index);
}

const ControlTable::Cell* ControlTable::find(const QString& name, int index) const {
    return const_cast<ControlTable*>(this)->find(name, index);
}
