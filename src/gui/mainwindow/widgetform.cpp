#include "gui/mainwindow/widgetform.h"

#include "analysis/analysis.h"
#include "gui/widgets/fieldlimit.h"
#include "gui/widgets/outlookchart.h"
#include "gui/widgets/themecolours.h"
#include "model/fieldtable.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <functional>
#include <utility>

QWidget* WidgetForm::control(const QString& name, int index) const {
    if (const ControlTable::Cell* cell = m_controls.find(name, index))
        return cell->widget;
    // Controls other parts of the program put into the window (the home page's cards and
    // filter box, the picture strip) are found by their names. A control found once is
    // remembered while it lives and keeps its name (array cells keep their numbers): a
    // snapshot of the window reads dozens of them, and each search walks every widget.
    const QString key = name.toLower() + QLatin1Char('#') + QString::number(index);
    const QPointer<QWidget> known = m_found.value(key);
    if (known && known->objectName().compare(name, Qt::CaseInsensitive) == 0)
        return known;
    const auto children = m_window.findChildren<QWidget*>();
    for (QWidget* w : children) {
        if (w->objectName().compare(name, Qt::CaseInsensitive) == 0 &&
            w->property("index").toInt() == index) {
            m_found.insert(key, w);
            return w;
        }
    }
    return nullptr;
}

QString WidgetForm::text(const QString& name, int index) const {
    const ControlTable::Cell* cell = m_controls.find(name, index);
    if (cell && cell->textPending)
        return cell->pendingText;
    QWidget* w = cell ? cell->widget : control(name, index);
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text();
    if (auto* notes = qobject_cast<QPlainTextEdit*>(w))
        return notes->toPlainText();
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* box = qobject_cast<QComboBox*>(w))
        return box->currentText();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    return QString();
}

void WidgetForm::setText(const QString& name, const QString& value, int index) {
    ControlTable::Cell* cell = m_controls.find(name, index);
    QWidget* w = cell ? cell->widget : control(name, index);
    auto* edit = qobject_cast<QLineEdit*>(w);
    if (edit && cell && m_updateDepth > 0) {
        // What the field would hold: a line edit cuts a text at its maximum length.
        const QString held = value.left(edit->maxLength());
        if ((cell->textPending ? cell->pendingText : edit->text()) == held)
            return;
        cell->pendingText = held;
        cell->textPending = true;
        queue(cell);
        const auto handler = m_handlerField.constFind(edit);
        if (handler != m_handlerField.constEnd() && m_owner)
            DispatchFieldChange(*m_owner, *handler, 0);
        return;
    }
    if (cell)
        showKept(cell); // what follows compares with the widget's own text
    if (edit) {
        // An unchanged text runs no handler, as with the widget's own setter.
        if (edit->text() != value)
            FieldLimit::setText(edit, value);
    } else if (auto* notes = qobject_cast<QPlainTextEdit*>(w)) {
        if (notes->toPlainText() != value)
            notes->setPlainText(value);
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        if (label->text() != value)
            label->setText(value);
    } else if (auto* box = qobject_cast<QComboBox*>(w)) {
        const int i = box->findText(value);
        if (i >= 0)
            box->setCurrentIndex(i);
        else if (box->isEditable())
            box->setEditText(value);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setChecked(value == QLatin1String("1") || value == QLatin1String("-1"));
    }
}

bool WidgetForm::isEnabled(const QString& name, int index) const {
    QWidget* w = control(name, index);
    return w && w->isEnabled();
}

void WidgetForm::setTextColor(const QString& name, int index, QRgb colour) {
    ControlTable::Cell* cell = m_controls.find(name, index);
    QWidget* w = cell ? cell->widget : control(name, index);
    if (!w)
        return;
    if (cell) {
        // Every recalculation colours the whole outlook again; repaint only what changes.
        if (cell->colour == colour)
            return;
        cell->colour = colour;
        cell->colourPending = true;
        if (m_updateDepth > 0) {
            queue(cell);
            return;
        }
        showKept(cell);
        return;
    }
    applyColour(w, colour);
}

void WidgetForm::applyColour(QWidget* w, QRgb colour) {
    // The form keeps the colour as set (red or green); the screen shows it as light or dark as
    // the field's background needs to keep the figure readable.
    Theme::SetTextColour(w, QColor::fromRgb(colour));
}

void WidgetForm::setNotUpdated(const QString& name, const QString& reason) {
    if (m_notUpdated.value(name) == reason)
        return; // the usual run: nothing to repaint
    if (reason.isEmpty())
        m_notUpdated.remove(name);
    else
        m_notUpdated.insert(name, reason);
    QWidget* w = control(name);
    if (!w)
        return;
    // Greyed and slanted, halfway to the background: plainly not current, yet still legible,
    // there to select and point at.
    QPalette p = w->palette();
    const char* normal = "normalTextColour";
    if (!reason.isEmpty() && !w->property(normal).isValid())
        w->setProperty(normal, p.color(QPalette::Active, QPalette::Text));
    const QColor text = w->property(normal).value<QColor>();
    const QColor base = p.color(QPalette::Active, QPalette::Base);
    const auto mix = [](int a, int b) { return (a * 55 + b * 45) / 100; };
    const QColor colour = reason.isEmpty()
                              ? text
                              : QColor(mix(text.red(), base.red()), mix(text.green(), base.green()),
                                       mix(text.blue(), base.blue()));
    p.setColor(QPalette::Active, QPalette::Text, colour);
    p.setColor(QPalette::Inactive, QPalette::Text, colour);
    w->setPalette(p);
    QFont font = w->font();
    font.setItalic(!reason.isEmpty());
    w->setFont(font);
}

QRgb WidgetForm::textColor(const QString& name, int index) const {
    if (const ControlTable::Cell* cell = m_controls.find(name, index))
        return cell->colour;
    if (QWidget* w = control(name, index)) {
        const QColor wanted = Theme::WantedTextColour(w);
        return (wanted.isValid() ? wanted : w->palette().color(QPalette::Text)).rgb();
    }
    return 0xff000000;
}

QVector<ControlRef> WidgetForm::controlsInWindowOrder() const {
    // The text fields in the order a property is stored, then the captions and drop-downs.
    QVector<ControlRef> order = m_fieldOrder;
    order += m_controls.others();
    const auto children = m_window.findChildren<QWidget*>();
    for (QWidget* w : children) {
        // The property-name dialog and the about box are children too, but their labels
        // are no part of the property.
        if (w->window() != &m_window)
            continue;
        const QString name = w->objectName();
        ControlKind kind;
        if (qobject_cast<QLabel*>(w) && name.startsWith(QLatin1String("lbl")))
            kind = ControlKind::Label;
        else if (qobject_cast<QComboBox*>(w) && name.startsWith(QLatin1String("cmb")))
            kind = ControlKind::ComboBox;
        else
            continue;
        const int index = w->property("index").toInt();
        if (!m_controls.find(name, index))
            order.append({name, index, kind});
    }
    return order;
}

QVariant WidgetForm::selectedItemData(const QString& name) const {
    auto* box = qobject_cast<QComboBox*>(control(name));
    if (!box || box->currentIndex() < 0)
        return QVariant();
    return box->itemData(box->currentIndex());
}

void WidgetForm::setChartData(const QVector<double>& values, const QStringList& labels) {
    if (m_updateDepth > 0) {
        m_pendingChart = ChartData{values, labels};
        return;
    }
    m_chart->setData(values, labels);
}

void WidgetForm::processPendingEvents() {
    // Inside an update the window would only repaint what it is about to replace: the events
    // run once the update is shown. Opening a property so also never lets a queued click act
    // on a property half loaded.
    if (m_updateDepth > 0) {
        m_eventsWanted = true;
        return;
    }
    runEvents();
}

void WidgetForm::runEvents() {
    // A keystroke handled here may run the next recalculation; that one must not start yet
    // another nested event loop.
    if (m_processingEvents)
        return;
    m_processingEvents = true;
    QCoreApplication::processEvents();
    m_processingEvents = false;
}

void WidgetForm::queue(ControlTable::Cell* cell) {
    if (cell->queued)
        return;
    cell->queued = true;
    m_queued.append(cell);
}

void WidgetForm::endUpdate() {
    if (m_updateDepth == 0 || --m_updateDepth > 0)
        return;
    showPending();
    if (m_eventsWanted) {
        m_eventsWanted = false;
        runEvents();
    }
}

void WidgetForm::showPending() {
    // Taken first: a field's other listeners may write through the form while it is shown.
    const QVector<ControlTable::Cell*> cells = std::exchange(m_queued, {});
    std::optional<ChartData> chart = std::exchange(m_pendingChart, std::nullopt);
    for (ControlTable::Cell* cell : cells) {
        cell->queued = false;
        // An outlook cell nobody can see (the 5-year grid beside the 20-year one, the other
        // decade, the outlook not shown) gets its text when it is shown: laying out a text
        // costs as much as drawing it, and a keystroke changes a hundred of them.
        if (cell->index > 0 && !cell->widget->isVisible())
            keepUntilShown(cell);
        else
            showKept(cell);
    }
    if (chart)
        m_chart->setData(chart->values, chart->labels);
}

void WidgetForm::showKept(ControlTable::Cell* cell) {
    if (cell->textPending) {
        cell->textPending = false;
        auto* edit = static_cast<QLineEdit*>(cell->widget);
        if (edit->text() != cell->pendingText) {
            // Its handler ran when the text was written.
            const QLineEdit* outer = std::exchange(m_showing, edit);
            FieldLimit::setText(edit, cell->pendingText);
            m_showing = outer;
        }
        cell->pendingText.clear();
    }
    if (cell->colourPending) {
        cell->colourPending = false;
        applyColour(cell->widget, cell->colour);
    }
}

namespace {
// Gives a field kept from the screen its text as it is shown, before it is drawn.
class ShowWatcher : public QObject {
public:
    explicit ShowWatcher(std::function<void(QWidget*)> shown) : m_shown(std::move(shown)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            m_shown(static_cast<QWidget*>(watched));
        return false;
    }

private:
    std::function<void(QWidget*)> m_shown;
};
} // namespace

void WidgetForm::keepUntilShown(ControlTable::Cell* cell) {
    if (!m_showWatcher) {
        m_showWatcher = std::make_unique<ShowWatcher>([this](QWidget* w) {
            ControlTable::Cell* kept = m_hiddenKept.value(w);
            if (kept && !kept->queued)
                showKept(kept);
        });
    }
    if (!m_hiddenKept.contains(cell->widget)) {
        m_hiddenKept.insert(cell->widget, cell);
        cell->widget->installEventFilter(m_showWatcher.get());
    }
}

void WidgetForm::applyDesignDefaults() {
    for (const FieldDefault& d : DesignDefaults()) {
        if (auto* edit = qobject_cast<QLineEdit*>(control(d.name)))
            edit->setText(d.text);
    }
}

void WidgetForm::connectChangeHandlers(Form& owner, QObject* context) {
    m_owner = &owner;
    // The computed fields have no handler, so writing the outlook costs no calls.
    for (const FieldInfo& field : FieldTable()) {
        if (field.handler == FieldHandler::None)
            continue;
        if (auto* edit = qobject_cast<QLineEdit*>(control(field.name))) {
            const QString name = field.name;
            m_handlerField.insert(edit, name);
            QObject::connect(edit, &QLineEdit::textChanged, context, [this, &owner, name, edit] {
                if (edit == m_showing)
                    return;
                FormUpdate update(owner);
                DispatchFieldChange(owner, name, 0);
            });
        }
    }
}
