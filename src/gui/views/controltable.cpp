#include "gui/views/controltable.h"

#include <QVariant>
#include <QWidget>

QString ControlTable::keyOf(const QString& name, int index) {
    return name.toLower() + QLatin1Char('#') + QString::number(index);
}

void ControlTable::add(QWidget* widget, const QString& name, int index, ControlKind kind) {
    widget->setObjectName(name);
    if (index > 0)
        widget->setProperty("index", index);
    Cell cell;
    cell.widget = widget;
    cell.kind = kind;
    m_cells.insert(keyOf(name, index), cell);
    if (kind != ControlKind::TextField)
        m_others.append({name, index, kind});
}

ControlTable::Cell* ControlTable::find(const QString& name, int index) {
    const auto it = m_cells.find(keyOf(name, index));
    return it != m_cells.end() ? &*it : nullptr;
}

const ControlTable::Cell* ControlTable::find(const QString& name, int index) const {
    const auto it = m_cells.constFind(keyOf(name, index));
    return it != m_cells.constEnd() ? &*it : nullptr;
}
