#include "app/application.h"

#include "base/errorlog.h"
#include "base/programfolder.h"
#include "gui/commands/propertycommands.h"
#include "gui/dialogs/prompts.h"
#include "gui/dialogs/widgetprompts.h"
#include "gui/mainwindow/mainwindow.h"
#include "gui/views/homepage.h"
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
    ErrorLog::setNotifier([this](const QString& title, const QString& text) {
        PromptMessage notice;
        notice.title = title;
        notice.text = text;
        notice.buttons = PromptButtons::Ok;
        promptsForLog().message(notice);
    });
    PrepareProgramFolders();
    LoadPropertyDatabase();
    // Creating the window loads it: position, size, home page, colours and caption.
    m_window = std::make_unique<MainWindow>();
    if (m_prompts)
        m_window->setPrompts(m_prompts);
    qint32 start = 1;
    m_window->homePage().LoadPropertiesOnMainPage(start, QString());
    m_window->show();
    m_window->homePage().filterBox()->setFocus();
    // A file that is not a database is named once the window is up; it stays as it is.
    if (!g_sPropertyDatabaseReadOnly.isEmpty()) {
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
    return app.exec();
}
