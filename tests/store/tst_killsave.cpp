// A save killed at any moment leaves the database as it was or as it was being saved, byte for
// byte, and the backup whole. The saving is done by savechild, which this test kills with
// SIGKILL at random moments of its save. QB_KILL_TRIALS sets the number of trials (few by
// default, so the suite stays quick), QB_KILL_SEED the random seed.
#include "store/propertydatabase.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <QtTest>

namespace {

constexpr int kProperties = 1000;
constexpr int kEditedRow = 500;

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class TestKillSave : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempProgramFolder> m_folder;
    QByteArray m_older; // the backup before the save
    QByteArray m_old;   // the database before the save
    QByteArray m_new;   // the database after it
    qint64 m_saveMs = 0;

    void startChild(QProcess& child, const QString& notes) {
        child.setProgram(QCoreApplication::applicationDirPath() + QStringLiteral("/savechild"));
        child.setArguments({m_folder->path(), QString::number(kEditedRow), notes});
        child.start();
        QVERIFY2(child.waitForStarted(), qPrintable(child.errorString()));
    }
    // Runs a save to its end; *saveMs is how long the save itself took.
    void saveWhole(const QString& notes, qint64* saveMs = nullptr) {
        QProcess child;
        startChild(child, notes);
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitCode(), 0);
        const QList<QByteArray> lines = child.readAllStandardOutput().split('\n');
        QCOMPARE(lines.value(0), QByteArray("saving"));
        QVERIFY(lines.value(1).startsWith("saved "));
        if (saveMs)
            *saveMs = lines.value(1).mid(6).toLongLong();
    }
    void putBack() {
        QDir data(m_folder->file(QStringLiteral("_data")));
        // Temporaries of killed saves go, so each trial starts alike.
        for (const QString& name : data.entryList(QDir::Files))
            data.remove(name);
        WriteFile(PropertyDatabasePath(), m_old);
        WriteFile(PropertyDatabaseBackupPath(), m_older);
    }

private slots:
    void initTestCase() {
        m_folder = std::make_unique<TempProgramFolder>();
        QVERIFY(QDir(m_folder->path()).mkpath(QStringLiteral("_data")));
        m_older = SampleDatabaseBytes(kProperties);
        WriteFile(PropertyDatabasePath(), m_older);
        saveWhole(QStringLiteral("Boiler replaced in March."));
        m_old = readBytes(PropertyDatabasePath());
        QCOMPARE(readBytes(PropertyDatabaseBackupPath()), m_older);
        saveWhole(QStringLiteral("Roof inspected in May."), &m_saveMs);
        m_new = readBytes(PropertyDatabasePath());
        QVERIFY(m_old != m_new);
        QVERIFY(m_new.contains("Roof inspected in May."));
    }

    void killedSaveLeavesOldOrNewFile() {
        const int trials = qEnvironmentVariableIsSet("QB_KILL_TRIALS")
                               ? qMax(1, qEnvironmentVariableIntValue("QB_KILL_TRIALS"))
                               : 5;
        const quint32 seed = qEnvironmentVariableIsSet("QB_KILL_SEED")
                                 ? quint32(qEnvironmentVariableIntValue("QB_KILL_SEED"))
                                 : QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        // Kill moments spread over the whole save and well past it: a busy machine stretches
        // a save to twice the time it took alone.
        const qint64 window = qMax<qint64>(2000, m_saveMs * 2500);
        int keptOld = 0, gotNew = 0, finished = 0;
        for (int trial = 1; trial <= trials; ++trial) {
            putBack();
            QProcess child;
            startChild(child, QStringLiteral("Roof inspected in May."));
            while (!child.canReadLine())
                QVERIFY2(child.waitForReadyRead(60000), "the save never started");
            QCOMPARE(child.readLine(), QByteArray("saving\n"));
            QThread::usleep(random.bounded(window));
            child.kill();
            QVERIFY(child.waitForFinished(60000));
            if (child.exitStatus() == QProcess::NormalExit)
                ++finished;

            const QByteArray database = readBytes(PropertyDatabasePath());
            const QByteArray backup = readBytes(PropertyDatabaseBackupPath());
            const QByteArray where = QByteArray("trial ") + QByteArray::number(trial) +
                                     " of seed " + QByteArray::number(seed);
            QVERIFY2(database == m_old || database == m_new,
                     where + ": the database is neither the old nor the new file");
            QVERIFY2(backup == m_older || backup == m_old,
                     where + ": the backup is neither the previous one nor the old database");
            // The new database only ever stands beside a backup of the old one.
            QVERIFY2(database == m_old || backup == m_old, where + ": new file, stale backup");
            ++(database == m_old ? keptOld : gotNew);
        }
        qInfo("kill during save: %d trials (seed %u, save %lld ms): %d old file, %d new file, "
              "%d saves finished before the kill; 0 findings",
              keptOld + gotNew, seed, m_saveMs, keptOld, gotNew, finished);
    }
};

QTEST_GUILESS_MAIN(TestKillSave)
#include "tst_killsave.moc"
