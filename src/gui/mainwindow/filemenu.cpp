#include "gui/mainwindow/filemenu.h"

#include "gui/commands/duplicatecommand.h"
#include "gui/commands/propertycommands.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QWidget>
#include <functional>

FileMenu::FileMenu(QWidget* window, QMenu* menu, PropertyCommands& commands,
                   DuplicateCommand& duplicate)
    : QObject(window), m_window(window), m_commands(commands) {
    // The command is bound here rather than captured as a member pointer: GCC 12 with the
    // sanitizers warns (wrongly) that such a captured pointer may be uninitialised.
    const auto add = [&](const QString& caption, const char* name,
                         void (PropertyCommands::*run)()) {
        auto* action = new QAction(caption, window);
        action->setObjectName(QString::fromLatin1(name));
        menu->addAction(action);
        connect(action, &QAction::triggered, this, std::bind(run, &m_commands));
        return action;
    };
    m_open = add(QStringLiteral("&Open"), "mnuFileOpen", &PropertyCommands::mnuFileOpen_Click);
    m_close = add(QStringLiteral("&Close"), "mnuFileClose", &PropertyCommands::mnuFileClose_Click);
    menu->addSeparator();
    m_addNew = add(QStringLiteral("&Add New Property"), "mnuFileAddNewProperty",
                   &PropertyCommands::mnuFileAddNewProperty_Click);
    m_remove = add(QStringLiteral("&Remove Selected Property"), "mnuFileRemoveSelectedProperty",
                   &PropertyCommands::mnuFileRemoveSelectedProperty_Click);
    menu->addSeparator();
    m_save = add(QStringLiteral("&Save"), "mnuFileSave", &PropertyCommands::mnuFileSave_Click);
    m_saveAs = add(QStringLiteral("Save a Copy of This Property &As..."), "mnuFileSaveAs",
                   &PropertyCommands::mnuFileSaveAs_Click);
    m_duplicate = new QAction(QStringLiteral("&Duplicate This Property..."), window);
    m_duplicate->setObjectName(QStringLiteral("mnuFileDuplicate"));
    menu->addAction(m_duplicate);
    connect(m_duplicate, &QAction::triggered, this,
            [&duplicate] { duplicate.mnuFileDuplicate_Click(); });
    menu->addSeparator();
    auto* exit = new QAction(QStringLiteral("E&xit"), window);
    exit->setObjectName(QStringLiteral("mnuFileExit"));
    menu->addAction(exit);
    connect(exit, &QAction::triggered, window, &QWidget::close);
    connect(menu, &QMenu::aboutToShow, this, &FileMenu::refresh);
    // The menu opens with the entries that apply on the home page.
    refresh();
    qApp->installEventFilter(this);
}

bool FileMenu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != m_window)
        return false;
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    for (const QAction* action :
         {m_open, m_close, m_addNew, m_remove, m_save, m_saveAs, m_duplicate}) {
        if (!action->shortcut().isEmpty() && action->shortcut() == pressed) {
            refresh();
            break;
        }
    }
    return false;
}

void FileMenu::refresh() {
    const FileMenuState s = m_commands.mnuFile_Click();
    m_open->setEnabled(s.open);
    m_close->setEnabled(s.close);
    m_addNew->setEnabled(s.addNew);
    m_remove->setEnabled(s.remove);
    m_save->setEnabled(s.save);
    m_saveAs->setEnabled(s.saveAs);
    m_duplicate->setEnabled(s.duplicate);
}
