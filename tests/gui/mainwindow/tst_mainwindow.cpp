// The main window as a user meets it: its fields, the moves between the views and what each
// move recomputes, typing into the financial figures, the outlook period, the layout and the
// window position.
#include "analysis/analysis.h"
#include "app/application.h"
#include "base/errorlog.h"
#include "base/numerictext.h"
#include "base/programfolder.h"
#include "base/version.h"
#include "gui/dialogs/prompts.h"
#include "gui/dialogs/scriptedprompts.h"
#include "gui/mainwindow/mainwindow.h"
#include "gui/mainwindow/windowlayout.h"
#include "gui/views/portfolioview.h"
#include "gui/widgets/linklabel.h"
#include "gui/widgets/outlookchart.h"
#include "gui/widgets/themecolours.h"
#include "model/fieldtable.h"
#include "model/memoryform.h"
#include "store/databaselock.h"
#include "store/propertydatabase.h"
#include "store/propertytable.h"
#include "testsupport.h"

#include <QApplication>
#include <QBarCategoryAxis>
#include <QChart>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QTableView>
#include <QTest>
#include <QValueAxis>
#include <QWheelEvent>
#include <cmath>
#include <memory>

namespace {

const QString kSentinel = QStringLiteral("untouched");

bool shown(MainWindow& w, const char* name) {
    QWidget* widget = w.findChild<QWidget*>(QString::fromLatin1(name));
    return widget && !widget->isHidden();
}

void writeSettings(const QString& left, const QString& top) {
    QSettings settings(QStringLiteral("Quillbrook"));
    settings.beginGroup(QStringLiteral("Settings"));
    settings.setValue(QStringLiteral("MainLeft"), left);
    settings.setValue(QStringLiteral("MainTop"), top);
}

QString storedSetting(const QString& key) {
    QSettings settings(QStringLiteral("Quillbrook"));
    settings.beginGroup(QStringLiteral("Settings"));
    return settings.value(key).toString();
}

// A window whose closing question is answered in advance.
class AnsweringWindow : public MainWindow {
public:
    bool answer = true;
    int asked = 0;

protected:
    bool confirmUnsavedWork() override {
        ++asked;
        return answer;
    }
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void everyStoredFieldIsANamedEnabledControl();
    void theFieldTableDescribesTheWindow();
    void startsOnTheHomePageWithDesignTextsAndCaption();
    void noCaptionIsClipped();

    void propertyViewRecalculatesNothing();
    void financialViewRefreshesPaymentsAndRecalculates();
    void summaryAndOutlookRecalculateWithoutTouchingPayments();
    void aViewAlreadyShownDoesNothing();
    void linksTurnBlueWhileHoveredAndOpenTheirViewOnRelease();
    void cashFlowLinkAlwaysComesUpOnFiveYears();

    void typingAMortgageFigureChangesOnlyItsPayment();
    void typingAnExpenseUpdatesTotalSummaryAndChart();
    void periodBoxShowsTheMatchingGridAndChart();
    void twentyYearBarPagesBetweenTheDecades();
    void eachKeystrokeShowsTheOutlookOnceAndWhole();
    void theChartAfterEachKeystrokeIsTheChartItsFiguresDraw();
    void outlookCellsDrawEveryTextAsTheirFontSetsIt();
    void openingAPropertyRunsEveryHandlerAsBefore();

    void typingLimitsHoldBackOnlyWhatTheUserAdds();
    void closingTheWindowRunsNoHandlerOnIt();
    void focusOnAPropertyFieldClearsThePictureSelection();

    void layoutCentresOnlyBeyond11440Twips();
    void scrollBarsFollowTheContentSize();
    void scrollingMovesTheContentByThirdsAndHiddenBarsReset();

    void opensAtTheDefaultPositionWithoutSettings();
    void opensAtAStoredPosition();
    void storedPositionOffEveryScreenIsIgnored();
    void aWindowKeptFromAnotherScreenIsMovedAndShrunkOntoThisOne();
    void everyLinkStaysWholeInTheSmallestWindow();
    void theReturnsViewTakesAWideWindowsWidth();
    void closingStoresThePositionUnlessMinimised();
    void closingWithAPropertyOpenAsksFirst();
    void aLogThatCannotBeWrittenIsReportedAndTheProgramGoesOn();
    void aSecondWindowOnOneDatabaseOpensItReadOnlyOrQuits();
    void aDataFolderThatCannotBeWrittenIsSaidOnceAndReadOnly();

private:
    std::unique_ptr<TempProgramFolder> m_folder;
};

void TestMainWindow::init() {
    m_folder = std::make_unique<TempProgramFolder>(true);
    PrepareProgramFolders(); // the logo path, as start-up sets it
}

void TestMainWindow::cleanup() {
    m_folder.reset();
}

void TestMainWindow::everyStoredFieldIsANamedEnabledControl() {
    MainWindow w;
    for (const FieldSpec& field : StoredFields()) {
        const int first = field.cells == 0 ? 0 : 1;
        const int last = field.cells == 0 ? 0 : field.cells;
        for (int i = first; i <= last; ++i) {
            QWidget* c = w.control(field.name, i);
            QVERIFY2(c, qPrintable(field.name + QString::number(i)));
            QCOMPARE(c->objectName(), field.name);
            QCOMPARE(c->property("index").toInt(), i);
            QVERIFY(c->isEnabled());
            if (field.name == QLatin1String("txtMiscNotes"))
                QVERIFY(qobject_cast<QPlainTextEdit*>(c));
            else
                QVERIFY(qobject_cast<QLineEdit*>(c));
        }
    }
    // Lookups ignore letter case.
    QCOMPARE(w.control(QStringLiteral("TXTPURCHASEPRICE")),
             w.control(QStringLiteral("txtPurchasePrice")));

    for (int row = 1; row <= 4; ++row) {
        auto* payment =
            w.control<QLineEdit>(QStringLiteral("txtMortgageMonthlyPayment%1").arg(row));
        QVERIFY(payment->isReadOnly());
        QCOMPARE(payment->palette().color(QPalette::Base), QColor(0xE0, 0xE0, 0xE0));
    }

    // The window order walks the stored fields first, exactly as a save writes them.
    const QVector<ControlRef> order = w.controlsInWindowOrder();
    int k = 0;
    for (const FieldSpec& field : StoredFields()) {
        const int cells = field.cells == 0 ? 1 : field.cells;
        for (int i = 0; i < cells; ++i, ++k) {
            QCOMPARE(order.at(k).name, field.name);
            QCOMPARE(order.at(k).kind, ControlKind::TextField);
        }
    }
    bool label = false;
    bool combo = false;
    for (int i = k; i < order.size(); ++i) {
        QVERIFY(order.at(i).kind != ControlKind::TextField);
        label |= order.at(i).name == QLatin1String("lblAnnualOperatingExpenses");
        combo |= order.at(i).name == QLatin1String("cmbCFAYears");
    }
    QVERIFY(label);
    QVERIFY(combo);
}

// Until every view builds its rows from the field table, the table and the window must say
// the same about each field: its view, caption, "%" sign, heading and whether it can be typed in.
void TestMainWindow::theFieldTableDescribesTheWindow() {
    MainWindow w;
    const QMap<FieldView, QString> frames{{FieldView::Property, "frameProperty"},
                                          {FieldView::Financial, "frameFinancial"},
                                          {FieldView::Summary, "frameQuickView"},
                                          {FieldView::Outlook, "frame5YearView"},
                                          {FieldView::Returns, "frameReturnsView"}};
    for (const FieldInfo& f : FieldTable()) {
        QWidget* field = w.control(f.name, f.cells == 0 ? 0 : 1);
        QVERIFY2(field, qPrintable(f.name));
        QWidget* frame = w.findChild<QWidget*>(frames.value(f.view));
        QVERIFY2(frame && frame->isAncestorOf(field), qPrintable(f.name));
        auto* edit = qobject_cast<QLineEdit*>(field);
        QCOMPARE(edit && edit->isReadOnly(), f.isReadOnly());
        const QString base = QStringLiteral("lbl") + f.name.mid(3);
        if (f.cells == 0 && !f.caption.isEmpty() && f.group != QLatin1String("Mortgages"))
            QCOMPARE(w.text(base), f.caption);
        QCOMPARE(w.control(base + QStringLiteral("Percent")) != nullptr, f.isPercent());
        if (!f.group.isEmpty()) {
            QString heading = f.group;
            heading.remove(QLatin1Char(' '));
            auto* label = frame->findChild<QLabel*>(QStringLiteral("lbl%1Heading").arg(heading));
            QVERIFY2(label && label->text() == f.group, qPrintable(f.group));
        }
    }
}

void TestMainWindow::startsOnTheHomePageWithDesignTextsAndCaption() {
    MainWindow w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Quillbrook v") + VersionText());
    QVERIFY(shown(w, "frameHome"));
    QVERIFY(shown(w, "frameHomeNavigation"));
    for (const char* hidden :
         {"frameNavigation", "frameProperty", "frameFinancial", "frameQuickView", "frame5YearView"})
        QVERIFY2(!shown(w, hidden), hidden);
    QCOMPARE(w.homeFrame()->objectName(), QStringLiteral("frameHome"));
    QVERIFY(w.homeFrame()->width() * 15 >= 7440 + 3372);

    for (const FieldDefault& d : DesignDefaults())
        QCOMPARE(w.text(d.name), d.text);
    QCOMPARE(w.text(QStringLiteral("lblAnnualOperatingExpenses")),
             QStringLiteral("Annual Operating Expenses"));
    auto* period = w.control<QComboBox>(QStringLiteral("cmbCFAYears"));
    QCOMPARE(period->count(), 3);
    QCOMPARE(period->currentIndex(), -1);
    QVERIFY(!w.selectedItemData(QStringLiteral("cmbCFAYears")).isValid());
    QCOMPARE(period->itemData(2).toInt(), 20);

    auto* banner = w.findChild<QLabel*>(QStringLiteral("lblHomeBanner"));
    QCOMPARE(banner->text(), QStringLiteral("   Quillbrook: Real Estate Investment Analyzer"));
    QVERIFY(!w.findChild<QLabel*>(QStringLiteral("imgUpperLeftCorner"))->pixmap().isNull());
    QCOMPARE(
        w.findChild<QFrame*>(QStringLiteral("frameNavigation"))->palette().color(QPalette::Window),
        QColor(0xE0, 0xE0, 0xE0));
    QCOMPARE(w.homeFrame()->palette().color(QPalette::Window), QColor(Qt::white));

    QAction* exit = w.findChild<QAction*>(QStringLiteral("mnuFileExit"));
    QVERIFY(exit);
    QCOMPARE(exit->text(), QStringLiteral("E&xit"));
    QVERIFY(w.fileMenu()->actions().contains(exit));
    QCOMPARE(w.fileMenu()->objectName(), QStringLiteral("mnuFile"));
}

void TestMainWindow::noCaptionIsClipped() {
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ShowPropertyStrip(w);
    const auto labels = w.findChildren<QLabel*>();
    int checked = 0;
    for (QLabel* label : labels) {
        if (label->text().isEmpty())
            continue;
        ++checked;
        const int needed =
            label->fontMetrics().horizontalAdvance(label->text().split('\n').first());
        QVERIFY2(needed <= label->width(),
                 qPrintable(label->objectName() + QStringLiteral(": ") + label->text()));
        QVERIFY2(label->fontMetrics().height() <= label->height(), qPrintable(label->objectName()));
    }
    QVERIFY(checked > 80);
    // The four links stay inside the strip.
    auto* strip = w.findChild<QFrame*>(QStringLiteral("frameNavigation"));
    auto* last = w.findChild<QLabel*>(QStringLiteral("lblCashFlow"));
    QVERIFY(last->geometry().right() < strip->width());
}

void TestMainWindow::propertyViewRecalculatesNothing() {
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ShowPropertyStrip(w);
    w.setText(QStringLiteral("txtQISTotalAcquisitionCost"), kSentinel);
    w.imgProperty_Click();
    QVERIFY(shown(w, "frameProperty"));
    QVERIFY(!shown(w, "frameHome"));
    QCOMPARE(w.text(QStringLiteral("txtQISTotalAcquisitionCost")), kSentinel);
    QCOMPARE(w.text(QStringLiteral("txtMortgageMonthlyPayment1")), QStringLiteral("0"));
    QCOMPARE(QApplication::focusWidget(), w.control(QStringLiteral("txtPropertyInformation")));
}

void TestMainWindow::financialViewRefreshesPaymentsAndRecalculates() {
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ShowPropertyStrip(w);
    w.imgProperty_Click();
    w.setText(QStringLiteral("txtPurchasePrice"), QStringLiteral("200000"));
    w.setText(QStringLiteral("txtClosingCosts"), QStringLiteral("15000"));
    w.setText(QStringLiteral("txtQISTotalAcquisitionCost"), kSentinel);
    w.imgFinancial_Click();
    QVERIFY(shown(w, "frameFinancial"));
    QVERIFY(!shown(w, "frameProperty"));
    QCOMPARE(w.text(QStringLiteral("txtMortgageMonthlyPayment1")), QStringLiteral("$1,314.72"));
    QCOMPARE(w.text(QStringLiteral("txtMortgageMonthlyPayment2")), QStringLiteral("$0.00"));
    QCOMPARE(w.text(QStringLiteral("txtQISTotalAcquisitionCost")), QStringLiteral("$215,000"));
    QCOMPARE(w.text(QStringLiteral("lblAnnualOperatingExpenses")),
             QStringLiteral("Annual Operating Expenses = $20,850"));
    QCOMPARE(QApplication::focusWidget(), w.control(QStringLiteral("txtCurrentMarketValue")));
}

void TestMainWindow::summaryAndOutlookRecalculateWithoutTouchingPayments() {
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ShowPropertyStrip(w);
    w.imgProperty_Click();
    w.setText(QStringLiteral("txtPurchasePrice"), QStringLiteral("200000"));
    w.setText(QStringLiteral("txtQISPropertyPrice"), kSentinel);
    w.imgQuickView_Click();
    QVERIFY(shown(w, "frameQuickView"));
    QVERIFY(!shown(w, "frameProperty"));
    QCOMPARE(w.text(QStringLiteral("txtQISPropertyPrice")), QStringLiteral("$200,000"));
    QCOMPARE(w.text(QStringLiteral("txtMortgageMonthlyPayment1")), QStringLiteral("0"));
    QCOMPARE(QApplication::focusWidget(),
             w.findChild<QWidget*>(QStringLiteral("picUpperLeftCorner")));

    w.setText(QStringLiteral("txtPurchasePrice"), QStringLiteral("250000"));
    w.img5YearView_Click();
    QVERIFY(shown(w, "frame5YearView"));
    QVERIFY(!shown(w, "frameQuickView"));
    QCOMPARE(w.text(QStringLiteral("txtQISPropertyPrice")), QStringLiteral("$250,000"));
    QCOMPARE(w.text(QStringLiteral("txtMortgageMonthlyPayment1")), QStringLiteral("0"));
}

void TestMainWindow::aViewAlreadyShownDoesNothing() {
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ShowPropertyStrip(w);
    w.imgFinancial_Click();
    w.setText(QStringLiteral("txtQISTotalAcquisitionCost"), kSentinel);
    w.setText(QStringLiteral("txtMortgageMonthlyPayment1"), kSentinel);
    w.control(QStringLiteral("txtPurchasePrice"))->setFocus();
    const int passes = w.layoutPasses();
    w.imgFinancial_Click();
    QCOMPARE(w.layoutPasses(), passes);
    QCOMPARE(w.text(QStringLiteral("txtQISTotalAcquisitionCost")), kSentinel);
    QCOMPARE(w.text(QStringLiteral("txtMortgageMonthlyPayment1")), kSentinel);
    QCOMPARE(QApplication::focusWidget(), w.control(QStringLiteral("txtPurchasePrice")));

    w.imgQuickView_Click();
    w.setText(QStringLiteral("txtQISTotalAcquisitionCost"), kSentinel);
    w.lblQuickView_DragDrop();
    QCOMPARE(w.text(QStringLiteral("txtQISTotalAcquisitionCost")), kSentinel);
}

void TestMainWindow::linksTurnBlueWhileHoveredAndOpenTheirViewOnRelease() {
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ShowPropertyStrip(w);
    w.imgProperty_Click();
    auto* link = w.findChild<LinkLabel*>(QStringLiteral("lblFinancial"));
    QCOMPARE(link->text(), QStringLiteral("Financial Information"));
    QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    QVERIFY(!link->font().underline());
    emit link->pointerEntered();
    // The light blue, only as dark as the grey strip needs to keep it readable.
    const QColor hovered = link->palette().color(QPalette::WindowText);
    QVERIFY(qAbs(hovered.hue() - QColor(102, 153, 204).hue()) <= 3);
    QVERIFY(Theme::Contrast(hovered, Theme::BackgroundOf(link)) >= Theme::kTextContrast);
    QVERIFY(link->font().underline());
    emit link->pointerLeft();
    QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    QVERIFY(!link->font().underline());

    // A real click: the view opens when the button comes up over the link.
    QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
    QVERIFY(shown(w, "frameFinancial"));
    QVERIFY(!link->font().underline());
    // Released outside the link: nothing.
    auto* summary = w.findChild<LinkLabel*>(QStringLiteral("lblQuickView"));
    QTest::mousePress(summary, Qt::LeftButton, {}, summary->rect().center());
    QTest::mouseRelease(summary, Qt::LeftButton, {}, QPoint(-20, -20));
    QVERIFY(!shown(w, "frameQuickView"));

    // The icons open their views too.
    QTest::mouseClick(w.findChild<QLabel*>(QStringLiteral("imgQuickView")), Qt::LeftButton);
    QVERIFY(shown(w, "frameQuickView"));
    QTest::mouseClick(w.findChild<QLabel*>(QStringLiteral("imgProperty")), Qt::LeftButton);
    QVERIFY(shown(w, "frameProperty"));
}

void TestMainWindow::cashFlowLinkAlwaysComesUpOnFiveYears() {
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ShowPropertyStrip(w);
    w.imgProperty_Click();
    w.lblCashFlow_DragDrop();
    QVERIFY(shown(w, "frame5YearView"));
    auto* period = w.control<QComboBox>(QStringLiteral("cmbCFAYears"));
    QCOMPARE(period->currentIndex(), 0);
    QVERIFY(shown(w, "frameCFA5Year"));
    QCOMPARE(w.chart()->labels().size(), 5);

    // Already on the outlook with twenty years: the link still returns to five.
    period->setCurrentIndex(2);
    QVERIFY(shown(w, "frameCFA10Year"));
    w.lblCashFlow_DragDrop();
    QCOMPARE(period->currentIndex(), 0);
    QVERIFY(shown(w, "frameCFA5Year"));
    QVERIFY(!shown(w, "frameCFA10Year"));
    QCOMPARE(w.chart()->labels().size(), 5);
}

void TestMainWindow::typingAMortgageFigureChangesOnlyItsPayment() {
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ShowPropertyStrip(w);
    w.imgFinancial_Click();
    w.setText(QStringLiteral("txtQISAnnualDebtService"), kSentinel);
    QCOMPARE(w.text(QStringLiteral("txtMortgageMonthlyPayment1")), QStringLiteral("$1,314.72"));

    auto* rate = w.control<QLineEdit>(QStringLiteral("txtAnnualInterestRate2"));
    auto* term = w.control<QLineEdit>(QStringLiteral("txtAmortizationTerm2"));
    auto* principal = w.control<QLineEdit>(QStringLiteral("txtMortgagePrincipal2"));
    rate->selectAll();
    QTest::keyClicks(rate, QStringLiteral("8.25"));
    term->selectAll();
    QTest::keyClicks(term, QStringLiteral("360"));
    QCOMPARE(w.text(QStringLiteral("txtMortgageMonthlyPayment2")), QStringLiteral("$0.00"));
    principal->selectAll();
    QTest::keyClicks(principal, QStringLiteral("$175,000"));
    QCOMPARE(w.text(QStringLiteral("txtMortgageMonthlyPayment2")), QStringLiteral("$1,314.72"));
    QCOMPARE(w.text(QStringLiteral("txtMortgageMonthlyPayment1")), QStringLiteral("$1,314.72"));
    QCOMPARE(w.text(QStringLiteral("txtMortgageMonthlyPayment3")), QStringLiteral("$0.00"));
    // A payment change alone does not recalculate.
    QCOMPARE(w.text(QStringLiteral("txtQISAnnualDebtService")), kSentinel);

    // The user cannot type over a payment.
    auto* payment = w.control<QLineEdit>(QStringLiteral("txtMortgageMonthlyPayment2"));
    QTest::keyClicks(payment, QStringLiteral("99"));
    QCOMPARE(payment->text(), QStringLiteral("$1,314.72"));
}

void TestMainWindow::typingAnExpenseUpdatesTotalSummaryAndChart() {
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ShowPropertyStrip(w);
    w.control<QComboBox>(QStringLiteral("cmbCFAYears"))->setCurrentIndex(0);
    w.imgFinancial_Click();
    const QVector<double> before = w.chart()->values();
    QCOMPARE(before.size(), 5);

    auto* advertising = w.control<QLineEdit>(QStringLiteral("txtAdvertising"));
    advertising->setFocus();
    advertising->end(false);
    QTest::keyClicks(advertising, QStringLiteral("00")); // 50 becomes 5000
    QCOMPARE(w.text(QStringLiteral("lblAnnualOperatingExpenses")),
             QStringLiteral("Annual Operating Expenses = $25,800"));
    QCOMPARE(w.text(QStringLiteral("txtQISAnnualExpenses")), QStringLiteral("($25,800)"));
    const QVector<double> after = w.chart()->values();
    QCOMPARE(after.size(), 5);
    QVERIFY(qAbs(after.first() - (before.first() - 4950)) <= 1.0);
    for (int year = 1; year <= 5; ++year)
        QCOMPARE(after.at(year - 1),
                 FieldNumber(w.text(QStringLiteral("txt10CFNetCashflow"), year)));

    // The operating cost increase is not part of the total.
    auto* increase = w.control<QLineEdit>(QStringLiteral("txtOperatingCostIncrease"));
    increase->selectAll();
    QTest::keyClicks(increase, QStringLiteral("3"));
    QCOMPARE(w.text(QStringLiteral("lblAnnualOperatingExpenses")),
             QStringLiteral("Annual Operating Expenses = $25,800"));
}

void TestMainWindow::periodBoxShowsTheMatchingGridAndChart() {
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ShowPropertyStrip(w);
    w.setText(QStringLiteral("txtGrossMonthlyIncome"), QStringLiteral("5000"));
    w.img5YearView_Click();
    auto* period = w.control<QComboBox>(QStringLiteral("cmbCFAYears"));

    period->setCurrentIndex(1);
    QVERIFY(!shown(w, "frameCFA5Year"));
    QVERIFY(shown(w, "frameCFA10Year"));
    QVERIFY(shown(w, "fraCashflow20Yrs1to10"));
    QVERIFY(!shown(w, "fraCashflow20Yrs10to20"));
    QVERIFY(!shown(w, "hscrollCashFlow10to20"));
    QCOMPARE(w.findChild<QFrame*>(QStringLiteral("frameCFA10Year"))->y(), 2040 / 15);
    QCOMPARE(w.chart()->labels().size(), 10);
    QCOMPARE(w.chart()->labels().last(), QStringLiteral("Year 10"));

    period->setCurrentIndex(2);
    QVERIFY(!shown(w, "fraCashflow20Yrs1to10"));
    QVERIFY(shown(w, "fraCashflow20Yrs10to20"));
    QVERIFY(shown(w, "hscrollCashFlow10to20"));
    QCOMPARE(w.findChild<QScrollBar*>(QStringLiteral("hscrollCashFlow10to20"))->value(), 2);
    const QStringList labels = w.chart()->labels();
    QCOMPARE(labels.size(), 20);
    QCOMPARE(labels.first(), QStringLiteral("Year 1"));
    QCOMPARE(labels.last(), QStringLiteral("Year 20"));
    auto* axis = qobject_cast<QBarCategoryAxis*>(w.chart()->chart()->axes(Qt::Horizontal).first());
    QCOMPARE(axis->labelsAngle(), -90);
    // The chart's bars are the 20-year grid's annual cash flows.
    for (int year = 1; year <= 20; ++year)
        QCOMPARE(w.chart()->values().at(year - 1),
                 FieldNumber(w.text(QStringLiteral("txt10CFNetCashflow"), year)));

    period->setCurrentIndex(0);
    QVERIFY(shown(w, "frameCFA5Year"));
    QVERIFY(!shown(w, "frameCFA10Year"));
    QCOMPARE(w.chart()->labels().size(), 5);
    QCOMPARE(axis->labelsAngle(), 0);

    // Grid captions.
    QCOMPARE(w.text(QStringLiteral("lbl10CFYear"), 9), QStringLiteral("Year 9"));
    QCOMPARE(w.text(QStringLiteral("lbl10CFYear"), 10), QStringLiteral("Yr 10"));
    QCOMPARE(w.text(QStringLiteral("lbl10CFYear"), 20), QStringLiteral("Yr 20"));
    QCOMPARE(w.text(QStringLiteral("lbl10CFIncomeTaxes")), QStringLiteral("Est. Income Tax"));
    QCOMPARE(w.text(QStringLiteral("lbl5CFIncomeTaxes")), QStringLiteral("Estimated Income Tax"));
    QCOMPARE(w.text(QStringLiteral("lblCFAYears")), QStringLiteral("View Cash Flow Outlook for "));
    QCOMPARE(w.control(QStringLiteral("txt10CFNetCashflow"), 10)->parentWidget()->objectName(),
             QStringLiteral("fraCashflow20Yrs1to10"));
    QCOMPARE(w.control(QStringLiteral("txt10CFNetCashflow"), 11)->parentWidget()->objectName(),
             QStringLiteral("fraCashflow20Yrs10to20"));
}

void TestMainWindow::twentyYearBarPagesBetweenTheDecades() {
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ShowPropertyStrip(w);
    w.img5YearView_Click();
    auto* period = w.control<QComboBox>(QStringLiteral("cmbCFAYears"));
    period->setCurrentIndex(2);
    auto* bar = w.findChild<QScrollBar*>(QStringLiteral("hscrollCashFlow10to20"));
    QCOMPARE(bar->minimum(), 1);
    QCOMPARE(bar->maximum(), 2);
    w.setText(QStringLiteral("txt10CFTotalGrossIncome"), kSentinel, 3);
    bar->setValue(1);
    QVERIFY(shown(w, "fraCashflow20Yrs1to10"));
    QVERIFY(!shown(w, "fraCashflow20Yrs10to20"));
    QCOMPARE(QApplication::focusWidget(), period);
    // Paging does not recalculate.
    QCOMPARE(w.text(QStringLiteral("txt10CFTotalGrossIncome"), 3), kSentinel);
    bar->setValue(2);
    QVERIFY(!shown(w, "fraCashflow20Yrs1to10"));
    QVERIFY(shown(w, "fraCashflow20Yrs10to20"));

    // Negative years are red, the others green.
    w.setText(QStringLiteral("txtGrossMonthlyIncome"), QStringLiteral("100"));
    period->setCurrentIndex(0);
    QCOMPARE(w.textColor(QStringLiteral("txt5CFNetCashflow"), 1), qRgb(255, 0, 0));
    // On screen a red dark enough to read on the white cell.
    const QPalette cell = w.control<QLineEdit>(QStringLiteral("txt5CFNetCashflow"), 1)->palette();
    QCOMPARE(cell.color(QPalette::Text).hue(), 0);
    QVERIFY(Theme::Contrast(cell.color(QPalette::Text), cell.color(QPalette::Base)) >= 4.5);
    QVERIFY(w.chart()->values().first() < 0);
    auto* axis = qobject_cast<QValueAxis*>(w.chart()->chart()->axes(Qt::Vertical).first());
    QVERIFY(axis->min() <= w.chart()->values().first());
    w.setText(QStringLiteral("txtGrossMonthlyIncome"), QStringLiteral("20000"));
    w.setText(QStringLiteral("txtAdvertising"), QStringLiteral("60"));
    QCOMPARE(w.textColor(QStringLiteral("txt5CFNetCashflow"), 1), qRgb(0, 128, 0));
}

namespace {

// The outlook as the same inputs give it when worked out away from the window.
MemoryForm ExpectedOutlook(MainWindow& w) {
    MemoryForm expected;
    for (const FieldSpec& field : StoredFields()) {
        for (int i = field.cells == 0 ? 0 : 1; i <= field.cells; ++i)
            expected.setText(field.name, w.text(field.name, i), i);
    }
    expected.selectOutlookPeriod(
        w.control<QComboBox>(QStringLiteral("cmbCFAYears"))->currentIndex());
    RecalculateAnalysis(expected);
    return expected;
}

} // namespace

// Figures change where they stand: after each keystroke every cell on screen holds the figure
// and colour the inputs give, written once, and the chart's bars and scale match them, also
// after typing back to an earlier figure and after the number of years changes.
void TestMainWindow::eachKeystrokeShowsTheOutlookOnceAndWhole() {
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ShowPropertyStrip(w);
    w.setText(QStringLiteral("txtGrossMonthlyIncome"), QStringLiteral("3800"));
    w.setText(QStringLiteral("txtMortgagePrincipal1"), QStringLiteral("208000"));
    w.setText(QStringLiteral("txtAnnualInterestRate1"), QStringLiteral("6.75"));
    w.setText(QStringLiteral("txtAmortizationTerm1"), QStringLiteral("360"));
    w.setText(QStringLiteral("txtAnnualRateIncrease"), QStringLiteral("3"));
    w.lblCashFlow_DragDrop();
    auto* period = w.control<QComboBox>(QStringLiteral("cmbCFAYears"));
    period->setCurrentIndex(2);
    int netWrites = 0;
    int mortgageWrites = 0;
    connect(w.control<QLineEdit>(QStringLiteral("txt10CFNetCashflow"), 15), &QLineEdit::textChanged,
            [&] { ++netWrites; });
    connect(w.control<QLineEdit>(QStringLiteral("txt10CFTotalMortgages"), 15),
            &QLineEdit::textChanged, [&] { ++mortgageWrites; });
    auto* advertising = w.control<QLineEdit>(QStringLiteral("txtAdvertising"));
    advertising->setFocus();
    advertising->end(false);
    const auto check = [&] {
        const MemoryForm expected = ExpectedOutlook(w);
        for (const FieldSpec& field : StoredFields()) {
            if (!field.name.startsWith(QLatin1String("txt10CF")) &&
                !field.name.startsWith(QLatin1String("txtQIS")))
                continue;
            for (int i = field.cells == 0 ? 0 : 1; i <= field.cells; ++i) {
                QCOMPARE(w.text(field.name, i), expected.text(field.name, i));
                // What is on screen; a cell out of sight gets its figure when shown.
                auto* cell = w.control<QLineEdit>(field.name, i);
                if (!cell->isVisible())
                    continue;
                QCOMPARE(cell->text(), expected.text(field.name, i));
                if (field.cells > 0)
                    QCOMPARE(cell->palette().color(QPalette::Text),
                             Theme::Readable(QColor::fromRgb(expected.textColor(field.name, i)),
                                             cell->palette().color(QPalette::Base)));
            }
        }
        QCOMPARE(w.chart()->values(), expected.chartValues());
        QCOMPARE(w.chart()->labels(), expected.chartLabels());
        auto* axis = qobject_cast<QValueAxis*>(w.chart()->chart()->axes(Qt::Vertical).first());
        for (double v : expected.chartValues())
            QVERIFY(axis->min() < v && v < axis->max());
    };
    const QString keys = QStringLiteral("9999");
    for (QChar key : keys) {
        QTest::keyClicks(advertising, QString(key));
        check();
    }
    QCOMPARE(netWrites, keys.size());
    QCOMPARE(mortgageWrites, 0);
    // What the screen shows after the keystrokes is what a full repaint draws.
    QCoreApplication::processEvents();
    const QImage typed = w.screen()->grabWindow(w.winId()).toImage();
    w.repaint();
    const QImage whole = w.screen()->grabWindow(w.winId()).toImage();
    QVERIFY(!typed.isNull());
    QCOMPARE(typed, whole);
    for (int i = 0; i < keys.size(); ++i) {
        QTest::keyClick(advertising, Qt::Key_Backspace);
        check();
    }
    w.findChild<QScrollBar*>(QStringLiteral("hscrollCashFlow10to20"))->setValue(1);
    QVERIFY(w.control(QStringLiteral("txt10CFNetCashflow"), 1)->isVisible());
    check();
    period->setCurrentIndex(0);
    check();
    QTest::keyClicks(advertising, QStringLiteral("7"));
    period->setCurrentIndex(2);
    check();
}

// A keystroke that moves only the bars redraws the bars alone over the chart kept from before;
// the chart on screen is still, pixel for pixel, the chart its figures draw afresh, also right
// after a keystroke that moved the scale with them.
void TestMainWindow::theChartAfterEachKeystrokeIsTheChartItsFiguresDraw() {
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ShowPropertyStrip(w);
    w.setText(QStringLiteral("txtGrossMonthlyIncome"), QStringLiteral("3800"));
    w.setText(QStringLiteral("txtMortgagePrincipal1"), QStringLiteral("208000"));
    w.setText(QStringLiteral("txtAnnualInterestRate1"), QStringLiteral("6.75"));
    w.setText(QStringLiteral("txtAmortizationTerm1"), QStringLiteral("360"));
    w.setText(QStringLiteral("txtAnnualRateIncrease"), QStringLiteral("3"));
    w.lblCashFlow_DragDrop();
    w.control<QComboBox>(QStringLiteral("cmbCFAYears"))->setCurrentIndex(2);
    // Tall enough that the whole chart is on screen, under the grid and its note.
    w.resize(w.width(), w.findChild<QWidget*>(QStringLiteral("frame5YearView"))->height() + 300);
    OutlookChart* chart = w.chart();
    auto* scale = qobject_cast<QValueAxis*>(chart->chart()->axes(Qt::Vertical).first());
    auto* advertising = w.control<QLineEdit>(QStringLiteral("txtAdvertising"));
    advertising->end(false);
    const auto onScreen = [&] {
        for (int turn = 0; turn < 3; ++turn)
            QCoreApplication::processEvents();
        const QRect area(chart->mapTo(&w, QPoint()), chart->size());
        return w.screen()->grabWindow(w.winId()).toImage().copy(area);
    };
    const auto afresh = [&] {
        OutlookChart fresh;
        fresh.setPalette(chart->parentWidget()->palette());
        fresh.setAttribute(Qt::WA_DontShowOnScreen);
        fresh.resize(chart->size());
        fresh.show();
        fresh.setData(chart->values(), chart->labels());
        QCoreApplication::processEvents();
        return fresh.grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    // Advertising 50 becomes 505 and back (the bars move), then 7000: the scale has a line
    // fewer and keeps its width. Insurance 600 becomes 60 and back: the bars move over it.
    auto* insurance = w.control<QLineEdit>(QStringLiteral("txtInsurance"));
    insurance->end(false);
    const std::pair<QLineEdit*, Qt::Key> keys[] = {
        {advertising, Qt::Key_5},         {advertising, Qt::Key_Backspace},
        {advertising, Qt::Key_Backspace}, {advertising, Qt::Key_Backspace},
        {advertising, Qt::Key_7},         {advertising, Qt::Key_0},
        {advertising, Qt::Key_0},         {advertising, Qt::Key_0},
        {insurance, Qt::Key_Backspace},   {insurance, Qt::Key_0}};
    int paintsWhenScaleMoved = -1;
    for (const auto& [field, key] : keys) {
        const int lines = scale->tickCount();
        QTest::keyClick(field, key);
        if (scale->tickCount() != lines)
            paintsWhenScaleMoved = chart->barPaints();
        QCOMPARE(onScreen().convertToFormat(QImage::Format_RGB32), afresh());
    }
    QVERIFY(paintsWhenScaleMoved >= 0);
    QVERIFY(chart->barPaints() > paintsWhenScaleMoved);
}

// Figures are laid out without the text shaper, any other text with it: a cell draws each text
// as a field in the cell's font always did, a word whose letters the font joins included.
void TestMainWindow::outlookCellsDrawEveryTextAsTheirFontSetsIt() {
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ShowPropertyStrip(w);
    w.lblCashFlow_DragDrop();
    auto* cell = w.control<QLineEdit>(QStringLiteral("txt5CFNetCashflow"), 1);
    QVERIFY(cell->isVisible());
    QLineEdit shaped;
    shaped.setAttribute(Qt::WA_DontShowOnScreen);
    shaped.setFrame(false);
    shaped.setAlignment(cell->alignment());
    shaped.setTextMargins(cell->textMargins());
    shaped.resize(cell->size());
    shaped.show();
    for (const QString& text : {QStringLiteral("($12,345)"), QStringLiteral("Infinite"),
                                QStringLiteral("$7,001"), QStringLiteral("office")}) {
        w.setText(QStringLiteral("txt5CFNetCashflow"), text, 1);
        QFont font = cell->font();
        font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() & ~QFont::PreferNoShaping));
        shaped.setFont(font);
        shaped.setPalette(cell->palette());
        shaped.setText(text);
        QCOMPARE(cell->grab().toImage(), shaped.grab().toImage());
    }
}

// Opening a property empties the fields and loads them with every change handler running in
// the same order as ever: the figures, and the errors logged on the way, are those of the
// same steps worked through away from the window.
void TestMainWindow::openingAPropertyRunsEveryHandlerAsBefore() {
    QByteArray database = SampleDatabaseBytes(2, 0);
    database.replace("txtRepairAndMaintenance=", "txtRepairAndMaintenance=n/a"); // no number
    WriteFile(PropertyDatabasePath(), database);
    LoadPropertyDatabase();
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const auto logged = [&] { return int(m_folder->logLines().size()); };
    const int before = logged();
    w.commands().OpenPropertyAtRow(2);
    w.commands().OpenPropertyAtRow(1);
    const int windowErrors = logged() - before;
    QVERIFY(windowErrors > 0);

    MemoryForm expected;
    ConnectAnalysisHandlers(expected);
    expected.applyDesignDefaults();
    for (qint32 row : {2, 1}) {
        for (const ControlRef& c : expected.controlsInWindowOrder()) {
            if (c.kind == ControlKind::TextField)
                expected.setText(c.name, QString(), c.index);
        }
        g_lCurrentProperty = row;
        QStringList pictures{QString()};
        LoadPropertyIntoFields(expected, pictures);
    }
    QCOMPARE(logged() - before - windowErrors, windowErrors);
    for (const FieldSpec& field : StoredFields()) {
        for (int i = field.cells == 0 ? 0 : 1; i <= field.cells; ++i)
            QCOMPARE(w.text(field.name, i), expected.text(field.name, i));
    }
    QCOMPARE(w.text(QStringLiteral("lblAnnualOperatingExpenses")),
             expected.text(QStringLiteral("lblAnnualOperatingExpenses")));
    ResetPropertyTable();
}

void TestMainWindow::typingLimitsHoldBackOnlyWhatTheUserAdds() {
    MainWindow w;
    // What the program puts in (a property read from the file) stays whole.
    const QString longNotes(3000, QLatin1Char('n'));
    const QString longName(40000, QLatin1Char('a'));
    w.setText(QStringLiteral("txtMiscNotes"), longNotes);
    w.setText(QStringLiteral("txtPropertyInformation"), longName);
    QCOMPARE(w.text(QStringLiteral("txtMiscNotes")), longNotes);
    QCOMPARE(w.text(QStringLiteral("txtPropertyInformation")), longName);

    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ShowPropertyStrip(w);
    w.imgProperty_Click();
    auto* notes = w.control<QPlainTextEdit>(QStringLiteral("txtMiscNotes"));
    auto* name = w.control<QLineEdit>(QStringLiteral("txtPropertyInformation"));
    // The user may shorten a long text, not lengthen it; undo gives back what went.
    notes->moveCursor(QTextCursor::End);
    QTest::keyClick(notes, Qt::Key_X);
    QTest::keyClick(notes, Qt::Key_Backspace);
    QTest::keyClick(notes, Qt::Key_X);
    QCOMPARE(notes->toPlainText().size(), 2999);
    notes->undo();
    QCOMPARE(notes->toPlainText(), longNotes);
    name->end(false);
    QTest::keyClick(name, Qt::Key_Backspace);
    QTest::keyClick(name, Qt::Key_B);
    QCOMPARE(name->text(), longName.left(39999));

    // Typing and pasting stop at the limit.
    w.setText(QStringLiteral("txtMiscNotes"), QString(2498, QLatin1Char('n')));
    notes->moveCursor(QTextCursor::End);
    QApplication::clipboard()->setText(QStringLiteral("12345"));
    notes->paste();
    QCOMPARE(notes->toPlainText().right(3), QStringLiteral("n12"));
    QTest::keyClick(notes, Qt::Key_Return);
    QCOMPARE(notes->toPlainText().size(), 2500);
    w.setText(QStringLiteral("txtPropertyInformation"), QString(32766, QLatin1Char('a')));
    name->end(false);
    name->paste();
    QCOMPARE(name->text().size(), 32766);
    QTest::keyClick(name, Qt::Key_B);
    QCOMPARE(name->text().size(), 32767);

    // Tab leaves the notes for the next control instead of typing into them.
    w.setText(QStringLiteral("txtMiscNotes"), QStringLiteral("line one\nline two"));
    notes->setFocus();
    QTRY_VERIFY(notes->hasFocus());
    QTest::keyClick(notes, Qt::Key_Tab);
    QCOMPARE(w.text(QStringLiteral("txtMiscNotes")), QStringLiteral("line one\nline two"));
    QVERIFY(!notes->hasFocus());
}

void TestMainWindow::focusOnAPropertyFieldClearsThePictureSelection() {
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ShowPropertyStrip(w);
    w.imgProperty_Click();
    // The picture strip's own button and first slot, selected by hand.
    auto* remove = w.findChild<QPushButton*>(QStringLiteral("cmdDeletePicture"));
    auto* slot = w.control<QFrame>(QStringLiteral("frmSelectPropertyImage"), 1);
    QVERIFY(remove && slot);
    remove->setEnabled(true);
    slot->setFrameShape(QFrame::Box);
    w.control(QStringLiteral("txtAddress"))->setFocus();
    QVERIFY(!remove->isEnabled());
    QCOMPARE(slot->frameShape(), QFrame::NoFrame);

    remove->setEnabled(true);
    w.control(QStringLiteral("txtPurchasePrice"))->setFocus(); // not on this view: no effect
    w.control(QStringLiteral("txtUnits"))->setFocus();
    QVERIFY(!remove->isEnabled());
    remove->setEnabled(true);
    w.imgFinancial_Click(); // every view switch clears it
    QVERIFY(!remove->isEnabled());
}

void TestMainWindow::layoutCentresOnlyBeyond11440Twips() {
    double left = -1;
    QVERIFY(!WindowLayout::CentredLeft(11440, 10860, &left));
    QVERIFY(WindowLayout::CentredLeft(11441, 10860, &left));
    QCOMPARE(left, 11441 / 2.0 - 10860 / 2.0);

    // In the window: 763 pixels make 11545 twips (centred); 752 make 11380 (left edge).
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.setWindowSizeTwips(11545, 9555);
    QCOMPARE(w.windowWidthTwips(), 11545);
    QCOMPARE(w.contentLeftTwips(), int(std::lround(11545 / 2.0 - 10860 / 2.0)));
    w.setWindowSizeTwips(11380, 9555);
    QCOMPARE(w.windowWidthTwips(), 11380);
    QCOMPARE(w.contentLeftTwips(), 0);
}

void TestMainWindow::scrollBarsFollowTheContentSize() {
    WindowLayout::Input in;
    in.windowWidth = 11650;
    in.windowHeight = 9555;
    in.innerWidth = 11550;
    in.innerHeight = 8785;
    in.contentWidth = 11550; // exactly 100 narrower than the window
    in.contentHeight = 8855; // exactly 700 lower
    in.cornerWidth = 1440;
    in.navigationHeight = 900;
    in.vbarWidth = 255;
    in.hbarHeight = 255;
    WindowLayout::Result r = WindowLayout::Compute(in);
    QVERIFY(!r.hbarVisible);
    QVERIFY(!r.vbarVisible);
    QCOMPARE(r.homeFrameHeight, 9555 - 560);
    QCOMPARE(r.stripWidth, 11650 - 100 - 1440);
    QCOMPARE(r.hbar, QRect(0, 9555 - 1025, 11550, 255));
    QCOMPARE(r.vbar, QRect(11650 - 255 - 100, 900, 255, 8785 - 900));

    // One twip more content: the bars appear, and each narrows for the other.
    in.contentHeight = 8856;
    r = WindowLayout::Compute(in);
    QVERIFY(r.vbarVisible);
    QVERIFY(!r.hbarVisible); // decided against the vertical bar as it was (hidden)
    in.vbarVisible = true;
    r = WindowLayout::Compute(in);
    QVERIFY(r.hbarVisible); // 11550 + 100 + 255 > 11650
    QVERIFY(r.vbarVisible);
    QCOMPARE(r.vbar.height(), 8785 - 900 - 255);
    QCOMPARE(r.hbar.width(), 11550 - 255);

    // The real window: the tall Financial view gets a vertical bar, the others none.
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* vbar = w.findChild<QScrollBar*>(QStringLiteral("VScroll1"));
    auto* hbar = w.findChild<QScrollBar*>(QStringLiteral("HScroll2"));
    // The home page shrinks with the window, in one step too: no bar for the height it had.
    w.resize(w.width(), w.height() - 200);
    QVERIFY(vbar->isHidden());
    w.resize(w.width(), w.height() + 200);
    ShowPropertyStrip(w);
    QCOMPARE(w.windowWidthTwips(), 11650);
    QCOMPARE(vbar->minimum(), 0);
    QCOMPARE(vbar->maximum(), 3);
    QVERIFY(vbar->isHidden());
    w.imgFinancial_Click();
    QVERIFY(!vbar->isHidden());
    QVERIFY(hbar->isHidden());
    QCOMPARE(vbar->geometry().right() + 1, w.centralWidget()->width());
    w.imgQuickView_Click();
    QVERIFY(vbar->isHidden());
    // A narrow window needs the horizontal bar.
    w.setWindowSizeTwips(9000, 9555);
    QVERIFY(!hbar->isHidden());
    QCOMPARE(hbar->geometry().bottom() + 1, w.centralWidget()->height());
}

void TestMainWindow::scrollingMovesTheContentByThirdsAndHiddenBarsReset() {
    QCOMPARE(WindowLayout::ScrollOffset(9555, 920, 10260, 0), 0.0);
    QCOMPARE(WindowLayout::ScrollOffset(9555, 920, 10260, 1), (9555 - 920 - 10260) / 3.0);
    QCOMPARE(WindowLayout::ScrollOffset(9555, 920, 10260, 2), (9555 - 920 - 10260) / 2.0);
    QCOMPARE(WindowLayout::ScrollOffset(9555, 920, 10260, 3), double(9555 - 920 - 10260));

    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ShowPropertyStrip(w);
    w.imgFinancial_Click();
    auto* vbar = w.findChild<QScrollBar*>(QStringLiteral("VScroll1"));
    const int content = w.findChild<QFrame*>(QStringLiteral("frameFinancial"))->height() * 15;
    vbar->setValue(3);
    QCOMPARE(w.contentTopTwips(), w.windowHeightTwips() - 920 - content);
    // The last mortgage row is then in sight, above the window's bottom edge.
    QWidget* last = w.control(QStringLiteral("txtMortgageMonthlyPayment4"));
    const QPoint bottom = last->mapTo(w.centralWidget(), QPoint(0, last->height()));
    QVERIFY(bottom.y() <= w.centralWidget()->height());
    vbar->setValue(1);
    QCOMPARE(w.contentTopTwips(), int(std::lround((w.windowHeightTwips() - 920 - content) / 3.0)));

    // The wheel turned over the content (a field passes the turn on to it) moves the bar a
    // step a notch; a touchpad's small movements add up to a step.
    QWidget* area = w.findChild<QWidget*>(QStringLiteral("picScrollable"));
    const auto turn = [area](int angle) {
        const QPointF at(100, 100);
        QWheelEvent wheel(at, area->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(area, &wheel);
    };
    for (int notch = 0; notch < 3; ++notch)
        turn(-120);
    QCOMPARE(vbar->value(), 3);
    QCOMPARE(w.contentTopTwips(), w.windowHeightTwips() - 920 - content);
    turn(120);
    QCOMPARE(vbar->value(), 2);
    const int half = 120 / (2 * QApplication::wheelScrollLines());
    turn(half);
    QCOMPARE(vbar->value(), 2);
    turn(half);
    QCOMPARE(vbar->value(), 1);

    // Moving the focus to a field out of sight brings it into view, below the strip and
    // above the window's bottom edge; back at the top field the content returns.
    const auto inSight = [&](const char* name) {
        QWidget* field = w.control(QString::fromLatin1(name));
        const QPoint top = field->mapTo(w.centralWidget(), QPoint(0, 0));
        return top.y() >= MainWindow::toPixels(MainWindow::kStripHeight) &&
               top.y() + field->height() <= w.centralWidget()->height();
    };
    vbar->setValue(0);
    QVERIFY(!inSight("txtMortgagePrincipal4"));
    w.activateWindow();
    w.control(QStringLiteral("txtMortgagePrincipal4"))->setFocus();
    QTRY_VERIFY(inSight("txtMortgagePrincipal4"));
    QVERIFY(vbar->value() > 0);
    w.control(QStringLiteral("txtCurrentMarketValue"))->setFocus();
    QTRY_VERIFY(inSight("txtCurrentMarketValue"));

    // Enlarging the window to hold the whole view hides the bar and puts the content back at
    // the top.
    w.setWindowSizeTwips(11650, 920 + content + 600);
    QVERIFY(vbar->isHidden());
    QCOMPARE(vbar->value(), 0);
    QCOMPARE(w.contentTopTwips(), 0);
}

// The test screen is 800 pixels wide: a window of 770 (and its frame, 7) at the default
// left edge of 67 would stick out, so it moves in to 23.
void TestMainWindow::opensAtTheDefaultPositionWithoutSettings() {
    MainWindow w;
    QCOMPARE(w.pos(), QPoint(23, 67));
    QCOMPARE(w.windowWidthTwips(), 11650);
    QVERIFY(qAbs(w.windowHeightTwips() - 9555) < 15); // whole pixels

    writeSettings(QStringLiteral("not a number"), QStringLiteral("1500"));
    MainWindow bad;
    QCOMPARE(bad.pos(), QPoint(23, 100));
}

void TestMainWindow::opensAtAStoredPosition() {
    writeSettings(QStringLiteral("300"), QStringLiteral("1500"));
    MainWindow w;
    QCOMPARE(w.pos(), QPoint(20, 100));
    // The stored size is never read back.
    QSettings settings(QStringLiteral("Quillbrook"));
    settings.setValue(QStringLiteral("Settings/MainWidth"), QStringLiteral("4000"));
    MainWindow again;
    QCOMPARE(again.windowWidthTwips(), 11650);
}

void TestMainWindow::storedPositionOffEveryScreenIsIgnored() {
    writeSettings(QStringLiteral("300000"), QStringLiteral("1500"));
    MainWindow right;
    QCOMPARE(right.pos(), QPoint(23, 67));
    writeSettings(QStringLiteral("-30000"), QStringLiteral("-30000"));
    MainWindow above;
    QCOMPARE(above.pos(), QPoint(23, 67));
    // Partly on screen is moved in whole, at its own size where the screen has room.
    writeSettings(QStringLiteral("-3000"), QStringLiteral("0"));
    MainWindow partly;
    QCOMPARE(partly.pos(), QPoint(0, 0));
    QCOMPARE(partly.windowWidthTwips(), 11650);
}

void TestMainWindow::aWindowKeptFromAnotherScreenIsMovedAndShrunkOntoThisOne() {
    using WindowLayout::FitIntoArea;
    // A laptop's free area at a large scale, and the program's smallest window.
    const QRect laptop(0, 0, 1280, 770);
    const QSize smallest(520, 360);
    QCOMPARE(FitIntoArea(QRect(100, 50, 783, 690), laptop, smallest), QRect(100, 50, 783, 690));
    // Kept on a wider screen: moved in whole, at its own size.
    QCOMPARE(FitIntoArea(QRect(1800, 300, 783, 690), laptop, smallest), QRect(497, 80, 783, 690));
    // Larger than the area: as large as it, its top left corner (caption, menus) in it.
    QCOMPARE(FitIntoArea(QRect(-40, -20, 1600, 1000), laptop, smallest), QRect(0, 0, 1280, 770));
    // Never below the smallest window.
    QCOMPARE(FitIntoArea(QRect(50, 50, 783, 690), QRect(0, 0, 400, 300), smallest),
             QRect(0, 0, 520, 360));
    // It goes onto the screen that shows most of it; the first, when none shows any of it.
    const QVector<QRect> screens{QRect(0, 0, 1920, 1040), QRect(1920, 0, 1280, 1000)};
    QCOMPARE(WindowLayout::ScreenAreaFor(QRect(1800, 100, 783, 690), screens), screens[1]);
    QCOMPARE(WindowLayout::ScreenAreaFor(QRect(9000, 100, 783, 690), screens), screens[0]);

    // The window itself, at a position kept from a screen larger than the test's.
    writeSettings(QStringLiteral("9000"), QStringLiteral("9000"));
    MainWindow w;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(screen.contains(QRect(w.pos(), w.size())));
    QCOMPARE(w.windowWidthTwips(), 11650);
}

void TestMainWindow::everyLinkStaysWholeInTheSmallestWindow() {
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ShowPropertyStrip(w);
    w.imgProperty_Click();
    // Small enough for a 1366 x 768 screen at twice the scale.
    QVERIFY(w.minimumWidth() <= 683 && w.minimumHeight() <= 384 - 30);
    auto* client = w.findChild<QWidget*>(QStringLiteral("clientArea"));
    auto* strip = w.findChild<QFrame*>(QStringLiteral("frameNavigation"));
    const char* const names[] = {"lblProperty", "lblFinancial", "lblQuickView", "lblCashFlow",
                                 "lblReturns"};
    for (const QSize& size : {w.size(), w.minimumSize(), QSize(1400, 700)}) {
        w.resize(size);
        QTRY_COMPARE(w.size(), size);
        QVector<QRect> places;
        for (const char* name : names) {
            auto* link = w.findChild<QLabel*>(QString::fromLatin1(name));
            const QRect place(link->mapTo(client, QPoint(0, 0)), link->size());
            QVERIFY2(link->isVisible() && client->rect().contains(place) &&
                         place.bottom() < strip->height(),
                     name);
            QVERIFY2(link->fontMetrics().horizontalAdvance(link->text()) <= link->width(), name);
            for (const QRect& other : places)
                QVERIFY2(!other.intersects(place), name);
            places.append(place);
        }
        // A click on the last link still reaches its view.
        QTest::mouseClick(w.findChild<QLabel*>(QStringLiteral("lblReturns")), Qt::LeftButton);
        QVERIFY(shown(w, "frameReturnsView"));
        w.imgProperty_Click();
    }
}

void TestMainWindow::theReturnsViewTakesAWideWindowsWidth() {
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ShowPropertyStrip(w);
    w.setText(QStringLiteral("txtHoldingPeriod"), QStringLiteral("12"));
    w.imgReturnsView_Click();
    auto* table = w.findChild<QTableView*>(QStringLiteral("tblReturnsByYear"));
    auto* years = table->horizontalHeader();
    const auto lastYearShown = [&] {
        return years->logicalIndexAt(table->viewport()->width() - 1);
    };
    const int before = lastYearShown();
    QVERIFY(before >= 0 && before < 11);
    w.resize(1400, w.height());
    QTRY_COMPARE(lastYearShown(), -1); // room to spare after the twelfth year
    QCOMPARE(years->count(), 12);
    QTRY_VERIFY(!table->horizontalScrollBar()->isVisible());
    auto* view = w.findChild<QWidget*>(QStringLiteral("frameReturnsView"));
    auto* client = w.findChild<QWidget*>(QStringLiteral("clientArea"));
    const auto* vbar = w.findChild<QScrollBar*>(QStringLiteral("VScroll1"));
    QCOMPARE(view->mapTo(client, QPoint(view->width(), 0)).x(), vbar->x());
    // The home page's table after it takes the width too, without a bar the returns view's
    // height called for.
    w.portfolio().optHomeTable_Click();
    w.ShowHomePage();
    QVERIFY(w.findChild<QScrollBar*>(QStringLiteral("VScroll1"))->isHidden());
    QVERIFY(w.findChild<QScrollBar*>(QStringLiteral("HScroll2"))->isHidden());
    QCOMPARE(w.homeFrame()->width(), client->width());
    w.portfolio().optHomeCards_Click();
    // Back from the returns view, the cards stand centred as before it.
    const int centred = int(std::lround(w.windowWidthTwips() / 2.0 - 10860 / 2.0));
    QCOMPARE(w.contentLeftTwips(), centred);
    ShowPropertyStrip(w);
    w.imgReturnsView_Click();
    w.ShowHomePage();
    QCOMPARE(w.contentLeftTwips(), centred);
    // A classic view keeps its design's width, centred.
    w.imgFinancial_Click();
    auto* financial = w.findChild<QWidget*>(QStringLiteral("frameFinancial"));
    QCOMPARE(financial->width(), 724);
    QCOMPARE(w.contentLeftTwips(), int(std::lround(w.windowWidthTwips() / 2.0 - 10860 / 2.0)));
}

void TestMainWindow::closingStoresThePositionUnlessMinimised() {
    {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.move(15, 90);
        QVERIFY(w.close());
    }
    QCOMPARE(storedSetting(QStringLiteral("MainLeft")), QStringLiteral("225"));
    QCOMPARE(storedSetting(QStringLiteral("MainTop")), QStringLiteral("1350"));
    QCOMPARE(storedSetting(QStringLiteral("MainWidth")), QStringLiteral("11650"));
    QVERIFY(!storedSetting(QStringLiteral("MainHeight")).isEmpty());

    {
        MainWindow w;
        QCOMPARE(w.pos(), QPoint(15, 90));
        w.showMinimized();
        w.move(300, 300);
        QVERIFY(w.isMinimized());
        QVERIFY(w.close());
    }
    QCOMPARE(storedSetting(QStringLiteral("MainLeft")), QStringLiteral("225"));
}

// Destroying the window, on the home page or with a property open and a field focused, runs
// none of its handlers on what is left of it; the sanitizer build reports any that does.
void TestMainWindow::closingTheWindowRunsNoHandlerOnIt() {
    for (const bool propertyOpen : {false, true}) {
        auto w = std::make_unique<MainWindow>();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        if (propertyOpen) {
            w->mnuFileAddNewProperty_Click();
            w->control(QStringLiteral("txtAddress"))->setFocus();
            QTRY_VERIFY(w->control(QStringLiteral("txtAddress"))->hasFocus());
        }
        w.reset();
        QCOMPARE(QApplication::focusWidget(), nullptr);
    }
}

void TestMainWindow::closingWithAPropertyOpenAsksFirst() {
    AnsweringWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // From the home page nothing is asked.
    w.answer = false;
    QVERIFY(w.close());
    QCOMPARE(w.asked, 0);

    w.show();
    ShowPropertyStrip(w);
    w.imgFinancial_Click();
    QVERIFY(!w.close());
    QCOMPARE(w.asked, 1);
    QVERIFY(shown(w, "frameFinancial"));
    QVERIFY(w.isVisible());

    w.answer = true;
    QVERIFY(w.close());
    QCOMPARE(w.asked, 2);
    QVERIFY(shown(w, "frameHome"));
    QVERIFY(!shown(w, "frameFinancial"));
    QVERIFY(!shown(w, "frameNavigation"));
}

void TestMainWindow::aLogThatCannotBeWrittenIsReportedAndTheProgramGoesOn() {
    // Where the log should be stands a folder, and "_data" cannot be created.
    QVERIFY(QDir(m_folder->file(QStringLiteral("_data"))).removeRecursively());
    WriteFile(m_folder->file(QStringLiteral("_data")), "in the way");
    QVERIFY(QDir().mkpath(ErrorLog::logPath()));
    ScriptedPrompts prompts;
    {
        RunningProgram program(&prompts);
        QVERIFY(program.window().isVisible());
        QVERIFY(shown(program.window(), "frameHome"));
        const int atStart = prompts.messages().size();
        QVERIFY(atStart >= 2); // "_data" and its picture folder
        LogError(QStringLiteral("13"), QStringLiteral("Type mismatch"), QStringLiteral("0"));
        QCOMPARE(prompts.messages().size(), atStart + 1);
        for (const PromptMessage& m : prompts.messages()) {
            QCOMPARE(m.title, QStringLiteral("Quillbrook- critical error!"));
            QVERIFY2(QRegularExpression(QStringLiteral("^There was an error writing to the error "
                                                       "log-->#\\d+$"))
                         .match(m.text)
                         .hasMatch(),
                     qPrintable(m.text));
            QCOMPARE(m.buttons, PromptButtons::Ok);
        }
    }
}

void TestMainWindow::aSecondWindowOnOneDatabaseOpensItReadOnlyOrQuits() {
    const QByteArray database("[PROPERTY000001]\r\ntxtPropertyInformation=A\r\n");
    WriteFile(PropertyDatabasePath(), database);
    const QString lockPath = DatabaseLock().path();
    {
        QLockFile first(lockPath); // the window that was there first
        QVERIFY(first.tryLock());
        ScriptedPrompts prompts;
        prompts.setNextAnswer(PromptAnswer::Cancel);
        {
            RunningProgram second(&prompts);
            QVERIFY(second.quitRequested());
        }
        QCOMPARE(prompts.titles(), QStringList{"Database Already Open"});
        QCOMPARE(prompts.messages().at(0).okText, QStringLiteral("Open Read-Only"));

        prompts.clear();
        prompts.setNextAnswer(PromptAnswer::Ok);
        RunningProgram readOnly(&prompts);
        QVERIFY(!readOnly.quitRequested());
        QVERIFY(readOnly.window().isVisible());
        QCOMPARE(g_sPropertyDatabaseReadOnly, DatabaseOpenElsewhereText());
        QTest::qWait(1);
        QCOMPARE(prompts.titles(), QStringList{"Database Already Open"}); // asked once, no more
        readOnly.window().mnuFileAddNewProperty_Click();
        readOnly.window().mnuFileSave_Click();
        QCOMPARE(prompts.titles().last(), QStringLiteral("Database Read-Only"));
        QCOMPARE(ReadBytes(PropertyDatabasePath()), database);
        readOnly.window().commands().m_changes.m_bDirty = false;
    }

    // A lock left by a window that is gone (its process killed) is taken over without a word.
    QProcess gone;
    gone.start(QStringLiteral("true"), QStringList());
    QVERIFY(gone.waitForStarted());
    const qint64 deadPid = gone.processId();
    QVERIFY(gone.waitForFinished());
    {
        QLockFile model(m_folder->file(QStringLiteral("model.lock")));
        QVERIFY(model.tryLock());
        QByteArray content = ReadBytes(model.fileName());
        content = QByteArray::number(deadPid) + content.mid(content.indexOf('\n'));
        WriteFile(lockPath, content);
    }
    ScriptedPrompts prompts;
    RunningProgram taken(&prompts);
    QVERIFY(!taken.quitRequested());
    QVERIFY(g_sPropertyDatabaseReadOnly.isEmpty());
    QVERIFY(prompts.messages().isEmpty());
    QVERIFY(ReadBytes(lockPath).startsWith(QByteArray::number(QCoreApplication::applicationPid())));
}

void TestMainWindow::aDataFolderThatCannotBeWrittenIsSaidOnceAndReadOnly() {
    ReadOnlyFolder folder;
    SetProgramFolder(folder.path());
    QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("_data")));
    const QByteArray database("[PROPERTY000001]\r\ntxtPropertyInformation=A\r\n");
    WriteFile(PropertyDatabasePath(), database);
    if (!folder.makeReadOnly()) {
        SetProgramFolder(m_folder->path());
        QSKIP("a read-only folder needs the right to mount as root");
    }
    ErrorLog::setLogPath(folder.path() + QStringLiteral("/Quillbrook.Err"));
    ScriptedPrompts prompts;
    {
        RunningProgram program(&prompts);
        QTest::qWait(1);
        QCOMPARE(prompts.titles(), QStringList{"Database Read-Only"});
        QVERIFY(prompts.messages().at(0).text.contains(QStringLiteral("cannot be written")));
        QVERIFY(prompts.messages().at(0).text.contains(QDir::toNativeSeparators(folder.path())));
        LogError(QStringLiteral("13"), QStringLiteral("Type mismatch"), QStringLiteral("0"));
        program.window().mnuFileAddNewProperty_Click();
        program.window().mnuFileSave_Click();
        QCOMPARE(prompts.titles(), (QStringList{"Database Read-Only", "Database Read-Only"}));
        QCOMPARE(ReadBytes(PropertyDatabasePath()), database);
        program.window().commands().m_changes.m_bDirty = false;
    }
    ErrorLog::setLogPath(m_folder->file(QStringLiteral("Quillbrook.Err")));
    SetProgramFolder(m_folder->path());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
