// The main window's side of the property commands: the home page in its frame, the File
// menu's property entries and the window routines the commands call.
#include "base/errortrap.h"
#include "base/programfolder.h"
#include "gui/commands/propertycommands.h"
#include "gui/dialogs/prompts.h"
#include "gui/dialogs/widgetprompts.h"
#include "gui/mainwindow/mainwindow.h"
#include "gui/mainwindow/navigationstrip.h"
#include "gui/pictures/picturestrip.h"
#include "gui/views/homepage.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>

void MainWindow::buildPropertyCommands() {
    m_homePage = new HomePage(m_frameHome, this);
    m_commands = std::make_unique<PropertyCommands>(*this);
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

void MainWindow::clearPictureStripImages() {
    m_pictureStrip->clearImages();
}

void MainWindow::resetPictureStripScroll() {
    m_pictureStrip->resetScroll();
}

// ShowPictureStrip: with the picture strip, in mainwindow_pictures.cpp.

void MainWindow::showPropertyNavigation() {
    m_frameNavigation->show();
    m_frameHomeNavigation->hide();
}

bool MainWindow::showCornerFromFirstStripSlot() {
    if (!m_pictureStrip->slotFrame(1)->isVisible())
        return false;
    m_imgUpperLeftCorner->setPixmap(m_pictureStrip->slotImage(1)->pixmap());
    return true;
}

void MainWindow::showCornerLogo() {
    setCornerPicture(g_sLogoPicturePath);
}

void MainWindow::setBusy(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void MainWindow::OpenPropertyByName(QString& name) {
    m_commands->OpenPropertyByName(name);
}
void MainWindow::RemovePropertyByName(QString& name) {
    m_commands->RemovePropertyByName(name);
}
void MainWindow::ClearPropertyFields() {
    m_commands->ClearPropertyFields();
}
void MainWindow::TakeBaselineSnapshot() {
    m_commands->TakeBaselineSnapshot();
}
void MainWindow::TakeCurrentSnapshot() {
    m_commands->TakeCurrentSnapshot();
}
bool MainWindow::HasUnsavedChanges() const {
    return m_commands->HasUnsavedChanges();
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

void MainWindow::mnuFileOpen_Click() {
    m_commands->mnuFileOpen_Click();
}
void MainWindow::mnuFileClose_Click() {
    m_commands->mnuFileClose_Click();
}
void MainWindow::mnuFileAddNewProperty_Click() {
    m_commands->mnuFileAddNewProperty_Click();
}
void MainWindow::mnuFileRemoveSelectedProperty_Click() {
    m_commands->mnuFileRemoveSelectedProperty_Click();
}
void MainWindow::mnuFileSave_Click() {
    m_commands->mnuFileSave_Click();
}
void MainWindow::mnuFileSaveAs_Click() {
    m_commands->mnuFileSaveAs_Click();
}
