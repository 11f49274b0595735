#pragma once

#include <QObject>
#include <functional>

class Prompts;
class QAction;
class QMenu;
class QWidget;

// The Help menu: the local and online help, the newsletter and about boxes.
class HelpMenu : public QObject {
    Q_OBJECT
public:
    // Fills the menu; the entries are the window's children, named mnuHelpTopics ... .
    HelpMenu(QWidget* window, QMenu* menu, std::function<Prompts&()> prompts);

    // Puts the program's title into the About entry.
    void refresh();
    void showTopics();
    void showOnlineHelp();
    void showNewsletter();
    void showAbout();
    // Hands a page of the program's own folders to the browser; when the shell refuses it,
    // tells the user where the file is so it can be opened by hand.
    void openPage(const QString& path);

private:
    QWidget* m_window;
    std::function<Prompts&()> m_prompts;
    QAction* m_about = nullptr;
};
