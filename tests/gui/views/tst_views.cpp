// The views and the picture strip on their own, without a main window around them.
#include "gui/dialogs/scriptedfilepicker.h"
#include "gui/pictures/picturestrip.h"
#include "gui/views/controltable.h"
#include "gui/views/financialview.h"
#include "gui/views/outlookview.h"
#include "gui/views/propertyview.h"
#include "gui/views/returnsview.h"
#include "gui/views/summaryview.h"
#include "model/fieldtable.h"
#include "model/memoryform.h"
#include "testsupport.h"

#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

class TestViews : public QObject {
    Q_OBJECT
private slots:
    void everyTableFieldShowsOnItsViewWithItsCaption();
    void outlookSwitchesPeriodsAndDecades();
    void pictureStripAddsAndDeletesOnItsOwn();
};

void TestViews::everyTableFieldShowsOnItsViewWithItsCaption() {
    ControlTable controls;
    PropertyView property(nullptr, controls);
    FinancialView financial(nullptr, controls);
    SummaryView summary(nullptr, controls);
    OutlookView outlook(nullptr, controls);
    MemoryForm form;
    ReturnsView returns(nullptr, controls, form);
    const QHash<FieldView, QWidget*> views = {{FieldView::Property, &property},
                                              {FieldView::Financial, &financial},
                                              {FieldView::Summary, &summary},
                                              {FieldView::Outlook, &outlook},
                                              {FieldView::Returns, &returns}};
    for (const FieldInfo& field : FieldTable()) {
        const ControlTable::Cell* cell = controls.find(field.name, field.cells);
        QVERIFY2(cell && views[field.view]->isAncestorOf(cell->widget), qPrintable(field.name));
        QCOMPARE(cell->widget->property("readOnly").toBool(), field.isReadOnly());
        // Mortgage fields are captioned by their column headings, the notes by their group.
        if (field.caption.isEmpty() || field.group == QLatin1String("Mortgages"))
            continue;
        const ControlTable::Cell* caption =
            controls.find(QStringLiteral("lbl") + field.name.mid(3), 0);
        QVERIFY2(caption, qPrintable(field.name));
        QCOMPARE(qobject_cast<QLabel*>(caption->widget)->text(), field.caption);
        QCOMPARE(bool(controls.find(QStringLiteral("lbl") + field.name.mid(3) + "Percent", 0)),
                 field.isPercent());
    }
}

void TestViews::outlookSwitchesPeriodsAndDecades() {
    ControlTable controls;
    OutlookView view(nullptr, controls);
    view.show();
    // Every grid cell is found by its name and year, whatever the letter case.
    QVERIFY(controls.find(QStringLiteral("TXT10CFNETCASHFLOW"), 20));
    QSignalSpy chosen(&view, &OutlookView::periodChosen);
    QSignalSpy scrolled(&view, &OutlookView::decadeScrolled);
    auto* grid5 = view.findChild<QFrame*>(QStringLiteral("frameCFA5Year"));
    auto* first = view.findChild<QFrame*>(QStringLiteral("fraCashflow20Yrs1to10"));
    auto* second = view.findChild<QFrame*>(QStringLiteral("fraCashflow20Yrs10to20"));
    auto* bar = view.findChild<QScrollBar*>(QStringLiteral("hscrollCashFlow10to20"));

    QVERIFY(!view.choosePeriod(2));
    QCOMPARE(chosen.count(), 1);
    view.showChosenPeriod();
    // Twenty years open on the second decade, with the bar to go back.
    QVERIFY(grid5->isHidden() && first->isHidden() && second->isVisible() && bar->isVisible());
    QCOMPARE(scrolled.count(), 1);
    bar->setValue(1);
    view.showChosenDecade();
    QVERIFY(first->isVisible() && second->isHidden());
    // The period already shown is no new choice.
    QVERIFY(view.choosePeriod(2));
    QCOMPARE(chosen.count(), 1);
    view.choosePeriod(1);
    view.showChosenPeriod();
    QVERIFY(first->isVisible() && second->isHidden() && bar->isHidden());
}

void TestViews::pictureStripAddsAndDeletesOnItsOwn() {
    TempProgramFolder folder;
    const QString source = folder.file(QStringLiteral("porch.png"));
    QImage(40, 30, QImage::Format_RGB32).save(source);
    ControlTable controls;
    ViewFrame view(nullptr, controls, QStringLiteral("frameProperty"), QString(), 8400);
    QStringList pictures;
    PictureStrip strip(view, pictures);
    view.show();
    ScriptedFilePicker picker;
    strip.setFilePicker(&picker);
    QDateTime when(QDate(2024, 5, 1), QTime(9, 30));
    strip.setClock([&when] { return when = when.addSecs(1); });
    QSignalSpy edited(&strip, &PictureStrip::edited);

    picker.setNextFile(source);
    strip.addPicture();
    picker.setNextFile(source);
    strip.addPicture();
    QCOMPARE(pictures.size(), 3); // entry 0 unused, the newest first
    QCOMPARE(edited.count(), 2);
    const QString older = pictures.at(2);
    QVERIFY(QFile::exists(older) && older != pictures.at(1));

    strip.select(1);
    QVERIFY(strip.hasSelection());
    strip.deleteSelectionIfAny();
    QCOMPARE(pictures, QStringList({QString(), older}));
    QVERIFY(strip.slotFrame(1)->isVisible() && strip.slotFrame(2)->isHidden());
}

QTEST_MAIN(TestViews)
#include "tst_views.moc"
