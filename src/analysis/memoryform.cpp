#include "analysis/memoryform.h"

#include "analysis/analysis.h"
#include "analysis/fieldcatalog.h"

namespace {
const QString kPeriodBox = QStringLiteral("cmbCFAYears");
const QStringList kPeriodItems{QStringLiteral("5 Years"), QStringLiteral("10 Years"),
                               QStringLiteral("20 Years")};
const int kPeriodData[] = {5, 10, 20};
} // namespace

MemoryForm::MemoryForm() {
    for (const FieldSpec& field : StoredFields()) {
        m_kinds.insert(field.name.toLower(), ControlKind::TextField);
        if (field.cells == 0) {
            m_order.append({field.name, 0, ControlKind::TextField});
            m_cells.insert(keyOf(field.name, 0), Cell());
        } else {
            for (int i = 1; i <= field.cells; ++i) {
                m_order.append({field.name, i, ControlKind::TextField});
                m_cells.insert(keyOf(field.name, i), Cell());
            }
        }
    }
    const QString label = QStringLiteral("lblAnnualOperatingExpenses");
    m_order.append({label, 0, ControlKind::Label});
    m_kinds.insert(label.toLower(), ControlKind::Label);
    Cell caption;
    caption.text = QStringLiteral("Annual Operating Expenses");
    m_cells.insert(keyOf(label, 0), caption);
    m_order.append({kPeriodBox, 0, ControlKind::ComboBox});
    m_kinds.insert(kPeriodBox.toLower(), ControlKind::ComboBox);
    m_cells.insert(keyOf(kPeriodBox, 0), Cell());
}

QString MemoryForm::keyOf(const QString& name, int index) {
    return name.toLower() + QLatin1Char('#') + QString::number(index);
}

MemoryForm::Cell* MemoryForm::cell(const QString& name, int index) {
    auto it = m_cells.find(keyOf(name, index));
    return it == m_cells.end() ? nullptr : &it.value();
}

const MemoryForm::Cell* MemoryForm::cell(const QString& name, int index) const {
    auto it = m_cells.constFind(keyOf(name, index));
    return it == m_cells.constEnd() ? nullptr : &it.value();
}

bool MemoryForm::hasField(const QString& name) const {
    const auto it = m_kinds.constFind(name.toLower());
    return it != m_kinds.constEnd() && it.value() == ControlKind::TextField;
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
    if (m_onChange && m_kinds.value(name.toLower()) == ControlKind::TextField)
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

QVector<ControlRef> MemoryForm::controlsInWindowOrder() const { return m_order; }

QVariant MemoryForm::selectedItemData(const QString& name) const {
    if (name.compare(kPeriodBox, Qt::CaseInsensitive) != 0 || m_periodIndex < 0)
        return QVariant();
    return kPeriodData[m_periodIndex];
}

void MemoryForm::selectOutlookPeriod(int listIndex) {
    m_periodIndex = (listIndex >= 0 && listIndex < 3) ? listIndex : -1;
    m_cells[keyOf(kPeriodBox, 0)].text = m_periodIndex < 0 ? QString() : kPeriodItems[m_periodIndex];
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

void MemoryForm::connectAnalysisHandlers() {
    setChangeHandler([this](const QString& name, int index) { DispatchFieldChange(*this, name, index); });
}
