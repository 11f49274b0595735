// The Help menu: the local and online help, the newsletter and about boxes.
#include "base/shell.h"
#include "gui/commands/helpcommands.h"
#include "gui/dialogs/aboutbox.h"
#include "gui/dialogs/prompts.h"
#include "gui/mainwindow/mainwindow.h"

#include <QAction>
#include <QMenu>

void MainWindow::buildHelpMenu() {
    const auto add = [this](const QString& caption, const QString& name,
                            void (MainWindow::*slot)()) {
        auto* action = new QAction(caption, this);
        action->setObjectName(name);
        m_mnuHelp->addAction(action);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    add(QStringLiteral("General &Help"), QStringLiteral("mnuHelpTopics"),
        &MainWindow::mnuHelpTopics_Click);
    add(HelpCommands::OnlineHelpCaption(), QStringLiteral("mnuHelpOnlineHelp"),
        &MainWindow::mnuHelpOnlineHelp_Click);
    add(QStringLiteral("The Quillbrook Newsletter..."), QStringLiteral("mnuHelpNewsletter"),
        &MainWindow::mnuHelpNewsletter_Click);
    m_mnuHelp->addSeparator()->setObjectName(QStringLiteral("mnuHelpBar0"));
    m_mnuHelpAbout = add(QStringLiteral("&About "), QStringLiteral("mnuHelpAbout"),
                         &MainWindow::mnuHelpAbout_Click);
    connect(m_mnuHelp, &QMenu::aboutToShow, this, &MainWindow::mnuHelp_Click);
}

void MainWindow::mnuHelp_Click() {
    m_mnuHelpAbout->setText(HelpCommands::AboutCaption());
}

void MainWindow::openPage(const QString& path) {
    if (OpenDocument(path))
        return;
    PromptMessage notice;
    notice.title = QStringLiteral("Page Not Opened");
    notice.text = QStringLiteral("No web browser could be started for this page. You can open "
                                 "it in your browser by hand:\r\n\r\n") +
                  path;
    notice.icon = PromptIcon::Information;
    notice.buttons = PromptButtons::Ok;
    prompts().message(notice);
}

void MainWindow::mnuHelpTopics_Click() {
    openPage(HelpCommands::LocalHelpPath());
}

// The maker's pages are no file the user could open by hand: a refusal says nothing.

void MainWindow::mnuHelpOnlineHelp_Click() {
    OpenDocument(HelpCommands::OnlineHelpAddress());
}

void MainWindow::mnuHelpNewsletter_Click() {
    frmAbout::ShowNewsletter(this);
}

void MainWindow::mnuHelpAbout_Click() {
    frmAbout::ShowAbout(this);
}
