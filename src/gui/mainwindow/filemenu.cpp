#include "gui/mainwindow/filemenu.h"

#include <QAction>
#include <QMenu>

FileMenu::FileMenu(QWidget* window, QMenu* menu, Handlers handlers,
                   std::function<FileMenuState()> state)
    : QObject(window), m_state(std::move(state)) {
    const auto add = [&](const QString& caption, const char* name, std::function<void()> run) {
        auto* action = new QAction(caption, window);
        action->setObjectName(QString::fromLatin1(name));
        menu->addAction(action);
        connect(action, &QAction::triggered, this, std::move(run));
        return action;
    };
    m_open = add(QStringLiteral("&Open"), "mnuFileOpen", std::move(handlers.open));
    m_close = add(QStringLiteral("&Close"), "mnuFileClose", std::move(handlers.close));
    menu->addSeparator();
    m_addNew = add(QStringLiteral("&Add New Property"), "mnuFileAddNewProperty",
                   std::move(handlers.addNew));
    m_remove = add(QStringLiteral("&Remove Selected Property"), "mnuFileRemoveSelectedProperty",
                   std::move(handlers.remove));
    menu->addSeparator();
    m_save = add(QStringLiteral("&Save"), "mnuFileSave", std::move(handlers.save));
    m_saveAs = add(QStringLiteral("Save a Copy of This Property &As..."), "mnuFileSaveAs",
                   std::move(handlers.saveAs));
    menu->addSeparator();
    m_exit = add(QStringLiteral("E&xit"), "mnuFileExit", std::move(handlers.exit));
}

void FileMenu::refresh() {
    const FileMenuState s = m_state();
    m_open->setEnabled(s.open);
    m_close->setEnabled(s.close);
    m_addNew->setEnabled(s.addNew);
    m_remove->setEnabled(s.remove);
    m_save->setEnabled(s.save);
    m_saveAs->setEnabled(s.saveAs);
}
