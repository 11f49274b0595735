#include "model/memoryform.h"

#include "model/fieldtable.h"

namespace {
const QString kPeriodBox = QStringLiteral("cmbCFAYears");
const QStringList kPeriodItems{QStringLiteral("5 Years"), QStringLiteral("10 Years"),
                               QStringLiteral("20 Years")};
const int kPeriodData[] = {5, 10, 20};
} // namespace

MemoryForm::MemoryForm() {
    for (const FieldSpec& field : StoredFields())
        addControl(field.name, ControlKind::TextField, field.cells);
    const QString label = QStringLiteral("lblAnnualOperatingExpenses");
    addControl(label, ControlKind::Label, 0);
    cell(label, 0)->text = QStringLiteral("Annual Operating Expenses");
    addControl(kPeriodBox, ControlKind::ComboBox, 0);
}

void MemoryForm::addControl(const QString& name, ControlKind kind, int cells) {
    Control control;
    control.kind = kind;
    control.firstIndex = cells == 0 ? 0 : 1;
    control.cells.resize(cells == 0 ? 1 : cells);
    for (int i = 0; i < control.cells.size(); ++i)
        m_order.append({name, control.firstIndex + i, kind});
    const int id = int(m_controls.size());
    m_controls.append(control);
    m_ids.insert(name, id);
    m_ids.insert(name.toLower(), id);
}

int MemoryForm::controlId(const QString& name) const {
    auto it = m_ids.constFind(name);
    if (it == m_ids.constEnd())
        it = m_ids.constFind(name.toLower());
    return it == m_ids.constEnd() ? -1 : it.value();
}

MemoryForm::Cell* MemoryForm::cell(const QString& name, int index) {
    const int id = controlId(name);
    if (id < 0)
        return nullptr;
    Control& control = m_controls[id]; // detaches: a copied form never writes into the original
    const int slot = index - control.firstIndex;
    return slot >= 0 && slot < control.cells.size() ? &control.cells[slot] : nullptr;
}

const MemoryForm::Cell* MemoryForm::cell(const QString& name, int index) const {
    const int id = controlId(name);
    if (id < 0)
        return nullptr;
    const Control& control = m_controls[id];
    const int slot = index - control.firstIndex;
    return slot >= 0 && slot < control.cells.size() ? &control.cells[slot] : nullptr;
}

bool MemoryForm::hasField(const QString& name) const {
    const int id = controlId(name);
    return id >= 0 && m_controls[id].kind == ControlKind::TextField;
}

QString MemoryForm::text(const QString& name, int index) const {
    const Cell* c = cell(name, index);
    return c ? c->text : QString();
}

void MemoryForm::setText(const QString& name, const QString& value, int index) {
    Cell* c = cell(name, index);
    if (!c)
        return;
    ++m_writes;
    if (c->text == value)
        return;
    c->text = value;
    if (m_onChange && hasField(name))
        m_onChange(name, index);
}

bool MemoryForm::isEnabled(const QString& name, int index) const {
    const Cell* c = cell(name, index);
    return c && c->enabled;
}

void MemoryForm::setEnabled(const QString& name, bool enabled, int index) {
    if (Cell* c = cell(name, index))
        c->enabled = enabled;
}

void MemoryForm::setTextColor(const QString& name, int index, QRgb colour) {
    if (Cell* c = cell(name, index))
        c->colour = colour;
}

QRgb MemoryForm::textColor(const QString& name, int index) const {
    const Cell* c = cell(name, index);
    return c ? c->colour : 0xff000000;
}

QVector<ControlRef> MemoryForm::controlsInWindowOrder() const {
    return m_order;
}

QVariant MemoryForm::selectedItemData(const QString& name) const {
    if (name.compare(kPeriodBox, Qt::CaseInsensitive) != 0 || m_periodIndex < 0)
        return QVariant();
    return kPeriodData[m_periodIndex];
}

void MemoryForm::selectOutlookPeriod(int listIndex) {
    m_periodIndex = (listIndex >= 0 && listIndex < 3) ? listIndex : -1;
    cell(kPeriodBox, 0)->text = m_periodIndex < 0 ? QString() : kPeriodItems[m_periodIndex];
}

void MemoryForm::setChartData(const QVector<double>& values, const QStringList& labels) {
    m_chartValues = values;
    m_chartLabels = labels;
    ++m_chartUpdates;
}

void MemoryForm::applyDesignDefaults() {
    for (const FieldDefault& d : DesignDefaults()) {
        if (Cell* c = cell(d.name, 0))
            c->text = d.text;
    }
}

void MemoryForm::setNotUpdated(const QString& name, const QString& reason) {
    if (reason.isEmpty())
        m_notUpdated.remove(name);
    else
        m_notUpdated.insert(name, reason);
}
