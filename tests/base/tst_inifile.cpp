#include "base/errortrap.h"
#include "base/inidocument.h"
#include "base/inifile.h"
#include "testsupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A window that only remembers what it was told; 15 twips per pixel, 1920 x 1080 pixels.
class FakeWindow : public WindowGeometry {
public:
    int state = Normal;
    qint32 l = 1500, t = 1500, w = 9000, h = 6000;
    int moves = 0;

    int windowState() const override { return state; }
    void setWindowState(int s) override { state = s; }
    qint32 left() const override { return l; }
    qint32 top() const override { return t; }
    qint32 width() const override { return w; }
    qint32 height() const override { return h; }
    void setGeometry(qint32 left, qint32 top, qint32 width, qint32 height) override {
        l = left, t = top, w = width, h = height;
        ++moves;
    }
    qint32 screenWidth() const override { return 1920 * 15; }
    qint32 screenHeight() const override { return 1080 * 15; }
    qint32 twipsPerPixelX() const override { return 15; }
    qint32 twipsPerPixelY() const override { return 15; }
};

} // namespace

class TestIniFile : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempProgramFolder> m_folder;
    cInifile iniAt(const QString& name, const QString& section = QStringLiteral("S")) {
        cInifile ini;
        ini.Path(m_folder->file(name));
        ini.Section(section);
        return ini;
    }

private slots:
    void init() { m_folder = std::make_unique<TempProgramFolder>(); }
    void cleanup() { m_folder.reset(); }

    void missingFileReadsEmpty() {
        cInifile ini = iniAt(QStringLiteral("absent.ini"));
        ini.Key(QStringLiteral("K"));
        QCOMPARE(ini.Value(), QString());
        ini.Default(QStringLiteral("none"));
        QCOMPARE(ini.Value(), QStringLiteral("none"));
        QCOMPARE(ini.Sections(), QString());
        QStringList names{QStringLiteral("stale")};
        qint32 count = 5;
        ini.EnumerateAllSections(names, count);
        QCOMPARE(count, 0);
        QVERIFY(names.isEmpty());
        ini.EnumerateCurrentSection(names, count);
        QCOMPARE(count, 0);
        QVERIFY(names.isEmpty());
        QVERIFY(!QFile::exists(ini.Path()));
        QVERIFY(m_folder->logLines().isEmpty());
    }

    void writesInPlaceAndLooksUpWithoutCase() {
        cInifile ini = iniAt(QStringLiteral("a.ini"), QStringLiteral("First"));
        QCOMPARE(ini.LastReturnCode(), 0);
        for (const char* key : {"A", "B", "C"}) {
            ini.Key(QString::fromLatin1(key));
            ini.Value(QStringLiteral("v") + QString::fromLatin1(key));
            QVERIFY(ini.Success());
        }
        ini.Section(QStringLiteral("Second"));
        ini.Key(QStringLiteral("X"));
        ini.Value(QStringLiteral("1"));
        ini.Section(QStringLiteral("FIRST"));
        ini.Key(QStringLiteral("b"));
        ini.Value(QStringLiteral("  replaced  "));
        QCOMPARE(readBytes(ini.Path()),
                 QByteArray("[First]\r\nA=vA\r\nB=replaced\r\nC=vC\r\n\r\n[Second]\r\nX=1\r\n"));
        ini.Default(QStringLiteral("d"));
        QCOMPARE(ini.Value(), QStringLiteral("replaced"));
        ini.Section(QStringLiteral("second"));
        ini.Key(QStringLiteral("x"));
        QCOMPARE(ini.Value(), QStringLiteral("1"));
        ini.Key(QStringLiteral("missing"));
        QCOMPARE(ini.Value(), QStringLiteral("d"));
        ini.Section(QStringLiteral("First"));
        ini.Key(QStringLiteral("Z"));
        ini.Value(QStringLiteral("new"));
        QCOMPARE(ini.INISection(), QStringLiteral("A%1B%1C%1Z%1").arg(QChar(0)));
        QCOMPARE(ini.Sections(), QStringLiteral("First%1Second%1").arg(QChar(0)));
    }

    void removesNulsFromTheCallersText() {
        cInifile ini = iniAt(QStringLiteral("n.ini"));
        ini.Key(QStringLiteral("K"));
        QString value = QStringLiteral("a") + QChar(0) + QChar(0) + QStringLiteral("b") + QChar(0);
        ini.Value(value);
        QCOMPARE(value, QStringLiteral("ab"));
        QCOMPARE(ini.Value(), QStringLiteral("ab"));
    }

    void lineBreaksNeverSplitAValue_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("CR LF") << QStringLiteral("one\r\ntwo");
        QTest::newRow("LF") << QStringLiteral("one\ntwo");
        QTest::newRow("CR") << QStringLiteral("one\rtwo");
        QTest::newRow("forged key") << QStringLiteral("one\n[Evil]\ntwo");
    }
    void lineBreaksNeverSplitAValue() {
        QFETCH(QString, text);
        cInifile ini = iniAt(QStringLiteral("l.ini"));
        ini.Key(QStringLiteral("K"));
        ini.Value(text);
        ini.Key(QStringLiteral("After"));
        ini.Value(QStringLiteral("x"));
        QString expected = text;
        expected.replace(QStringLiteral("\r\n"), QStringLiteral("~|"))
            .replace(QLatin1Char('\r'), QStringLiteral("~|"))
            .replace(QLatin1Char('\n'), QStringLiteral("~|"));
        ini.Key(QStringLiteral("K"));
        QCOMPARE(ini.Value(), expected);
        QCOMPARE(ini.Sections(), QStringLiteral("S") + QChar(0));
        QCOMPARE(ini.INISection(), QStringLiteral("K%1After%1").arg(QChar(0)));
    }

    void noSizeLimits() {
        const QString longValue = QString(4990, QLatin1Char('x')) + QStringLiteral("END!!");
        IniDocument doc;
        for (int i = 1; i <= 1000; ++i)
            doc.setValue(QStringLiteral("Section%1").arg(i), QStringLiteral("K"), longValue);
        QVERIFY(doc.saveFile(m_folder->file(QStringLiteral("big.ini"))));

        cInifile ini = iniAt(QStringLiteral("big.ini"), QStringLiteral("section1000"));
        QStringList names;
        qint32 count = 0;
        ini.EnumerateAllSections(names, count);
        QCOMPARE(count, 1000);
        QCOMPARE(names.size(), 1001);
        QCOMPARE(names.at(0), QString());
        QCOMPARE(names.at(1000), QStringLiteral("Section1000"));
        ini.Key(QStringLiteral("K"));
        QCOMPARE(ini.Value().size(), 4995);
        QVERIFY(ini.Value().endsWith(QStringLiteral("END!!")));
    }

    void windows1252FilesStayWindows1252() {
        const QString path = m_folder->file(QStringLiteral("w.ini"));
        WriteFile(path, QByteArray("[S]\r\nName=Caf\xe9 \x80 5\r\n"));
        cInifile ini = iniAt(QStringLiteral("w.ini"));
        ini.Key(QStringLiteral("Name"));
        QCOMPARE(ini.Value(), QStringLiteral("Café € 5"));
        ini.Key(QStringLiteral("Other"));
        ini.Value(QStringLiteral("Noël"));
        QCOMPARE(readBytes(path), QByteArray("[S]\r\nName=Caf\xe9 \x80 5\r\nOther=No\xebl\r\n"));
        // A character Windows-1252 lacks turns the file into UTF-8, nothing is lost.
        ini.Value(QStringLiteral("Ωmega"));
        ini.Key(QStringLiteral("Name"));
        QCOMPARE(ini.Value(), QStringLiteral("Café € 5"));
        QVERIFY(readBytes(path).contains("Caf\xc3\xa9"));
    }

    void textThatLooksLikeUtf8SurvivesASave() {
        cInifile ini = iniAt(QStringLiteral("m.ini"));
        ini.Key(QStringLiteral("K"));
        const QString tricky = QStringLiteral("Ã©tÃ©");
        ini.Value(tricky);
        QCOMPARE(ini.Value(), tricky);
    }

    void readsLfFilesAndKeepsOtherLines() {
        const QString path = m_folder->file(QStringLiteral("lf.ini"));
        WriteFile(path, QByteArray("; kept\n[S]\nA = 1\n; note\n\n[T]\nB=2\n"));
        cInifile ini = iniAt(QStringLiteral("lf.ini"));
        ini.Key(QStringLiteral("A"));
        QCOMPARE(ini.Value(), QStringLiteral("1"));
        ini.Key(QStringLiteral("C"));
        ini.Value(QStringLiteral("3"));
        QCOMPARE(readBytes(path),
                 QByteArray("; kept\r\n[S]\r\nA=1\r\n; note\r\nC=3\r\n\r\n[T]\r\nB=2\r\n"));
    }

    void deletesKeysAndSections() {
        const QString path = m_folder->file(QStringLiteral("d.ini"));
        WriteFile(path, QByteArray("[S]\r\nA=1\r\nB=2\r\n[T]\r\nC=3\r\n[U]\r\nD=4\r\n"));
        cInifile ini = iniAt(QStringLiteral("d.ini"));
        ini.Key(QStringLiteral("a"));
        ini.DeleteKey();
        QVERIFY(ini.Success());
        ini.Key(QStringLiteral("nothing"));
        ini.DeleteKey();
        QVERIFY(ini.Success());
        ini.Section(QStringLiteral("t"));
        ini.DeleteSection();
        ini.Section(QStringLiteral("U"));
        ini.INISection(QStringLiteral("ignored"));
        QVERIFY(ini.Success());
        QCOMPARE(readBytes(path), QByteArray("[S]\r\nB=2\r\n"));
    }

    void enumeratesOneBased() {
        WriteFile(m_folder->file(QStringLiteral("e.ini")),
                  QByteArray("[S]\r\nB=1\r\nA=2\r\n[]\r\nX=1\r\n[Empty]\r\n"));
        cInifile ini = iniAt(QStringLiteral("e.ini"));
        QStringList keys;
        qint32 count = 0;
        ini.EnumerateCurrentSection(keys, count);
        QCOMPARE(count, 2);
        QCOMPARE(keys, (QStringList{QString(), QStringLiteral("B"), QStringLiteral("A")}));
        ini.Section(QStringLiteral("Empty"));
        ini.EnumerateCurrentSectionWith2dArray(keys, count, 0);
        QCOMPARE(count, 0);
        QCOMPARE(keys.size(), 3); // left as it was
        ini.EnumerateCurrentSection(keys, count);
        QVERIFY(keys.isEmpty());
        QStringList sections;
        ini.EnumerateAllSections(sections, count);
        QCOMPARE(sections, (QStringList{QString(), QStringLiteral("S"), QStringLiteral("Empty")}));
    }

    void failuresAreReportedNotThrown() {
        cInifile ini = iniAt(QStringLiteral("no/such/folder/x.ini"));
        ini.Key(QStringLiteral("K"));
        ini.Value(QStringLiteral("v"));
        QCOMPARE(ini.LastReturnCode(), 0);
        QVERIFY(!ini.Success());
        QVERIFY(!QFile::exists(ini.Path()));

        // A path that cannot be read: trapped readers log and return nothing, the others
        // leave the error to the caller.
        QDir(m_folder->path()).mkdir(QStringLiteral("dir.ini"));
        cInifile dir = iniAt(QStringLiteral("dir.ini"));
        dir.Key(QStringLiteral("K"));
        QCOMPARE(dir.Value(), QString());
        QCOMPARE(m_folder->logLines().size(), 1);
        QVERIFY(m_folder->logLines().at(0).contains(QStringLiteral("\"75\"")));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, dir.Sections());
    }

    void writerReportsAShortDevice() {
        IniDocument doc;
        doc.setValue(QStringLiteral("S"), QStringLiteral("K"), QString(200, QLatin1Char('v')));
        FailingDevice full(50);
        full.open(QIODevice::WriteOnly);
        QString error;
        QVERIFY(!doc.write(full, &error));
        QVERIFY(!error.isEmpty());
        FailingDevice roomy(1000);
        roomy.open(QIODevice::WriteOnly);
        QVERIFY(doc.write(roomy));
        QCOMPARE(roomy.data(), doc.toBytes());
    }

    void clngDefault_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("half down to even") << "12.5" << 12;
        QTest::newRow("half up to even") << "13.5" << 14;
        QTest::newRow("negative half") << "-2.5" << -2;
        QTest::newRow("letters") << "abc" << 7;
        QTest::newRow("empty") << "" << 7;
        QTest::newRow("grouped") << "1,234" << 1234;
        QTest::newRow("blanks") << " 42 " << 42;
        QTest::newRow("too large") << "99999999999" << 7;
        QTest::newRow("FAIL") << "FAIL" << 7;
    }
    void clngDefault() {
        QFETCH(QString, text);
        QFETCH(int, expected);
        QCOMPARE(cInifile::CLngDefault(text, 7), expected);
    }

    void savesFormPosition() {
        cInifile ini = iniAt(QStringLiteral("f.ini"), QStringLiteral("Main"));
        ini.Key(QStringLiteral("Mine"));
        FakeWindow window;
        ini.SaveFormPosition(window);
        QCOMPARE(ini.Key(), QStringLiteral("Mine"));
        QCOMPARE(readBytes(ini.Path()),
                 QByteArray("[Main]\r\nMaximised=0\r\nLeft=1500\r\nTop=1500\r\nWidth=9000\r\n"
                            "Height=6000\r\n"));
        window.state = WindowGeometry::Maximised;
        window.l = 0;
        ini.SaveFormPosition(window);
        QCOMPARE(readBytes(ini.Path()),
                 QByteArray("[Main]\r\nMaximised=1\r\nLeft=1500\r\nTop=1500\r\nWidth=9000\r\n"
                            "Height=6000\r\n"));
        const QByteArray before = readBytes(ini.Path());
        window.state = WindowGeometry::Minimised;
        ini.SaveFormPosition(window);
        QCOMPARE(readBytes(ini.Path()), before);
    }

    void loadsFormPosition_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QRect>("start");
        QTest::addColumn<QRect>("expected");
        QTest::addColumn<int>("state");
        const int sw = 1920 * 15, sh = 1080 * 15, m = 60;
        QTest::newRow("nothing stored")
            << QByteArray() << QRect(1500, 1500, 9000, 6000) << QRect(1500, 1500, 9000, 6000) << 0;
        QTest::newRow("nothing stored, off screen")
            << QByteArray() << QRect(-300, 1500, 9000, 6000) << QRect(m, 1500, 9000, 6000) << 0;
        QTest::newRow("stored") << QByteArray("Left=3000\r\nTop=2000\r\nWidth=12000\r\nHeight=8000")
                                << QRect(0, 0, 9000, 6000) << QRect(3000, 2000, 12000, 8000) << 0;
        QTest::newRow("past the right edge")
            << QByteArray("Left=25000\r\nTop=2000\r\nWidth=12000\r\nHeight=8000")
            << QRect(0, 0, 9000, 6000) << QRect(sw - m - 12000, 2000, 12000, 8000) << 0;
        QTest::newRow("larger than the screen")
            << QByteArray("Left=100\r\nTop=100\r\nWidth=99999\r\nHeight=99999")
            << QRect(0, 0, 9000, 6000) << QRect(m, m, sw - 2 * m, sh - 2 * m) << 0;
        QTest::newRow("below the minimum")
            << QByteArray("Left=3000\r\nTop=2000\r\nWidth=10\r\nHeight=junk")
            << QRect(0, 0, 9000, 6000) << QRect(3000, 2000, 1500, 6000) << 0;
        QTest::newRow("maximised") << QByteArray("Maximised=1") << QRect(1500, 1500, 9000, 6000)
                                   << QRect(1500, 1500, 9000, 6000) << 2;
    }
    void loadsFormPosition() {
        QFETCH(QByteArray, stored);
        QFETCH(QRect, start);
        QFETCH(QRect, expected);
        QFETCH(int, state);
        WriteFile(m_folder->file(QStringLiteral("p.ini")), "[Main]\r\n" + stored + "\r\n");
        cInifile ini = iniAt(QStringLiteral("p.ini"), QStringLiteral("Main"));
        ini.Key(QStringLiteral("Mine"));
        ini.Default(QStringLiteral("dflt"));
        FakeWindow window;
        window.l = start.x(), window.t = start.y(), window.w = start.width(),
        window.h = start.height();
        ini.LoadFormPosition(window);
        QCOMPARE(QRect(window.l, window.t, window.w, window.h), expected);
        QCOMPARE(window.state, state);
        QCOMPARE(ini.Key(), QStringLiteral("Mine"));
        QCOMPARE(ini.Default(), QStringLiteral("dflt"));
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
