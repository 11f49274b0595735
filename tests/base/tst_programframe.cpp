#include "base/programfolder.h"
#include "base/shell.h"
#include "base/textcodec.h"
#include "report/analysisreport.h"
#include "testsupport.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>
#include <sys/mount.h>

namespace {
class RecordingShell : public Shell {
public:
    bool open(const QString& target) override {
        opened.append(target);
        return accept;
    }
    QStringList opened;
    bool accept = true;
};
} // namespace

class ProgramFrameTest : public QObject {
    Q_OBJECT
private slots:
    void firstRunCreatesTheWorkingFolders() {
        TempProgramFolder folder;
        PrepareProgramFolders();
        for (const char* sub : {"_reports", "_data", "_data/_propertyImages"})
            QVERIFY2(QFileInfo(folder.file(QString::fromLatin1(sub))).isDir(), sub);
        QCOMPARE(g_sLogoPicturePath, folder.path() + QStringLiteral("/_images/hgtLogoSmall4.bmp"));
        QVERIFY(!QFile::exists(folder.file(QStringLiteral("_data/991106EB51"))));
        QVERIFY(folder.logLines().isEmpty());
        // A second run finds them and creates nothing, logs nothing.
        PrepareProgramFolders();
        QVERIFY(folder.logLines().isEmpty());
    }

    void aFolderThatCannotBeCreatedIsLogged() {
        TempProgramFolder folder;
        WriteFile(folder.file(QStringLiteral("_data")), "a file where the folder belongs");
        PrepareProgramFolders();
        QVERIFY(QFileInfo(folder.file(QStringLiteral("_reports"))).isDir());
        QCOMPARE(folder.logLines().size(), 2); // _data and its sub-folder
    }

    void paths() {
        QCOMPARE(JoinProgramPath(QStringLiteral("/opt/qb"), QStringLiteral("_data/x")),
                 QStringLiteral("/opt/qb/_data/x"));
        QCOMPARE(JoinProgramPath(QStringLiteral("/opt/qb/"), QStringLiteral("_data/x")),
                 QStringLiteral("/opt/qb/_data/x"));
        // A folder whose name ends in a space is not its neighbour without the space.
        TempProgramFolder folder;
        const QString spaced = folder.path() + QStringLiteral("/qb ");
        QVERIFY(QDir().mkpath(spaced) && QDir().mkpath(folder.path() + QStringLiteral("/qb")));
        SetProgramFolder(spaced);
        PrepareProgramFolders();
        QVERIFY(QFileInfo(spaced + QStringLiteral("/_data")).isDir());
        QVERIFY(!QFileInfo::exists(folder.path() + QStringLiteral("/qb/_data")));
        QCOMPARE(ProgramPath(QStringLiteral("_data/991106EB51")),
                 spaced + QStringLiteral("/_data/991106EB51"));
        QVERIFY(ReportPagePath(spaced).startsWith(spaced + QStringLiteral("/_reports/")));
    }

    void whereTheDataGoes() {
        TempProgramFolder scratch;
        const QString portable = scratch.file(QStringLiteral("portable"));
        const QString perUser = scratch.file(QStringLiteral("home/.local/share/Quillbrook"));
        const QString named = scratch.file(QStringLiteral("elsewhere"));
        QVERIFY(QDir().mkpath(portable + QStringLiteral("/_images")));
        QCOMPARE(ChooseDataFolder(QString(), portable, perUser), portable);
        QCOMPARE(ChooseDataFolder(named, portable, perUser), named);
        QCOMPARE(LocateResourceFolder(portable), portable);

        // Installed: bin/ beside share/quillbrook/, writable or not (root may write to /usr/bin).
        const QString prefix = scratch.file(QStringLiteral("usr"));
        QVERIFY(QDir().mkpath(prefix + QStringLiteral("/bin")));
        QVERIFY(QDir().mkpath(prefix + QStringLiteral("/share/quillbrook/_images")));
        QCOMPARE(ChooseDataFolder(QString(), prefix + QStringLiteral("/bin"), perUser), perUser);
        QCOMPARE(LocateResourceFolder(prefix + QStringLiteral("/bin")),
                 prefix + QStringLiteral("/share/quillbrook"));
        QCOMPARE(ChooseDataFolder(named, prefix + QStringLiteral("/bin"), perUser), named);

        // A program folder that cannot be written, by permissions or (for root, whom
        // permissions do not stop) a read-only mount.
        QVERIFY(QFile::setPermissions(portable, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        const QByteArray where = QFile::encodeName(portable);
        bool mounted = false;
        if (QFileInfo(portable).isWritable()) {
            mounted =
                ::mount(where.constData(), where.constData(), nullptr, MS_BIND, nullptr) == 0 &&
                ::mount(nullptr, where.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY,
                        nullptr) == 0;
            if (!mounted)
                QSKIP("cannot make a read-only folder here");
        }
        const QString chosen = ChooseDataFolder(QString(), portable, perUser);
        if (mounted)
            ::umount2(where.constData(), MNT_DETACH);
        QFile::setPermissions(portable, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ExeOwner);
        QCOMPARE(chosen, perUser);
    }

    void theDataFolderIsMadeWhenMissing() {
        TempProgramFolder folder;
        const QString perUser = folder.file(QStringLiteral("home/.local/share/Quillbrook"));
        SetDataFolder(perUser);
        PrepareProgramFolders();
        QVERIFY(QFileInfo(perUser + QStringLiteral("/_data/_propertyImages")).isDir());
        QVERIFY(QFileInfo(perUser + QStringLiteral("/_reports")).isDir());
        // The pictures stay where the program is.
        QCOMPARE(g_sLogoPicturePath, folder.path() + QStringLiteral("/_images/hgtLogoSmall4.bmp"));
    }

    void openDocument() {
        RecordingShell shell;
        SetShell(&shell);
        QVERIFY(OpenDocument(QStringLiteral("www.harrowgate.example")));
        QVERIFY(OpenDocument(QStringLiteral("HTTPS://www.harrowgate.example/quillbrook/")));
        QVERIFY(OpenDocument(QStringLiteral("/opt/qb/_reports/financialAnalysisDetail.html")));
        QVERIFY(OpenDocument(QStringLiteral("/opt/qb/_REFERENCE/quillbrookhelp.html")));
        QCOMPARE(shell.opened,
                 (QStringList{QStringLiteral("http://www.harrowgate.example"),
                              QStringLiteral("HTTPS://www.harrowgate.example/quillbrook/"),
                              QStringLiteral("/opt/qb/_reports/financialAnalysisDetail.html"),
                              QStringLiteral("/opt/qb/_REFERENCE/quillbrookhelp.html")}));
        shell.accept = false;
        QVERIFY(!OpenDocument(QStringLiteral("x")));
        SetShell(nullptr);
    }

    void windows1252AndUtf8() {
        const QString text = QStringLiteral("Caf\u00e9 \u20ac 5 \u2014 na\u00efve");
        QByteArray cp;
        QVERIFY(EncodeWindows1252(text, &cp));
        QCOMPARE(cp, QByteArray("Caf\xe9 \x80 5 \x97 na\xefve"));
        QCOMPARE(EncodeText(text), cp);
        QCOMPARE(DecodeText(cp), text);
        // A character Windows-1252 lacks makes the whole text UTF-8, so nothing is lost.
        const QString wide = QStringLiteral("\u0141\u00f3d\u017a \u20ac");
        QCOMPARE(EncodeText(wide), wide.toUtf8());
        QCOMPARE(DecodeText(EncodeText(wide)), wide);
        // Windows-1252 bytes that happen to be valid UTF-8 would read back as other text.
        const QString lookalike = QStringLiteral("\u00c3\u00a9t\u00c3\u00a9");
        QCOMPARE(DecodeText(EncodeText(lookalike)), lookalike);
        // Every byte decodes to something and comes back as the same byte.
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        QByteArray back;
        const QString decoded = DecodeWindows1252(all);
        QVERIFY(EncodeWindows1252(decoded, &back));
        QCOMPARE(back, all);
    }
};

QTEST_GUILESS_MAIN(ProgramFrameTest)
#include "tst_programframe.moc"
