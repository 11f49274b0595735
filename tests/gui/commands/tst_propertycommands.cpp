#include "analysis/analysis.h"
#include "base/programfolder.h"
#include "base/safefile.h"
#include "gui/commands/propertycommands.h"
#include "gui/dialogs/prompts.h"
#include "gui/dialogs/scriptedprompts.h"
#include "gui/views/homepage.h"
#include "model/memoryform.h"
#include "store/propertydatabase.h"
#include "store/propertytable.h"
#include "testsupport.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QtTest>

namespace {

// The main window as the commands see it, without its views: a form in memory, a real home
// page, scripted answers, and a record of the view routines called.
class FakeHost : public PropertyCommandHost {
public:
    FakeHost() : page(&frame), commands(*this) {
        ConnectAnalysisHandlers(memory);
        frame.resize(740, 600);
        frame.show();
        page.setOpenPropertyHandler(
            [this](qint32 row, const QString&) { commands.OpenPropertyAtRow(row); });
    }
    Form& form() override { return memory; }
    HomePage& homePage() override { return page; }
    Prompts& prompts() override { return scripted; }
    bool isHomePageVisible() const override { return homeVisible; }
    void ShowHomePage() override {
        homeVisible = true;
        calls << QStringLiteral("ShowHomePage");
        page.LoadPropertiesOnMainPage(start, page.filterText());
    }
    void imgProperty_Click() override {
        homeVisible = false;
        calls << QStringLiteral("imgProperty_Click");
    }
    void ClearPictureSelection() override { calls << QStringLiteral("ClearPictureSelection"); }
    void clearPictureStripImages() override { calls << QStringLiteral("clearStrip"); }
    void resetPictureStripScroll() override { calls << QStringLiteral("resetScroll"); }
    void ShowPictureStrip() override { calls << QStringLiteral("ShowPictureStrip"); }
    void showPropertyNavigation() override { calls << QStringLiteral("propertyNavigation"); }
    bool showCornerFromFirstStripSlot() override {
        if (commands.g_sListOfImagesForProperty.size() < 2)
            return false;
        corner = commands.g_sListOfImagesForProperty.at(1);
        return true;
    }
    void showCornerLogo() override { corner = QStringLiteral("logo"); }
    qint32& homePageStart() override { return start; }

    QString field(const char* name) const { return memory.text(QString::fromLatin1(name)); }
    void type(const char* name, const QString& text) {
        memory.setText(QString::fromLatin1(name), text);
    }
    QStringList cards() const {
        QStringList names;
        for (int k = 1; k <= HomePage::kCards; ++k) {
            if (page.card(k)->isVisible())
                names.append(page.line(k, 1)->text());
        }
        return names;
    }
    void select(const QString& name) {
        for (int k = 1; k <= HomePage::kCards; ++k) {
            if (page.card(k)->isVisible() && page.line(k, 1)->text() == name) {
                page.picSelectProperty_Click(k);
                return;
            }
        }
        QFAIL("no such card");
    }

    MemoryForm memory;
    QFrame frame;
    HomePage page;
    ScriptedPrompts scripted;
    PropertyCommands commands;
    bool homeVisible = true;
    QStringList calls;
    QString corner;
    qint32 start = 0;
};

QString Database() {
    return ReadAll(PropertyDatabasePath());
}

// A database of "House 1" .. "House count", written straight to the file.
void WriteHouses(int count) {
    QByteArray bytes;
    for (int i = 1; i <= count; ++i) {
        const QByteArray n = QByteArray::number(i);
        bytes += "[P" + n + "]\r\ntxtPropertyInformation=House " + n + "\r\n";
    }
    QDir().mkpath(QFileInfo(PropertyDatabasePath()).path());
    WriteFile(PropertyDatabasePath(), bytes);
}

} // namespace

class PropertyCommandsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempProgramFolder> m_folder;
    std::unique_ptr<FakeHost> m_host;

    PropertyCommands& cmd() { return m_host->commands; }
    void start() {
        PrepareProgramFolders();
        LoadPropertyDatabase();
        m_host = std::make_unique<FakeHost>();
        qint32 first = 1;
        m_host->page.LoadPropertiesOnMainPage(first, QString());
    }
    // Adds and saves a property through the commands, then closes it.
    void addProperty(const QString& name, const QString& price) {
        cmd().mnuFileAddNewProperty_Click();
        m_host->type("txtPropertyInformation", name);
        m_host->type("txtPurchasePrice", price);
        cmd().mnuFileSave_Click();
        cmd().mnuFileClose_Click();
    }

private slots:
    void init() { m_folder = std::make_unique<TempProgramFolder>(true); }
    void cleanup() {
        m_host.reset();
        m_folder.reset();
        ResetPropertyTable();
    }

    void menuEntriesFollowTheState() {
        start();
        FileMenuState s = cmd().mnuFile_Click();
        QVERIFY(s.addNew && !s.open && !s.remove && !s.close && !s.save && !s.saveAs);
        cmd().mnuFileAddNewProperty_Click();
        s = cmd().mnuFile_Click();
        QVERIFY(!s.addNew && !s.open && !s.remove && s.close && s.save && !s.saveAs);
        m_host->type("txtPropertyInformation", QStringLiteral("Elm"));
        cmd().mnuFileSave_Click();
        QVERIFY(cmd().mnuFile_Click().saveAs);
        cmd().mnuFileClose_Click();
        s = cmd().mnuFile_Click();
        QVERIFY(s.addNew && !s.open && !s.remove && !s.close);
        m_host->select(QStringLiteral("Elm"));
        s = cmd().mnuFile_Click();
        QVERIFY(s.addNew && s.open && s.remove);
        // A selected card that paging hid does not count.
        m_host->page.lblNextPage_DragDrop(); // one card: no next page, but the call pages
        qint32 past = 2;
        m_host->page.LoadPropertiesOnMainPage(past, QString());
        QVERIFY(!cmd().mnuFile_Click().open);
    }

    void aPropertysWholeLife() {
        start();
        QVERIFY(m_host->cards().isEmpty());
        cmd().mnuFileAddNewProperty_Click();
        QVERIFY(!m_host->homeVisible);
        QCOMPARE(g_lCurrentProperty, 0);
        QCOMPARE(m_host->corner, QStringLiteral("logo"));
        QVERIFY(m_host->calls.contains(QStringLiteral("propertyNavigation")));
        // The design figures of a fresh window are gone.
        QCOMPARE(m_host->field("txtMortgagePrincipal1"), QString());

        m_host->type("txtPropertyInformation", QStringLiteral("Elm Court"));
        m_host->type("txtUnits", QStringLiteral("4"));
        m_host->type("txtPurchasePrice", QStringLiteral("$190,000"));
        m_host->type("txtGrossMonthlyIncome", QStringLiteral("$2,400"));
        m_host->type("txtInsurance", QStringLiteral("$1,200"));
        m_host->type("txtMortgagePrincipal1", QStringLiteral("$150,000"));
        m_host->type("txtAnnualInterestRate1", QStringLiteral("6"));
        m_host->type("txtAmortizationTerm1", QStringLiteral("360"));
        const QString payment = m_host->field("txtMortgageMonthlyPayment1");
        QVERIFY(!payment.isEmpty());

        cmd().mnuFileSave_Click();
        QVERIFY(m_host->scripted.messages().isEmpty()); // saving asks nothing
        QCOMPARE(g_lCurrentProperty, 1);
        QVERIFY(Database().contains(QStringLiteral("[PROPERTY000001]")));
        QVERIFY(Database().contains(QStringLiteral("txtPropertyInformation=Elm Court")));
        QVERIFY(!QFile::exists(PropertyDatabaseBackupPath()));
        m_host->type("txtAddress", QStringLiteral("12 Elm Court"));
        cmd().mnuFileSave_Click();
        QVERIFY(QFile::exists(PropertyDatabaseBackupPath()));
        QVERIFY(!ReadAll(PropertyDatabaseBackupPath()).contains(QStringLiteral("12 Elm Court")));

        // Nothing changed since the save: closing asks nothing.
        cmd().mnuFileClose_Click();
        QVERIFY(m_host->scripted.messages().isEmpty());
        QVERIFY(m_host->homeVisible);
        QCOMPARE(m_host->cards(), QStringList{QStringLiteral("Elm Court")});
        QCOMPARE(m_host->page.line(1, 2)->text(), QStringLiteral("Purchase Price = $190,000"));
        QVERIFY(m_host->page.line(1, 4)->text().startsWith(
            QStringLiteral("Scheduled Annual Income = $28,800")));

        // Open it again from its card: every field comes back.
        m_host->select(QStringLiteral("Elm Court"));
        m_host->memory.setText(QStringLiteral("txtAddress"), QStringLiteral("stale"));
        cmd().mnuFileOpen_Click();
        QVERIFY(!m_host->homeVisible);
        QCOMPARE(g_lCurrentProperty, 1);
        QCOMPARE(m_host->field("txtAddress"), QStringLiteral("12 Elm Court"));
        QCOMPARE(m_host->field("txtUnits"), QStringLiteral("4"));
        QCOMPARE(m_host->field("txtInsurance"), QStringLiteral("$1,200"));
        QCOMPARE(m_host->field("txtMortgageMonthlyPayment1"), payment);
        cmd().TakeCurrentSnapshot();
        QVERIFY(!cmd().HasUnsavedChanges());

        // Save a copy: two cards.
        m_host->scripted.setNextName(QStringLiteral("Elm Court II"));
        cmd().mnuFileSaveAs_Click();
        QCOMPARE(m_host->scripted.nameRequests().size(), 1);
        QCOMPARE(m_host->scripted.nameRequests().at(0).label,
                 QStringLiteral("What is the New Property Name?"));
        QCOMPARE(m_host->scripted.nameRequests().at(0).initialText,
                 QStringLiteral("Copy of Elm Court"));
        QCOMPARE(g_lCurrentProperty, 2);
        cmd().mnuFileClose_Click();
        QCOMPARE(m_host->cards(), (QStringList{"Elm Court", "Elm Court II"}));
        // The original is opened from its card, not whatever was open last.
        QTest::mouseDClick(m_host->page.line(1, 1), Qt::LeftButton);
        QCOMPARE(g_lCurrentProperty, 1);
        QCOMPARE(m_host->field("txtPropertyInformation"), QStringLiteral("Elm Court"));
        cmd().mnuFileClose_Click();

        // Remove the first, answering OK.
        m_host->select(QStringLiteral("Elm Court"));
        m_host->scripted.setNextAnswer(PromptAnswer::Ok);
        cmd().mnuFileRemoveSelectedProperty_Click();
        QCOMPARE(m_host->scripted.messages().size(), 1);
        const PromptMessage question = m_host->scripted.messages().at(0);
        QCOMPARE(question.title, QStringLiteral("Delete Property"));
        QCOMPARE(question.text,
                 QStringLiteral("Are you sure you want to permanently remove:\r\n\r\n"
                                "   \"Elm Court\" ?"));
        QCOMPARE(question.icon, PromptIcon::Warning);
        QCOMPARE(question.buttons, PromptButtons::OkCancel);
        QCOMPARE(question.defaultButton.value(), PromptAnswer::Cancel);
        QCOMPARE(m_host->cards(), QStringList{QStringLiteral("Elm Court II")});
        const QString file = Database();
        QVERIFY(file.contains(QStringLiteral("[PROPERTY000001]")));
        QVERIFY(!file.contains(QStringLiteral("[PROPERTY000002]")));
        QVERIFY(file.contains(QStringLiteral("txtPropertyInformation=Elm Court II")));
    }

    void closingWithUnsavedEdits() {
        start();
        addProperty(QStringLiteral("Oak"), QStringLiteral("$80,000"));
        const QString saved = Database();
        m_host->select(QStringLiteral("Oak"));
        cmd().mnuFileOpen_Click();
        m_host->type("txtPurchasePrice", QStringLiteral("$85,000"));

        m_host->scripted.setNextAnswer(PromptAnswer::Cancel);
        cmd().mnuFileClose_Click();
        const PromptMessage m = m_host->scripted.messages().at(0);
        QCOMPARE(m.title, QStringLiteral("Unsaved Changes"));
        QCOMPARE(m.text, QStringLiteral("You have made changes that have not been saved.\r\n\r\n"
                                        "Do you want to save the changes before closing?"));
        QCOMPARE(m.icon, PromptIcon::Warning);
        QCOMPARE(m.buttons, PromptButtons::YesNoCancel);
        QVERIFY(!m_host->homeVisible);
        QCOMPARE(m_host->field("txtPurchasePrice"), QStringLiteral("$85,000"));

        m_host->scripted.setNextAnswer(PromptAnswer::No);
        cmd().mnuFileClose_Click();
        QVERIFY(m_host->homeVisible);
        QCOMPARE(Database(), saved);
        QCOMPARE(m_host->page.line(1, 2)->text(), QStringLiteral("Purchase Price = $80,000"));

        cmd().mnuFileOpen_Click(); // the card is still selected
        QCOMPARE(m_host->field("txtPurchasePrice"), QStringLiteral("$80,000"));
        m_host->type("txtPurchasePrice", QStringLiteral("$86,000"));
        m_host->scripted.setNextAnswer(PromptAnswer::Yes);
        cmd().mnuFileClose_Click();
        QVERIFY(m_host->homeVisible);
        QVERIFY(Database().contains(QStringLiteral("txtPurchasePrice=$86,000")));
        QCOMPARE(m_host->page.line(1, 2)->text(), QStringLiteral("Purchase Price = $86,000"));
        QCOMPARE(m_host->scripted.messages().size(), 3);
    }

    void whatCountsAsUnsavedWork() {
        start();
        addProperty(QStringLiteral("Oak"), QStringLiteral("$80,000"));
        m_host->select(QStringLiteral("Oak"));
        cmd().mnuFileOpen_Click();
        // Only the letter case of the name: no question.
        m_host->type("txtPropertyInformation", QStringLiteral("OAK "));
        cmd().mnuFileClose_Click();
        QVERIFY(m_host->scripted.messages().isEmpty());
        QVERIFY(m_host->homeVisible);
        // A picture added (or removed) always asks.
        cmd().mnuFileOpen_Click();
        cmd().m_changes.m_bDirty = true;
        m_host->scripted.setNextAnswer(PromptAnswer::Cancel);
        cmd().mnuFileClose_Click();
        QCOMPARE(m_host->scripted.messages().size(), 1);
        QVERIFY(!m_host->homeVisible);
    }

    void closingTheProgram() {
        start();
        bool cancel = false;
        cmd().Form_Unload(cancel); // from the home page: no question
        QVERIFY(!cancel);
        QVERIFY(m_host->scripted.messages().isEmpty());

        cmd().mnuFileAddNewProperty_Click();
        cmd().Form_Unload(cancel); // nothing typed
        QVERIFY(!cancel);
        QVERIFY(m_host->scripted.messages().isEmpty());

        cmd().mnuFileAddNewProperty_Click();
        m_host->type("txtPropertyInformation", QStringLiteral("Birch"));
        m_host->scripted.setNextAnswer(PromptAnswer::Cancel);
        cmd().Form_Unload(cancel);
        QVERIFY(cancel);
        QVERIFY(!m_host->homeVisible);
        cancel = false;
        m_host->scripted.setNextAnswer(PromptAnswer::No);
        cmd().Form_Unload(cancel);
        QVERIFY(!cancel);
        QVERIFY(!QFile::exists(PropertyDatabasePath()));
        QCOMPARE(g_lCurrentProperty, 0);

        cmd().mnuFileAddNewProperty_Click();
        m_host->type("txtPropertyInformation", QStringLiteral("Birch"));
        m_host->scripted.setNextAnswer(PromptAnswer::Yes);
        cmd().Form_Unload(cancel);
        QVERIFY(!cancel);
        QVERIFY(Database().contains(QStringLiteral("txtPropertyInformation=Birch")));
    }

    // A save that cannot write the database must not pass for one: the edits stay open and
    // the user is told, rather than the window closing on them.
    void aFailedSaveKeepsTheEditsOpen() {
        start();
        QVERIFY(QDir().mkpath(PropertyDatabasePath())); // a folder where the file must go
        cmd().mnuFileAddNewProperty_Click();
        m_host->type("txtPropertyInformation", QStringLiteral("Cedar"));

        cmd().mnuFileSave_Click();
        QCOMPARE(m_host->scripted.titles(), QStringList{QStringLiteral("Save Failed")});
        QCOMPARE(m_host->scripted.messages().at(0).icon, PromptIcon::Critical);
        QCOMPARE(m_host->scripted.messages().at(0).buttons, PromptButtons::Ok);

        m_host->scripted.clear();
        m_host->scripted.setNextAnswer(PromptAnswer::Yes);
        bool cancel = false;
        cmd().Form_Unload(cancel);
        QVERIFY(cancel);
        QVERIFY(!m_host->homeVisible);
        QCOMPARE(m_host->field("txtPropertyInformation"), QStringLiteral("Cedar"));
        QCOMPARE(m_host->scripted.titles(),
                 (QStringList{QStringLiteral("Unsaved Changes"), QStringLiteral("Save Failed")}));

        m_host->scripted.clear();
        m_host->scripted.setNextAnswer(PromptAnswer::Yes);
        cmd().mnuFileClose_Click();
        QVERIFY(!m_host->homeVisible);

        // Once the database can be written again, Yes saves and closes as usual.
        QVERIFY(QDir().rmdir(PropertyDatabasePath()));
        m_host->scripted.clear();
        m_host->scripted.setNextAnswer(PromptAnswer::Yes);
        cmd().mnuFileClose_Click();
        QVERIFY(m_host->homeVisible);
        QCOMPARE(m_host->scripted.titles(), QStringList{QStringLiteral("Unsaved Changes")});
        QVERIFY(Database().contains(QStringLiteral("txtPropertyInformation=Cedar")));
    }

    // A full disk is a failed save, not a quiet one: the box comes and no cut file is left.
    void aFullDiskShowsSaveFailed() {
        SmallDisk disk(64 * 1024);
        if (disk.mounted())
            SetProgramFolder(disk.path());
        start();
        cmd().mnuFileAddNewProperty_Click();
        m_host->type("txtPropertyInformation", QStringLiteral("Cedar"));
        m_host->type("txtMiscNotes", QString(6000, QLatin1Char('n')));
        if (disk.mounted()) {
            disk.leaveFree(4096);
        } else {
            // Not root: the last flush fails as a full disk's does.
            const QString database = PropertyDatabasePath();
            SetSafeFileFault([database](const QString& path) { return path == database; });
        }
        cmd().mnuFileSave_Click();
        SetSafeFileFault({});
        QCOMPARE(m_host->scripted.titles(), QStringList{QStringLiteral("Save Failed")});
        QVERIFY(!QFile::exists(PropertyDatabasePath()));
        SetProgramFolder(m_folder->path());
    }

    // Bytes that are no database: named at every command that would write, never replaced.
    void aFileThatIsNotADatabaseRefusesEveryWrite() {
        PrepareProgramFolders();
        const QByteArray junk("\0\x01\x02\x03 not a database\r\n[PROPERTY000001]\r\nk=v\r\n", 40);
        WriteFile(PropertyDatabasePath(), junk);
        start();
        cmd().mnuFileAddNewProperty_Click();
        m_host->type("txtPropertyInformation", QStringLiteral("Cedar"));
        cmd().mnuFileSave_Click();
        g_lCurrentProperty = 1; // as if a copy could be asked for
        cmd().mnuFileSaveAs_Click();
        cmd().mnuFileRemoveSelectedProperty_Click();
        QCOMPARE(m_host->scripted.titles(), QStringList(3, QStringLiteral("Database Read-Only")));
        QVERIFY(m_host->scripted.messages().at(0).text.contains(
            QDir::toNativeSeparators(PropertyDatabasePath())));
        QVERIFY(m_host->scripted.nameRequests().isEmpty());
        QCOMPARE(ReadBytes(PropertyDatabasePath()), junk);
        QVERIFY(!QFile::exists(PropertyDatabaseBackupPath()));
    }

    void saveACopy() {
        start();
        addProperty(QStringLiteral("Pine"), QStringLiteral("$120,000"));
        m_host->select(QStringLiteral("Pine"));
        cmd().mnuFileOpen_Click();
        m_host->type("txtAddress", QStringLiteral("edited"));

        // Cancelled: a notice, nothing written.
        const QString before = Database();
        m_host->scripted.setNextNameCancelled();
        cmd().mnuFileSaveAs_Click();
        QCOMPARE(m_host->scripted.messages().size(), 1);
        QCOMPARE(m_host->scripted.messages().at(0).title, QStringLiteral("Command Aborted"));
        QCOMPARE(m_host->scripted.messages().at(0).text,
                 QStringLiteral("Copy of Property Aborted.  The property has not been copied"));
        QCOMPARE(m_host->scripted.messages().at(0).buttons, PromptButtons::Ok);
        QCOMPARE(Database(), before);
        QCOMPARE(g_lCurrentProperty, 1);

        // The edits go only into the copy, which becomes the open property.
        m_host->scripted.setNextName(QStringLiteral("Pine Copy"));
        cmd().mnuFileSaveAs_Click();
        QCOMPARE(g_lCurrentProperty, 2);
        QCOMPARE(m_host->field("txtPropertyInformation"), QStringLiteral("Pine Copy"));
        QCOMPARE(g_propertyTable.propertyCount(), 2);
        const auto valueOf = [](int row, const QString& key) {
            for (int j = 1; j <= g_propertyTable.slotCount(); ++j) {
                if (g_propertyTable.key(row, j).compare(key, Qt::CaseInsensitive) == 0)
                    return g_propertyTable.value(row, j);
            }
            return QString();
        };
        QCOMPARE(valueOf(1, QStringLiteral("txtAddress")), QString());
        QCOMPARE(valueOf(2, QStringLiteral("txtAddress")), QStringLiteral("edited"));

        // An emptied name saves a copy without a name key.
        m_host->scripted.setNextName(QString());
        cmd().mnuFileSaveAs_Click();
        QCOMPARE(g_lCurrentProperty, 3);
        QCOMPARE(valueOf(3, QStringLiteral("txtPropertyInformation")), QString());
        QCOMPARE(valueOf(3, QStringLiteral("txtAddress")), QStringLiteral("edited"));
    }

    void removal() {
        start();
        addProperty(QStringLiteral("Ash"), QStringLiteral("$1"));
        addProperty(QStringLiteral("Ash"), QStringLiteral("$2"));
        addProperty(QStringLiteral("Yew"), QStringLiteral("$3"));
        // Cancelled: a notice, the file untouched.
        m_host->select(QStringLiteral("Yew"));
        const QString before = Database();
        m_host->scripted.setNextAnswer(PromptAnswer::Cancel);
        cmd().mnuFileRemoveSelectedProperty_Click();
        QCOMPARE(m_host->scripted.messages().size(), 2);
        QCOMPARE(m_host->scripted.messages().at(1).text,
                 QStringLiteral("Removal of Property Aborted.  The property has not been deleted"));
        QCOMPARE(Database(), before);

        // Of two with one name, the selected card's goes; the page starts again unfiltered.
        m_host->page.filterBox()->setCurrentText(QStringLiteral("Purchase Price < $50,000"));
        m_host->select(QStringLiteral("Ash"));
        m_host->scripted.setNextAnswer(PromptAnswer::Ok);
        cmd().mnuFileRemoveSelectedProperty_Click();
        QCOMPARE(m_host->cards(), (QStringList{"Ash", "Yew"}));
        QCOMPARE(m_host->page.filterText(), QStringLiteral("Show All Properties"));
        QCOMPARE(m_host->page.selectedCard(false), 0);
        QVERIFY(!cmd().mnuFile_Click().remove);
        QCOMPARE(m_host->page.line(1, 2)->text(), QStringLiteral("Purchase Price = $2"));
        QVERIFY(Database().contains(QStringLiteral("[PROPERTY000002]")));
        QVERIFY(!Database().contains(QStringLiteral("[PROPERTY000003]")));

        // Removing the last property leaves no file, only the backup.
        for (const char* name : {"Ash", "Yew"}) {
            m_host->select(QString::fromLatin1(name));
            m_host->scripted.setNextAnswer(PromptAnswer::Ok);
            cmd().mnuFileRemoveSelectedProperty_Click();
        }
        QVERIFY(m_host->cards().isEmpty());
        QVERIFY(!QFile::exists(PropertyDatabasePath()));
        QVERIFY(QFile::exists(PropertyDatabaseBackupPath()));
    }

    // Two properties of one name and one without a name: each card opens, saves and removes
    // its own property, not the last one of its name or whatever was open before.
    void eachCardActsOnItsOwnProperty() {
        start();
        addProperty(QStringLiteral("Twin"), QStringLiteral("$1"));
        addProperty(QStringLiteral("Twin"), QStringLiteral("$2"));
        addProperty(QString(), QStringLiteral("$3"));
        addProperty(QStringLiteral("Elm"), QStringLiteral("$4"));
        QTest::mouseDClick(m_host->page.line(1, 1), Qt::LeftButton);
        QCOMPARE(g_lCurrentProperty, 1);
        QCOMPARE(m_host->field("txtPurchasePrice"), QStringLiteral("$1"));
        m_host->type("txtAddress", QStringLiteral("first twin"));
        cmd().mnuFileSave_Click();
        cmd().mnuFileClose_Click();
        QTest::mouseDClick(m_host->page.line(2, 1), Qt::LeftButton);
        QCOMPARE(m_host->field("txtPurchasePrice"), QStringLiteral("$2"));
        QCOMPARE(m_host->field("txtAddress"), QString());
        cmd().mnuFileClose_Click();

        m_host->page.picSelectProperty_Click(3);
        cmd().mnuFileOpen_Click();
        QCOMPARE(g_lCurrentProperty, 3);
        QCOMPARE(m_host->field("txtPurchasePrice"), QStringLiteral("$3"));
        cmd().mnuFileClose_Click();

        m_host->page.picSelectProperty_Click(1);
        m_host->scripted.setNextAnswer(PromptAnswer::Ok);
        cmd().mnuFileRemoveSelectedProperty_Click();
        QCOMPARE(m_host->scripted.messages().at(0).text, cmd().RemoveQuestionText("Twin"));
        QCOMPARE(m_host->cards(), (QStringList{"Twin", "", "Elm"}));
        QCOMPARE(m_host->page.line(1, 2)->text(), QStringLiteral("Purchase Price = $2"));
        QVERIFY(!Database().contains(QStringLiteral("first twin")));
    }

    // Past 32,767 properties the row numbers still name the right property.
    void rowsBeyondSixteenBits() {
        WriteHouses(65537);
        start();
        const auto removeCard = [this](int k) {
            m_host->page.picSelectProperty_Click(k);
            m_host->scripted.setNextAnswer(PromptAnswer::Ok);
            cmd().mnuFileRemoveSelectedProperty_Click();
        };
        qint32 from = 32762;
        m_host->page.LoadPropertiesOnMainPage(from, QString());
        m_host->page.lblNextPage_DragDrop();
        QCOMPARE(m_host->page.line(1, 1)->text(), QStringLiteral("House 32768"));

        from = 65537;
        m_host->page.LoadPropertiesOnMainPage(from, QString());
        removeCard(1);
        from = 39997;
        m_host->page.LoadPropertiesOnMainPage(from, QString());
        QCOMPARE(m_host->page.line(4, 1)->text(), QStringLiteral("House 40000"));
        QTest::mouseDClick(m_host->page.line(4, 1), Qt::LeftButton);
        QCOMPARE(g_lCurrentProperty, 40000);
        QCOMPARE(m_host->field("txtPropertyInformation"), QStringLiteral("House 40000"));
        cmd().mnuFileClose_Click();
        QCOMPARE(m_host->start, 39997);
        QCOMPARE(m_host->page.cardTag(1), 39997);
        removeCard(4);

        const QString file = Database();
        QCOMPARE(file.count(QStringLiteral("[PROPERTY")), 65535);
        QVERIFY(!file.contains(QStringLiteral("=House 40000\r")));
        QVERIFY(!file.contains(QStringLiteral("=House 65537\r")));
        for (const char* kept :
             {"=House 1\r", "=House 3\r", "=House 39999\r", "=House 40001\r", "=House 65536\r"})
            QVERIFY2(file.contains(QLatin1String(kept)), kept);
    }

    void openingByName() {
        start();
        addProperty(QStringLiteral("Ash"), QStringLiteral("$1"));
        addProperty(QStringLiteral("ash "), QStringLiteral("$2"));
        addProperty(QStringLiteral("Yew"), QStringLiteral("$3"));
        QCOMPARE(g_lCurrentProperty, 3);
        QString name = QStringLiteral("  Ash ");
        cmd().OpenPropertyByName(name);
        QCOMPARE(name, QStringLiteral("ASH"));
        QCOMPARE(g_lCurrentProperty, 2); // the later of the two
        QCOMPARE(m_host->field("txtPurchasePrice"), QStringLiteral("$2"));
        // No match: the property open before comes back.
        name = QStringLiteral("Nothing");
        cmd().OpenPropertyByName(name);
        QCOMPARE(g_lCurrentProperty, 2);
        QCOMPARE(m_host->field("txtPurchasePrice"), QStringLiteral("$2"));
        QCOMPARE(m_host->calls.mid(m_host->calls.lastIndexOf(QStringLiteral("clearStrip")) - 1),
                 (QStringList{"ClearPictureSelection", "clearStrip", "resetScroll",
                              "ShowPictureStrip", "imgProperty_Click", "propertyNavigation"}));
    }

    void theHomePageComesBackToThePageLeft() {
        start();
        for (int i = 1; i <= 13; ++i)
            addProperty(QStringLiteral("House %1").arg(i), QStringLiteral("$%1").arg(i));
        m_host->page.lblNextPage_DragDrop();
        m_host->page.lblNextPage_DragDrop();
        QCOMPARE(m_host->cards(), QStringList{QStringLiteral("House 13")});
        // Double click on the card opens it.
        QTest::mouseDClick(m_host->page.picture(1), Qt::LeftButton);
        QCOMPARE(g_lCurrentProperty, 13);
        QCOMPARE(m_host->start, 13);
        cmd().mnuFileClose_Click();
        QCOMPARE(m_host->cards(), QStringList{QStringLiteral("House 13")});
        QVERIFY(m_host->page.previousLink()->isVisible());
    }
};

QTEST_MAIN(PropertyCommandsTest)
#include "tst_propertycommands.moc"
