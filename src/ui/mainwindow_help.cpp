// The Help menu: the local and online help, the newsletter and about boxes.
#include "app/shell.h"
#include "ui/aboutbox.h"
#include "ui/helpcommands.h"
#include "ui/mainwindow.h"

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

// A missing page or browser opens nothing and says nothing: the shell's answer is not used.
void MainWindow::mnuHelpTopics_Click() {
    OpenDocument(HelpCommands::LocalHelpPath());
}

void MainWindow::mnuHelpOnlineHelp_Click() {
    OpenDocument(HelpCommands::OnlineHelpAddress());
}

void MainWindow::mnuHelpNewsletter_Click() {
    frmAbout::ShowNewsletter(this);
}

void MainWindow::mnuHelpAbout_Click() {
    frmAbout::ShowAbout(this);
}
