// The project's own documents: the README's links lead to files that are there, the
// architecture notes describe every source folder the tree has, and the help page every key.
#include "base/programfolder.h"
#include "gui/mainwindow/keyboard.h"
#include "gui/mainwindow/mainwindow.h"
#include "testsupport.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

namespace {
QString SourceDir() {
    return qEnvironmentVariable("QB_SOURCE_DIR");
}
QString ReadText(const QString& relative) {
    QFile file(SourceDir() + QLatin1Char('/') + relative);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}
} // namespace

class DocsTest : public QObject {
    Q_OBJECT
private slots:
    void readmeLinksResolve() {
        const QString readme = ReadText(QStringLiteral("README.md"));
        QVERIFY(!readme.isEmpty());
        QVERIFY(readme.contains(QStringLiteral("(docs/ARCHITECTURE.md)")));
        auto links = QRegularExpression(QStringLiteral("\\]\\(([^)#:]+)\\)")).globalMatch(readme);
        while (links.hasNext()) {
            const QString target = links.next().captured(1);
            QVERIFY2(QFile::exists(SourceDir() + QLatin1Char('/') + target), qPrintable(target));
        }
    }

    // Every key the window answers to, on a menu entry or not, is on the help page as the user
    // presses it ("<kbd>Ctrl+S</kbd>"): a key added without a word there fails here.
    void theHelpPageNamesEveryShortcut() {
        const QString page = ReadText(QStringLiteral("resources/_reference/quillbrookhelp.html"));
        QVERIFY(page.contains(QStringLiteral("<h1>Quillbrook Help</h1>")));
        TempProgramFolder folder;
        PrepareProgramFolders();
        MainWindow window;
        QSet<QString> keys;
        for (const QAction* action : window.findChildren<QAction*>()) {
            for (const QKeySequence& key : action->shortcuts())
                keys.insert(key.toString(QKeySequence::PortableText));
        }
        for (const Shortcut& key : ShortcutMap())
            keys.insert(key.keys.toString(QKeySequence::PortableText));
        QVERIFY(keys.size() >= 20);
        for (const QString& key : keys) {
            const QString named = QStringLiteral("<kbd>%1</kbd>").arg(key.toHtmlEscaped());
            QVERIFY2(page.contains(named), qPrintable(named));
        }
    }

    void architectureNamesEverySourceFolder() {
        const QString notes = ReadText(QStringLiteral("docs/ARCHITECTURE.md"));
        QVERIFY(!notes.isEmpty());
        const QStringList folders =
            QDir(SourceDir() + QStringLiteral("/src")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QVERIFY(!folders.isEmpty());
        for (const QString& folder : folders) {
            const QString named = QStringLiteral("`src/%1/`").arg(folder);
            QVERIFY2(notes.contains(named), qPrintable(named));
        }
    }
};

QTEST_MAIN(DocsTest)
#include "tst_docs.moc"
