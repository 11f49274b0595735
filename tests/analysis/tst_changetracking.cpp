#include "analysis/changetracking.h"
#include "gui/dialogs/prompts.h"
#include "gui/dialogs/propertydialog.h"
#include "gui/dialogs/scriptedprompts.h"
#include "gui/dialogs/widgetprompts.h"
#include "model/memoryform.h"
#include "testsupport.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

namespace {
// Runs once the next modal window is up; the test's own event loop is blocked in exec().
template <class Action> void WhenModalIsUp(Action action) {
    QTimer::singleShot(0, qApp, [action] {
        QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
        action(QApplication::activeModalWidget());
    });
}
} // namespace

class ChangeTrackingTest : public QObject {
    Q_OBJECT

private slots:
    void onlyRealEditsOfWatchedControlsCount() {
        MemoryForm form;
        form.setText(QStringLiteral("txtPropertyInformation"), QStringLiteral("Elm Court"));
        form.setText(QStringLiteral("txtPurchasePrice"), QStringLiteral("$190,000"));
        ChangeTracker t;
        t.TakeBaselineSnapshot(form);
        t.TakeCurrentSnapshot(form);
        QVERIFY(!t.HasUnsavedChanges());
        QCOMPARE(t.m_sBaselineSnapshot.first(), QString());

        // Typed and then put back exactly: no change.
        form.setText(QStringLiteral("txtPurchasePrice"), QStringLiteral("$190,0001"));
        form.setText(QStringLiteral("txtPurchasePrice"), QStringLiteral("$190,000"));
        t.TakeCurrentSnapshot(form);
        QVERIFY(!t.HasUnsavedChanges());

        // Letter case and surrounding blanks are not changes.
        form.setText(QStringLiteral("txtPropertyInformation"), QStringLiteral("  ELM court "));
        t.TakeCurrentSnapshot(form);
        QVERIFY(!t.HasUnsavedChanges());

        // The outlook grids and the period box are recomputed at will: not watched.
        form.setText(QStringLiteral("txt10CFNetCashflow"), QStringLiteral("$5"), 7);
        form.setText(QStringLiteral("txt5CFIncomeTaxes"), QStringLiteral("$5"), 2);
        form.selectOutlookPeriod(2);
        t.TakeCurrentSnapshot(form);
        QVERIFY(!t.HasUnsavedChanges());

        // A computed summary figure and a label are watched.
        form.setText(QStringLiteral("txtQISCapitalizationRate"), QStringLiteral("7.00%"));
        t.TakeCurrentSnapshot(form);
        QVERIFY(t.HasUnsavedChanges());
        t.TakeBaselineSnapshot(form);
        form.setText(QStringLiteral("lblAnnualOperatingExpenses"), QStringLiteral("other"));
        t.TakeCurrentSnapshot(form);
        QVERIFY(t.HasUnsavedChanges());

        // Only spaces are blanks: a line break or a tab added or removed at an edge is an edit.
        const QString notes = QStringLiteral("txtMiscNotes");
        form.setText(notes, QStringLiteral("Roof done\n"));
        t.TakeBaselineSnapshot(form);
        for (const QString& edited : {QStringLiteral("Roof done"), QStringLiteral("Roof done\n\n"),
                                      QStringLiteral("\tRoof done\n")}) {
            form.setText(notes, edited);
            t.TakeCurrentSnapshot(form);
            QVERIFY2(t.HasUnsavedChanges(), qPrintable(edited));
        }
        form.setText(notes, QStringLiteral(" Roof done\n  "));
        t.TakeCurrentSnapshot(form);
        QVERIFY(!t.HasUnsavedChanges());
    }

    void theDirtyFlagAndAShortBaselineCount() {
        MemoryForm form;
        ChangeTracker t;
        t.TakeBaselineSnapshot(form);
        t.m_bDirty = true;
        t.TakeCurrentSnapshot(form);
        QVERIFY(t.m_bDirty);
        QVERIFY(t.HasUnsavedChanges());
        t.TakeBaselineSnapshot(form);
        QVERIFY(!t.m_bDirty);
        QVERIFY(!t.HasUnsavedChanges());

        t.m_sBaselineSnapshot.removeLast();
        QVERIFY(t.HasUnsavedChanges());
        QVERIFY(
            ChangeTracker::IsWatched({QStringLiteral("txtAddress"), 0, ControlKind::TextField}));
        QVERIFY(!ChangeTracker::IsWatched({QStringLiteral("lbl5CFYear"), 1, ControlKind::Label}));
        QVERIFY(
            !ChangeTracker::IsWatched({QStringLiteral("Lbl10CFHeading"), 0, ControlKind::Label}));
    }

    void scriptedPromptsRecordAndAnswer() {
        ScriptedPrompts p;
        PromptMessage m;
        m.buttons = PromptButtons::OkCancel;
        m.defaultButton = PromptAnswer::Cancel;
        QCOMPARE(p.message(m), PromptAnswer::Cancel); // nothing queued: the default button
        p.setNextAnswer(PromptAnswer::Ok);
        QCOMPARE(p.message(m), PromptAnswer::Ok);
        QVERIFY(!p.askPropertyName({}).has_value());
        p.setNextName(QStringLiteral("X"));
        QCOMPARE(p.askPropertyName({}).value(), QStringLiteral("X"));
        QCOMPARE(p.messages().size(), 2);
        QCOMPARE(p.nameRequests().size(), 2);
    }

    void aRealMessageBoxShowsTheQuestion() {
        QWidget window;
        WidgetPrompts prompts(&window);
        PromptMessage m;
        m.title = QStringLiteral("Delete Property");
        m.text = QStringLiteral("Sure?\r\n\r\n   \"A\" ?");
        m.icon = PromptIcon::Warning;
        m.buttons = PromptButtons::OkCancel;
        m.defaultButton = PromptAnswer::Cancel;
        QString seen;
        WhenModalIsUp([&seen](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            QVERIFY(box);
            seen = box->windowTitle() + QLatin1Char('|') + box->text();
            QCOMPARE(box->icon(), QMessageBox::Warning);
            QCOMPARE(box->defaultButton(), box->button(QMessageBox::Cancel));
            QVERIFY(box->button(QMessageBox::Ok));
            QTest::keyClick(box, Qt::Key_Return); // Enter takes the default: Cancel
        });
        QCOMPARE(prompts.message(m), PromptAnswer::Cancel);
        QCOMPARE(seen, QStringLiteral("Delete Property|Sure?\n\n   \"A\" ?"));

        m.buttons = PromptButtons::YesNoCancel;
        m.defaultButton.reset();
        WhenModalIsUp(
            [](QWidget* w) { qobject_cast<QMessageBox*>(w)->button(QMessageBox::No)->click(); });
        QCOMPARE(prompts.message(m), PromptAnswer::No);
        WhenModalIsUp([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
        QCOMPARE(prompts.message(m), PromptAnswer::Cancel);
    }

    void thePropertyNameDialog() {
        QWidget window;
        WidgetPrompts prompts(&window);
        frmDialog* dialog = prompts.dialog();
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Save Property As..."));
        QCOMPARE(dialog->findChild<QPushButton*>(QStringLiteral("OKButton"))->isDefault(), true);

        QString selected;
        WhenModalIsUp([&selected](QWidget* w) {
            auto* box = w->findChild<QLineEdit*>(QStringLiteral("txtTextBox"));
            QCOMPARE(w->findChild<QLabel*>(QStringLiteral("lblLabel"))->text(),
                     QStringLiteral("What is the New Property Name?"));
            QTRY_VERIFY(box->hasFocus());
            selected = box->selectedText();
            QTest::keyClicks(box, QStringLiteral(" Elm Annex"));
            QTest::keyClick(box, Qt::Key_Return); // OK is the default button
        });
        std::optional<QString> name = prompts.askPropertyName(
            {QStringLiteral("What is the New Property Name?"), QStringLiteral("Copy of Elm")});
        QCOMPARE(selected, QStringLiteral("Copy of Elm"));
        QVERIFY(!g_bDialogCancelled);
        QCOMPARE(name.value(), QStringLiteral(" Elm Annex")); // typing replaced the selection
        QVERIFY(dialog->isHidden());

        // Escape cancels; the same dialog is reused, only hidden in between.
        WhenModalIsUp([dialog](QWidget* w) {
            QCOMPARE(w, static_cast<QWidget*>(dialog));
            QTest::keyClick(w, Qt::Key_Escape);
        });
        QVERIFY(!prompts.askPropertyName({QStringLiteral("?"), QStringLiteral("x")}).has_value());
        QVERIFY(g_bDialogCancelled);
        QCOMPARE(prompts.dialog(), dialog);

        // So does the close box.
        WhenModalIsUp([](QWidget* w) { w->close(); });
        QVERIFY(!prompts.askPropertyName({QStringLiteral("?"), QStringLiteral("x")}).has_value());
        WhenModalIsUp([](QWidget* w) {
            w->findChild<QPushButton*>(QStringLiteral("CancelButton"))->click();
        });
        QVERIFY(!prompts.askPropertyName({QStringLiteral("?"), QStringLiteral("x")}).has_value());
    }
};

QTEST_MAIN(ChangeTrackingTest)
#include "tst_changetracking.moc"
