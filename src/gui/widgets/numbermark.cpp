#include "gui/widgets/numbermark.h"

#include "analysis/returns.h"
#include "base/errortrap.h"
#include "base/numerictext.h"
#include "gui/widgets/themecolours.h"
#include "model/fieldtable.h"

#include <QLineEdit>

namespace {
const char kMarkedProperty[] = "notANumber";
} // namespace

QString NumberMark::Tooltip() {
    return QStringLiteral(
        "Not a number \u2014 the figures that use this field keep their previous values");
}

QString NumberMark::NotAvailableTooltip() {
    return QStringLiteral("Not a number \u2014 the figures that use this field show n/a until it "
                          "is one");
}

QString NumberMark::OutOfRangeTooltip(const QString& range) {
    return QStringLiteral("Must be %1 \u2014 the figures that use this field show n/a until it is")
        .arg(range);
}

QString NumberMark::NeededTooltip(const QString& otherCaption) {
    return QStringLiteral("Needed when %1 is given \u2014 the figures that use this field show n/a "
                          "until it is")
        .arg(otherCaption);
}

NumberMark::NumberMark(QLineEdit* field, const QString& tooltip)
    : QObject(field), m_field(field), m_markTooltip(tooltip),
      m_range(ReturnsInputRange(field->objectName())) {
    connect(field, &QLineEdit::textChanged, this, &NumberMark::check);
}

void NumberMark::Watch(QLineEdit* field, const QString& tooltip) {
    (new NumberMark(field, tooltip))->check();
}

bool NumberMark::IsMarked(const QLineEdit* field) {
    return field->property(kMarkedProperty).toBool();
}

void NumberMark::check() {
    // Read exactly as the calculations read a field; a text they reject is the one to mark.
    QString problem;
    double value = 0;
    try {
        value = FieldNumber(m_field->text());
    } catch (const RuntimeError& e) {
        if (e.number() == 13) // an overflow is a number, only too large
            problem = m_markTooltip;
    }
    // A blank returns input stands for its default, which is always in range.
    const bool blank = m_field->text().trimmed().isEmpty();
    if (problem.isEmpty() && !m_range.isEmpty() && !blank &&
        !IsUsableReturnsInput(m_field->objectName(), value))
        problem = OutOfRangeTooltip(m_range);
    if (problem.isEmpty() && blank && m_neededWith && !m_neededWith->text().trimmed().isEmpty()) {
        const FieldInfo* other = FindField(m_neededWith->objectName());
        problem = NeededTooltip(other ? other->caption : m_neededWith->objectName());
    }
    if (problem == m_shown)
        return; // no change: the style sheet, which costs a repolish, stays untouched
    if (m_shown.isEmpty())
        m_tooltip = m_field->toolTip();
    m_shown = problem;
    m_field->setProperty(kMarkedProperty, !problem.isEmpty());
    if (!problem.isEmpty()) {
        // As red as the field's background allows a frame to stand out from it.
        const QColor frame = Theme::Readable(
            Theme::MarkRed(), m_field->palette().color(QPalette::Base), Theme::kMarkContrast);
        m_field->setStyleSheet(
            QStringLiteral("QLineEdit { border: 2px solid %1; }").arg(frame.name()));
        m_field->setToolTip(problem);
    } else {
        m_field->setStyleSheet(QString());
        m_field->setToolTip(m_tooltip);
    }
}

void NumberMark::WatchFigureFields(QWidget* window) {
    for (const FieldInfo& field : FieldTable()) {
        if (field.isReadOnly() ||
            (field.view != FieldView::Property && field.view != FieldView::Financial &&
             field.view != FieldView::Returns))
            continue;
        if (field.name == QLatin1String("txtPropertyInformation") ||
            field.name == QLatin1String("txtAddress") ||
            field.name == QLatin1String("txtMiscNotes"))
            continue; // words, not figures
        // The returns read a field that does not convert as no number at all, so their figures
        // show "n/a"; the classic recalculation skips the statement and keeps the old figure.
        const QString tooltip = IsReturnsOnlyInput(field.name) ? NotAvailableTooltip() : Tooltip();
        const QString neededWith = ReturnsInputNeededWith(field.name);
        QLineEdit* other =
            neededWith.isEmpty() ? nullptr : window->findChild<QLineEdit*>(neededWith);
        for (QLineEdit* edit : window->findChildren<QLineEdit*>(field.name)) {
            auto* mark = new NumberMark(edit, tooltip);
            if (other) {
                mark->m_neededWith = other;
                connect(other, &QLineEdit::textChanged, mark, &NumberMark::check);
            }
            mark->check();
        }
    }
}
