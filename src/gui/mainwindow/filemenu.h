#pragma once

#include <QObject>

class DuplicateCommand;
class PropertyCommands;
class QAction;
class QMenu;
class QWidget;

// The File menu: the property commands in three groups, then Exit. Which entries apply comes
// from the property commands, asked each time the menu opens.
class FileMenu : public QObject {
    Q_OBJECT
public:
    // Fills the menu; the entries are the window's children, named mnuFileOpen ... .
    FileMenu(QWidget* window, QMenu* menu, PropertyCommands& commands, DuplicateCommand& duplicate);

    // Enables the entries that apply now.
    void refresh();

private:
    PropertyCommands& m_commands;
    QAction* m_open = nullptr;
    QAction* m_close = nullptr;
    QAction* m_addNew = nullptr;
    QAction* m_remove = nullptr;
    QAction* m_save = nullptr;
    QAction* m_saveAs = nullptr;
    QAction* m_duplicate = nullptr;
};
