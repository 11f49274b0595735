// The Edit menu: the text commands on the focused field and the removal of the selected
// property picture.
#include "base/errortrap.h"
#include "gui/commands/editcommands.h"
#include "gui/mainwindow/mainwindow.h"
#include "gui/pictures/picturestrip.h"
#include "gui/views/propertyview.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

using EditCommands::Command;

namespace {

// The standard edit-control messages the entries stand for.
constexpr int EM_SETSEL = 0x00B1;
constexpr int EM_UNDO = 0x00C7;
constexpr int WM_CUT = 0x0300;
constexpr int WM_COPY = 0x0301;
constexpr int WM_PASTE = 0x0302;
constexpr int WM_CLEAR = 0x0303;

// The entries' shortcuts act on the state that applies when the key is pressed, not on what
// applied when the menu was last opened: otherwise Del would stay dead on a selected picture
// just because the menu was last opened over an empty field. A text field that handles the
// key itself (Ctrl+C, Del, ...) accepts the shortcut override and keeps the key, so its own
// editing is never taken over by the menu.
// A one-line field also keeps its selection while the menu bar has the keyboard (Alt+E): it
// would drop it on losing the focus to the bar, and Cut, Copy or Delete Selection chosen
// there would then find nothing to act on.
class EditShortcutRefresh : public QObject {
public:
    EditShortcutRefresh(MainWindow* window, QList<QAction*> actions)
        : QObject(window), m_window(window), m_actions(std::move(actions)) {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
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
        for (const QAction* action : m_actions) {
            if (action->shortcut() == pressed) {
                m_window->mnuEdit_Click();
                break;
            }
        }
        return false;
    }

private:
    MainWindow* m_window;
    QList<QAction*> m_actions;
};

} // namespace

void MainWindow::buildEditAndHelpMenus() {
    const auto add = [this](const QString& caption, const QString& name,
                            const QKeySequence& shortcut, void (MainWindow::*slot)()) {
        auto* action = new QAction(caption, this);
        action->setObjectName(name);
        action->setShortcut(shortcut);
        m_mnuEdit->addAction(action);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    m_mnuEditUndo = add(QStringLiteral("&Undo"), QStringLiteral("mnuEditUndo"), QKeySequence(),
                        &MainWindow::mnuEditUndo_Click);
    m_mnuEdit->addSeparator()->setObjectName(QStringLiteral("mnuEditBar0"));
    m_mnuEditCut = add(QStringLiteral("Cu&t"), QStringLiteral("mnuEditCut"),
                       QKeySequence(Qt::CTRL | Qt::Key_X), &MainWindow::mnuEditCut_Click);
    m_mnuEditCopy = add(QStringLiteral("&Copy"), QStringLiteral("mnuEditCopy"),
                        QKeySequence(Qt::CTRL | Qt::Key_C), &MainWindow::mnuEditCopy_Click);
    m_mnuEditPaste = add(QStringLiteral("&Paste"), QStringLiteral("mnuEditPaste"),
                         QKeySequence(Qt::CTRL | Qt::Key_V), &MainWindow::mnuEditPaste_Click);
    m_mnuEditDelete = add(QStringLiteral("&Delete Selection"), QStringLiteral("mnuEditDelete"),
                          QKeySequence(Qt::Key_Delete), &MainWindow::mnuEditDelete_Click);
    m_mnuEditSelectAll =
        add(QStringLiteral("Select All"), QStringLiteral("mnuEditSelectAll"),
            QKeySequence(Qt::CTRL | Qt::Key_A), &MainWindow::mnuEditSelectAll_Click);
    connect(m_mnuEdit, &QMenu::aboutToShow, this, &MainWindow::mnuEdit_Click);
    new EditShortcutRefresh(
        this, {m_mnuEditCut, m_mnuEditCopy, m_mnuEditPaste, m_mnuEditDelete, m_mnuEditSelectAll});
    buildHelpMenu();
}

QWidget* MainWindow::activeControl() const {
    QWidget* focused = QApplication::focusWidget();
    if (focused && focused->window() == this)
        return focused;
    // While the window is not the active one: the control that gets the focus back.
    return focusWidget();
}

void MainWindow::SendToActiveControl(int message) {
    Trap(4010, [&] {
        QWidget* control = activeControl();
        if (!control)
            RaiseError(91, QStringLiteral("Object variable or With block variable not set"));
        Command command;
        switch (message) {
        case EM_UNDO:
            command = Command::Undo;
            break;
        case WM_CUT:
            command = Command::Cut;
            break;
        case WM_COPY:
            command = Command::Copy;
            break;
        case WM_PASTE:
            command = Command::Paste;
            break;
        case WM_CLEAR:
            command = Command::Clear;
            break;
        case EM_SETSEL:
            command = Command::SelectAll;
            break;
        default:
            return;
        }
        // Anything but a text box ignores edit messages.
        EditCommands::Run(control, command);
    });
}

void MainWindow::mnuEditUndo_Click() {
    SendToActiveControl(EM_UNDO);
}
void MainWindow::mnuEditCut_Click() {
    SendToActiveControl(WM_CUT);
}
void MainWindow::mnuEditCopy_Click() {
    SendToActiveControl(WM_COPY);
}
void MainWindow::mnuEditPaste_Click() {
    SendToActiveControl(WM_PASTE);
}
void MainWindow::mnuEditSelectAll_Click() {
    SendToActiveControl(EM_SETSEL);
}

void MainWindow::mnuEditDelete_Click() {
    bool picture = false;
    Trap(4110, [&] { picture = frameShown(m_frameProperty) && m_pictureStrip->hasSelection(); });
    if (picture)
        Trap(4120, [&] { DeleteSelectedPicture(); });
    else
        SendToActiveControl(WM_CLEAR);
}

void MainWindow::mnuEdit_Click() {
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
        Trap(4240,
             [&] { state.del = frameShown(m_frameProperty) && m_pictureStrip->hasSelection(); });
    }
    m_mnuEditUndo->setEnabled(state.undo);
    m_mnuEditCut->setEnabled(state.cut);
    m_mnuEditCopy->setEnabled(state.copy);
    m_mnuEditPaste->setEnabled(state.paste);
    m_mnuEditDelete->setEnabled(state.del);
    m_mnuEditSelectAll->setEnabled(state.selectAll);
}
