#include "base/inifile.h"
#include "base/programfolder.h"
#include "base/safefile.h"
#include "model/memoryform.h"
#include "store/propertydatabase.h"
#include "store/propertytable.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QtTest>

namespace {

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList sectionsOf(const QString& path) {
    return IniDocument::fromBytes(readBytes(path)).sectionNames();
}

const QString kName = QStringLiteral("txtPropertyInformation");
const QString kAddress = QStringLiteral("txtAddress");
const QString kNotes = QStringLiteral("txtMiscNotes");

} // namespace

class TestPropertyDatabase : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempProgramFolder> m_folder;
    MemoryForm* m_form = nullptr;
    QStringList m_pictures;
    int m_recalculations = 0;
    int m_baselines = 0;
    QStringList m_cursor;

    SaveHooks hooks() {
        SaveHooks h;
        h.recalculate = [this](Form&) { ++m_recalculations; };
        h.takeBaselineSnapshot = [this] { ++m_baselines; };
        h.setBusy = [this](bool busy) { m_cursor << (busy ? "busy" : "arrow"); };
        return h;
    }
    void save(qint32 omit, const SaveHooks& h) {
        qint32 passed = omit;
        SavePropertyDatabase(*m_form, passed, m_pictures, h);
        QCOMPARE(passed, omit);
    }
    void save(qint32 omit) { save(omit, hooks()); }
    QString db() const { return PropertyDatabasePath(); }
    void writeDb(const QByteArray& bytes) {
        WriteFile(db(), bytes);
        LoadPropertyDatabase();
    }
    // What the open command does around the load: empty fields, reset pictures, fill.
    void open(int row) {
        for (const ControlRef& ref : m_form->controlsInWindowOrder()) {
            if (ref.kind == ControlKind::TextField && m_form->isEnabled(ref.name, ref.index))
                m_form->setText(ref.name, QString(), ref.index);
        }
        m_pictures = QStringList{QString()};
        g_lCurrentProperty = row;
        LoadPropertyIntoFields(*m_form, m_pictures);
    }
    void startNew(const QString& name) {
        open(0);
        m_form->setText(kName, name);
    }
    QString storedValue(int row, const QString& key) const {
        for (int j = 1; j <= g_propertyTable.slotCount(); ++j) {
            if (g_propertyTable.key(row, j).compare(key, Qt::CaseInsensitive) == 0)
                return g_propertyTable.value(row, j);
        }
        return QString();
    }
    QStringList names() const {
        QStringList out;
        for (int i = 1; i <= g_lPropertyCount; ++i)
            out << storedValue(i, kName);
        return out;
    }

private slots:
    void init() {
        m_folder = std::make_unique<TempProgramFolder>();
        QDir(m_folder->path()).mkdir(QStringLiteral("_data"));
        m_form = new MemoryForm;
        m_pictures = QStringList{QString()};
        ResetPropertyTable();
        m_recalculations = m_baselines = 0;
        m_cursor.clear();
    }
    void cleanup() {
        delete m_form;
        m_folder.reset();
    }

    // Files written before keep their key order: a field moved in the table must not move in
    // the file.
    void everyFieldIsStoredInTheFilesOrder() {
        QStringList expected;
        const QString order = QStringLiteral(
            "10CFMonthCashflow 10CFOperatingExpenses 10CFExpectedVacancy 10CFTotalGrossIncome "
            "10CFTotalMortgages 10CFIncomeTaxes 10CFNetCashflow 5CFMonthCashflow "
            "5CFOperatingExpenses 5CFExpectedVacancy 5CFTotalGrossIncome 5CFTotalMortgages "
            "5CFIncomeTaxes 5CFNetCashflow PropertyInformation Address Units SquareFootage "
            "MiscNotes DepreciateAsImprovements ClosingCosts PurchasePrice Appreciation "
            "DownPayment CurrentMarketValue GrossMonthlyIncome ExpectedVacancyRate "
            "OtherMonthlyIncome AnnualRateIncrease WaterSewerGarbage Advertising "
            "MiscellaneousExpenses Utilities OfficeSupplies OperatingCostIncrease "
            "RepairAndMaintenance SalaryAndWages Insurance PropertyManagement PropertyTaxes "
            "ProfessionalServices StateTaxRate LongTermCapitolGainsRate FederalTaxRate "
            "AnnualInterestRate1 AmortizationTerm1 MortgagePrincipal1 MortgageMonthlyPayment1 "
            "MortgageMonthlyPayment2 MortgagePrincipal2 AmortizationTerm2 AnnualInterestRate2 "
            "MortgageMonthlyPayment3 MortgagePrincipal3 AmortizationTerm3 AnnualInterestRate3 "
            "MortgageMonthlyPayment4 MortgagePrincipal4 AmortizationTerm4 AnnualInterestRate4 "
            "QISPercentageDown QISTotalCashInvested QISTotalAcquisitionCost QISClosingCosts "
            "QISDownPayment QISPropertyPrice QISCashInvestedPercentage "
            "QISActualAnnualGrossIncome QISNumberOfUnits QISSquareFootage QISCostPerUnit "
            "QISCostPerSquareFoot QISScheduledAnnualIncome QISAnnualVacancy "
            "QISAverageRentPerUnit QISAnnualNetOperatingIncome QISAnnualExpenses "
            "QISCapitalizationRate QISAnnualDebtService NetAnnualCashflowBeforeTaxes "
            "QISNetAnnualCashflowPerUnitBeforeTaxes QISNetMonthlyCashflowPerUnitBeforeTaxes "
            "HoldingPeriod SellingCosts DepreciationYears RecaptureRate RehabCost RehabMonths "
            "HoldingCosts AfterRepairValue RefinanceMonth RefinanceLTV RefinanceRate "
            "RefinanceTerm RefinanceCosts");
        // A control array's cells share one key, which the file holds once.
        for (const QString& name : order.split(QLatin1Char(' ')))
            expected << QStringLiteral("txt") + name;
        for (const ControlRef& ref : m_form->controlsInWindowOrder()) {
            if (ref.kind == ControlKind::TextField)
                m_form->setText(ref.name, QStringLiteral("x"), ref.index);
        }
        save(-1);
        LoadPropertyDatabase();
        QStringList keys;
        for (int j = 1; j <= g_propertyTable.slotCount(); ++j)
            keys << g_propertyTable.key(1, j);
        QCOMPARE(keys, expected);
    }

    void firstSaveCreatesTheFile() {
        LoadPropertyDatabase();
        QCOMPARE(g_lPropertyCount, 0);
        QCOMPARE(g_propertyTable.propertyCount(), 0);
        startNew(QStringLiteral("  Elm Street  "));
        m_form->setText(kAddress, QStringLiteral("1 Elm"));
        save(-1);
        QCOMPARE(readBytes(db()), QByteArray("[PROPERTY000001]\r\ntxtPropertyInformation=Elm "
                                             "Street\r\ntxtAddress=1 Elm\r\ntxtPurchasePrice=0\r\n"
                                             "txtQISScheduledAnnualIncome=0\r\n"));
        QCOMPARE(g_lCurrentProperty, 1);
        QCOMPARE(g_lPropertyCount, 1);
        QCOMPARE(m_form->text(QStringLiteral("txtPurchasePrice")), QStringLiteral("0"));
        QCOMPARE(m_recalculations, 1);
        QCOMPARE(m_baselines, 1);
        QCOMPARE(m_cursor, (QStringList{"busy", "arrow"}));
        // Nothing to back up yet, which is no error.
        QVERIFY(!QFile::exists(PropertyDatabaseBackupPath()));
        QCOMPARE(m_folder->logLines(), QStringList());
    }

    void savingInPlaceKeepsOrderAndBacksUp() {
        const QByteArray before(
            "[PROPERTY000001]\r\ntxtPropertyInformation=A\r\n\r\n"
            "[PROPERTY000002]\r\ntxtPropertyInformation=B\r\ntxtAddress=old\r\n");
        writeDb(before);
        open(2);
        QCOMPARE(m_form->text(kAddress), QStringLiteral("old"));
        m_form->setText(kAddress, QStringLiteral("new"));
        m_form->setText(QStringLiteral("txtPurchasePrice"), QStringLiteral("$100,000"));
        save(-1);
        QCOMPARE(readBytes(PropertyDatabaseBackupPath()), before);
        QCOMPARE(sectionsOf(db()), (QStringList{"PROPERTY000001", "PROPERTY000002"}));
        QCOMPARE(names(), (QStringList{"A", "B"}));
        QCOMPARE(storedValue(2, kAddress), QStringLiteral("new"));
        QCOMPARE(storedValue(2, QStringLiteral("txtPurchasePrice")), QStringLiteral("$100,000"));
        QCOMPARE(g_lCurrentProperty, 2);
    }

    void removingRenumbers() {
        writeDb("[PROPERTY000001]\r\ntxtPropertyInformation=A\r\n[PROPERTY000002]\r\n"
                "txtPropertyInformation=B\r\n[PROPERTY000003]\r\ntxtPropertyInformation=C\r\n");
        g_lCurrentProperty = 3;
        save(1);
        QCOMPARE(sectionsOf(db()), (QStringList{"PROPERTY000001", "PROPERTY000002"}));
        QCOMPARE(names(), (QStringList{"B", "C"}));
        QCOMPARE(m_recalculations, 0);
    }

    void removingTheLastPropertyLeavesNoFile() {
        const QByteArray before("[PROPERTY000001]\r\ntxtPropertyInformation=Only\r\n");
        writeDb(before);
        g_lCurrentProperty = 1;
        save(1);
        QVERIFY(!QFile::exists(db()));
        QCOMPARE(readBytes(PropertyDatabaseBackupPath()), before);
        QCOMPARE(g_lPropertyCount, 0);
    }

    void foreignSectionsAndKeysSurvive() {
        writeDb("[My House]\r\nTXTPROPERTYINFORMATION=Mine\r\ntxtObsolete=42\r\n"
                "g_sListOfImagesForProperty(4)=/p/x.jpg\r\n");
        QCOMPARE(g_lPropertyCount, 1);
        open(1);
        QCOMPARE(m_form->text(kName), QStringLiteral("Mine"));
        save(-1);
        QCOMPARE(readBytes(db()),
                 QByteArray("[PROPERTY000001]\r\ntxtPropertyInformation=Mine\r\ntxtPurchasePrice=0"
                            "\r\ntxtQISScheduledAnnualIncome=0\r\ng_sListOfImagesForProperty(1)="
                            "/p/x.jpg\r\ntxtObsolete=42\r\n"));
    }

    void lineBreaksRoundTrip_data() {
        QTest::addColumn<QString>("notes");
        QTest::newRow("CR LF") << QStringLiteral("One\r\nTwo\r\nThree");
        QTest::newRow("LF") << QStringLiteral("One\nTwo\nThree");
        QTest::newRow("CR") << QStringLiteral("One\rTwo\rThree");
        QTest::newRow("blank line") << QStringLiteral("One\r\n\nTwo\rThree");
    }
    void lineBreaksRoundTrip() {
        QFETCH(QString, notes);
        startNew(QStringLiteral("N"));
        m_form->setText(kNotes, notes);
        save(-1);
        QString expected = notes;
        expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace('\r', '\n');
        const QByteArray stored =
            "txtMiscNotes=" + expected.replace('\n', "~|").toLatin1() + "\r\n";
        QVERIFY(readBytes(db()).contains(stored));
        QCOMPARE(readBytes(db()).count('\n'), 5); // one line per key, no line split
        open(1);
        QCOMPARE(m_form->text(kNotes),
                 expected.replace(QStringLiteral("~|"), QStringLiteral("\n")));
    }

    void onlySpacesAreTrimmedFromAStoredText() {
        // Saved and opened again, every text is as typed but for the spaces at its ends.
        const QString name = QStringLiteral("\u00A0Elm Court\t");
        const QString notes = QStringLiteral("\tFirst line\nlast line\n");
        startNew(QStringLiteral("  ") + name + QStringLiteral(" "));
        m_form->setText(kNotes, notes);
        m_form->setText(QStringLiteral("txtAddress"), QStringLiteral("\t"));
        save(-1);
        open(1);
        QCOMPARE(m_form->text(kName), name);
        QCOMPARE(m_form->text(kNotes), notes);
        QCOMPARE(m_form->text(QStringLiteral("txtAddress")), QStringLiteral("\t"));
        // Saved once more from the table, nothing changes.
        const QByteArray first = readBytes(db());
        save(0);
        QCOMPARE(readBytes(db()), first);
    }

    void pictureGapsCloseOnLoad() {
        startNew(QStringLiteral("P"));
        m_pictures = QStringList{QString(), "/pics/a.jpg", QString(), "/pics/c.jpg"};
        save(-1);
        const QByteArray file = readBytes(db());
        QVERIFY(file.contains("g_sListOfImagesForProperty(1)=/pics/a.jpg\r\n"
                              "g_sListOfImagesForProperty(3)=/pics/c.jpg\r\n"));
        QVERIFY(!file.contains("(2)"));
        open(1);
        QCOMPARE(m_pictures, (QStringList{QString(), "/pics/a.jpg", "/pics/c.jpg"}));
    }

    void sameNamesAndDuplicateSectionsAllLoad() {
        writeDb("[X]\r\ntxtPropertyInformation=Twin\r\ntxtAddress=first\r\n"
                "[X]\r\ntxtPropertyInformation=Twin\r\ntxtAddress=second\r\n");
        QCOMPARE(g_lPropertyCount, 2);
        QCOMPARE(storedValue(1, kAddress), QStringLiteral("first"));
        QCOMPARE(storedValue(2, kAddress), QStringLiteral("second"));
    }

    void newPropertyIsAppended() {
        writeDb("[PROPERTY000001]\r\ntxtPropertyInformation=A\r\n[PROPERTY000002]\r\n"
                "txtPropertyInformation=B\r\n");
        startNew(QStringLiteral("C"));
        save(-1);
        QCOMPARE(g_lCurrentProperty, 3);
        QCOMPARE(names(), (QStringList{"A", "B", "C"}));
        QCOMPARE(sectionsOf(db()).last(), QStringLiteral("PROPERTY000003"));
    }

    // A table that holds fewer properties than the file it was read from has lost some in
    // memory: writing it would lose them on the disk too, so the save is refused as a fault.
    void aSaveNeverWritesFewerPropertiesThanTheFileHolds() {
        const QByteArray before(
            "[PROPERTY000001]\r\ntxtPropertyInformation=A\r\n\r\n[PROPERTY000002]\r\n"
            "txtPropertyInformation=B\r\n\r\n[PROPERTY000003]\r\ntxtPropertyInformation=C\r\n");
        writeDb(before);
        g_propertyTable.clearRow(2);
        g_lCurrentProperty = 1;
        save(0);
        QCOMPARE(readBytes(db()), before);
        QVERIFY(m_folder->logLines().at(0).contains(QStringLiteral("refused to write 2 of the 3")));

        // An empty table with a row still open (what a reload of a vanished file once left)
        // writes nothing either, and above all does not remove the file.
        g_propertyTable.reset(0);
        open(0);
        g_lCurrentProperty = 2;
        save(-1);
        QCOMPARE(readBytes(db()), before);
    }

    // An empty section ahead of the open property drops out at the save, so the rows after it
    // move up: the open property must still be the one the next save writes, not its neighbour
    // (nor a row past the end, which would store nothing at all).
    void openPropertyFollowsARowThatDropsOut() {
        writeDb("[PROPERTY000001]\r\ntxtPropertyInformation=A\r\n[PROPERTY000002]\r\n"
                "[PROPERTY000003]\r\ntxtPropertyInformation=C\r\n[PROPERTY000004]\r\n"
                "txtPropertyInformation=D\r\n");
        open(3);
        m_form->setText(kAddress, QStringLiteral("first edit"));
        save(-1);
        QCOMPARE(names(), (QStringList{"A", "C", "D"}));
        m_form->setText(kAddress, QStringLiteral("second edit"));
        save(-1);
        QCOMPARE(names(), (QStringList{"A", "C", "D"}));
        QCOMPARE(storedValue(2, kAddress), QStringLiteral("second edit"));
        QCOMPARE(storedValue(3, kAddress), QString());

        // A new property saved after such a row is the last row, and stays itself.
        writeDb("[PROPERTY000001]\r\n[PROPERTY000002]\r\ntxtPropertyInformation=B\r\n");
        startNew(QStringLiteral("New"));
        save(-1);
        QCOMPARE(names(), (QStringList{"B", "New"}));
        QCOMPARE(g_lCurrentProperty, 2);
        m_form->setText(kAddress, QStringLiteral("later"));
        save(-1);
        QCOMPARE(storedValue(2, kAddress), QStringLiteral("later"));
    }

    void loadFillsEnabledFieldsAndEveryOutlookCell() {
        writeDb("[P]\r\ntxt10cfNetCashflow=$5\r\ntxtAddress=Here\r\ntxtUnits=4\r\n");
        m_form->setEnabled(QStringLiteral("txtUnits"), false);
        open(1);
        QCOMPARE(m_form->text(kAddress), QStringLiteral("Here"));
        QCOMPARE(m_form->text(QStringLiteral("txtUnits")), QString());
        for (int i = 1; i <= 20; ++i)
            QCOMPARE(m_form->text(QStringLiteral("txt10CFNetCashflow"), i), QStringLiteral("$5"));
    }

    void saveEqualsKeyByKeyWriting() {
        // The file a save writes in one go must be exactly what writing each key in turn
        // gives, outlook keys once per cell included (first position, last value).
        auto fill = [this](const QString& name) {
            startNew(name);
            for (int i = 1; i <= 20; ++i)
                m_form->setText(QStringLiteral("txt10CFNetCashflow"), QStringLiteral("$%1").arg(i),
                                i);
            m_form->setText(kAddress, QStringLiteral("Rue de l'Église €"));
            m_form->setText(kNotes, QStringLiteral("a\r\nb"));
            m_pictures = QStringList{QString(), "/p/1.jpg", QString(), "/p/3.jpg"};
        };
        cInifile ini;
        ini.Path(m_folder->file(QStringLiteral("expected.ini")));
        auto writeExpected = [&](int number) {
            ini.Section(PropertySectionName(number));
            for (const ControlRef& ref : m_form->controlsInWindowOrder()) {
                const QString text = m_form->text(ref.name, ref.index).trimmed();
                if (ref.kind != ControlKind::TextField || text.isEmpty())
                    continue;
                ini.Key(ref.name);
                ini.Value(EncodeLineBreaks(text));
            }
            for (int k = 1; k < m_pictures.size(); ++k) {
                if (m_pictures.at(k).isEmpty())
                    continue;
                ini.Key(QStringLiteral("g_sListOfImagesForProperty(%1)").arg(k));
                ini.Value(m_pictures.at(k));
            }
        };
        fill(QStringLiteral("First"));
        save(-1);
        writeExpected(1);
        fill(QStringLiteral("Second"));
        save(-1);
        writeExpected(2);
        const QByteArray file = readBytes(db());
        QCOMPARE(file, readBytes(ini.Path()));
        QCOMPARE(file.count("txt10CFNetCashflow="), 2);
        QVERIFY(file.contains("[PROPERTY000001]\r\ntxt10CFNetCashflow=$20\r\n"));
        QVERIFY(file.contains("Rue de l'\xc9glise \x80")); // Windows-1252
    }

    void failedWriteLeavesTheOldDatabase() {
        const QByteArray before("[PROPERTY000001]\r\ntxtPropertyInformation=Kept\r\n");
        const QByteArray olderBackup("[PROPERTY000001]\r\ntxtPropertyInformation=Older\r\n");
        WriteFile(PropertyDatabaseBackupPath(), olderBackup);
        writeDb(before);
        startNew(QStringLiteral("New"));
        SaveHooks failing = hooks();
        auto full = std::make_shared<FailingDevice>(20); // the disk fills up part-way
        full->open(QIODevice::WriteOnly);
        failing.databaseDevice = [full](QIODevice&) { return full.get(); };
        save(-1, failing);
        QCOMPARE(readBytes(db()), before);
        QCOMPARE(readBytes(PropertyDatabaseBackupPath()), olderBackup);
        QCOMPARE(g_lCurrentProperty, 0); // still new: the next save appends it
        QCOMPARE(g_lPropertyCount, 1);
        QCOMPARE(m_baselines, 0); // the work is not marked as saved
        QVERIFY(m_folder->logLines().at(0).contains(QStringLiteral("\"75\"")));
        save(-1);
        QCOMPARE(names(), (QStringList{"Kept", "New"}));
        QCOMPARE(g_lCurrentProperty, 2);
    }

    // A database that is there but cannot be read loads as nothing; saving must not replace it
    // by the one new property, since no backup could be made of it either.
    void unreadableDatabaseIsNotReplaced() {
        QVERIFY(QDir().mkpath(db())); // a path that exists and cannot be read as a file
        LoadPropertyDatabase();
        QCOMPARE(g_lPropertyCount, 0);
        startNew(QStringLiteral("New"));
        bool writeTried = false;
        SaveHooks h = hooks();
        h.databaseDevice = [&](QIODevice& file) {
            writeTried = true;
            return &file;
        };
        save(-1, h);
        QVERIFY(!writeTried);
        QVERIFY(QFileInfo(db()).isDir());
        QCOMPARE(g_lCurrentProperty, 0); // still unsaved
        QCOMPARE(m_baselines, 0);
        QVERIFY(m_folder->logLines().at(0).contains(QStringLiteral("\"75\"")));
    }

    // The disk fills up while the last bytes still sit in the file's buffer: the old database
    // and the old backup stay, byte for byte, and the new property is still unsaved.
    void aFullDiskIsAFailedSave() {
        SmallDisk disk(64 * 1024);
        const QString folder = disk.mounted() ? disk.path() : m_folder->file(QStringLiteral("d"));
        SetProgramFolder(folder);
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/_data")));
        QByteArray before;
        for (int i = 1; i <= 20; ++i)
            before += "[PROPERTY" + QByteArray::number(100000 + i) +
                      "]\r\ntxtPropertyInformation=P" + QByteArray::number(i) +
                      "\r\ntxtAddress=" + QByteArray(100, 'a') + "\r\n";
        const QByteArray olderBackup("[PROPERTY000001]\r\ntxtPropertyInformation=Older\r\n");
        WriteFile(PropertyDatabaseBackupPath(), olderBackup);
        writeDb(before);
        QCOMPARE(g_lPropertyCount, 20);
        startNew(QStringLiteral("New"));
        m_form->setText(kNotes, QString(3000, QLatin1Char('n')));
        if (disk.mounted()) {
            disk.leaveFree(4096);
        } else {
            // Not root: the last flush fails as a full disk's does.
            const QString database = db();
            SetSafeFileFault([database](const QString& path) { return path == database; });
        }

        save(-1);
        SetSafeFileFault({});
        QCOMPARE(readBytes(db()), before);
        QCOMPARE(readBytes(PropertyDatabaseBackupPath()), olderBackup);
        QCOMPARE(QDir(folder + QStringLiteral("/_data")).entryList(QDir::Files).size(), 2);
        QCOMPARE(g_lCurrentProperty, 0);
        QCOMPARE(m_baselines, 0);
        SetProgramFolder(m_folder->path());
    }

    // Bytes that are no database load as nothing and are never written over, nor is the
    // backup; UTF-16 with a byte order mark is read and written back as our usual text.
    void aFileThatIsNotADatabaseIsKept() {
        const QByteArray junk = [] {
            QByteArray b;
            for (int i = 0; i < 4096; ++i)
                b += char((i * 7919 + 13) % 251);
            return b;
        }();
        const QList<QByteArray> foreign{
            QByteArray("\0[PROPERTY000001]\r\ntxtPropertyInformation=A\r\n", 44), junk,
            "Shopping list\r\nmilk=2\r\n"};
        for (const QByteArray& bytes : foreign) {
            QFile::remove(PropertyDatabaseBackupPath());
            writeDb(bytes);
            QVERIFY(g_sPropertyDatabaseReadOnly.contains(QDir::toNativeSeparators(db())));
            startNew(QStringLiteral("New"));
            save(-1);
            save(0);
            QCOMPARE(readBytes(db()), bytes);
            QVERIFY(!QFile::exists(PropertyDatabaseBackupPath()));
        }

        for (const char* codec : {"UTF-16LE", "UTF-16BE"}) {
            QStringEncoder utf16(codec, QStringEncoder::Flag::WriteBom);
            writeDb(utf16.encode(
                QStringLiteral("[PROPERTY000001]\r\ntxtPropertyInformation=Caf\u00e9\r\n"
                               "[PROPERTY000002]\r\ntxtPropertyInformation=B\r\n")));
            QVERIFY(g_sPropertyDatabaseReadOnly.isEmpty());
            QCOMPARE(names(), (QStringList{QStringLiteral("Caf\u00e9"), "B"}));
            save(0);
            QVERIFY(readBytes(db()).startsWith(
                "[PROPERTY000001]\r\ntxtPropertyInformation=Caf\xe9\r\n"));
        }
        writeDb("");
        QVERIFY(g_sPropertyDatabaseReadOnly.isEmpty()); // an empty file is an empty database
    }

    void noSizeLimits() {
        QByteArray file;
        for (int i = 1; i <= 600; ++i)
            file += "[PROPERTY" + QByteArray::number(i) + "]\r\ntxtPropertyInformation=P" +
                    QByteArray::number(i) + "\r\n";
        file += "txtMiscNotes=" + QByteArray(4995, 'n') + "END!!\r\n";
        for (int k = 1; k <= 250; ++k)
            file += "g_sListOfImagesForProperty(" + QByteArray::number(k) + ")=/p/" +
                    QByteArray::number(k) + ".jpg\r\n";
        writeDb(file);
        g_lCurrentProperty = 1;
        save(0);
        QCOMPARE(g_lPropertyCount, 600);
        open(600);
        QCOMPARE(m_form->text(kNotes).size(), 5000);
        QCOMPARE(m_pictures.size(), 251);
        QCOMPARE(m_pictures.last(), QStringLiteral("/p/250.jpg"));
    }

    void windows1252DatabaseStaysWindows1252() {
        writeDb("[Old]\r\ntxtPropertyInformation=Caf\xe9 \x80\r\n");
        QCOMPARE(names(), (QStringList{"Café €"}));
        g_lCurrentProperty = 1;
        save(0);
        QCOMPARE(readBytes(db()),
                 QByteArray("[PROPERTY000001]\r\ntxtPropertyInformation=Caf\xe9 \x80\r\n"));
    }

    // A data folder on a drive that drops out for a moment: the save in between fails, the
    // table keeps every property, and the save after it writes them all with the edit.
    void aFolderThatVanishesBetweenSavesLosesNothing() {
        const QByteArray before("[PROPERTY000001]\r\ntxtPropertyInformation=A\r\n\r\n"
                                "[PROPERTY000002]\r\ntxtPropertyInformation=B\r\n\r\n"
                                "[PROPERTY000003]\r\ntxtPropertyInformation=C\r\n");
        writeDb(before);
        open(2);
        m_form->setText(kAddress, QStringLiteral("edited"));
        const QString data = m_folder->file(QStringLiteral("_data"));
        const QString away = m_folder->file(QStringLiteral("elsewhere"));
        QVERIFY(QDir().rename(data, away));
        qint32 omit = -1;
        QCOMPARE(SavePropertyDatabase(*m_form, omit, m_pictures, hooks()), SaveOutcome::Failed);
        QCOMPARE(names(), (QStringList{"A", "B", "C"}));
        QVERIFY(!LoadPropertyDatabase()); // nothing to read: what was read stays
        QCOMPARE(names(), (QStringList{"A", "B", "C"}));
        QVERIFY(QDir().rename(away, data));

        save(-1);
        QCOMPARE(sectionsOf(db()).size(), 3);
        QCOMPARE(names(), (QStringList{"A", "B", "C"}));
        QCOMPARE(storedValue(2, kAddress), QStringLiteral("edited"));
        QCOMPARE(readBytes(PropertyDatabaseBackupPath()), before);
        QCOMPARE(g_lCurrentProperty, 2);
    }

    // Another program (a sync tool, an editor) changed the file while a property was open:
    // its sections stay as it left them, and only the open property is written.
    void anotherProgramsChangesSurviveASave() {
        writeDb("[PROPERTY000001]\r\ntxtPropertyInformation=A\r\n\r\n"
                "[PROPERTY000002]\r\ntxtPropertyInformation=B\r\n");
        open(2);
        m_form->setText(kAddress, QStringLiteral("mine"));
        const QByteArray theirs("[PROPERTY000001]\r\ntxtPropertyInformation=A\r\n"
                                "txtAddress=theirs\r\n\r\n[PROPERTY000002]\r\n"
                                "txtPropertyInformation=B\r\n\r\n[PROPERTY000003]\r\n"
                                "txtPropertyInformation=Added elsewhere\r\n");
        WriteFile(db(), theirs);
        save(-1);
        QCOMPARE(names(), (QStringList{"A", "B", "Added elsewhere"}));
        QCOMPARE(storedValue(1, kAddress), QStringLiteral("theirs"));
        QCOMPARE(storedValue(2, kAddress), QStringLiteral("mine"));
        QCOMPARE(g_lCurrentProperty, 2);
        QCOMPARE(readBytes(PropertyDatabaseBackupPath()), theirs);
        LoadPropertyDatabase();
        QCOMPARE(names(), (QStringList{"A", "B", "Added elsewhere"}));
        QCOMPARE(storedValue(2, kAddress), QStringLiteral("mine"));
    }

    // Another program writes the file in the moment between this save's reading it and putting
    // the new file in its place: the save starts over from that program's file, and neither
    // its change nor this one is lost.
    void aChangeDuringTheSaveIsReadAgain() {
        writeDb("[PROPERTY000001]\r\ntxtPropertyInformation=A\r\n");
        open(1);
        m_form->setText(kAddress, QStringLiteral("mine"));
        int phase = 0;
        SaveHooks h = hooks();
        h.runWork = [&](const std::function<void()>& work, const std::atomic<qint64>&, qint64) {
            work();
            if (++phase == 2) // the new file is written, not yet in place
                WriteFile(db(), "[PROPERTY000001]\r\ntxtPropertyInformation=A\r\n\r\n"
                                "[PROPERTY000002]\r\ntxtPropertyInformation=Meanwhile\r\n");
        };
        save(-1, h);
        QCOMPARE(names(), (QStringList{"A", "Meanwhile"}));
        QCOMPARE(storedValue(1, kAddress), QStringLiteral("mine"));
        QVERIFY(readBytes(PropertyDatabaseBackupPath()).contains("Meanwhile"));
    }

    // When the other program changed the open property itself, the user decides.
    void aChangeToTheOpenPropertyFromOutsideAsks() {
        writeDb("[PROPERTY000001]\r\ntxtPropertyInformation=A\r\n");
        open(1);
        m_form->setText(kAddress, QStringLiteral("mine"));
        const QByteArray theirs("[PROPERTY000001]\r\ntxtPropertyInformation=A\r\n"
                                "txtAddress=theirs, longer\r\n");
        WriteFile(db(), theirs);
        QStringList asked;
        bool answer = false;
        SaveHooks h = hooks();
        h.confirm = [&](const QString& title, const QString&, const QString&) {
            asked << title;
            return answer;
        };
        qint32 omit = -1;
        QCOMPARE(SavePropertyDatabase(*m_form, omit, m_pictures, h), SaveOutcome::Cancelled);
        QCOMPARE(asked, QStringList{"Property Changed Elsewhere"});
        QCOMPARE(readBytes(db()), theirs);
        QCOMPARE(m_baselines, 0);
        answer = true;
        save(-1, h);
        QCOMPARE(storedValue(1, kAddress), QStringLiteral("mine"));
        QCOMPARE(asked.size(), 2);
    }

    // A file that turned into something else meanwhile is never replaced.
    void aFileThatStoppedBeingADatabaseIsKept() {
        writeDb("[PROPERTY000001]\r\ntxtPropertyInformation=A\r\n");
        open(1);
        m_form->setText(kAddress, QStringLiteral("mine"));
        const QByteArray other("Shopping list\r\nmilk=2\r\n");
        WriteFile(db(), other);
        qint32 omit = -1;
        QCOMPARE(SavePropertyDatabase(*m_form, omit, m_pictures, hooks()), SaveOutcome::ReadOnly);
        QCOMPARE(readBytes(db()), other);
        QVERIFY(!g_sPropertyDatabaseReadOnly.isEmpty());
    }

    // A private database keeps a private backup, whatever the old backup's permissions.
    void theBackupKeepsTheDatabasesPermissions() {
        writeDb("[PROPERTY000001]\r\ntxtPropertyInformation=A\r\n");
        WriteFile(PropertyDatabaseBackupPath(), "old");
        const QFile::Permissions owner = QFile::ReadOwner | QFile::WriteOwner;
        QVERIFY(QFile::setPermissions(db(), owner));
        QVERIFY(QFile::setPermissions(PropertyDatabaseBackupPath(),
                                      owner | QFile::ReadGroup | QFile::ReadOther));
        open(1);
        m_form->setText(kAddress, QStringLiteral("x"));
        save(-1);
        QCOMPARE(QFile::permissions(PropertyDatabaseBackupPath()), QFile::permissions(db()));
        QVERIFY(!(QFile::permissions(PropertyDatabaseBackupPath()) &
                  (QFile::ReadGroup | QFile::ReadOther)));
    }
};

QTEST_GUILESS_MAIN(TestPropertyDatabase)
#include "tst_propertydatabase.moc"
