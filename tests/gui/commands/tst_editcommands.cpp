// The Edit menu as a user meets it: which entries it offers over the focused field, what its
// commands do to the field (and to the figures that depend on it), that it never disturbs the
// clipboard, and that its shortcuts leave the fields' own keys alone.
#include "base/programfolder.h"
#include "gui/mainwindow/mainwindow.h"
#include "store/propertydatabase.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

struct Entries {
    bool undo, cut, copy, paste, del, selectAll;
};

QAction* entry(MainWindow& w, const char* name) {
    return w.findChild<QAction*>(QString::fromLatin1(name));
}

// Opens the Edit menu as the user does (its enabling rule runs), then closes it again.
Entries openEditMenu(MainWindow& w) {
    QMenu* menu = w.editMenu();
    menu->popup(w.mapToGlobal(QPoint(10, 10)));
    if (!QTest::qWaitFor([menu] { return menu->isVisible(); }))
        qWarning("Edit menu did not open");
    const Entries e{
        entry(w, "mnuEditUndo")->isEnabled(),   entry(w, "mnuEditCut")->isEnabled(),
        entry(w, "mnuEditCopy")->isEnabled(),   entry(w, "mnuEditPaste")->isEnabled(),
        entry(w, "mnuEditDelete")->isEnabled(), entry(w, "mnuEditSelectAll")->isEnabled()};
    menu->hide();
    return e;
}

// What a user does to choose an entry: open the menu, click the entry if it is enabled.
bool choose(MainWindow& w, const char* name) {
    openEditMenu(w);
    QAction* action = entry(w, name);
    if (!action->isEnabled())
        return false;
    action->trigger();
    return true;
}

QString entriesText(const Entries& e) {
    QStringList on;
    if (e.undo)
        on << QStringLiteral("undo");
    if (e.cut)
        on << QStringLiteral("cut");
    if (e.copy)
        on << QStringLiteral("copy");
    if (e.paste)
        on << QStringLiteral("paste");
    if (e.del)
        on << QStringLiteral("delete");
    if (e.selectAll)
        on << QStringLiteral("selectAll");
    return on.join(QLatin1Char(' '));
}

void setClipboardText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

// A property open on the Financial view, the window active.
void showFinancial(MainWindow& w) {
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    ShowPropertyStrip(w);
    w.imgFinancial_Click();
}

QLineEdit* focusField(MainWindow& w, const QString& name) {
    auto* field = w.control<QLineEdit>(name);
    field->setFocus();
    if (!QTest::qWaitFor([field] { return field->hasFocus(); }))
        qWarning("field did not take the focus");
    return field;
}

} // namespace

class TestEditCommands : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void entriesInOrderWithCaptionsAndShortcuts();

    void abcWithNothingSelected();
    void emptyFieldAndEmptyClipboardOfferOnlyWhatTheFieldReports();
    void selectionOffersCutCopyDelete();
    void readOnlyFieldOffersNothingThatWouldChangeIt();
    void openingTheMenuKeepsAPictureOnTheClipboard();

    void selectAllCutPasteUndoRoundTripRunsTheChangeHandler();
    void deleteSelectionRemovesOnlyTheSelection();
    void notesBoxTakesTheSameCommands();
    void menuOpenedFromTheKeyboardActsOnTheSelection();

    void fieldsKeepTheirOwnKeys();
    void selectedPictureOffersOnlyDeleteUntilAFieldTakesTheFocus();
    void commandWithoutAFocusedControlIsLogged();

private:
    std::unique_ptr<TempProgramFolder> m_folder;
};

void TestEditCommands::init() {
    m_folder = std::make_unique<TempProgramFolder>(true);
    PrepareProgramFolders();
    QGuiApplication::clipboard()->clear();
}

void TestEditCommands::cleanup() {
    m_folder.reset();
}

void TestEditCommands::entriesInOrderWithCaptionsAndShortcuts() {
    MainWindow w;
    QCOMPARE(w.editMenu()->title(), QStringLiteral("&Edit"));
    const QList<QAction*> actions = w.editMenu()->actions();
    QCOMPARE(actions.size(), 7);
    const QStringList names{"mnuEditUndo",  "mnuEditBar0",   "mnuEditCut",      "mnuEditCopy",
                            "mnuEditPaste", "mnuEditDelete", "mnuEditSelectAll"};
    const QStringList captions{"&Undo",     "", "Cu&t", "&Copy", "&Paste", "&Delete Selection",
                               "Select All"};
    const QList<QKeySequence> keys{QKeySequence(),
                                   QKeySequence(),
                                   QKeySequence(Qt::CTRL | Qt::Key_X),
                                   QKeySequence(Qt::CTRL | Qt::Key_C),
                                   QKeySequence(Qt::CTRL | Qt::Key_V),
                                   QKeySequence(Qt::Key_Delete),
                                   QKeySequence(Qt::CTRL | Qt::Key_A)};
    for (int i = 0; i < actions.size(); ++i) {
        QCOMPARE(actions.at(i)->objectName(), names.at(i));
        QCOMPARE(actions.at(i)->isSeparator(), i == 1);
        if (i != 1)
            QCOMPARE(actions.at(i)->text(), captions.at(i));
        QCOMPARE(actions.at(i)->shortcut(), keys.at(i));
    }
}

void TestEditCommands::abcWithNothingSelected() {
    MainWindow w;
    showFinancial(w);
    QLineEdit* field = focusField(w, QStringLiteral("txtPurchasePrice"));

    // Set by the program: the field has nothing to undo.
    field->setText(QStringLiteral("abc"));
    setClipboardText(QStringLiteral("12"));
    QCOMPARE(entriesText(openEditMenu(w)), QStringLiteral("paste selectAll"));

    // Typed by the user: Undo follows the field's own history.
    field->clear();
    QTest::keyClicks(field, QStringLiteral("abc"));
    QVERIFY(!field->hasSelectedText());
    QCOMPARE(entriesText(openEditMenu(w)), QStringLiteral("undo paste selectAll"));

    QGuiApplication::clipboard()->clear();
    QCOMPARE(entriesText(openEditMenu(w)), QStringLiteral("undo selectAll"));
}

void TestEditCommands::emptyFieldAndEmptyClipboardOfferOnlyWhatTheFieldReports() {
    MainWindow w;
    showFinancial(w);
    QLineEdit* field = focusField(w, QStringLiteral("txtDownPayment"));
    field->clear();
    QCOMPARE(entriesText(openEditMenu(w)), QString());

    // Typing and erasing leaves an empty field that can still undo.
    QTest::keyClicks(field, QStringLiteral("7"));
    QTest::keyClick(field, Qt::Key_Backspace);
    QCOMPARE(field->text(), QString());
    QCOMPARE(entriesText(openEditMenu(w)), QStringLiteral("undo"));
}

void TestEditCommands::selectionOffersCutCopyDelete() {
    MainWindow w;
    showFinancial(w);
    QLineEdit* field = focusField(w, QStringLiteral("txtPurchasePrice"));
    field->setText(QStringLiteral("250000"));
    field->setSelection(1, 2);
    QCOMPARE(entriesText(openEditMenu(w)), QStringLiteral("cut copy delete selectAll"));
    // Opening the menu neither copies the selection nor moves it.
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
    QCOMPARE(field->selectedText(), QStringLiteral("50"));
}

void TestEditCommands::readOnlyFieldOffersNothingThatWouldChangeIt() {
    MainWindow w;
    showFinancial(w);
    QLineEdit* payment = focusField(w, QStringLiteral("txtMortgageMonthlyPayment1"));
    QVERIFY(payment->isReadOnly());
    const QString shown = payment->text();
    QVERIFY(!shown.isEmpty());
    payment->selectAll();
    setClipboardText(QStringLiteral("999"));
    QCOMPARE(entriesText(openEditMenu(w)), QStringLiteral("copy selectAll"));

    // Even sent directly, the commands that change text leave it alone; copy still works.
    w.mnuEditPaste_Click();
    w.mnuEditCut_Click();
    w.mnuEditDelete_Click();
    QCOMPARE(payment->text(), shown);
    w.mnuEditCopy_Click();
    QCOMPARE(QGuiApplication::clipboard()->text(), shown);
}

void TestEditCommands::openingTheMenuKeepsAPictureOnTheClipboard() {
    MainWindow w;
    showFinancial(w);
    QLineEdit* field = focusField(w, QStringLiteral("txtPurchasePrice"));
    field->setText(QStringLiteral("250000"));
    field->selectAll();

    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QGuiApplication::clipboard()->setImage(picture);
    QCOMPARE(entriesText(openEditMenu(w)), QStringLiteral("cut copy delete selectAll"));

    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data->hasImage());
    QVERIFY(!data->hasText());
    QCOMPARE(qvariant_cast<QImage>(data->imageData()).pixel(3, 3), QColor(Qt::red).rgb());
}

void TestEditCommands::selectAllCutPasteUndoRoundTripRunsTheChangeHandler() {
    MainWindow w;
    showFinancial(w);
    QLineEdit* advertising = focusField(w, QStringLiteral("txtAdvertising"));
    advertising->end(false);
    QTest::keyClicks(advertising, QStringLiteral("00")); // 50 becomes 5000
    const QString total = QStringLiteral("lblAnnualOperatingExpenses");
    QCOMPARE(w.text(total), QStringLiteral("Annual Operating Expenses = $25,800"));

    QVERIFY(choose(w, "mnuEditSelectAll"));
    QCOMPARE(advertising->selectedText(), QStringLiteral("5000"));
    QVERIFY(choose(w, "mnuEditCut"));
    QCOMPARE(advertising->text(), QString());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("5000"));
    QCOMPARE(w.text(total), QStringLiteral("Annual Operating Expenses = $20,800"));
    QCOMPARE(w.text(QStringLiteral("txtQISAnnualExpenses")), QStringLiteral("($20,800)"));

    // Pasted into another expense: both totals follow.
    QLineEdit* insurance = focusField(w, QStringLiteral("txtInsurance"));
    insurance->selectAll();
    const double insuranceBefore = insurance->text().remove(QLatin1Char(',')).toDouble();
    insurance->end(false);
    QCOMPARE(entriesText(openEditMenu(w)).contains(QLatin1String("paste")), true);
    QVERIFY(choose(w, "mnuEditPaste"));
    QVERIFY(insurance->text().endsWith(QLatin1String("5000")));
    QVERIFY(w.text(total) != QStringLiteral("Annual Operating Expenses = $20,800"));
    QCOMPARE(entriesText(openEditMenu(w)).startsWith(QLatin1String("undo")), true);
    QVERIFY(choose(w, "mnuEditUndo"));
    QCOMPARE(insurance->text().remove(QLatin1Char(',')).toDouble(), insuranceBefore);
    QCOMPARE(w.text(total), QStringLiteral("Annual Operating Expenses = $20,800"));

    // Back into the emptied field.
    focusField(w, QStringLiteral("txtAdvertising"));
    QVERIFY(choose(w, "mnuEditPaste"));
    QCOMPARE(advertising->text(), QStringLiteral("5000"));
    QCOMPARE(w.text(total), QStringLiteral("Annual Operating Expenses = $25,800"));
}

void TestEditCommands::deleteSelectionRemovesOnlyTheSelection() {
    MainWindow w;
    showFinancial(w);
    QLineEdit* field = focusField(w, QStringLiteral("txtPurchasePrice"));
    field->setText(QStringLiteral("abcdef"));
    field->setCursorPosition(0);
    QVERIFY(!choose(w, "mnuEditDelete"));
    w.mnuEditDelete_Click(); // even when run, it never takes the character after the cursor
    QCOMPARE(field->text(), QStringLiteral("abcdef"));
    field->setSelection(2, 2);
    QVERIFY(choose(w, "mnuEditDelete"));
    QCOMPARE(field->text(), QStringLiteral("abef"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QString()); // clearing is not cutting
}

void TestEditCommands::notesBoxTakesTheSameCommands() {
    MainWindow w;
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    ShowPropertyStrip(w);
    w.imgProperty_Click();
    auto* notes = w.control<QPlainTextEdit>(QStringLiteral("txtMiscNotes"));
    notes->setFocus();
    QTRY_VERIFY(notes->hasFocus());
    QTest::keyClicks(notes, QStringLiteral("roof redone"));
    QCOMPARE(entriesText(openEditMenu(w)), QStringLiteral("undo selectAll"));

    QVERIFY(choose(w, "mnuEditSelectAll"));
    QCOMPARE(entriesText(openEditMenu(w)), QStringLiteral("undo cut copy delete selectAll"));
    QVERIFY(choose(w, "mnuEditCopy"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("roof redone"));
    QVERIFY(choose(w, "mnuEditDelete"));
    QCOMPARE(notes->toPlainText(), QString());
    QVERIFY(choose(w, "mnuEditUndo"));
    QCOMPARE(notes->toPlainText(), QStringLiteral("roof redone"));
    QTextCursor end = notes->textCursor();
    end.movePosition(QTextCursor::End);
    notes->setTextCursor(end);
    QVERIFY(choose(w, "mnuEditPaste"));
    QCOMPARE(notes->toPlainText(), QStringLiteral("roof redoneroof redone"));
}

void TestEditCommands::menuOpenedFromTheKeyboardActsOnTheSelection() {
    MainWindow w;
    showFinancial(w);
    QLineEdit* field = focusField(w, QStringLiteral("txtPurchasePrice"));
    field->setText(QStringLiteral("250000"));
    field->setSelection(0, 3);
    // Alt+E gives the keyboard to the menu bar and opens the menu on its first enabled entry,
    // Cut (the program set the text, so there is nothing to undo); Return chooses it.
    QTest::keyClick(field, Qt::Key_E, Qt::AltModifier);
    QTRY_VERIFY(w.editMenu()->isVisible());
    QCOMPARE(w.editMenu()->activeAction(), entry(w, "mnuEditCut"));
    QTest::keyClick(w.editMenu(), Qt::Key_Return);
    QTRY_VERIFY(!w.editMenu()->isVisible());
    QCOMPARE(field->text(), QStringLiteral("000"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("250"));
}

void TestEditCommands::fieldsKeepTheirOwnKeys() {
    MainWindow w;
    showFinancial(w);
    QLineEdit* field = focusField(w, QStringLiteral("txtPurchasePrice"));
    field->setText(QStringLiteral("abc"));
    // The menu last enabled everything it could; the field must still get its keys.
    field->selectAll();
    setClipboardText(QStringLiteral("z"));
    openEditMenu(w);
    QSignalSpy cut(entry(w, "mnuEditCut"), &QAction::triggered);
    QSignalSpy copy(entry(w, "mnuEditCopy"), &QAction::triggered);
    QSignalSpy paste(entry(w, "mnuEditPaste"), &QAction::triggered);
    QSignalSpy del(entry(w, "mnuEditDelete"), &QAction::triggered);
    QSignalSpy all(entry(w, "mnuEditSelectAll"), &QAction::triggered);

    // Del without a selection removes the next character, as in any field.
    field->setCursorPosition(0);
    QTest::keyClick(field, Qt::Key_Delete);
    QCOMPARE(field->text(), QStringLiteral("bc"));
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(field->selectedText(), QStringLiteral("bc"));
    QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("bc"));
    QTest::keyClick(field, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(field->text(), QString());
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(field->text(), QStringLiteral("bcbc"));
    QCOMPARE(cut.count() + copy.count() + paste.count() + del.count() + all.count(), 0);

    // The notes box too.
    w.imgProperty_Click();
    auto* notes = w.control<QPlainTextEdit>(QStringLiteral("txtMiscNotes"));
    notes->setFocus();
    QTRY_VERIFY(notes->hasFocus());
    QTest::keyClicks(notes, QStringLiteral("xy"));
    QTest::keyClick(notes, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(notes, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("xy"));
    QCOMPARE(copy.count() + all.count(), 0);
}

void TestEditCommands::selectedPictureOffersOnlyDeleteUntilAFieldTakesTheFocus() {
    // A property with three pictures, open on the Property view.
    QStringList pictures;
    for (const char* colour : {"red", "green", "blue"}) {
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(QColor(QLatin1String(colour)));
        pictures << m_folder->path() + QStringLiteral("/%1.png").arg(QLatin1String(colour));
        QVERIFY(picture.save(pictures.last()));
    }
    QByteArray file = "[PROPERTY000001]\r\ntxtPropertyInformation=Elm Court\r\n";
    for (int k = 0; k < pictures.size(); ++k)
        file += "g_sListOfImagesForProperty(" + QByteArray::number(k + 1) +
                ")=" + pictures.at(k).toUtf8() + "\r\n";
    WriteFile(PropertyDatabasePath(), file);
    LoadPropertyDatabase();
    MainWindow w;
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QString name = QStringLiteral("Elm Court");
    w.OpenPropertyByName(name);
    QStringList& list = w.commands().g_sListOfImagesForProperty;
    QCOMPARE(list.size(), 4);

    // The menu was last opened over an empty field, where it offered nothing.
    focusField(w, QStringLiteral("txtAddress"))->clear();
    QCOMPARE(entriesText(openEditMenu(w)), QString());

    // The second strip picture selected; the corner box has the focus.
    auto* second = w.control<QLabel>(QStringLiteral("imgPropertyListItem"), 2);
    QTest::mouseClick(second, Qt::LeftButton);
    QWidget* corner = w.findChild<QWidget*>(QStringLiteral("picUpperLeftCorner"));
    corner->setFocus();
    QTRY_VERIFY(corner->hasFocus());
    QVERIFY(w.control<QFrame>(QStringLiteral("frmSelectPropertyImage"), 2)->frameShape() !=
            QFrame::NoFrame);
    setClipboardText(QStringLiteral("text"));
    QCOMPARE(entriesText(openEditMenu(w)), QStringLiteral("delete"));
    QTest::keyClick(corner, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("text"));

    // On another view the selection does not count.
    w.imgFinancial_Click();
    corner->setFocus();
    QCOMPARE(entriesText(openEditMenu(w)), QString());
    w.imgProperty_Click();

    // Del goes by what applies now, although the menu last offered nothing: the picture goes.
    QTest::mouseClick(second, Qt::LeftButton);
    corner->setFocus();
    QTRY_VERIFY(corner->hasFocus());
    QTest::keyClick(corner, Qt::Key_Delete);
    QCOMPARE(list, (QStringList{QString(), pictures.at(0), pictures.at(2)}));

    // Chosen from the menu it does the same.
    QTest::mouseClick(second, Qt::LeftButton);
    corner->setFocus();
    QVERIFY(choose(w, "mnuEditDelete"));
    QCOMPARE(list, (QStringList{QString(), pictures.at(0)}));

    // A Property view field taking the focus clears the selection: Delete is the field's.
    QTest::mouseClick(w.control<QLabel>(QStringLiteral("imgPropertyListItem"), 1), Qt::LeftButton);
    QLineEdit* address = focusField(w, QStringLiteral("txtAddress"));
    QCOMPARE(w.control<QFrame>(QStringLiteral("frmSelectPropertyImage"), 1)->frameShape(),
             QFrame::NoFrame);
    address->setText(QStringLiteral("12 Elm Row"));
    address->setSelection(0, 3);
    QVERIFY(choose(w, "mnuEditDelete"));
    QCOMPARE(address->text(), QStringLiteral("Elm Row"));
    QCOMPARE(list.size(), 2);
    w.commands().m_changes.m_bDirty = false; // nothing to ask on closing
}

void TestEditCommands::commandWithoutAFocusedControlIsLogged() {
    MainWindow w; // never shown: nothing has the focus
    QVERIFY(!w.focusWidget());
    QVERIFY(!QApplication::focusWidget());
    w.mnuEditCopy_Click();
    const QStringList log = m_folder->logLines();
    QCOMPARE(log.size(), 1);
    QVERIFY2(log.first().contains(QLatin1String("91")), qPrintable(log.first()));
}

QTEST_MAIN(TestEditCommands)
#include "tst_editcommands.moc"
