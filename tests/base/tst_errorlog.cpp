#include "base/errorlog.h"
#include "base/errortrap.h"
#include "base/safefile.h"
#include "testsupport.h"

#include <QFile>
#include <QtTest>

class ErrorLogTest : public QObject {
    Q_OBJECT
private slots:
    void routineErrorsAreNeverWritten() {
        TempProgramFolder folder;
        for (const char* n : {"6", "9", "11", "381"})
            LogError(QString::fromLatin1(n), QStringLiteral("x"), QStringLiteral("1"));
        QVERIFY(!QFile::exists(folder.logPath()));
        QVERIFY(folder.logNotices().isEmpty());
        LogError(QStringLiteral("13"), QStringLiteral("Type mismatch"), QStringLiteral("40"));
        QCOMPARE(folder.logLines().size(), 1);
    }

    void entryFormat() {
        TempProgramFolder folder;
        TestClock::set(QDateTime(QDate(2026, 3, 14), QTime(15, 9, 26)));
        LogError(QStringLiteral("13"), QStringLiteral("Say \"hi\""), QStringLiteral("240"));
        const QStringList lines = folder.logLines();
        QCOMPARE(lines.size(), 1);
        const QString expected =
            QStringLiteral("3/14/2026 3:09:26 PM, ** no control currently active **, "
                           "\"3/14/2026 3:09:26 PM\",\"13\",\"Say \"hi\"\",\"240\",\"v6.9.6\",\"") +
            folder.path() + QStringLiteral("\", ");
        QCOMPARE(lines.first(), expected);
        // Lines end with CR LF.
        QFile f(folder.logPath());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().endsWith("\", \r\n"));
    }

    void keepsTheNewest52() {
        TempProgramFolder folder;
        for (int i = 1; i <= 60; ++i)
            LogError(QStringLiteral("5"), QStringLiteral("error %1").arg(i), QString::number(i));
        const QStringList lines = folder.logLines();
        QCOMPARE(lines.size(), ErrorLog::kMaxLines);
        QVERIFY(lines.first().contains(QStringLiteral("\"error 60\"")));
        QVERIFY(lines.last().contains(QStringLiteral("\"error 9\"")));
    }

    void blankLinesAreDropped() {
        TempProgramFolder folder;
        WriteFile(folder.logPath(), "old one\r\n\r\n   \r\nold two\r\n");
        LogError(QStringLiteral("53"), QStringLiteral("File not found"), QStringLiteral("0"));
        const QStringList lines = folder.logLines();
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines.at(1), QStringLiteral("old one"));
        QCOMPARE(lines.at(2), QStringLiteral("old two"));
    }

    void unwritableLogNotifies() {
        TempProgramFolder folder;
        // A folder in the log's place cannot be written, whoever runs the test.
        QVERIFY(QDir().mkpath(folder.logPath()));
        LogError(QStringLiteral("13"), QStringLiteral("Type mismatch"), QStringLiteral("1"));
        LogError(QStringLiteral("53"), QStringLiteral("File not found"), QStringLiteral("2"));
        QCOMPARE(folder.logNotices().size(), 2);
        QVERIFY(folder.logNotices().first().startsWith(QStringLiteral(
            "Quillbrook- critical error!|There was an error writing to the error log-->#")));
    }

    // The last bytes of a log rewrite fail to reach a full disk: the old log stays whole.
    // Without the right to mount a small disk (not root), a last flush that fails as a full
    // disk's does stands in for one.
    void aFullDiskKeepsTheOldLog() {
        TempProgramFolder folder;
        SmallDisk disk(64 * 1024);
        const QString log =
            (disk.mounted() ? disk.path() : folder.path()) + QStringLiteral("/Quillbrook.Err");
        ErrorLog::setLogPath(log);
        LogError(QStringLiteral("13"), QStringLiteral("Type mismatch"), QStringLiteral("1"));
        const QByteArray before = ReadBytes(log);
        if (disk.mounted())
            disk.leaveFree(4096);
        else
            SetSafeFileFault([log](const QString& path) { return path == log; });
        LogError(QStringLiteral("5"), QString(6000, QLatin1Char('d')), QStringLiteral("2"));
        SetSafeFileFault({});
        QCOMPARE(ReadBytes(log), before);
        QCOMPARE(folder.logNotices().size(), 1);
    }

    void numberThatIsNotANumber() {
        TempProgramFolder folder;
        LogError(QStringLiteral("abc"), QStringLiteral("x"), QStringLiteral("1"));
        QCOMPARE(folder.logNotices().size(), 1);
        QVERIFY(!QFile::exists(folder.logPath()));
    }

    void trapLogsAndCarriesOn() {
        TempProgramFolder folder;
        int reached = 0;
        QVERIFY(!Trap(70, [] { RaiseError(13); }));
        QVERIFY(!Trap(80, [] { RaiseError(11); }));
        QVERIFY(Trap(90, [&] { ++reached; }));
        QVERIFY(!Trap(100, [] { throw std::runtime_error("boom"); }));
        QCOMPARE(reached, 1);
        const QStringList lines = folder.logLines();
        QCOMPARE(lines.size(), 2); // 11 is not written
        QVERIFY(lines.at(0).contains(QStringLiteral("\"5\",\"boom\",\"100\"")));
        QVERIFY(lines.at(1).contains(QStringLiteral("\"13\",\"Type mismatch\",\"70\"")));
        QVERIFY(!TrapSilently([] { RaiseError(5); }));
        QCOMPARE(folder.logLines().size(), 2);
    }
};

QTEST_GUILESS_MAIN(ErrorLogTest)
#include "tst_errorlog.moc"
