#pragma once

#include <QStringList>
#include <memory>

class MainWindow;
class Prompts;
class WidgetPrompts;

// The program as start-up leaves it: working folders, database, the main window loaded and
// shown with its first home page, the focus on the filter box. From the first step on, a log
// that cannot be written is reported in a message box (the window's own once it exists) and
// the program carries on. Tests pass their own prompts, which then answer the window too.
class RunningProgram {
public:
    explicit RunningProgram(Prompts* prompts = nullptr);
    ~RunningProgram();
    MainWindow& window() { return *m_window; }

private:
    Prompts& promptsForLog();

    Prompts* m_prompts;
    std::unique_ptr<WidgetPrompts> m_earlyPrompts; // before the window exists
    std::unique_ptr<MainWindow> m_window;
};

// The folder the program's data goes to, from the command line (`--data DIR`) or, without
// it, beside the executable when that is a writable program folder and in the per-user data
// folder otherwise. `arguments` as the program received them, its own path first.
QString StartupDataFolder(const QStringList& arguments);

// The program's entry: start-up, then the window's events until it closes.
int RunQuillbrook(int argc, char* argv[]);
