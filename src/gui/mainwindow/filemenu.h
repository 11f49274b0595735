#pragma once

#include "gui/commands/propertycommands.h"

#include <QObject>
#include <functional>

class QAction;
class QMenu;
class QWidget;

// The File menu: the property entries in three groups, then Exit. Which entries apply comes
// from the property commands, asked each time the menu opens.
class FileMenu : public QObject {
    Q_OBJECT
public:
    struct Handlers {
        std::function<void()> open, close, addNew, remove, save, saveAs, exit;
    };

    // Fills the menu; the entries are the window's children, named mnuFileOpen ... .
    FileMenu(QWidget* window, QMenu* menu, Handlers handlers, std::function<FileMenuState()> state);

    QAction* exitAction() const { return m_exit; }

    // Enables the entries that apply now.
    void refresh();

private:
    std::function<FileMenuState()> m_state;
    QAction* m_open = nullptr;
    QAction* m_close = nullptr;
    QAction* m_addNew = nullptr;
    QAction* m_remove = nullptr;
    QAction* m_save = nullptr;
    QAction* m_saveAs = nullptr;
    QAction* m_exit = nullptr;
};
