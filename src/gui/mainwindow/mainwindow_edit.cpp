// The Edit menu as the window's named handlers reach it.
#include "gui/mainwindow/editmenu.h"
#include "gui/mainwindow/mainwindow.h"
#include "gui/pictures/picturestrip.h"
#include "gui/views/propertyview.h"

#include <QAction>
#include <QMenu>

using EditCommands::Command;

void MainWindow::buildEditAndHelpMenus() {
    EditMenu::PictureHooks pictures;
    pictures.selected = [this] {
        return frameShown(m_frameProperty) && m_pictureStrip->hasSelection();
    };
    pictures.remove = [this] { DeleteSelectedPicture(); };
    m_editMenu = new EditMenu(this, m_mnuEdit, std::move(pictures));
    const struct {
        QAction* action;
        void (MainWindow::*slot)();
    } entries[] = {
        {m_editMenu->undoAction(), &MainWindow::mnuEditUndo_Click},
        {m_editMenu->cutAction(), &MainWindow::mnuEditCut_Click},
        {m_editMenu->copyAction(), &MainWindow::mnuEditCopy_Click},
        {m_editMenu->pasteAction(), &MainWindow::mnuEditPaste_Click},
        {m_editMenu->deleteAction(), &MainWindow::mnuEditDelete_Click},
        {m_editMenu->selectAllAction(), &MainWindow::mnuEditSelectAll_Click},
    };
    for (const auto& entry : entries)
        connect(entry.action, &QAction::triggered, this, entry.slot);
    connect(m_mnuEdit, &QMenu::aboutToShow, this, &MainWindow::mnuEdit_Click);
    buildHelpMenu();
}

void MainWindow::mnuEditUndo_Click() {
    m_editMenu->run(Command::Undo);
}
void MainWindow::mnuEditCut_Click() {
    m_editMenu->run(Command::Cut);
}
void MainWindow::mnuEditCopy_Click() {
    m_editMenu->run(Command::Copy);
}
void MainWindow::mnuEditPaste_Click() {
    m_editMenu->run(Command::Paste);
}
void MainWindow::mnuEditSelectAll_Click() {
    m_editMenu->run(Command::SelectAll);
}
void MainWindow::mnuEditDelete_Click() {
    m_editMenu->deleteSelection();
}
void MainWindow::mnuEdit_Click() {
    m_editMenu->refresh();
}
