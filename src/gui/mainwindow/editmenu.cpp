#include "gui/mainwindow/editmenu.h"

#include "base/errortrap.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

using EditCommands::Command;

EditMenu::EditMenu(QWidget* window, QMenu* menu, PictureHooks pictures)
    : QObject(window), m_window(window), m_pictures(std::move(pictures)) {
    const auto add = [&](const QString& caption, const QString& name, const QKeySequence& shortcut,
                         std::function<void()> run) {
        auto* action = new QAction(caption, window);
        action->setObjectName(name);
        action->setShortcut(shortcut);
        menu->addAction(action);
        connect(action, &QAction::triggered, this, std::move(run));
        return action;
    };
    const auto command = [this](Command c) { return [this, c] { run(c); }; };
    m_undo = add(QStringLiteral("&Undo"), QStringLiteral("mnuEditUndo"), QKeySequence(),
                 command(Command::Undo));
    menu->addSeparator()->setObjectName(QStringLiteral("mnuEditBar0"));
    m_cut = add(QStringLiteral("Cu&t"), QStringLiteral("mnuEditCut"),
                QKeySequence(Qt::CTRL | Qt::Key_X), command(Command::Cut));
    m_copy = add(QStringLiteral("&Copy"), QStringLiteral("mnuEditCopy"),
                 QKeySequence(Qt::CTRL | Qt::Key_C), command(Command::Copy));
    m_paste = add(QStringLiteral("&Paste"), QStringLiteral("mnuEditPaste"),
                  QKeySequence(Qt::CTRL | Qt::Key_V), command(Command::Paste));
    m_delete = add(QStringLiteral("&Delete Selection"), QStringLiteral("mnuEditDelete"),
                   QKeySequence(Qt::Key_Delete), [this] { deleteSelection(); });
    m_selectAll = add(QStringLiteral("Select All"), QStringLiteral("mnuEditSelectAll"),
                      QKeySequence(Qt::CTRL | Qt::Key_A), command(Command::SelectAll));
    connect(menu, &QMenu::aboutToShow, this, &EditMenu::refresh);
    qApp->installEventFilter(this);
}

// The entries' shortcuts act on the state that applies when the key is pressed, not on what
// applied when the menu was last opened: otherwise Del would stay dead on a selected picture
// just because the menu was last opened over an empty field. A text field that handles the
// key itself (Ctrl+C, Del, ...) accepts the shortcut override and keeps the key, so its own
// editing is never taken over by the menu.
// A one-line field also keeps its selection while the menu bar has the keyboard (Alt+E): it
// would drop it on losing the focus to the bar, and Cut, Copy or Delete Selection chosen
// there would then find nothing to act on.
bool EditMenu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() == Qt::MenuBarFocusReason) {
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (!field || field->window() != m_window)
            return false;
        // Told as a menu popping up, which a field answers without deselecting.
        QFocusEvent asPopup(QEvent::FocusOut, Qt::PopupFocusReason);
        QCoreApplication::sendEvent(field, &asPopup);
        return true;
    }
    if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType())
        return false;
    if (static_cast<QWidget*>(watched)->window() != m_window)
        return false;
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    for (const QAction* action : {m_cut, m_copy, m_paste, m_delete, m_selectAll}) {
        if (action->shortcut() == pressed) {
            refresh();
            break;
        }
    }
    return false;
}

QWidget* EditMenu::activeControl() const {
    QWidget* focused = QApplication::focusWidget();
    if (focused && focused->window() == m_window)
        return focused;
    // While the window is not the active one: the control that gets the focus back.
    return m_window->focusWidget();
}

void EditMenu::run(Command command) {
    Trap(4010, [&] {
        QWidget* control = activeControl();
        if (!control)
            RaiseError(91, QStringLiteral("Object variable or With block variable not set"));
        EditCommands::Run(control, command);
    });
}

void EditMenu::deleteSelection() {
    bool picture = false;
    Trap(4110, [&] { picture = m_pictures.selected(); });
    if (picture)
        Trap(4120, [&] { m_pictures.remove(); });
    else
        run(Command::Clear);
}

void EditMenu::refresh() {
    EditCommands::EditState state;
    QWidget* focused = nullptr;
    Trap(4210, [&] { focused = activeControl(); });
    if (EditCommands::IsTextBox(focused)) {
        // The selection is read from the field itself; the clipboard is only looked at,
        // never emptied or rewritten, so a picture the user copied stays on it.
        QString clipboardText;
        Trap(4220, [&] { clipboardText = QGuiApplication::clipboard()->text(); });
        Trap(4230, [&] { state = EditCommands::TextBoxState(focused, clipboardText); });
    } else {
        Trap(4240, [&] { state.del = m_pictures.selected(); });
    }
    m_undo->setEnabled(state.undo);
    m_cut->setEnabled(state.cut);
    m_copy->setEnabled(state.copy);
    m_paste->setEnabled(state.paste);
    m_delete->setEnabled(state.del);
    m_selectAll->setEnabled(state.selectAll);
}
