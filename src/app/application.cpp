#include "app/application.h"

#include "base/errorlog.h"
#include "base/programfolder.h"
#include "gui/commands/propertycommands.h"
#include "gui/dialogs/prompts.h"
#include "gui/dialogs/widgetprompts.h"
#include "gui/mainwindow/mainwindow.h"
#include "gui/views/homepage.h"
#include "store/databaselock.h"
#include "store/propertydatabase.h"

#include <QApplication>
#include <QComboBox>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <QStandardPaths>
#include <QTimer>

namespace {
const QCommandLineOption& DataOption() {
    static const QCommandLineOption option(
        QStringLiteral("data"),
        QStringLiteral("Keep the database, pictures, reports and error log in <folder>."),
        QStringLiteral("folder"));
    return option;
}
} // namespace

RunningProgram::RunningProgram(Prompts* prompts) : m_prompts(prompts) {
    // A data folder that cannot be written is said once, below, and read-only from the start:
    // a box for every log entry that cannot be written would only bury that.
    const bool writable = DataFolderWritable();
    ErrorLog::setNotifier([this, writable](const QString& title, const QString& text) {
        if (!writable) {
            qWarning("%s: %s", qPrintable(title), qPrintable(text));
            return;
        }
        PromptMessage notice;
        notice.title = title;
        notice.text = text;
        notice.buttons = PromptButtons::Ok;
        promptsForLog().message(notice);
    });
    PrepareProgramFolders();
    const DatabaseLock::State lock = writable ? m_lock.acquire() : DatabaseLock::State::Unavailable;
    if (lock == DatabaseLock::State::Elsewhere && !openReadOnlyAlongside()) {
        m_quitRequested = true;
        return;
    }
    LoadPropertyDatabase();
    bool tellReadOnly = true;
    if (!writable) {
        g_sPropertyDatabaseReadOnly = DataFolderReadOnlyText(ProgramFolder());
    } else if (lock == DatabaseLock::State::Elsewhere) {
        g_sPropertyDatabaseReadOnly = DatabaseOpenElsewhereText();
        tellReadOnly = false; // the user just chose it
    }
    // Creating the window loads it: position, size, home page, colours and caption.
    m_window = std::make_unique<MainWindow>();
    if (m_prompts)
        m_window->setPrompts(m_prompts);
    qint32 start = 1;
    m_window->homePage().LoadPropertiesOnMainPage(start, QString());
    m_window->show();
    m_window->homePage().filterBox()->setFocus();
    // A file that is not a database is named once the window is up; it stays as it is.
    if (!g_sPropertyDatabaseReadOnly.isEmpty() && tellReadOnly) {
        MainWindow* window = m_window.get();
        QTimer::singleShot(0, window, [window] {
            window->prompts().message(PropertyCommands::ReadOnlyMessage());
        });
    }
}

RunningProgram::~RunningProgram() {
    // The notices must not outlive the window that shows them.
    ErrorLog::setNotifier({});
}

bool RunningProgram::openReadOnlyAlongside() {
    PromptMessage m;
    m.title = QStringLiteral("Database Already Open");
    m.text = QStringLiteral("This database is open in another Quillbrook window.\r\n\r\n"
                            "Two windows saving one database would undo each other's work. "
                            "Open it here read-only, or quit?");
    m.icon = PromptIcon::Question;
    m.buttons = PromptButtons::OkCancel;
    m.okText = QStringLiteral("Open Read-Only");
    m.cancelText = QStringLiteral("Quit");
    return promptsForLog().message(m) == PromptAnswer::Ok;
}

Prompts& RunningProgram::promptsForLog() {
    if (m_window)
        return m_window->prompts();
    if (m_prompts)
        return *m_prompts;
    if (!m_earlyPrompts)
        m_earlyPrompts = std::make_unique<WidgetPrompts>(nullptr);
    return *m_earlyPrompts;
}

QString StartupDataFolder(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOption(DataOption());
    parser.parse(arguments);
    const QString named = parser.value(DataOption());
    return ChooseDataFolder(named.isEmpty() ? QString() : QDir(named).absolutePath(),
                            QCoreApplication::applicationDirPath(),
                            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

int RunQuillbrook(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillbrook"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(QB_VERSION_MAJOR)
                                            .arg(QB_VERSION_MINOR)
                                            .arg(QB_VERSION_REVISION));
    QApplication::setDesktopFileName(QStringLiteral("com.harrowgate.Quillbrook"));
    {
        // --help, --version and unknown options answer on the terminal and end here.
        QCommandLineParser parser;
        parser.setApplicationDescription(QStringLiteral("Real estate investment analyzer"));
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOption(DataOption());
        parser.process(app);
    }
    SetDataFolder(StartupDataFolder(QCoreApplication::arguments()));
    QIcon icon(QStringLiteral(":/icons/quillbrook.png"));
    icon.addFile(QStringLiteral(":/icons/quillbrook-48.png"));
    QApplication::setWindowIcon(icon);
    RunningProgram program;
    if (program.quitRequested())
        return 0;
    return app.exec();
}
