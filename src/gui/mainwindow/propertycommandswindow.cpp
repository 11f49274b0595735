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

    // The File menu opens with the entries that apply on the home page.
    mnuFile_Click();
}

Prompts& MainWindow::prompts() {
    return m_prompts ? *m_prompts : *m_widgetPrompts;
}

bool MainWindow::isHomePageVisible() const {
    return !m_frameHome->isHidden();
}

void MainWindow::mnuTools_Click() {
    m_printAnalysis->updateEntry();
}

void MainWindow::PrintFinancialAnalysisReport() {
    m_printAnalysis->print();
}
