#include "gui/views/viewframe.h"

#include "gui/views/controltable.h"
#include "gui/widgets/fieldlimit.h"
#include "gui/widgets/themecolours.h"
#include "gui/widgets/twips.h"
#include "model/fieldtable.h"

#include <QLabel>
#include <QLineEdit>

namespace {

void setHeadingColour(QLabel* label) {
    Theme::Apply(label, Theme::Role::Heading);
}

} // namespace

ViewFrame::ViewFrame(QWidget* parent, ControlTable& controls, const QString& name,
                     const QString& heading, int heightTwips)
    : QFrame(parent), m_controls(controls) {
    setObjectName(name);
    PlaceTwips(this, 0, 0, kWidth, heightTwips);
    hide();
    if (heading.isEmpty())
        return;
    QString base = name;
    base.remove(0, 5); // "frame"
    auto* label = addCaption(this, QStringLiteral("lbl") + base + QStringLiteral("Heading"),
                             heading, 240, 1050, 8000, 450);
    label->setFont(PixelFont(21, true));
    setHeadingColour(label);
    // A rule under the heading separates it from the fields.
    m_rule = new QFrame(this);
    m_rule->setFrameShape(QFrame::HLine);
    m_rule->setFrameShadow(QFrame::Plain);
    QPalette rp = m_rule->palette();
    rp.setColor(QPalette::WindowText, QColor(180, 190, 210));
    m_rule->setPalette(rp);
    PlaceTwips(m_rule, 240, 1515, kWidth - 480, 15);
}

void ViewFrame::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    if (m_rule)
        m_rule->resize(width() - 2 * TwipsToPixels(240), m_rule->height());
}

QLineEdit* ViewFrame::addField(QWidget* parent, const QString& name, int index, int left, int top,
                               int width, int height) {
    auto* edit = new QLineEdit(parent);
    new FieldLimit(edit);
    m_controls.add(edit, name, index, ControlKind::TextField);
    // A typed field says what it holds and in what unit; the field table knows.
    if (const FieldInfo* field = FindField(name))
        edit->setToolTip(field->tooltip);
    PlaceTwips(edit, left, top, width, height);
    return edit;
}

QLabel* ViewFrame::addCaption(QWidget* parent, const QString& name, const QString& text, int left,
                              int top, int width, int height) {
    auto* label = new QLabel(text, parent);
    m_controls.add(label, name, 0, ControlKind::Label);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    PlaceTwips(label, left, top, width, height);
    return label;
}

QLabel* ViewFrame::addGroupHeading(const QString& text, int left, int top, int width) {
    QString name = text;
    name.remove(QLatin1Char(' '));
    auto* label = addCaption(this, QStringLiteral("lbl") + name + QStringLiteral("Heading"), text,
                             left, top, width, 330);
    label->setFont(PixelFont(13, true));
    setHeadingColour(label);
    return label;
}

QLineEdit* ViewFrame::addCaptionedField(const QString& field, const QString& caption, bool percent,
                                        int captionLeft, int captionWidth, int fieldLeft,
                                        int fieldWidth, int top) {
    QString base = field;
    base.remove(0, 3); // "txt"
    addCaption(this, QStringLiteral("lbl") + base, caption, captionLeft, top, captionWidth);
    QLineEdit* edit = addField(this, field, 0, fieldLeft, top, fieldWidth);
    if (!m_firstField)
        m_firstField = edit;
    if (percent)
        addCaption(this, QStringLiteral("lbl") + base + QStringLiteral("Percent"),
                   QStringLiteral("%"), fieldLeft + fieldWidth + 60, top, 240);
    return edit;
}

void ViewFrame::focusFirstField() {
    if (m_firstField)
        m_firstField->setFocus();
}

QLineEdit* ViewFrame::addFieldRow(const FieldInfo& field, int captionLeft, int captionWidth,
                                  int fieldLeft, int fieldWidth, int top) {
    QLineEdit* edit = addCaptionedField(field.name, field.caption, field.isPercent(), captionLeft,
                                        captionWidth, fieldLeft, fieldWidth, top);
    if (field.isReadOnly())
        markComputed(edit);
    return edit;
}

void ViewFrame::markComputed(QLineEdit* field) {
    // The user can select a computed figure but not type over it.
    field->setReadOnly(true);
    Theme::Apply(field, Theme::Role::Computed);
}
