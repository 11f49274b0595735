#include "base/errortrap.h"
#include "base/inidocument.h"
#include "store/databasewriter.h"
#include "store/propertytable.h"

#include <QtTest>

namespace {

using Rows = QVector<QVector<QPair<QString, QString>>>;

// Every row of the table as (key, value) pairs, the slots past a row's own keys left out.
Rows rowsOf(const PropertyTable& table) {
    Rows rows;
    for (int i = 1; i <= table.propertyCount(); ++i) {
        QVector<QPair<QString, QString>> row;
        for (int j = 1; j <= table.slotCount(); ++j) {
            if (!table.key(i, j).isEmpty() || !table.value(i, j).isEmpty())
                row.append({table.key(i, j), table.value(i, j)});
        }
        rows.append(row);
    }
    return rows;
}

// The same file as the INI document reads it.
Rows rowsOf(const IniDocument& doc) {
    Rows rows;
    for (int s = 0; s < doc.sectionCount(); ++s) {
        QVector<QPair<QString, QString>> row;
        for (const IniDocument::Entry& e : doc.entries(s)) {
            if (!e.key.isEmpty() || !e.value.isEmpty())
                row.append({e.key, e.value});
        }
        rows.append(row);
    }
    return rows;
}

int errorOf(const std::function<void()>& statement) {
    try {
        statement();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

} // namespace

class TestPropertyTable : public QObject {
    Q_OBJECT

private slots:
    // The table and the document share one scanner; these files pin down what both read.
    void readsWhatTheDocumentReads_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<Rows>("expected");
        using R = QVector<QPair<QString, QString>>;
        QTest::newRow("CR LF") << QByteArray("[A]\r\nk=1\r\nl = two words \r\n[B]\r\nk=3\r\n")
                               << Rows{R{{"k", "1"}, {"l", "two words"}}, R{{"k", "3"}}};
        QTest::newRow("CR only") << QByteArray("[A]\rk=1\rl=2\r[B]\rk=3")
                                 << Rows{R{{"k", "1"}, {"l", "2"}}, R{{"k", "3"}}};
        QTest::newRow("mixed breaks, CR CR LF") << QByteArray("[A]\nk=1\r\r\nl=2\n\r[B]\r\nk=3\n")
                                                << Rows{R{{"k", "1"}, {"l", "2"}}, R{{"k", "3"}}};
        QTest::newRow("no break at the end") << QByteArray("[A]\r\nk=1\r\nlast=value at EOF")
                                             << Rows{R{{"k", "1"}, {"last", "value at EOF"}}};
        QTest::newRow("blank value at EOF")
            << QByteArray("[A]\r\nk=1\r\nlast=  ") << Rows{R{{"k", "1"}, {"last", ""}}};
        QTest::newRow("other lines")
            << QByteArray("k=before any section\r\n; c\r\n  [ S one ]  trailing\r\n; x=1\r\n"
                          "no equals\r\n\r\na=b=c\r\n=v\r\n[unclosed\r\n k \t= v\t\r\n")
            << Rows{R{{"a", "b=c"}, {"", "v"}}, R{{"k", "v\t"}}}; // a value loses spaces only
        QTest::newRow("keys change order and case")
            << QByteArray("[1]\r\na=1\r\nb=2\r\n[2]\r\nB=3\r\na=4\r\nA=5\r\n[3]\r\na=6\r\n")
            << Rows{R{{"a", "1"}, {"b", "2"}}, R{{"B", "3"}, {"a", "4"}, {"A", "5"}},
                    R{{"a", "6"}}};
        QTest::newRow("Windows-1252") << QByteArray("[Caf\xe9]\r\nName=\xa0"
                                                    "Caf\xe9 \x80\xa0\r\nN\xf6te=\x85"
                                                    "ok\r\n")
                                      << Rows{R{{"Name", "\u00A0Café €\u00A0"}, {"Nöte", "…ok"}}};
        QTest::newRow("UTF-8 with byte order mark")
            << QByteArray("\xef\xbb\xbf[S]\r\nName=\xe3\x80\x80"
                          "Caf\xc3\xa9\xc2\x85\r\n"
                          "Mark=\xef\xbb\xbf"
                          "kept\r\n")
            << Rows{R{{"Name", "\u3000Café\u0085"}, {"Mark", QString(QChar(0xFEFF)) + "kept"}}};
        QTest::newRow("two byte order marks")
            << QByteArray("\xef\xbb\xbf\xef\xbb\xbf[S]\r\nk=1\r\n") << Rows{R{{"k", "1"}}};
        // Read as it is written back: without the NUL, "[B]" heads a section.
        QTest::newRow("NULs dropped before a line is read")
            << QByteArray("[A]\r\n\0[B]=x\r\nk=v\0w\r\n", 20) << Rows{R{}, R{{"k", "vw"}}};
        QTest::newRow("UTF-16LE with mark")
            << QByteArray("\xff\xfe[\0S\0]\0\r\0\n\0k\0=\0\xe9\0", 18) << Rows{R{{"k", "é"}}};
        QTest::newRow("UTF-16BE with mark")
            << QByteArray("\xfe\xff\0[\0S\0]\0\r\0\n\0k\0=\0\xe9", 18) << Rows{R{{"k", "é"}}};
        // What a save writes when a file's first key starts with these letters.
        QTest::newRow("Windows-1252 starting like a UTF-16 mark")
            << QByteArray("\xfe\xffk=1\r\n[S]\r\nk=2\r\n") << Rows{R{{"k", "2"}}};
        QTest::newRow("UTF-8 needs the whole file")
            << QByteArray("[S]\r\nA=\xc3\xa9\r\nB=\xe9\r\n") // one stray byte: Windows-1252
            << Rows{R{{"A", "Ã©"}, {"B", "é"}}};
        QTest::newRow("empty") << QByteArray() << Rows{};
        QTest::newRow("only breaks") << QByteArray("\r\n\r\n\n") << Rows{};
        QTest::newRow("section without keys")
            << QByteArray("[A]\r\n[B]\r\nk=1\r\n") << Rows{R{}, R{{"k", "1"}}};
    }
    void readsWhatTheDocumentReads() {
        QFETCH(QByteArray, file);
        QFETCH(Rows, expected);
        PropertyTable table;
        table.load(file);
        QCOMPARE(rowsOf(table), expected);
        QCOMPARE(rowsOf(IniDocument::fromBytes(file)), expected);
        QCOMPARE(table.propertyCount(), int(expected.size()));
        int widest = 1;
        for (const auto& row : expected)
            widest = qMax(widest, int(row.size()));
        QCOMPARE(table.slotCount(), widest);
    }

    void valuesComeFromTheLatestLoad() {
        PropertyTable table;
        table.load("[A]\r\nk=old\r\n");
        const QString before = table.value(1, 1); // decoded and kept
        table.load("[A]\r\nk=new\r\n[B]\r\nk=more\r\n");
        QCOMPARE(before, QStringLiteral("old"));
        QCOMPARE(table.value(1, 1), QStringLiteral("new"));
        QCOMPARE(table.value(2, 1), QStringLiteral("more"));
        // The table owns its copy of the bytes: the caller's buffer may change or go.
        QByteArray bytes("[A]\r\nk=abc\r\n");
        table.load(bytes);
        bytes.replace("abc", "xyz");
        bytes.clear();
        QCOMPARE(table.value(1, 1), QStringLiteral("abc"));
    }

    void writtenSlotsHoldTheirOwnText() {
        PropertyTable table;
        table.load("[A]\r\nk=1\r\nl=2\r\n[B]\r\nk=3\r\n");
        QCOMPARE(table.value(1, 1), QStringLiteral("1")); // decoded before the row moves
        table.growSlots(4);
        table.setKey(1, 3, QStringLiteral("New"));
        table.setValue(1, 3, QStringLiteral("x"));
        table.setValue(2, 1, QStringLiteral("changed"));
        QCOMPARE(rowsOf(table), (Rows{{{"k", "1"}, {"l", "2"}, {"New", "x"}}, {{"k", "changed"}}}));
        QCOMPARE(table.key(1, 4), QString());
        QCOMPARE(table.text(1, 2, 1), QStringLiteral("k"));
        QCOMPARE(table.text(2, 2, 1), QStringLiteral("changed"));
        table.setText(1, 2, 2, QStringLiteral("K2"));
        table.setText(2, 2, 2, QStringLiteral("v2"));
        QCOMPARE(table.key(2, 2), QStringLiteral("K2"));
        QCOMPARE(table.value(2, 2), QStringLiteral("v2"));
        table.clearRow(1);
        for (int j = 0; j <= 4; ++j) {
            QVERIFY(table.key(1, j).isEmpty());
            QVERIFY(table.value(1, j).isEmpty());
        }
        QCOMPARE(table.value(2, 1), QStringLiteral("changed"));
        // A written empty text reads back empty, not as the bytes it replaced.
        table.setValue(2, 1, QString());
        QVERIFY(table.value(2, 1).isEmpty());
    }

    void scratchRowAndBounds() {
        PropertyTable table;
        table.load(QByteArray()); // an empty or missing file
        QCOMPARE(table.propertyCount(), 0);
        QCOMPARE(table.slotCount(), 1);
        QCOMPARE(table.key(0, 1), QString());
        table.setKey(0, 1, QStringLiteral("txtPropertyInformation"));
        table.setValue(0, 1, QStringLiteral("New one"));
        QCOMPARE(table.value(0, 1), QStringLiteral("New one"));
        QCOMPARE(errorOf([&] { table.key(1, 1); }), 9);
        QCOMPARE(errorOf([&] { table.value(0, 2); }), 9);
        QCOMPARE(errorOf([&] { table.setValue(0, -1, QString()); }), 9);
        QCOMPARE(errorOf([&] { table.text(3, 0, 1); }), 9);
        QCOMPARE(errorOf([&] { table.clearRow(1); }), 9);
        QCOMPARE(errorOf([&] { table.reset(-1); }), 9);
        table.load("[A]\r\nk=1\r\n");
        QCOMPARE(table.value(0, 1), QString()); // a load empties the scratch row
        QCOMPARE(errorOf([&] { table.value(1, 2); }), 9);
        table.reset(2, 3);
        QCOMPARE(table.propertyCount(), 2);
        QCOMPARE(table.slotCount(), 3);
        QCOMPARE(table.value(2, 3), QString());
    }

    // A save writes straight from the table and then updates the table in memory instead of
    // reading the file back: both must come to exactly what the INI engine writes and reads,
    // whatever the file held (encodings, keys met twice, rows without values, a new property).
    void aSaveWritesAndKeepsWhatTheIniEngineWould_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("omit");
        QTest::addColumn<int>("openRow");
        QTest::newRow("ASCII, open row replaced")
            << QByteArray("[A]\r\nk=1\r\nl=2\r\n[B]\r\nk=3\r\n") << 0 << 1;
        QTest::newRow("Windows-1252 kept") << QByteArray("[A]\r\nk=Caf\xe9 \x80\r\n") << 0 << 1;
        QTest::newRow("UTF-8 that fits Windows-1252")
            << QByteArray("[A]\r\nk=Caf\xc3\xa9\r\n[B]\r\nk=x\r\n") << 0 << 2;
        QTest::newRow("UTF-8 that does not")
            << QByteArray("[A]\r\nk=\xe2\x82\xac \xe6\x97\xa5\r\n") << 0 << -1;
        QTest::newRow("a key twice, any case")
            << QByteArray("[A]\r\nk=1\r\nK=2\r\nm=3\r\n[B]\r\nk=4\r\n") << 0 << -1;
        QTest::newRow("rows without values drop out")
            << QByteArray("[A]\r\n[B]\r\nk=1\r\n[C]\r\nk=\r\n[D]\r\nk=2\r\n") << 0 << 4;
        QTest::newRow("one removed")
            << QByteArray("[A]\r\nk=1\r\n[B]\r\nk=2\r\n[C]\r\nk=3\r\n") << 2 << -1;
        QTest::newRow("new property") << QByteArray("[A]\r\nk=1\r\n") << 0 << 0;
    }
    void aSaveWritesAndKeepsWhatTheIniEngineWould() {
        QFETCH(QByteArray, file);
        QFETCH(int, omit);
        QFETCH(int, openRow);
        PropertyTable table;
        table.load(file);
        DatabaseSavePlan plan;
        plan.omit = omit;
        plan.openRow = openRow;
        if (openRow >= 0)
            plan.entries = {{"k", "typed \u00e9"}, {"n", "  spaced  "}, {"K", "last"}, {"e", " "}};
        const QByteArray expected = BuildDatabaseDocument(table, plan).toBytes();
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        const DatabaseWriteResult written = WriteDatabase(table, plan, buffer);
        QVERIFY(written.ok);
        QCOMPARE(buffer.data(), expected);
        QCOMPARE(written.size, expected.size());

        ApplySavePlan(table, plan);
        PropertyTable readBack;
        readBack.load(expected);
        QCOMPARE(rowsOf(table), rowsOf(readBack));
        QCOMPARE(written.properties, readBack.propertyCount());
    }
};

QTEST_GUILESS_MAIN(TestPropertyTable)
#include "tst_propertytable.moc"
