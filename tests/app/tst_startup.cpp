#include "app/application.h"

#include <QCoreApplication>
#include <QDir>
#include <QtTest>

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void theCommandLineNamesTheDataFolder() {
        const QString program = QCoreApplication::applicationFilePath();
        // The build folder holds the pictures and can be written: it is a portable folder.
        QCOMPARE(StartupDataFolder({program}), QCoreApplication::applicationDirPath());
        QCOMPARE(StartupDataFolder({program, QStringLiteral("--data"), QStringLiteral("/srv/qb")}),
                 QStringLiteral("/srv/qb"));
        // A relative folder is taken from where the program was started, once, at start-up.
        QCOMPARE(StartupDataFolder({program, QStringLiteral("--data=qb data")}),
                 QDir::current().absoluteFilePath(QStringLiteral("qb data")));
    }
};

QTEST_GUILESS_MAIN(StartupTest)
#include "tst_startup.moc"
