// The Help menu and the about and newsletter boxes: what each entry hands to the shell, the
// boxes' texts, and the link that opens the maker's pages.
#include "base/programfolder.h"
#include "base/shell.h"
#include "gui/dialogs/aboutbox.h"
#include "gui/dialogs/prompts.h"
#include "gui/dialogs/scriptedprompts.h"
#include "gui/mainwindow/mainwindow.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace {

class RecordingShell : public Shell {
public:
    bool answer = true;
    QStringList targets;
    bool open(const QString& target) override {
        targets.append(target);
        return answer;
    }
};

QAction* entry(MainWindow& w, const char* name) {
    return w.findChild<QAction*>(QString::fromLatin1(name));
}

QString labelText(QWidget* box, const char* name) {
    auto* label = box->findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<missing %1>").arg(QLatin1String(name));
}

// Triggers a Help entry that shows a modal box, looks at the box while it is up, then presses
// its OK button. Returns whether a box came up.
bool inspectModalBox(QAction* action, const std::function<void(QDialog*)>& look) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen = true;
        look(box);
        box->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    });
    action->trigger();
    return seen;
}

} // namespace

class TestHelpCommands : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void entriesInOrderAndAboutCaptionOnOpening();
    void helpTopicsOpensTheInstalledPageAsAFile();
    void onlineHelpOpensTheSecureAddressAndAFailureSaysNothing();
    void withoutABrowserThePagesAreNamedInABox();
    void aboutBoxShowsTitleVersionAndNotice();
    void newsletterBoxShowsHowToSubscribe();
    void linkTurnsBlueOverItAndOpensOnRelease();

private:
    std::unique_ptr<TempProgramFolder> m_folder;
    RecordingShell m_shell;
};

void TestHelpCommands::init() {
    m_folder = std::make_unique<TempProgramFolder>(true);
    PrepareProgramFolders();
    m_shell = RecordingShell();
    SetShell(&m_shell);
}

void TestHelpCommands::cleanup() {
    SetShell(nullptr);
    m_folder.reset();
}

void TestHelpCommands::entriesInOrderAndAboutCaptionOnOpening() {
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QMenu* help = w.helpMenu();
    QCOMPARE(help->title(), QStringLiteral("&Help"));
    const QList<QAction*> actions = help->actions();
    QCOMPARE(actions.size(), 5);
    const QStringList names{"mnuHelpTopics", "mnuHelpOnlineHelp", "mnuHelpNewsletter",
                            "mnuHelpBar0", "mnuHelpAbout"};
    for (int i = 0; i < actions.size(); ++i) {
        QCOMPARE(actions.at(i)->objectName(), names.at(i));
        QCOMPARE(actions.at(i)->isSeparator(), i == 3);
    }
    QCOMPARE(actions.at(0)->text(), QStringLiteral("General &Help"));
    QCOMPARE(actions.at(1)->text(), QStringLiteral("&Online Help @ www.harrowgate.example"));
    QCOMPARE(actions.at(2)->text(), QStringLiteral("The Quillbrook Newsletter..."));
    QCOMPARE(actions.at(4)->text(), QStringLiteral("&About "));

    help->popup(w.mapToGlobal(QPoint(20, 20)));
    QTRY_VERIFY(help->isVisible());
    QCOMPARE(actions.at(4)->text(), QStringLiteral("About Quillbrook"));
    help->hide();
    QVERIFY(m_shell.targets.isEmpty()); // opening the menu opens nothing
}

void TestHelpCommands::helpTopicsOpensTheInstalledPageAsAFile() {
    MainWindow w;
    entry(w, "mnuHelpTopics")->trigger();
    const QString page = m_folder->path() + QStringLiteral("/_reference/quillbrookhelp.html");
    QCOMPARE(m_shell.targets, QStringList{page});
    QVERIFY(QFileInfo(page).isFile());

    // A program folder reported with a trailing separator gives the same path.
    SetProgramFolder(m_folder->path() + QStringLiteral("/"));
    entry(w, "mnuHelpTopics")->trigger();
    SetProgramFolder(m_folder->path());
    QCOMPARE(m_shell.targets.size(), 2);
    QCOMPARE(m_shell.targets.at(1), page);

    // No browser takes it: the user is told where the page is, to open it by hand.
    ScriptedPrompts prompts;
    w.setPrompts(&prompts);
    m_shell.answer = false;
    entry(w, "mnuHelpTopics")->trigger();
    QCOMPARE(prompts.messages().size(), 1);
    QVERIFY(prompts.messages().at(0).text.endsWith(QStringLiteral("\r\n\r\n") + page));
    QCOMPARE(prompts.messages().at(0).buttons, PromptButtons::Ok);
    w.setPrompts(nullptr);
}

void TestHelpCommands::onlineHelpOpensTheSecureAddressAndAFailureSaysNothing() {
    MainWindow w;
    ScriptedPrompts prompts;
    w.setPrompts(&prompts);
    m_shell.answer = false; // no browser
    entry(w, "mnuHelpOnlineHelp")->trigger();
    QCOMPARE(m_shell.targets,
             QStringList{QStringLiteral("https://www.harrowgate.example/quillbrook/help/")});
    QVERIFY(prompts.messages().isEmpty());
    QVERIFY(m_folder->logLines().isEmpty());
    w.setPrompts(nullptr);
}

// The desktop's own shell on a machine whose desktop names no browser: xdg-open would say it
// opened the page all the same, so the help page and the analysis page are named in a box.
void TestHelpCommands::withoutABrowserThePagesAreNamedInABox() {
    QTemporaryDir tools;
    const QString opened = tools.filePath(QStringLiteral("opened"));
    auto script = [&](const char* name, const QByteArray& body) {
        const QString path = tools.filePath(QString::fromLatin1(name));
        WriteFile(path, "#!/bin/sh\n" + body);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    };
    script("xdg-mime", "exit 0\n"); // no default for text/html or http
    script("xdg-open", "echo \"$1\" >> '" + opened.toLocal8Bit() + "'\n");
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", tools.path().toLocal8Bit() + ':' + path);
    SetShell(nullptr);

    MainWindow w;
    ScriptedPrompts prompts;
    w.setPrompts(&prompts);
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    entry(w, "mnuHelpTopics")->trigger();
    QTest::keySequence(&w, QKeySequence(Qt::Key_F1));
    QCOMPARE(prompts.titles(), QStringList(2, QStringLiteral("Page Not Opened")));
    QVERIFY(!QFile::exists(opened));

    // With a browser named, the page goes to xdg-open and no box comes.
    script("xdg-mime", "echo browser.desktop\n");
    prompts.clear();
    entry(w, "mnuHelpTopics")->trigger();
    QVERIFY(prompts.messages().isEmpty());
    QTRY_VERIFY(ReadAll(opened).contains(QStringLiteral("quillbrookhelp.html")));
    w.setPrompts(nullptr);
    qputenv("PATH", path);
}

void TestHelpCommands::aboutBoxShowsTitleVersionAndNotice() {
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QString title;
    const bool shown = inspectModalBox(entry(w, "mnuHelpAbout"), [&](QDialog* box) {
        QCOMPARE(box->objectName(), QStringLiteral("frmAbout"));
        QVERIFY(box->isModal());
        QCOMPARE(box->parentWidget(), &w);
        title = box->windowTitle();
        QCOMPARE(labelText(box, "lblTitle"), QStringLiteral("Quillbrook v6.9.6"));
        QCOMPARE(labelText(box, "lblCopyright"),
                 QStringLiteral("Copyright \u00A9 2026 Harrowgate Software"));
        QCOMPARE(labelText(box, "lblURL"), QStringLiteral("www.harrowgate.example"));
        QCOMPARE(box->findChild<LinkLabel*>(QStringLiteral("lblURL"))->tag(),
                 QStringLiteral("https://www.harrowgate.example/"));
        QCOMPARE(labelText(box, "lblSmallPrint"),
                 QStringLiteral("This tool is intended for analysis purposes only and in no way "
                                "guarantees results of returns on your investments."));
        QVERIFY(box->findChild<QLabel*>(QStringLiteral("lblEmail"))->isHidden());
        auto* icon = box->findChild<QLabel*>(QStringLiteral("picIcon"));
        QCOMPARE(icon->pixmap().size(), QSize(305, 172));
        // Every text fits its label.
        for (QLabel* label : box->findChildren<QLabel*>()) {
            if (label->isVisible() && !label->wordWrap())
                QVERIFY2(label->width() >= label->sizeHint().width(),
                         qPrintable(label->objectName()));
        }
    });
    QVERIFY(shown);
    QCOMPARE(title, QStringLiteral("About Quillbrook"));
    // OK unloads the box.
    QTRY_VERIFY(!w.findChild<frmAbout*>());
    QVERIFY(m_shell.targets.isEmpty());
}

void TestHelpCommands::newsletterBoxShowsHowToSubscribe() {
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QString title;
    const bool shown = inspectModalBox(entry(w, "mnuHelpNewsletter"), [&](QDialog* box) {
        title = box->windowTitle();
        QCOMPARE(labelText(box, "lblTitle"), QStringLiteral("The Quillbrook Newsletter"));
        QCOMPARE(labelText(box, "lblCopyright"),
                 QStringLiteral("To subscribe, visit us online at:"));
        QCOMPARE(labelText(box, "lblURL"), QStringLiteral("www.harrowgate.example"));
        QCOMPARE(box->findChild<LinkLabel*>(QStringLiteral("lblURL"))->tag(),
                 QStringLiteral("https://www.harrowgate.example/quillbrook/newsletter/"));
        QCOMPARE(labelText(box, "lblEmail"), QStringLiteral("or:  newsletter@harrowgate.example"));
        QVERIFY(box->findChild<QLabel*>(QStringLiteral("lblEmail"))->isVisible());
        QCOMPARE(labelText(box, "lblSmallPrint"),
                 QStringLiteral("Subscribe now to get updates, new releases, and other great "
                                "real estate investing tips and information!"));
        QVERIFY(!box->findChild<QLabel*>(QStringLiteral("picIcon"))->pixmap().isNull());
    });
    QVERIFY(shown);
    QCOMPARE(title, QStringLiteral("Newsletter"));
}

void TestHelpCommands::linkTurnsBlueOverItAndOpensOnRelease() {
    frmAbout box;
    box.fillNewsletter();
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    auto* link = box.findChild<LinkLabel*>(QStringLiteral("lblURL"));
    const auto colour = [link] { return link->palette().color(QPalette::WindowText); };
    QCOMPARE(colour(), QColor(0, 0, 128));
    QVERIFY(!link->font().underline());

    const QPoint centre = link->rect().center();
    QTest::mouseMove(link, centre);
    QTRY_VERIFY(link->isHovered());
    QCOMPARE(colour(), QColor(0, 0, 255));
    QVERIFY(link->font().underline());

    // Pressed, dragged off and released elsewhere: back to navy, nothing opens.
    QTest::mousePress(link, Qt::LeftButton, {}, centre);
    QMouseEvent away(QEvent::MouseMove, QPointF(link->width() + 40, centre.y()),
                     link->mapToGlobal(QPointF(link->width() + 40, centre.y())), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(link, &away);
    QCOMPARE(colour(), QColor(0, 0, 128));
    QVERIFY(!link->font().underline());
    QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(link->width() + 40, centre.y()));
    QVERIFY(m_shell.targets.isEmpty());

    // Released over it: the address opens, the link is navy again.
    QTest::mouseMove(link, centre);
    QTest::mouseClick(link, Qt::LeftButton, {}, centre);
    QCOMPARE(m_shell.targets,
             QStringList{QStringLiteral("https://www.harrowgate.example/quillbrook/newsletter/")});
    QCOMPARE(colour(), QColor(0, 0, 128));
    QVERIFY(!link->font().underline());
}

QTEST_MAIN(TestHelpCommands)
#include "tst_helpcommands.moc"
