#pragma once

#include "gui/commands/editcommands.h"

#include <QObject>
#include <functional>

class QAction;
class QMenu;
class QWidget;

// The Edit menu's entries and when they apply. The text commands act on the window's focused
// field through the field's own editing; Delete Selection removes the selected picture when
// the Property view shows one. The entries' shortcuts re-check what applies when pressed.
class EditMenu : public QObject {
    Q_OBJECT
public:
    struct PictureHooks {
        std::function<bool()> selected; // a picture is selected on the Property view
        std::function<void()> remove;   // removes it
    };

    // Fills the menu; the entries are the window's children, named mnuEditUndo ... .
    EditMenu(QWidget* window, QMenu* menu, PictureHooks pictures);

    // Enables the entries that apply now.
    void refresh();
    // Runs a text command on the focused control; anything but a text box ignores it.
    void run(EditCommands::Command command);
    // The selected picture when there is one on screen, else the field's selected text.
    void deleteSelection();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* activeControl() const;

    QWidget* m_window;
    PictureHooks m_pictures;
    QAction* m_undo = nullptr;
    QAction* m_cut = nullptr;
    QAction* m_copy = nullptr;
    QAction* m_paste = nullptr;
    QAction* m_delete = nullptr;
    QAction* m_selectAll = nullptr;
};
