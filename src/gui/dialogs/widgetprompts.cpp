#include "gui/dialogs/widgetprompts.h"

#include "gui/dialogs/propertydialog.h"
#include "gui/widgets/fieldlimit.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon boxIcon(PromptIcon icon) {
    switch (icon) {
    case PromptIcon::Information:
        return QMessageBox::Information;
    case PromptIcon::Warning:
        return QMessageBox::Warning;
    case PromptIcon::Critical:
        return QMessageBox::Critical;
    case PromptIcon::Question:
        return QMessageBox::Question;
    case PromptIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton boxButton(PromptAnswer answer) {
    switch (answer) {
    case PromptAnswer::Ok:
        return QMessageBox::Ok;
    case PromptAnswer::Cancel:
        return QMessageBox::Cancel;
    case PromptAnswer::Yes:
        return QMessageBox::Yes;
    case PromptAnswer::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

} // namespace

WidgetPrompts::WidgetPrompts(QWidget* parent) : m_parent(parent) {}

WidgetPrompts::~WidgetPrompts() {
    // The dialog is a child of the parent window when there is one; otherwise it is ours.
    if (m_dialog && !m_dialog->parent())
        delete m_dialog.data();
}

PromptAnswer WidgetPrompts::message(const PromptMessage& m) {
    // The texts carry the CR LF pairs the program has always used; a label breaks on LF.
    QString shown = m.text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QMessageBox box(boxIcon(m.icon), m.title, shown, QMessageBox::NoButton, m_parent);
    box.setObjectName(QStringLiteral("promptMessageBox"));
    QMessageBox::StandardButtons buttons;
    switch (m.buttons) {
    case PromptButtons::Ok:
        buttons = QMessageBox::Ok;
        break;
    case PromptButtons::OkCancel:
        buttons = QMessageBox::Ok | QMessageBox::Cancel;
        break;
    case PromptButtons::YesNoCancel:
        buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    }
    box.setStandardButtons(buttons);
    box.setDefaultButton(boxButton(DefaultAnswer(m)));
    if (m.buttons != PromptButtons::Ok)
        box.setEscapeButton(QMessageBox::Cancel);
    if (!m.okText.isEmpty() && box.button(QMessageBox::Ok))
        box.button(QMessageBox::Ok)->setText(m.okText);
    if (!m.cancelText.isEmpty() && box.button(QMessageBox::Cancel))
        box.button(QMessageBox::Cancel)->setText(m.cancelText);
    switch (box.exec()) {
    case QMessageBox::Ok:
        return PromptAnswer::Ok;
    case QMessageBox::Yes:
        return PromptAnswer::Yes;
    case QMessageBox::No:
        return PromptAnswer::No;
    case QMessageBox::Cancel:
        return PromptAnswer::Cancel;
    default:
        return m.buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
    }
}

frmDialog* WidgetPrompts::dialog() {
    if (!m_dialog)
        m_dialog = new frmDialog(m_parent);
    return m_dialog;
}

std::optional<QString> WidgetPrompts::askPropertyName(const PropertyNameRequest& request) {
    frmDialog* d = dialog();
    g_bDialogCancelled = true;
    d->lblLabel()->setText(request.label);
    FieldLimit::setText(d->txtTextBox(), request.initialText);
    d->txtTextBox()->setFocus();
    d->txtTextBox_GotFocus();
    d->exec();
    if (g_bDialogCancelled)
        return std::nullopt;
    return d->acceptedText();
}
