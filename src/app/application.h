#pragma once

#include "store/databaselock.h"

#include <QStringList>
#include <memory>

class MainWindow;
class Prompts;
class WidgetPrompts;

// The program as start-up leaves it: working folders, the database locked for this program and
// read, the main window loaded and shown with its first home page, the focus on the filter box.
// From the first step on, a log that cannot be written is reported in a message box (the
// window's own once it exists) and the program carries on; in a data folder that cannot be
// written at all, the database is read-only and one box says so instead. When another window
// has the database open, the user chooses between opening it read-only and quitting (then
// there is no window). Tests pass their own prompts, which then answer the window too.
class RunningProgram {
public:
    explicit RunningProgram(Prompts* prompts = nullptr);
    ~RunningProgram();
    MainWindow& window() { return *m_window; }
    bool quitRequested() const { return m_quitRequested; }

private:
    Prompts& promptsForLog();
    // Another window holds the database: true when the user opens it read-only here.
    bool openReadOnlyAlongside();

    Prompts* m_prompts;
    DatabaseLock m_lock;
    bool m_quitRequested = false;
    std::unique_ptr<WidgetPrompts> m_earlyPrompts; // before the window exists
    std::unique_ptr<MainWindow> m_window;
};

// The folder the program's data goes to, from the command line (`--data DIR`) or, without
// it, beside the executable when that is a writable program folder and in the per-user data
// folder otherwise. `arguments` as the program received them, its own path first.
QString StartupDataFolder(const QStringList& arguments);

// The program's entry: start-up, then the window's events until it closes.
int RunQuillbrook(int argc, char* argv[]);
