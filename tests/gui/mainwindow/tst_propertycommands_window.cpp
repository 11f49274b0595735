// The property commands driven through the real main window, as a user would: File menu
// entries (the menu's enabling runs first, as when it opens), typing into the fields, clicks
// and double clicks on the home-page cards, the filter box and the paging links.
#include "base/programfolder.h"
#include "gui/dialogs/prompts.h"
#include "gui/dialogs/scriptedprompts.h"
#include "gui/mainwindow/keyboard.h"
#include "gui/mainwindow/mainwindow.h"
#include "gui/views/financialview.h"
#include "gui/views/homepage.h"
#include "gui/widgets/linklabel.h"
#include "gui/widgets/numbermark.h"
#include "model/fieldtable.h"
#include "store/propertydatabase.h"
#include "store/propertytable.h"
#include "testsupport.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {

QString Database() {
    return ReadAll(PropertyDatabasePath());
}

// A database written as the program would have written it.
void WriteDatabase(const QStringList& names, const QStringList& prices) {
    QByteArray file;
    for (int i = 0; i < names.size(); ++i) {
        file += QStringLiteral("[PROPERTY%1]\r\n").arg(i + 1, 6, 10, QLatin1Char('0')).toLatin1();
        file += "txtPropertyInformation=" + names[i].toLatin1() + "\r\n";
        file += "txtPurchasePrice=" + prices[i].toLatin1() + "\r\n";
        file += "txtUnits=" + QByteArray::number(i % 3) + "\r\n";
    }
    WriteFile(PropertyDatabasePath(), file);
}

// count properties named prefix 1, prefix 2, ..., all at one price.
void WriteNumberedDatabase(const QString& prefix, int count, const QString& price) {
    QStringList names, prices;
    for (int i = 1; i <= count; ++i) {
        names.append(prefix + QString::number(i));
        prices.append(price);
    }
    WriteDatabase(names, prices);
}

// Start-up as the program does it: database, window, first page.
class Session {
public:
    explicit Session(bool scripted = true) {
        LoadPropertyDatabase();
        window = std::make_unique<MainWindow>();
        if (scripted)
            window->setPrompts(&prompts);
        qint32 start = 1;
        window->homePage().LoadPropertiesOnMainPage(start, QString());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    MainWindow& w() { return *window; }
    HomePage& page() { return window->homePage(); }
    QAction* entry(const char* name) {
        return window->findChild<QAction*>(QString::fromLatin1(name));
    }
    bool enabled(const char* name) {
        emit window->fileMenu()->aboutToShow();
        return entry(name)->isEnabled();
    }
    // Opens the File menu and chooses the entry, which must be enabled.
    void choose(const char* name) {
        QVERIFY2(enabled(name), name);
        entry(name)->trigger();
    }
    QLineEdit* field(const char* name) {
        return window->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    void type(const char* name, const QString& text) {
        QLineEdit* edit = field(name);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    bool shown(const char* name) {
        auto* w = window->findChild<QWidget*>(QString::fromLatin1(name));
        return w && w->isVisible();
    }
    QStringList cards() {
        QStringList names;
        for (int k = 1; k <= HomePage::kCards; ++k) {
            if (page().card(k)->isVisible())
                names.append(page().line(k, 1)->text());
        }
        return names;
    }
    void click(int card) { QTest::mouseClick(page().picture(card), Qt::LeftButton); }
    // Every text field, for comparing a property before closing and after opening again.
    QStringList fieldTexts() {
        QStringList texts;
        for (const FieldSpec& f : StoredFields()) {
            if (f.cells == 0)
                texts.append(f.name + QLatin1Char('=') + window->text(f.name));
        }
        return texts;
    }

    ScriptedPrompts prompts;
    std::unique_ptr<MainWindow> window;
};

} // namespace

class PropertyCommandsWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempProgramFolder> m_folder;

private slots:
    void init() {
        m_folder = std::make_unique<TempProgramFolder>(true);
        PrepareProgramFolders();
    }
    void cleanup() {
        m_folder.reset();
        ResetPropertyTable();
    }

    void theFileMenu() {
        Session s;
        QStringList captions;
        for (QAction* a : s.w().fileMenu()->actions())
            captions.append(a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(captions, (QStringList{"&Open", "&Close", "-", "&Add New Property",
                                        "&Remove Selected Property", "-", "&Save",
                                        "Save a Copy of This Property &As...",
                                        "&Duplicate This Property...", "-", "E&xit"}));
        QCOMPARE(s.page().filterBox()->count(), 17);
        QCOMPARE(s.page().filterBox()->currentText(), QStringLiteral("Show All Properties"));
        QVERIFY(s.page().filterBox()->isVisible());
    }

    // A property from the keyboard alone; each shortcut does nothing where its command may not.
    void theKeyboardDrivesAProperty() {
        Session s;
        for (const Shortcut& key : ShortcutMap()) {
            QAction* action = s.entry(key.name);
            QVERIFY2(action && action->shortcut() == key.keys, key.name);
        }
        s.w().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
        const auto press = [&](QKeyCombination keys) {
            QTest::keySequence(s.window.get(), QKeySequence(keys));
        };
        QVERIFY(s.page().welcomeLink()->isVisible());
        press(Qt::CTRL | Qt::Key_2); // no property open: no view to go to
        QVERIFY(s.shown("frameHome"));
        press(Qt::CTRL | Qt::Key_N);
        QVERIFY(s.shown("frameProperty"));
        press(Qt::CTRL | Qt::Key_2);
        QVERIFY(s.shown("frameFinancial"));
        press(Qt::CTRL | Qt::Key_Home); // leaving a property is Close's business
        QVERIFY(s.shown("frameFinancial"));

        QLineEdit* insurance = s.field("txtInsurance");
        s.type("txtInsurance", QStringLiteral("abc"));
        QVERIFY(NumberMark::IsMarked(insurance));
        QCOMPARE(insurance->toolTip(), NumberMark::Tooltip());
        s.type("txtInsurance", QStringLiteral("12"));
        QVERIFY(!NumberMark::IsMarked(insurance));
        // Its own words are back once the mark goes.
        QCOMPARE(insurance->toolTip(), FindField(QStringLiteral("txtInsurance"))->tooltip);
        s.type("txtPropertyInformation", QStringLiteral("abc"));
        QVERIFY(!NumberMark::IsMarked(s.field("txtPropertyInformation")));

        press(Qt::CTRL | Qt::Key_S);
        QVERIFY(Database().contains(QStringLiteral("txtPropertyInformation=abc")));
        press(Qt::CTRL | Qt::Key_W);
        QVERIFY(s.shown("frameHome"));
        QVERIFY(!s.page().welcomeLink()->isVisible());
    }

    // On the home page the File menu greys out Save, Close and Open (nothing selected): their
    // keys must do no more than the entries would. No property is added to the file, none
    // opened, and a field's red frame goes as soon as its text is a number again.
    void keysOnTheHomePageChangeNothing() {
        WriteNumberedDatabase(QStringLiteral("P"), 2, QStringLiteral("1000"));
        const QString before = Database();
        Session s;
        s.w().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
        for (const QKeyCombination keys :
             {Qt::CTRL | Qt::Key_S, Qt::CTRL | Qt::Key_W, Qt::CTRL | Qt::Key_O,
              Qt::CTRL | Qt::Key_1, Qt::CTRL | Qt::Key_5}) {
            QTest::keySequence(s.window.get(), QKeySequence(keys));
            QVERIFY(s.shown("frameHome"));
        }
        QCOMPARE(Database(), before);

        // The frame itself, as drawn: red while the text is no number, gone once it is one.
        const auto redFrame = [](QWidget* field) {
            const QImage image = field->grab().toImage();
            const QColor edge = image.pixelColor(1, image.height() / 2);
            return edge.red() > 180 && edge.green() < 60 && edge.blue() < 60;
        };
        QTest::keySequence(s.window.get(), QKeySequence(Qt::CTRL | Qt::Key_N));
        QTest::keySequence(s.window.get(), QKeySequence(Qt::CTRL | Qt::Key_2));
        QLineEdit* insurance = s.field("txtInsurance");
        QVERIFY(!redFrame(insurance));
        s.type("txtInsurance", QStringLiteral("12x"));
        QVERIFY(redFrame(insurance));
        s.type("txtInsurance", QStringLiteral("12"));
        QVERIFY(!redFrame(insurance));
        s.w().commands().m_changes.m_bDirty = false;
    }

    // Ctrl+1 ... Ctrl+5 and the focused navigation links (Enter or Space) reach each view, and
    // only while a property is open; the links tell a screen reader what they are.
    void theViewsAreReachedFromTheKeyboard() {
        WriteNumberedDatabase(QStringLiteral("P"), 2, QStringLiteral("1000"));
        Session s;
        s.w().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
        const char* const frames[] = {"frameProperty", "frameFinancial", "frameQuickView",
                                      "frame5YearView", "frameReturnsView"};
        const auto only = [&](const char* frame) {
            for (const char* f : frames)
                if (s.shown(f) != (qstrcmp(f, frame) == 0))
                    return false;
            return s.shown("frameHome") == (frame == nullptr);
        };
        const Qt::Key digits[] = {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4, Qt::Key_5};
        for (Qt::Key digit : digits) {
            QTest::keySequence(s.window.get(), QKeySequence(Qt::CTRL | digit));
            QVERIFY(only(nullptr));
        }
        QTest::keySequence(s.window.get(), QKeySequence(Qt::ALT | Qt::Key_Home));
        QVERIFY(only(nullptr));

        QTest::keyClick(s.w().homeFrame(), Qt::Key_Right);
        QTest::keyClick(s.w().homeFrame(), Qt::Key_Return);
        QVERIFY(only("frameProperty"));
        for (int v : {4, 1, 3, 0, 2, 4}) {
            QTest::keySequence(s.window.get(), QKeySequence(Qt::CTRL | digits[v]));
            QVERIFY2(only(frames[v]), frames[v]);
        }
        // Leaving a property is Close's business, whichever Home key.
        QTest::keySequence(s.window.get(), QKeySequence(Qt::ALT | Qt::Key_Home));
        QVERIFY(only("frameReturnsView"));

        const struct {
            const char* link;
            int view;
            Qt::Key key;
        } links[] = {{"lblFinancial", 1, Qt::Key_Return}, {"imgProperty", 0, Qt::Key_Space},
                     {"lblQuickView", 2, Qt::Key_Enter},  {"imgFinancial", 1, Qt::Key_Return},
                     {"lblCashFlow", 3, Qt::Key_Space},   {"imgQuickView", 2, Qt::Key_Return},
                     {"lblReturns", 4, Qt::Key_Return},   {"lblProperty", 0, Qt::Key_Space}};
        for (const auto& l : links) {
            QWidget* link = s.w().control(QString::fromLatin1(l.link));
            QVERIFY2(link && link->focusPolicy() == Qt::StrongFocus, l.link);
            QVERIFY2(!link->accessibleName().isEmpty(), l.link);
            link->setFocus();
            QTest::keyClick(link, l.key);
            QVERIFY2(only(frames[l.view]), l.link);
        }
    }

    void theArrowKeysMoveOverTheCardsAndPage() {
        WriteNumberedDatabase(QStringLiteral("P"), 8, QStringLiteral("1000"));
        Session s;
        QWidget* home = s.w().homeFrame();
        for (Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Down})
            QTest::keyClick(home, key);
        QCOMPARE(s.page().selectedCard(true), 6); // none, 1, 2, 3, then down a row
        // Reached with Tab, the page shows where the keyboard is: the first card, when none
        // was chosen; a chosen card stays chosen.
        QFocusEvent tabbedIn(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(home, &tabbedIn);
        QCOMPARE(s.page().selectedCard(true), 6);
        s.page().picSelectProperty_CtrlClick(6);
        QCOMPARE(s.page().selectedCard(true), 0);
        QApplication::sendEvent(home, &tabbedIn);
        QCOMPARE(s.page().selectedCard(true), 1);
        QTest::keyClick(home, Qt::Key_Right);
        QTest::keyClick(home, Qt::Key_Right);
        QTest::keyClick(home, Qt::Key_Down);
        QTest::keyClick(home, Qt::Key_Right);
        QCOMPARE(s.cards(), (QStringList{"P7", "P8"}));
        QCOMPARE(s.page().selectedCard(true), 1);
        QTest::keyClick(home, Qt::Key_Down); // below P7 is no card: the last one is taken
        QCOMPARE(s.page().selectedCard(true), 2);
        QTest::keyClick(home, Qt::Key_Right); // no page after the last property
        QCOMPARE(s.cards(), (QStringList{"P7", "P8"}));
        QTest::keyClick(home, Qt::Key_Up);
        QCOMPARE(s.cards().size(), 6);
        QCOMPARE(s.page().selectedCard(true), 5);
        QTest::keyClick(home, Qt::Key_Return);
        QVERIFY(s.shown("frameProperty"));
        QCOMPARE(s.w().text(QStringLiteral("txtPropertyInformation")), QStringLiteral("P5"));
    }

    // A full last page: exactly six properties, no page after it to go to.
    void theArrowKeysStayOnAFullLastPage() {
        WriteNumberedDatabase(QStringLiteral("P"), 6, QStringLiteral("1000"));
        Session s;
        QWidget* home = s.w().homeFrame();
        s.click(6);
        for (Qt::Key key : {Qt::Key_Right, Qt::Key_Down}) {
            QTest::keyClick(home, key);
            QCOMPARE(s.cards().size(), 6);
            QCOMPARE(s.page().selectedCard(true), 6);
        }
        s.click(4);
        QTest::keyClick(home, Qt::Key_Down);
        QCOMPARE(s.cards().size(), 6);
        QCOMPARE(s.page().selectedCard(true), 4);
    }

    // A returns input is part of the property like any other field: typed into and left, it
    // is asked about.
    void aReturnsInputTypedIsAnUnsavedChange() {
        WriteDatabase({"Cedar"}, {"$90,000"});
        Session s;
        QTest::mouseDClick(s.page().picture(1), Qt::LeftButton);
        QTest::keySequence(s.window.get(), QKeySequence(Qt::CTRL | Qt::Key_5));
        s.type("txtHoldingPeriod", QStringLiteral("12"));
        s.prompts.setNextAnswer(PromptAnswer::Cancel);
        s.choose("mnuFileClose");
        QCOMPARE(s.prompts.messages().size(), 1);
        QCOMPARE(s.prompts.messages().last().title, QStringLiteral("Unsaved Changes"));
        QVERIFY(s.shown("frameReturnsView"));
        s.prompts.setNextAnswer(PromptAnswer::Yes);
        s.choose("mnuFileClose");
        QVERIFY(Database().contains(QStringLiteral("txtHoldingPeriod=12")));
    }

    // Each menu shows the keys of its entries; the letters we chose are their menu's own, and
    // the returns view's table buttons have theirs (the other letters are the entries' given
    // names).
    void theMenusShowTheirKeysAndLetters() {
        Session s;
        for (const Shortcut& key : ShortcutMap()) {
            if (!QByteArray(key.name).startsWith("mnu"))
                continue;
            QAction* entry = s.entry(key.name);
            QVERIFY2(entry && !entry->associatedObjects().isEmpty(), key.name);
            QVERIFY2(qobject_cast<QMenu*>(entry->associatedObjects().first()), key.name);
        }
        QCOMPARE(s.entry("mnuFileSave")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
        QCOMPARE(s.entry("mnuHelpTopics")->shortcut(), QKeySequence(Qt::Key_F1));
        const auto letter = [](const QAction* a) {
            const qsizetype at = a->text().indexOf(QLatin1Char('&'));
            return at < 0 ? QChar() : a->text().at(at + 1).toLower();
        };
        for (const char* chosen : {"mnuToolsExportAnalysisPdf", "mnuToolsPrintAnalysisDocument"}) {
            int sharing = 0;
            for (QAction* a : s.w().toolsMenu()->actions())
                sharing += letter(a) == letter(s.entry(chosen));
            QVERIFY2(!letter(s.entry(chosen)).isNull() && sharing == 1, chosen);
        }
        QSet<QChar> buttons;
        for (const char* name : {"cmdCopyTable", "cmdExportCsv", "cmdCopySensitivity",
                                 "cmdExportSensitivityCsv", "cmdUseOfferPrice"}) {
            auto* button = s.w().findChild<QPushButton*>(QString::fromLatin1(name));
            const qsizetype at = button->text().indexOf(QLatin1Char('&'));
            QVERIFY2(at >= 0 && !buttons.contains(button->text().at(at + 1).toLower()), name);
            buttons.insert(button->text().at(at + 1).toLower());
        }
        // A window action must not take a key an entry has: the key would do neither.
        QSet<QKeySequence> keys;
        for (QAction* a : s.w().findChildren<QAction*>()) {
            QVERIFY2(a->shortcut().isEmpty() || !keys.contains(a->shortcut()),
                     qPrintable(a->shortcut().toString()));
            keys.insert(a->shortcut());
        }
    }

    // Every typed field says what it holds; an amount typed with "%" is read as dollars and
    // framed in amber, a loan without a term in red; the view's hints follow the figures.
    void theFinancialViewExplainsItsInputs() {
        Session s;
        QTest::keySequence(s.window.get(), QKeySequence(Qt::CTRL | Qt::Key_N));
        QTest::keySequence(s.window.get(), QKeySequence(Qt::CTRL | Qt::Key_2));
        for (const FieldInfo& f : FieldTable()) {
            if (f.isReadOnly() || f.view == FieldView::Outlook || f.view == FieldView::Summary)
                continue;
            QWidget* field = s.w().control(f.name);
            QVERIFY2(field && !f.tooltip.isEmpty() && field->toolTip() == f.tooltip,
                     qPrintable(f.name));
        }
        const auto frameColour = [](QWidget* field) {
            const QImage image = field->grab().toImage();
            return image.pixelColor(1, image.height() / 2);
        };
        QLineEdit* management = s.field("txtPropertyManagement");
        s.type("txtPropertyManagement", QStringLiteral("8%"));
        QVERIFY(NumberMark::IsCautioned(management) && !NumberMark::IsMarked(management));
        QCOMPARE(
            management->toolTip(),
            QStringLiteral("Read as $8 per year \u2014 this field is an amount, not a percent"));
        const QColor amber = frameColour(management);
        QVERIFY(amber.red() > 200 && amber.green() > 100 && amber.green() < 180 &&
                amber.blue() < 60);
        QCOMPARE(s.w().text(QStringLiteral("txtPropertyManagement")), QStringLiteral("8%"));
        s.type("txtPropertyManagement", QStringLiteral("800"));
        QVERIFY(!NumberMark::IsCautioned(management));
        QCOMPARE(management->toolTip(),
                 FindField(QStringLiteral("txtPropertyManagement"))->tooltip);
        s.type("txtAnnualInterestRate1", QStringLiteral("6.5%")); // a rate: no amount
        QVERIFY(!NumberMark::IsCautioned(s.field("txtAnnualInterestRate1")));

        QLineEdit* term = s.field("txtAmortizationTerm2");
        s.type("txtMortgagePrincipal2", QStringLiteral("30000"));
        for (const char* typed : {"0", "", "sixty"}) {
            s.type("txtAmortizationTerm2", QString::fromLatin1(typed));
            QVERIFY2(NumberMark::IsMarked(term), typed);
        }
        QCOMPARE(term->toolTip(), NumberMark::Tooltip());
        s.type("txtAmortizationTerm2", QStringLiteral("0"));
        QCOMPARE(term->toolTip(), NumberMark::NoTermTooltip());
        s.type("txtMortgagePrincipal2", QStringLiteral("0"));
        QVERIFY(!NumberMark::IsMarked(term));

        auto* view = s.w().findChild<FinancialView*>(QStringLiteral("frameFinancial"));
        s.type("txtPurchasePrice", QStringLiteral("400000"));
        s.type("txtDownPayment", QStringLiteral("100000"));
        s.type("txtMortgagePrincipal1", QStringLiteral("290000"));
        s.type("txtInsurance", QStringLiteral("-600"));
        QCOMPARE(view->hints().size(), 2);
        QCOMPARE(view->hints().first(),
                 QStringLiteral("Financing covers $290,000 + down $100,000 of a $400,000 price"));
        s.type("txtMortgagePrincipal1", QStringLiteral("300000"));
        s.type("txtInsurance", QStringLiteral("600"));
        QVERIFY(view->hints().isEmpty());
        s.w().commands().m_changes.m_bDirty = false;
    }

    // Past the notes box the keyboard goes on to the corner picture and the links, each of
    // which the ring marks, as it marks every stop.
    void theFocusStaysInSight() {
        Session s;
        s.w().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
        QTest::keySequence(s.window.get(), QKeySequence(Qt::CTRL | Qt::Key_N));
        auto* notes = s.w().findChild<QPlainTextEdit*>(QStringLiteral("txtMiscNotes"));
        notes->setFocus();
        QWidget* ring = s.w().findChild<QWidget*>(QStringLiteral("focusRing"));
        for (int i = 0; i < 6; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* at = QApplication::focusWidget();
            QVERIFY(at && at != notes && at->isVisible());
            QVERIFY2(ring && ring->isVisible() && ring->parentWidget() == at->parentWidget(),
                     qPrintable(at->objectName()));
            QVERIFY2(ring->geometry().contains(at->geometry()) ||
                         ring->geometry() == ring->parentWidget()->rect(),
                     qPrintable(at->objectName()));
        }
        s.w().commands().m_changes.m_bDirty = false;
    }

    void theWelcomeLinkAddsTheFirstProperty() {
        Session s;
        emit s.page().welcomeLink()->releasedOver();
        QVERIFY(s.shown("frameProperty"));
    }

    void aPropertysRoadFromNewToRemoved() {
        Session s;
        QVERIFY(s.cards().isEmpty());
        QVERIFY(!s.enabled("mnuFileOpen"));
        QVERIFY(!s.enabled("mnuFileSave"));
        s.choose("mnuFileAddNewProperty");
        QVERIFY(s.shown("frameProperty"));
        QVERIFY(s.shown("frameNavigation"));
        QVERIFY(!s.shown("frameHomeNavigation"));
        QVERIFY(!s.enabled("mnuFileSaveAs")); // never saved: nothing to copy yet

        s.type("txtPropertyInformation", QStringLiteral("Maple Row"));
        s.type("txtUnits", QStringLiteral("3"));
        s.type("txtPurchasePrice", QStringLiteral("$250,000"));
        s.type("txtGrossMonthlyIncome", QStringLiteral("$3,000"));
        s.type("txtInsurance", QStringLiteral("$1,500"));
        s.type("txtPropertyTaxes", QStringLiteral("$2,800"));
        s.type("txtMortgagePrincipal1", QStringLiteral("$200,000"));
        s.type("txtAnnualInterestRate1", QStringLiteral("6.5"));
        s.type("txtAmortizationTerm1", QStringLiteral("360"));
        // 200,000 at 6.5% over 30 years: $1,264.14 a month (spreadsheet PMT).
        QVERIFY(s.field("txtMortgageMonthlyPayment1")->text().contains(QStringLiteral("1,264.14")));

        s.choose("mnuFileSave");
        QVERIFY(s.prompts.messages().isEmpty());
        QVERIFY(Database().contains(QStringLiteral("[PROPERTY000001]")));
        QVERIFY(Database().contains(QStringLiteral("txtPropertyInformation=Maple Row")));
        QVERIFY(!QFile::exists(PropertyDatabaseBackupPath()));
        s.choose("mnuFileSave");
        QVERIFY(QFile::exists(PropertyDatabaseBackupPath()));
        const QStringList saved = s.fieldTexts();

        s.choose("mnuFileClose");
        QVERIFY(s.prompts.messages().isEmpty());
        QVERIFY(s.shown("frameHome"));
        QVERIFY(s.shown("frameHomeNavigation"));
        QCOMPARE(s.cards(), QStringList{QStringLiteral("Maple Row")});
        QCOMPARE(s.page().line(1, 2)->text(), QStringLiteral("Purchase Price = $250,000"));
        QCOMPARE(s.page().line(1, 3)->text(), QStringLiteral("Units = 3"));
        QCOMPARE(s.page().line(1, 4)->text(),
                 QStringLiteral("Scheduled Annual Income = $36,000.00"));

        // Open it again: every field is back.
        QVERIFY(!s.enabled("mnuFileOpen"));
        s.click(1);
        s.choose("mnuFileOpen");
        QVERIFY(s.shown("frameProperty"));
        QCOMPARE(s.fieldTexts(), saved);

        // A copy: two cards.
        s.prompts.setNextName(QStringLiteral("Maple Row North"));
        s.choose("mnuFileSaveAs");
        QCOMPARE(s.prompts.nameRequests().at(0).initialText, QStringLiteral("Copy of Maple Row"));
        s.choose("mnuFileClose");
        QCOMPARE(s.cards(), (QStringList{"Maple Row", "Maple Row North"}));

        // Remove the first, answering OK.
        s.click(1);
        s.prompts.setNextAnswer(PromptAnswer::Ok);
        s.choose("mnuFileRemoveSelectedProperty");
        QCOMPARE(s.prompts.titles(), QStringList{QStringLiteral("Delete Property")});
        QCOMPARE(s.cards(), QStringList{QStringLiteral("Maple Row North")});
        QVERIFY(Database().contains(QStringLiteral("[PROPERTY000001]\r\n")));
        QVERIFY(!Database().contains(QStringLiteral("[PROPERTY000002]")));
        QVERIFY(Database().contains(QStringLiteral("txtPropertyInformation=Maple Row North")));
        QVERIFY(!s.enabled("mnuFileOpen")); // the chosen card is gone, and so is the selection

        // Unsaved edits when closing: Cancel keeps it open, No drops them, Yes saves.
        QTest::mouseDClick(s.page().picture(1), Qt::LeftButton);
        QVERIFY(s.shown("frameProperty"));
        s.type("txtAddress", QStringLiteral("4 Maple Row"));
        s.prompts.setNextAnswer(PromptAnswer::Cancel);
        s.choose("mnuFileClose");
        QCOMPARE(s.prompts.messages().last().title, QStringLiteral("Unsaved Changes"));
        QVERIFY(s.shown("frameProperty"));
        const QString before = Database();
        s.prompts.setNextAnswer(PromptAnswer::No);
        s.choose("mnuFileClose");
        QVERIFY(s.shown("frameHome"));
        QCOMPARE(Database(), before);
        QTest::mouseDClick(s.page().line(1, 1), Qt::LeftButton);
        QCOMPARE(s.field("txtAddress")->text(), QString());
        s.type("txtAddress", QStringLiteral("4 Maple Row"));
        s.prompts.setNextAnswer(PromptAnswer::Yes);
        s.choose("mnuFileClose");
        QVERIFY(s.shown("frameHome"));
        QVERIFY(Database().contains(QStringLiteral("txtAddress=4 Maple Row")));
    }

    void closingTheProgramWithUnsavedWork() {
        WriteDatabase({"Cedar"}, {"$90,000"});
        Session s;
        QTest::mouseDClick(s.page().picture(1), Qt::LeftButton);
        s.type("txtAddress", QStringLiteral("9 Cedar Lane"));
        s.prompts.setNextAnswer(PromptAnswer::Cancel);
        QVERIFY(!s.w().close());
        QVERIFY(s.w().isVisible());
        QVERIFY(s.shown("frameProperty"));
        s.prompts.setNextAnswer(PromptAnswer::No);
        QVERIFY(s.w().close());
        QVERIFY(!Database().contains(QStringLiteral("Cedar Lane")));

        Session again;
        QTest::mouseDClick(again.page().picture(1), Qt::LeftButton);
        again.type("txtAddress", QStringLiteral("9 Cedar Lane"));
        again.prompts.setNextAnswer(PromptAnswer::Yes);
        again.choose("mnuFileExit");
        QVERIFY(!again.w().isVisible());
        QVERIFY(Database().contains(QStringLiteral("txtAddress=9 Cedar Lane")));
        QCOMPARE(again.prompts.messages().size(), 1);
        QCOMPARE(again.prompts.messages().at(0).icon, PromptIcon::Warning);
    }

    void filtersAndPagingInTheWindow() {
        QStringList names, prices;
        for (int i = 1; i <= 13; ++i) {
            names.append(QStringLiteral("House %1").arg(i));
            prices.append(i % 2 ? QStringLiteral("$80,000") : QStringLiteral("$400,000"));
        }
        WriteDatabase(names, prices);
        Session s;
        QCOMPARE(s.cards().size(), 6);
        QVERIFY(!s.page().previousLink()->isVisible());
        QTest::mouseClick(s.page().nextLink(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(s.cards(), (QStringList{"House 7", "House 8", "House 9", "House 10", "House 11",
                                         "House 12"}));
        QTest::mouseClick(s.page().nextLink(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(s.cards(), QStringList{QStringLiteral("House 13")});
        QVERIFY(!s.page().nextLink()->isVisible());

        // Opening from page 3 and closing comes back to page 3.
        QTest::mouseDClick(s.page().picture(1), Qt::LeftButton);
        QCOMPARE(s.field("txtPropertyInformation")->text(), QStringLiteral("House 13"));
        s.choose("mnuFileClose");
        QCOMPARE(s.cards(), QStringList{QStringLiteral("House 13")});

        // A filter chosen in the box starts again from the first property.
        QComboBox* box = s.page().filterBox();
        box->setFocus();
        const int entry = box->findText(QStringLiteral("Purchase Price < $100,000"));
        box->setCurrentIndex(entry - 1);
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(s.cards(),
                 (QStringList{"House 1", "House 3", "House 5", "House 7", "House 9", "House 11"}));
        // Enter in the filter box opens the selected card.
        s.click(3);
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(s.shown("frameProperty"));
        QCOMPARE(s.field("txtPropertyInformation")->text(), QStringLiteral("House 5"));
        s.choose("mnuFileClose");
        // Back on the page left, still filtered.
        QCOMPARE(s.cards().first(), QStringLiteral("House 1"));
        QCOMPARE(s.cards().size(), 6);
        QTest::mouseClick(s.page().nextLink(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(s.cards(), QStringList{QStringLiteral("House 13")});
    }

    void sevenProperties() {
        WriteNumberedDatabase(QStringLiteral("Lot "), 7, QStringLiteral("$1,000"));
        Session s;
        QCOMPARE(s.cards().size(), 6);
        QVERIFY(s.page().nextLink()->isVisible());
        QTest::mouseClick(s.page().nextLink(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(s.cards(), QStringList{QStringLiteral("Lot 7")});
        QVERIFY(s.page().previousLink()->isVisible());
        QVERIFY(!s.page().nextLink()->isVisible());
    }

    void saveACopyThroughTheRealDialog() {
        WriteDatabase({"Birch"}, {"$70,000"});
        Session s(false);
        // Escape: the notice, and nothing written.
        const auto cancelCopy = [&s] {
            QString notice;
            QTimer::singleShot(0, qApp, [&notice] {
                QTRY_VERIFY(QApplication::activeModalWidget());
                // The "Command Aborted" notice follows once the dialog's own loop has ended.
                QTimer::singleShot(0, qApp, [&notice] {
                    QTRY_VERIFY(qobject_cast<QMessageBox*>(QApplication::activeModalWidget()));
                    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                    notice = box->windowTitle() + QLatin1Char('|') + box->text();
                    box->button(QMessageBox::Ok)->click();
                });
                QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape);
            });
            s.choose("mnuFileSaveAs");
            return notice;
        };
        QTest::mouseDClick(s.page().picture(1), Qt::LeftButton);
        // The dialog's own label is no part of the property: the property is still unchanged.
        QVERIFY(!cancelCopy().isEmpty());
        s.w().TakeCurrentSnapshot();
        QVERIFY(!s.w().HasUnsavedChanges());
        s.choose("mnuFileClose");
        QVERIFY(s.shown("frameHome"));

        QTest::mouseDClick(s.page().picture(1), Qt::LeftButton);
        QTimer::singleShot(0, qApp, [] {
            QTRY_VERIFY(QApplication::activeModalWidget());
            QWidget* dialog = QApplication::activeModalWidget();
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Save Property As..."));
            auto* text = dialog->findChild<QLineEdit*>(QStringLiteral("txtTextBox"));
            QCOMPARE(text->text(), QStringLiteral("Copy of Birch"));
            QTest::keyClick(text, Qt::Key_End);
            QTest::keyClicks(text, QStringLiteral(" Two"));
            QTest::keyClick(text, Qt::Key_Return);
        });
        s.choose("mnuFileSaveAs");
        QCOMPARE(g_lCurrentProperty, 2);
        QVERIFY(Database().contains(QStringLiteral("txtPropertyInformation=Copy of Birch Two")));

        const QString before = Database();
        QCOMPARE(cancelCopy(),
                 QStringLiteral("Command Aborted|Copy of Property Aborted.  The property "
                                "has not been copied"));
        QCOMPARE(Database(), before);
    }
};

QTEST_MAIN(PropertyCommandsWindowTest)
#include "tst_propertycommands_window.moc"
