#include "gui/mainwindow/helpmenu.h"

#include "base/shell.h"
#include "gui/dialogs/aboutbox.h"
#include "gui/dialogs/helptexts.h"
#include "gui/dialogs/prompts.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

HelpMenu::HelpMenu(QWidget* window, QMenu* menu, std::function<Prompts&()> prompts)
    : QObject(window), m_window(window), m_prompts(std::move(prompts)) {
    const auto add = [&](const QString& caption, const QString& name, void (HelpMenu::*run)()) {
        auto* action = new QAction(caption, window);
        action->setObjectName(name);
        menu->addAction(action);
        connect(action, &QAction::triggered, this, run);
        return action;
    };
    add(QStringLiteral("General &Help"), QStringLiteral("mnuHelpTopics"), &HelpMenu::showTopics);
    add(HelpTexts::OnlineHelpCaption(), QStringLiteral("mnuHelpOnlineHelp"),
        &HelpMenu::showOnlineHelp);
    add(QStringLiteral("The Quillbrook Newsletter..."), QStringLiteral("mnuHelpNewsletter"),
        &HelpMenu::showNewsletter);
    menu->addSeparator()->setObjectName(QStringLiteral("mnuHelpBar0"));
    m_about = add(QStringLiteral("&About "), QStringLiteral("mnuHelpAbout"), &HelpMenu::showAbout);
    connect(menu, &QMenu::aboutToShow, this, &HelpMenu::refresh);
}

void HelpMenu::refresh() {
    m_about->setText(HelpTexts::AboutCaption());
}

void HelpMenu::openPage(const QString& path) {
    if (OpenDocument(path))
        return;
    PromptMessage notice;
    notice.title = QStringLiteral("Page Not Opened");
    notice.text = QStringLiteral("No web browser could be started for this page. You can open "
                                 "it in your browser by hand:\r\n\r\n") +
                  path;
    notice.icon = PromptIcon::Information;
    notice.buttons = PromptButtons::Ok;
    m_prompts().message(notice);
}

void HelpMenu::showTopics() {
    openPage(HelpTexts::LocalHelpPath());
}

// The maker's pages are no file the user could open by hand: a refusal says nothing.

void HelpMenu::showOnlineHelp() {
    OpenDocument(HelpTexts::OnlineHelpAddress());
}

void HelpMenu::showNewsletter() {
    frmAbout::ShowNewsletter(m_window);
}

void HelpMenu::showAbout() {
    frmAbout::ShowAbout(m_window);
}
