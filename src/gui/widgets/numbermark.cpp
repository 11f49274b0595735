#include "gui/widgets/numbermark.h"

#include "analysis/returns.h"
#include "base/errortrap.h"
#include "base/numerictext.h"
#include "gui/widgets/themecolours.h"
#include "model/fieldtable.h"

#include <QLineEdit>
#include <cmath>

namespace {
const char kMarkedProperty[] = "notANumber";
const char kCautionProperty[] = "amountWithPercent";

// The text as the calculations read it; false when they cannot.
bool readNumber(const QString& text, double* value) {
    try {
        *value = FieldNumber(text);
        return true;
    } catch (const RuntimeError& e) {
        if (e.number() != 13)
            *value = 0; // an overflow is a number, only too large
        return e.number() != 13;
    }
}
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

QString NumberMark::NoTermTooltip() {
    return QStringLiteral("A loan needs a term — the number of monthly payments (360 for 30 "
                          "years); with none it costs nothing and the figures leave it out");
}

QString NumberMark::AmountNotPercentTooltip(const QString& readAs) {
    return QStringLiteral("Read as %1 — this field is an amount, not a percent").arg(readAs);
}

NumberMark::NumberMark(QLineEdit* field, const QString& tooltip)
    : QObject(field), m_field(field), m_markTooltip(tooltip),
      m_range(ReturnsInputRange(field->objectName())) {
    connect(field, &QLineEdit::textChanged, this, &NumberMark::check);
}

void NumberMark::Watch(QLineEdit* field, const QString& tooltip) {
    (new NumberMark(field, tooltip))->check();
}

void NumberMark::WatchFinite(QLineEdit* field, const QString& tooltip) {
    auto* mark = new NumberMark(field, tooltip);
    mark->m_finiteOnly = true;
    mark->check();
}

bool NumberMark::IsMarked(const QLineEdit* field) {
    return field->property(kMarkedProperty).toBool();
}

bool NumberMark::IsCautioned(const QLineEdit* field) {
    return field->property(kCautionProperty).toBool();
}

QString NumberMark::fault(bool converts, double value) const {
    if (!converts)
        return m_markTooltip;
    // A blank returns input stands for its default, which is always in range.
    const bool blank = m_field->text().trimmed().isEmpty();
    if (!m_range.isEmpty() && !blank && !IsUsableReturnsInput(m_field->objectName(), value))
        return OutOfRangeTooltip(m_range);
    if (blank && m_neededWith && !m_neededWith->text().trimmed().isEmpty()) {
        const FieldInfo* other = FindField(m_neededWith->objectName());
        return NeededTooltip(other ? other->caption : m_neededWith->objectName());
    }
    double principal = 0;
    if (m_principal && value == 0 && readNumber(m_principal->text(), &principal) && principal > 0)
        return NoTermTooltip();
    return QString();
}

QString NumberMark::caution(bool converts, double value) const {
    if (!converts || m_amount == 0 || !m_field->text().contains(QLatin1Char('%')))
        return QString();
    static const char* const per[] = {"", "", " per month", " per year"};
    const bool whole = value == std::floor(value);
    return AmountNotPercentTooltip(CurrencyText(value, whole ? 0 : 2) +
                                   QLatin1String(per[m_amount]));
}

void NumberMark::check() {
    // Read exactly as the calculations read a field; a text they reject is the one to mark.
    double value = 0;
    bool converts = readNumber(m_field->text(), &value);
    if (converts && m_finiteOnly)
        converts =
            TrapSilently([&] { value = FieldNumber(m_field->text()); }) && std::isfinite(value);
    QString problem = fault(converts, value);
    const bool red = !problem.isEmpty();
    if (!red)
        problem = caution(converts, value);
    if (problem == m_shown && red == m_shownRed)
        return; // no change: the style sheet, which costs a repolish, stays untouched
    if (m_shown.isEmpty())
        m_tooltip = m_field->toolTip();
    m_shown = problem;
    m_shownRed = red;
    m_field->setProperty(kMarkedProperty, red);
    m_field->setProperty(kCautionProperty, !red && !problem.isEmpty());
    if (!problem.isEmpty()) {
        // Red or amber, as deep or light as the field's background needs for the frame to
        // stand out from it.
        const QColor frame =
            Theme::Readable(red ? Theme::MarkRed() : QColor(0xe0, 0x8a, 0x00),
                            m_field->palette().color(QPalette::Base), Theme::kMarkContrast);
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
        // A loan's term is needed once its principal is above $0.
        QLineEdit* principal = nullptr;
        if (field.name.startsWith(QLatin1String("txtAmortizationTerm")))
            principal = window->findChild<QLineEdit*>(QStringLiteral("txtMortgagePrincipal") +
                                                      field.name.right(1));
        for (QLineEdit* edit : window->findChildren<QLineEdit*>(field.name)) {
            auto* mark = new NumberMark(edit, tooltip);
            mark->m_amount = int(field.amount);
            if (other) {
                mark->m_neededWith = other;
                connect(other, &QLineEdit::textChanged, mark, &NumberMark::check);
            }
            if (principal) {
                mark->m_principal = principal;
                connect(principal, &QLineEdit::textChanged, mark, &NumberMark::check);
            }
            mark->check();
        }
    }
}
