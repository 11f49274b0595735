#pragma once

#include <QObject>

class DuplicateCommand;
class PropertyCommands;
class QAction;
class QMenu;
class QWidget;

// The File menu: the property commands in three groups, then Exit. Which entries apply comes
// from the property commands, asked each time the menu opens and each time one of the entries'
// keys is pressed: the key of a greyed-out entry does nothing, that of an entry that applies by
// now works although the menu was last opened when it did not.
class FileMenu : public QObject {
    Q_OBJECT
public:
    // Fills the menu; the entries are the window's children, named mnuFileOpen ... .
    FileMenu(QWidget* window, QMenu* menu, PropertyCommands& commands, DuplicateCommand& duplicate);

    // Enables the entries that apply now.
    void refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    PropertyCommands& m_commands;
    QAction* m_open = nullptr;
    QAction* m_close = nullptr;
    QAction* m_addNew = nullptr;
    QAction* m_remove = nullptr;
    QAction* m_save = nullptr;
    QAction* m_saveAs = nullptr;
    QAction* m_duplicate = nullptr;
};
