// The main window's side of the property commands: the home page in its frame and the File
// menu's property entries.
#include "gui/commands/propertycommands.h"
#include "gui/dialogs/prompts.h"
#include "gui/dialogs/widgetprompts.h"
#include "gui/mainwindow/mainwindow.h"
#include "gui/mainwindow/windowhost.h"
#include "gui/views/homepage.h"

#include <QAction>
#include <QFrame>
#include <QMenu>

void MainWindow::buildPropertyCommands() {
    m_homePage = new HomePage(m_frameHome, this);
    m_host = std::make_unique<WindowHost>(*this);
    m_commands = std::make_unique<PropertyCommands>(*m_host);
    m_widgetPrompts = std::make_unique<WidgetPrompts>(this);
    m_homePage->setOpenPropertyHandler(
        [this](qint32 row, const QString&) { m_commands->OpenPropertyAtRow(row); });
    m_homePage->setAddPropertyHandler([this] { m_commands->mnuFileAddNewProperty_Click(); });
    setHomePageLoader([this](qint32& start, const QString& filter) {
        m_homePage->LoadPropertiesOnMainPage(start, filter);
    });

    const auto addEntry = [this](QAction*& action, const char* name, const QString& caption,
                                 void (MainWindow::*slot)()) {
        action = new QAction(caption, this);
        action->setObjectName(QString::fromLatin1(name));
        m_mnuFile->insertAction(m_mnuFileExit, action);
        connect(action, &QAction::triggered, this, slot);
    };
    addEntry(m_mnuFileOpen, "mnuFileOpen", QStringLiteral("&Open"), &MainWindow::mnuFileOpen_Click);
    addEntry(m_mnuFileClose, "mnuFileClose", QStringLiteral("&Close"),
             &MainWindow::mnuFileClose_Click);
    m_mnuFile->insertSeparator(m_mnuFileExit);
    addEntry(m_mnuFileAddNewProperty, "mnuFileAddNewProperty", QStringLiteral("&Add New Property"),
             &MainWindow::mnuFileAddNewProperty_Click);
    addEntry(m_mnuFileRemoveSelectedProperty, "mnuFileRemoveSelectedProperty",
             QStringLiteral("&Remove Selected Property"),
             &MainWindow::mnuFileRemoveSelectedProperty_Click);
    m_mnuFile->insertSeparator(m_mnuFileExit);
    addEntry(m_mnuFileSave, "mnuFileSave", QStringLiteral("&Save"), &MainWindow::mnuFileSave_Click);
    addEntry(m_mnuFileSaveAs, "mnuFileSaveAs",
             QStringLiteral("Save a Copy of This Property &As..."),
             &MainWindow::mnuFileSaveAs_Click);
    m_mnuFile->insertSeparator(m_mnuFileExit);
    connect(m_mnuFile, &QMenu::aboutToShow, this, &MainWindow::mnuFile_Click);
    mnuFile_Click();
}

Prompts& MainWindow::prompts() {
    return m_prompts ? *m_prompts : *m_widgetPrompts;
}

bool MainWindow::isHomePageVisible() const {
    return !m_frameHome->isHidden();
}

void MainWindow::mnuFile_Click() {
    const FileMenuState s = m_commands->mnuFile_Click();
    m_mnuFileOpen->setEnabled(s.open);
    m_mnuFileClose->setEnabled(s.close);
    m_mnuFileAddNewProperty->setEnabled(s.addNew);
    m_mnuFileRemoveSelectedProperty->setEnabled(s.remove);
    m_mnuFileSave->setEnabled(s.save);
    m_mnuFileSaveAs->setEnabled(s.saveAs);
}

void MainWindow::mnuTools_Click() {
    m_printAnalysis->updateEntry();
}

void MainWindow::PrintFinancialAnalysisReport() {
    m_printAnalysis->print();
}
