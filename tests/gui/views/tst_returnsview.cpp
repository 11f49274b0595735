// The investment returns view inside the main window: what it recomputes and when, its year
// table and what leaves it, the payoff markers, and the arithmetic behind the figures.
#include "base/numerictext.h"
#include "base/programfolder.h"
#include "gui/commands/returnspaper.h"
#include "gui/dialogs/criteriadialog.h"
#include "gui/dialogs/criteriasettings.h"
#include "gui/dialogs/scriptedfilepicker.h"
#include "gui/dialogs/scriptedprompts.h"
#include "gui/mainwindow/mainwindow.h"
#include "gui/views/rehabpanel.h"
#include "gui/views/returnstablemodel.h"
#include "gui/views/returnsview.h"
#include "gui/views/sensitivitymatrixmodel.h"
#include "gui/views/sensitivitypanel.h"
#include "gui/views/sensitivitytablemodel.h"
#include "gui/widgets/figurefit.h"
#include "gui/widgets/numbermark.h"
#include "gui/widgets/returnschart.h"
#include "gui/widgets/tornadochart.h"
#include "model/fieldtable.h"
#include "store/propertydatabase.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGraphicsTextItem>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolTip>

namespace {

// Bought for 100,000 with 90,000 at 11 %, repaired in four months, refinanced after month 7 at
// 75 % of 180,000; figures worked separately.
const QStringList kFixer =
    QStringLiteral(
        "txtPurchasePrice=100000 txtClosingCosts=3000 txtDownPayment=10000 txtAppreciation=3 "
        "txtDepreciateAsImprovements=80 txtGrossMonthlyIncome=2000 txtExpectedVacancyRate=5 "
        "txtAnnualRateIncrease=2 txtOperatingCostIncrease=2 txtRepairAndMaintenance=6000 "
        "txtStateTaxRate=5 txtFederalTaxRate=22 txtLongTermCapitolGainsRate=15 "
        "txtMortgagePrincipal1=90000 txtAnnualInterestRate1=11 txtAmortizationTerm1=360 "
        "txtRehabCost=30000 txtRehabMonths=4 txtHoldingCosts=800 txtAfterRepairValue=180000 "
        "txtRefinanceMonth=7 txtRefinanceRate=7 txtRefinanceCosts=3500")
        .split(QLatin1Char(' '));

// A fourplex with a 10-year second loan: paid off in year 10 of the holding period.
const char* const kFourplex[][2] = {
    {"txtPropertyInformation", "Maple Court Fourplex"},
    {"txtUnits", "4"},
    {"txtCurrentMarketValue", "300000"},
    {"txtPurchasePrice", "285000"},
    {"txtDownPayment", "57000"},
    {"txtClosingCosts", "6500"},
    {"txtAppreciation", "3"},
    {"txtDepreciateAsImprovements", "80"},
    {"txtGrossMonthlyIncome", "3800"},
    {"txtExpectedVacancyRate", "5"},
    {"txtOtherMonthlyIncome", "150"},
    {"txtFederalTaxRate", "28"},
    {"txtStateTaxRate", "5"},
    {"txtLongTermCapitolGainsRate", "15"},
    {"txtMortgagePrincipal1", "208000"},
    {"txtAnnualInterestRate1", "6.75"},
    {"txtAmortizationTerm1", "360"},
    {"txtMortgagePrincipal2", "20000"},
    {"txtAnnualInterestRate2", "8"},
    {"txtAmortizationTerm2", "120"},
};

void typeFourplex(MainWindow& w) {
    for (const auto& f : kFourplex)
        w.setText(QString::fromLatin1(f[0]), QString::fromLatin1(f[1]));
}

void type(MainWindow& w, const char* field, const QString& text) {
    auto* edit = w.findChild<QLineEdit*>(QString::fromLatin1(field));
    edit->setFocus();
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, text);
}

QString tooltipOf(QWidget* field) {
    QHelpEvent help(QEvent::ToolTip, QPoint(4, 4), field->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(field, &help);
    return QToolTip::text();
}

// The caption a user reads beside a figure: the label on the figure's row, left of it.
QString captionBeside(QWidget* field) {
    QLabel* best = nullptr;
    for (auto* label : field->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        const QRect g = label->geometry();
        if (qAbs(g.center().y() - field->geometry().center().y()) > 4 ||
            g.right() > field->geometry().left())
            continue;
        if (!best || g.right() > best->geometry().right())
            best = label;
    }
    return best ? best->text().remove(QLatin1Char(':')).trimmed() : QString();
}

// The text of an HTML table as lines of cells, each cell followed by "|".
QStringList tableLines(QString html) {
    html.replace(QLatin1String("</td>"), QLatin1String("|"));
    html.replace(QLatin1String("</tr>"), QLatin1String("\n"));
    html.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    html.replace(QLatin1String("&nbsp;"), QLatin1String(" "));
    html.replace(QLatin1String("&amp;"), QLatin1String("&"));
    html.replace(QLatin1String("&#39;"), QLatin1String("'"));
    QStringList lines;
    for (const QString& line : html.split(QLatin1Char('\n')))
        lines << line.trimmed();
    return lines;
}

} // namespace

class TestReturnsView : public QObject {
    Q_OBJECT
    std::unique_ptr<TempProgramFolder> m_folder;
    std::unique_ptr<MainWindow> m_window;
    ScriptedPrompts m_prompts;
    ReturnsView* view() { return m_window->findChild<ReturnsView*>("frameReturnsView"); }
    QString text(const char* field) { return m_window->text(QString::fromLatin1(field)); }
    // Every typed figure blank, then the given "field=text" lines, and the returns on screen.
    void enterProperty(const QStringList& fields) {
        m_window->imgFinancial_Click();
        for (const FieldInfo& f : FieldTable())
            if ((f.view == FieldView::Financial || f.view == FieldView::Returns) && !f.isReadOnly())
                m_window->setText(f.name, QString());
        for (const QString& input : fields)
            m_window->setText(input.section(QLatin1Char('='), 0, 0),
                              input.section(QLatin1Char('='), 1));
        m_window->imgReturnsView_Click();
    }

private slots:
    void init() {
        m_folder = std::make_unique<TempProgramFolder>(true);
        PrepareProgramFolders();
        m_window = std::make_unique<MainWindow>();
        m_window->setPrompts(&m_prompts);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        ShowPropertyStrip(*m_window);
        m_window->imgProperty_Click();
        typeFourplex(*m_window);
    }
    void cleanup() {
        m_window.reset();
        m_folder.reset();
        ResetPropertyTable();
    }

    void recomputesOnItsInputsOnlyWhileShown() {
        m_window->imgReturnsView_Click();
        QVERIFY(view()->isVisible());
        QCOMPARE(text("txtRetSalePrice"), QStringLiteral("$403,175")); // 300,000 × 1.03^10
        QCOMPARE(text("txtRetDSCR"), QStringLiteral("1.27"));
        type(*m_window, "txtHoldingPeriod", QStringLiteral("5"));
        QCOMPARE(text("txtRetSalePrice"), QStringLiteral("$347,782"));
        // A holding period that is no number leaves nothing stale behind.
        type(*m_window, "txtHoldingPeriod", QStringLiteral("ten"));
        QCOMPARE(text("txtRetSalePrice"), QStringLiteral("n/a"));
        QCOMPARE(text("txtRetIRRAfterTax"), QStringLiteral("n/a"));
        QCOMPARE(view()->tableModel()->columnCount(), 0);
        type(*m_window, "txtHoldingPeriod", QString());
        QCOMPARE(text("txtRetSalePrice"), QStringLiteral("$403,175"));

        // Hidden, the view costs nothing and shows the change when it comes back.
        m_window->imgFinancial_Click();
        QVERIFY(!view()->isVisible());
        m_window->setText(QStringLiteral("txtHoldingPeriod"), QStringLiteral("5"));
        QCOMPARE(text("txtRetSalePrice"), QStringLiteral("$403,175"));
        QTest::keySequence(m_window.get(), QKeySequence(Qt::CTRL | Qt::Key_5));
        QVERIFY(view()->isVisible());
        QCOMPARE(text("txtRetSalePrice"), QStringLiteral("$347,782"));
    }

    // The red frame tells what the returns really do with a field that is no number: "n/a",
    // not an earlier figure; a blank input is its default and unmarked.
    void anInputThatIsNoNumberIsMarkedWithWhatItsFiguresShow() {
        for (const char* name : {"txtRecaptureRate", "txtAppreciation"}) {
            auto* field = m_window->findChild<QLineEdit*>(QString::fromLatin1(name));
            m_window->imgFinancial_Click();
            type(*m_window, name, QStringLiteral("x5"));
            m_window->imgReturnsView_Click();
            QVERIFY2(NumberMark::IsMarked(field), name);
            QCOMPARE(field->toolTip(), NumberMark::NotAvailableTooltip());
            QCOMPARE(text("txtRetSaleProceeds"), QStringLiteral("n/a"));
            m_window->imgFinancial_Click();
            type(*m_window, name, QString());
            QVERIFY(!NumberMark::IsMarked(field));
        }
        m_window->imgReturnsView_Click();
        QVERIFY(text("txtRetSaleProceeds").startsWith(QLatin1Char('$')));
        // So is a number the returns cannot work with, until it is one they can.
        auto* holding = m_window->findChild<QLineEdit*>("txtHoldingPeriod");
        for (const char* typed : {"25", "2.5", "0"}) {
            type(*m_window, "txtHoldingPeriod", QString::fromLatin1(typed));
            QVERIFY2(NumberMark::IsMarked(holding), typed);
            QCOMPARE(holding->toolTip(),
                     NumberMark::OutOfRangeTooltip(QStringLiteral("whole years from 1 to 20")));
            QCOMPARE(text("txtRetSaleProceeds"), QStringLiteral("n/a"));
        }
        type(*m_window, "txtHoldingPeriod", QStringLiteral("20"));
        QVERIFY(!NumberMark::IsMarked(holding));
        type(*m_window, "txtDepreciationYears", QStringLiteral("0"));
        QVERIFY(NumberMark::IsMarked(m_window->findChild<QLineEdit*>("txtDepreciationYears")));
        // A field the classic figures read keeps their tooltip.
        auto* price = m_window->findChild<QLineEdit*>("txtPurchasePrice");
        type(*m_window, "txtPurchasePrice", QStringLiteral("1o0"));
        QCOMPARE(price->toolTip(), NumberMark::Tooltip());
    }

    void tableFollowsTheHoldingPeriodBesideTheOutlook() {
        m_window->imgReturnsView_Click();
        type(*m_window, "txtHoldingPeriod", QStringLiteral("3"));
        ReturnsTableModel* model = view()->tableModel();
        auto* table = m_window->findChild<QTableView*>("tblReturnsByYear");
        QCOMPARE(table->model(), model);
        // The rows fill the table down to its edge or scroll bar, with or without one.
        QTRY_COMPARE(table->verticalHeader()->length(), table->viewport()->height());
        type(*m_window, "txtHoldingPeriod", QStringLiteral("12"));
        QTRY_VERIFY(table->horizontalScrollBar()->isVisible());
        QTRY_COMPARE(table->verticalHeader()->length(), table->viewport()->height());
        type(*m_window, "txtHoldingPeriod", QStringLiteral("3"));
        QCOMPARE(model->columnCount(), 3);
        QCOMPARE(model->rowCount(), 17);
        QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Year 3"));
        QCOMPARE(model->headerData(15, Qt::Vertical).toString(),
                 QStringLiteral("Outlook's Annual Cash Flow"));
        for (int y = 1; y <= 3; ++y) {
            const double outlook =
                FieldNumber(m_window->text(QStringLiteral("txt10CFNetCashflow"), y));
            QCOMPARE(model->value(15, y - 1), outlook);
            QCOMPARE(model->value(16, y - 1), model->value(11, y - 1) - outlook);
        }

        // Copied, every amount pastes as a plain number; the CSV file holds the same table.
        QTest::mouseClick(m_window->findChild<QPushButton*>("cmdCopyTable"), Qt::LeftButton);
        const QStringList lines = QApplication::clipboard()->text().split(QStringLiteral("\r\n"));
        QCOMPARE(lines.at(0), QStringLiteral("\tYear 1\tYear 2\tYear 3"));
        QCOMPARE(lines.at(13), QStringLiteral("Property Value\t309000\t318270\t327818"));
        for (const QString& line : lines)
            QVERIFY2(!line.contains(QRegularExpression(QStringLiteral("[$,()]"))),
                     qPrintable(line));
        ScriptedFilePicker picker;
        m_window->setFilePicker(&picker);
        const QString csv = m_folder->file(QStringLiteral("returns"));
        picker.setNextFile(csv);
        QTest::mouseClick(m_window->findChild<QPushButton*>("cmdExportCsv"), Qt::LeftButton);
        QCOMPARE(ReadAll(csv + QStringLiteral(".csv")),
                 QString(QApplication::clipboard()->text())
                     .replace(QLatin1Char('\t'), QLatin1Char(',')));
        // Offered under the property's name in Documents, then where the last table went.
        QCOMPARE(picker.requests().at(0).fileName,
                 QStringLiteral("Maple Court Fourplex - Returns.csv"));
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QCOMPARE(picker.requests().at(0).folder,
                 QFileInfo(documents).isDir() ? documents : QDir::homePath());
        QTest::mouseClick(m_window->findChild<QPushButton*>("cmdExportCsv"), Qt::LeftButton);
        QCOMPARE(picker.requests().at(1).folder, m_folder->path());
    }

    void chartMarksTheYearALoanIsPaidOff() {
        m_window->imgReturnsView_Click();
        QCOMPARE(view()->chart()->payoffLabels(), QStringList{"Mortgage 2 paid off"});
        // Amounts are labelled as money is written everywhere else, from zero up past the value.
        const QStringList amounts = view()->chart()->amountLabels();
        QCOMPARE(amounts.first(), QStringLiteral("$0"));
        QVERIFY2(amounts.contains(QStringLiteral("$300,000")), qPrintable(amounts.join(' ')));
        type(*m_window, "txtHoldingPeriod", QStringLiteral("9"));
        QVERIFY(view()->chart()->payoffLabels().isEmpty());
        type(*m_window, "txtHoldingPeriod", QStringLiteral("x"));
        QVERIFY(view()->chart()->amountLabels().isEmpty()); // nothing to draw, no made-up scale
    }

    // The year axis marks whole years, and a marker stands exactly on its year: the second
    // loan's payoff in year 10, a refinance in month 36 in year 3.
    void chartYearsAreWholeAndMarkersSitOnTheirYear() {
        using Ticks = QVector<double>;
        m_window->imgReturnsView_Click();
        ReturnsChart* chart = view()->chart();
        type(*m_window, "txtHoldingPeriod", QStringLiteral("12"));
        QCOMPARE(chart->yearTickValues(), (Ticks{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
        QCOMPARE(chart->markerPositions().size(), 1);
        QCOMPARE(chart->markerPositions().first().x(), 10.0);
        m_window->setText(QStringLiteral("txtAppreciation"), QStringLiteral("5"));
        type(*m_window, "txtHoldingPeriod", QStringLiteral("16"));
        QCOMPARE(chart->yearTickValues(), (Ticks{1, 4, 7, 10, 13, 16}));
        // Every amount is drawn whole, up to $700,000 too: more ticks than the chart's height
        // holds would be cut to "..." by the chart.
        const int tall = chart->height();
        for (int height = 220; height <= 360; height += 10) {
            chart->resize(chart->width(), height);
            QApplication::processEvents();
            QStringList drawn;
            for (QGraphicsItem* item : chart->scene()->items()) {
                if (auto* text = dynamic_cast<QGraphicsTextItem*>(item))
                    drawn.append(text->toPlainText());
            }
            QVERIFY2(drawn.contains(QStringLiteral("$0")), qPrintable(drawn.join(' ')));
            QVERIFY2(!drawn.join(' ').contains(QStringLiteral("...")),
                     qPrintable(QString::number(height) + drawn.join(' ')));
        }
        chart->resize(chart->width(), tall);
        QCOMPARE(chart->markerPositions().first().x(), 10.0);
        m_window->imgFinancial_Click();
        m_window->setText(QStringLiteral("txtRefinanceMonth"), QStringLiteral("36"));
        m_window->setText(QStringLiteral("txtRefinanceRate"), QStringLiteral("6"));
        m_window->imgReturnsView_Click();
        const qsizetype refinanced = chart->payoffLabels().indexOf(QStringLiteral("Refinanced"));
        QVERIFY(refinanced >= 0);
        QCOMPARE(chart->markerPositions().at(refinanced).x(), 3.0);

        // Ten years or fewer: every year. Beyond, the first and the last always, and between
        // them even whole steps; a span no step divides shows every year where they fit.
        QCOMPARE(ReturnsChart::YearTicks(7, 20), (QVector<int>{1, 2, 3, 4, 5, 6, 7}));
        QCOMPARE(ReturnsChart::YearTicks(11, 20), (QVector<int>{1, 3, 5, 7, 9, 11}));
        QCOMPARE(ReturnsChart::YearTicks(19, 20),
                 (QVector<int>{1, 3, 5, 7, 9, 11, 13, 15, 17, 19}));
        QCOMPARE(ReturnsChart::YearTicks(20, 20).size(), 20);
        QCOMPARE(ReturnsChart::YearTicks(20, 19), (QVector<int>{1, 20}));
        QCOMPARE(ReturnsChart::YearTicks(1, 20), (QVector<int>{1}));
    }

    // The tornado's table is as tall as its rows, nine or eleven with a repair: no empty rows,
    // and the view and its scroll range grow with it.
    void theTornadoTableIsAsTallAsItsRows() {
        m_window->imgReturnsView_Click();
        auto* table = m_window->findChild<QTableView*>("tblSensitivity");
        QCOMPARE(table->model()->rowCount(), 9);
        QCOMPARE(table->viewport()->height(), table->verticalHeader()->length());
        const int nine = view()->height();
        enterProperty(kFixer);
        QCOMPARE(table->model()->rowCount(), 11);
        QCOMPARE(table->viewport()->height(), table->verticalHeader()->length());
        QCOMPARE(view()->height(), nine + 2 * 20);
        QCOMPARE(view()->parentWidget()->height(), view()->height());
    }

    // A figure longer than its box shows its start, never its end alone, and the whole of it in
    // its tooltip, above its arithmetic where it has one.
    void aFigureLongerThanItsBoxShowsWholeInItsTooltip() {
        m_window->imgReturnsView_Click();
        auto* sale = m_window->findChild<QLineEdit*>("txtRetSalePrice");
        const QString arithmetic = tooltipOf(sale);
        QVERIFY(!FigureFit::IsCut(sale));
        QVERIFY(arithmetic.startsWith(QStringLiteral("Sale Price")));
        m_window->imgFinancial_Click();
        m_window->setText(QStringLiteral("txtCurrentMarketValue"),
                          QStringLiteral("98765432109876"));
        m_window->setText(QStringLiteral("txtGrossMonthlyIncome"),
                          QStringLiteral("98765432109876"));
        m_window->imgReturnsView_Click();
        QVERIFY(FigureFit::IsCut(sale));
        QCOMPARE(sale->cursorPosition(), 0);
        QVERIFY(tooltipOf(sale).startsWith(sale->text() + QStringLiteral("\n\nSale Price")));
        // A cell of the outlook has no arithmetic: its whole figure alone.
        m_window->img5YearView_Click();
        auto* income = m_window->control<QLineEdit>(QStringLiteral("txt5CFTotalGrossIncome"), 1);
        QVERIFY(FigureFit::IsCut(income));
        QCOMPARE(income->cursorPosition(), 0);
        QCOMPARE(tooltipOf(income), income->text());
    }

    void figuresShowTheirArithmetic() {
        m_window->imgQuickView_Click();
        auto* rate = m_window->findChild<QLineEdit*>("txtQISCapitalizationRate");
        QCOMPARE(tooltipOf(rate),
                 QStringLiteral("Capitalization Rate = Annual Net Operating Income \u00f7 "
                                "Property Price = %1 \u00f7 $285,000 = %2")
                     .arg(text("txtQISAnnualNetOperatingIncome"), rate->text()));
        // The per-unit monthly figure is worked from the whole-dollar annual one it shows.
        QVERIFY(
            tooltipOf(m_window->findChild<QLineEdit*>("txtQISNetMonthlyCashflowPerUnitBeforeTaxes"))
                .contains(text("txtQISNetAnnualCashflowPerUnitBeforeTaxes") + " \u00f7 12"));
        m_window->imgReturnsView_Click();
        auto* sale = m_window->findChild<QLineEdit*>("txtRetSalePrice");
        const QString hovered = tooltipOf(sale);
        QVERIFY(hovered.contains("$403,175"));
        // F2 on the figure with the keyboard shows the same.
        QVERIFY(tooltipOf(m_window->findChild<QLineEdit*>("txtRetLoanPayoff")) != hovered);
        sale->setFocus();
        QTest::keyClick(sale, Qt::Key_F2);
        QCOMPARE(QToolTip::text(), hovered);
    }

    // A summary figure the last run could not work out is greyed and says why, on hover first;
    // worked out again, it looks and explains itself as before.
    void aFigureNotUpdatedIsGreyedAndSaysWhy() {
        m_window->imgQuickView_Click();
        auto* income = m_window->findChild<QLineEdit*>("txtQISScheduledAnnualIncome");
        const QColor normal = income->palette().color(QPalette::Text);
        const QString explained = tooltipOf(income);
        m_window->imgFinancial_Click();
        type(*m_window, "txtGrossMonthlyIncome", QStringLiteral("38OO"));
        m_window->imgQuickView_Click();
        QVERIFY(income->palette().color(QPalette::Text) != normal);
        QVERIFY(income->font().italic());
        QVERIFY2(tooltipOf(income).startsWith(
                     QStringLiteral("Not updated: Gross Monthly Income is no number\n")),
                 qPrintable(tooltipOf(income)));
        QVERIFY(!m_window->findChild<QLineEdit*>("txtQISPropertyPrice")->font().italic());
        m_window->imgFinancial_Click();
        type(*m_window, "txtGrossMonthlyIncome", QStringLiteral("3800"));
        m_window->imgQuickView_Click();
        QCOMPARE(income->palette().color(QPalette::Text), normal);
        QVERIFY(!income->font().italic());
        QCOMPARE(tooltipOf(income), explained);
    }

    // The keyboard's road through the view: input to input, then the buttons and each table
    // as one stop, past every computed figure and chart; a figure still takes a click.
    void tabGoesFromInputToInputAndTableToTable() {
        m_window->imgReturnsView_Click();
        QStringList road;
        QWidget* at = m_window->findChild<QLineEdit*>("txtHoldingPeriod");
        at->setFocus();
        for (int i = 0; i < 12; ++i, at = QApplication::focusWidget()) {
            road << at->objectName();
            QTest::keyClick(at, Qt::Key_Tab);
        }
        QCOMPARE(road,
                 (QStringList{"txtHoldingPeriod", "txtSellingCosts", "txtDepreciationYears",
                              "txtRecaptureRate", "cmdCopyTable", "cmdExportCsv",
                              "tblReturnsByYear", "cmdUseOfferPrice", "cmbSensitivityMetric",
                              "cmdCopySensitivity", "cmdExportSensitivityCsv", "tblSensitivity"}));
        auto* sale = m_window->findChild<QLineEdit*>("txtRetSalePrice");
        QTest::mouseClick(sale, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), sale);
        // The ring shows where the keyboard is, around the figure.
        QWidget* ring = m_window->findChild<QWidget*>("focusRing");
        QVERIFY(ring && ring->isVisible() && ring->parentWidget() == sale->parentWidget());
        QVERIFY(ring->geometry().contains(sale->geometry()));
    }

    // The outlook's note leads to the returns, by mouse and by keyboard.
    void theOutlookNoteLeadsToTheReturns() {
        for (const bool keyboard : {false, true}) {
            m_window->lblCashFlow_DragDrop();
            auto* link = m_window->findChild<QLabel*>("lblOutlookReturnsLink");
            QVERIFY(link->isVisible());
            if (keyboard) {
                link->setFocus();
                QTest::keyClick(link, Qt::Key_Return);
            } else {
                QTest::mouseClick(link, Qt::LeftButton);
            }
            QVERIFY(view()->isVisible());
        }
    }

    // Every row reads as it is named, in a property that loses money on paper in its early
    // years and pays a loan off within the holding period: costs as positive amounts, income
    // tax negative in a loss year, the rows adding up to one another, one column a year.
    void yearTableRowsReadAsTheirNames() {
        ReturnsInputs in;
        in.grossMonthlyIncome = 1800;
        in.vacancyRate = 0.08;
        in.rentIncrease = 0.03;
        in.costIncrease = 0.03;
        in.operatingExpenses = 11210.40;
        in.stateTaxRate = 0.04;
        in.federalTaxRate = 0.22;
        in.purchasePrice = 250000;
        in.closingCosts = 7500;
        in.downPayment = 25000;
        in.appreciation = 0.02;
        in.improvementsShare = 0.8;
        in.holdingPeriod = 12;
        in.mortgages[0] = {200000, 0.0725, 360};
        in.mortgages[1] = {25000, 0.09, 120};
        const ReturnsResult result = ComputeReturns(in);
        QVector<double> outlook;
        for (int y = 1; y <= 12; ++y)
            outlook << (y == 7 ? qQNaN() : -4000.0 + 250 * y);
        ReturnsTableModel model;
        model.setResult(result, outlook);
        QCOMPARE(model.columnCount(), 12);
        QCOMPARE(model.headerData(11, Qt::Horizontal).toString(), QStringLiteral("Year 12"));

        enum {
            Gross,
            Vacancy,
            Expenses,
            Noi,
            Debt,
            Interest,
            Principal,
            Depreciation,
            Taxable,
            Tax,
            Before,
            After,
            Value,
            Balance,
            Equity,
            Outlook,
            Difference
        };
        const auto cell = [&](int row, int column) {
            return model.data(model.index(row, column)).toString();
        };
        bool lossYear = false;
        for (int c = 0; c < 12; ++c) {
            const auto v = [&](int row) { return model.value(row, c); };
            const QByteArray year = QByteArray::number(c + 1);
            for (int row : {Vacancy, Expenses, Debt, Interest, Principal, Depreciation}) {
                QVERIFY2(v(row) >= 0, year + " " + QByteArray::number(row));
                QVERIFY2(!cell(row, c).contains(QLatin1Char('(')), qPrintable(cell(row, c)));
            }
            QVERIFY(v(Vacancy) > 0 && v(Expenses) > 0 && v(Depreciation) > 0);
            QVERIFY(qAbs(v(Noi) - (v(Gross) - v(Vacancy) - v(Expenses))) < 1e-6);
            QVERIFY(qAbs(v(Debt) - (v(Interest) + v(Principal))) < 1e-6);
            QVERIFY(qAbs(v(Taxable) - (v(Noi) - v(Interest) - v(Depreciation))) < 1e-6);
            QVERIFY(qAbs(v(Tax) - 0.26 * v(Taxable)) < 1e-6);
            QVERIFY(qAbs(v(Before) - (v(Noi) - v(Debt))) < 1e-6);
            QVERIFY(qAbs(v(After) - (v(Before) - v(Tax))) < 1e-6);
            QVERIFY(qAbs(v(Equity) - (v(Value) - v(Balance))) < 1e-6);
            if (v(Taxable) < 0) {
                lossYear = true;
                QVERIFY2(v(Tax) < 0 && cell(Tax, c).startsWith(QLatin1Char('(')), year);
            }
            if (c == 6) {
                QCOMPARE(cell(Outlook, c), QStringLiteral("n/a"));
                QCOMPARE(cell(Difference, c), QStringLiteral("n/a"));
            } else {
                QCOMPARE(v(Difference), v(After) - outlook.at(c));
            }
        }
        QVERIFY(lossYear);
        // The second loan's last payment is in year 10: less debt service from year 11 on.
        QVERIFY(model.value(Debt, 10) < model.value(Debt, 9) - 3000);
        QCOMPARE(model.value(Debt, 11), model.value(Debt, 10));

        // The tab-separated text holds every figure as a plain whole number of the cell.
        const QStringList lines = model.tableText(QLatin1Char('\t')).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 17 + 2); // headings, 17 rows, and the end of the last line
        for (int r = 0; r < 17; ++r) {
            const QStringList cells = lines.at(r + 1).split(QLatin1Char('\t'));
            QCOMPARE(cells.size(), 13);
            QCOMPARE(cells.at(0), model.headerData(r, Qt::Vertical).toString());
            for (int c = 0; c < 12; ++c) {
                bool ok = false;
                const qint64 n = cells.at(c + 1).toLongLong(&ok);
                if (!qIsFinite(model.value(r, c))) {
                    QCOMPARE(cells.at(c + 1), QStringLiteral("n/a"));
                    continue;
                }
                QVERIFY2(ok, qPrintable(cells.at(c + 1)));
                QCOMPARE(n, qRound64(model.value(r, c)));
                QCOMPARE(ReturnsMoneyText(double(n)), cell(r, c));
            }
        }

        // A holding period of one year and of twenty: one column, twenty columns.
        for (int years : {1, 20}) {
            in.holdingPeriod = years;
            model.setResult(ComputeReturns(in), QVector<double>(years, 0.0));
            QCOMPARE(model.columnCount(), years);
        }
    }

    // On paper, the returns of a property without debt read as the view shows them: each
    // caption with the figure beside it, and the year table cell for cell in both blocks.
    void paperShowsWhatTheViewShows() {
        m_window->imgFinancial_Click();
        type(*m_window, "txtMortgagePrincipal1", QString());
        type(*m_window, "txtMortgagePrincipal2", QString());
        m_window->imgReturnsView_Click();
        type(*m_window, "txtHoldingPeriod", QStringLiteral("13"));
        QCOMPARE(text("txtRetDSCR"), QStringLiteral("n/a"));
        QCOMPARE(text("txtRetLoanPayoff"), QStringLiteral("$0"));

        const QStringList lines = tableLines(ReturnsPaperSection(*m_window).html());
        const QString paper = lines.join(QLatin1Char('\n'));
        int figures = 0;
        for (auto* field : view()->findChildren<QLineEdit*>()) {
            if (!field->objectName().startsWith(QLatin1String("txtRet")))
                continue;
            const QString caption = captionBeside(field);
            QVERIFY2(!caption.isEmpty(), qPrintable(field->objectName()));
            const QString expected = caption + QStringLiteral(": |") + field->text() + '|';
            QVERIFY2(paper.contains(expected), qPrintable(expected));
            ++figures;
        }
        QCOMPARE(figures, 15);

        ReturnsTableModel* model = view()->tableModel();
        QCOMPARE(model->columnCount(), 13);
        // The year table ends where the offer begins; the tornado below has rows of its own.
        const QStringList yearLines =
            lines.mid(0, lines.indexOf(QStringLiteral("Offer Calculator")));
        for (int r = 0; r < model->rowCount(); ++r) {
            const QString caption = model->headerData(r, Qt::Vertical).toString();
            QStringList onPaper;
            for (const QString& line : yearLines)
                if (line.startsWith(caption + '|'))
                    onPaper += line.split('|', Qt::SkipEmptyParts).mid(1);
            QStringList onScreen;
            for (int c = 0; c < model->columnCount(); ++c)
                onScreen << model->data(model->index(r, c)).toString();
            QCOMPARE(onPaper, onScreen);
        }
    }

    // Tab brings every stop of the returns view into sight, down to the sensitivity's last
    // table, and the bar and the wheel reach every line in between.
    void tabShowsEveryStopOfTheTallView() {
        m_window->imgReturnsView_Click();
        QWidget* client = m_window->centralWidget();
        const int stripBottom = MainWindow::toPixels(MainWindow::kStripHeight);
        QStringList seen;
        for (int stop = 0; stop < 40; ++stop) {
            QWidget* now = QApplication::focusWidget();
            QVERIFY(now);
            if (!view()->isAncestorOf(now))
                break;
            seen.append(now->objectName());
            const int top = now->mapTo(client, QPoint(0, 0)).y();
            const int bottom = top + now->height();
            QVERIFY2(
                top >= stripBottom && bottom <= client->height(),
                qPrintable(
                    QStringLiteral("%1 at %2..%3").arg(now->objectName()).arg(top).arg(bottom)));
            QTest::keyClick(now, Qt::Key_Tab);
        }
        QVERIFY2(seen.contains(QStringLiteral("tblSensitivityMatrix")), qPrintable(seen.join(' ')));
        auto* vbar = m_window->findChild<QScrollBar*>(QStringLiteral("VScroll1"));
        // A page moves the view by most of what the window shows, never by more.
        vbar->setValue(0);
        const int top = view()->mapTo(client, QPoint(0, 0)).y();
        vbar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        const int moved = top - view()->mapTo(client, QPoint(0, 0)).y();
        const int shown = client->height() - stripBottom;
        QVERIFY2(moved > shown / 2 && moved <= shown, qPrintable(QString::number(moved)));
        // In the smallest window the year table is taller than what shows: its top comes into
        // sight below the strip.
        const QSize size = m_window->size();
        m_window->resize(m_window->minimumSize());
        QApplication::processEvents();
        auto* years = m_window->findChild<QWidget*>(QStringLiteral("tblReturnsByYear"));
        QVERIFY(years->height() > client->height() - stripBottom);
        years->setFocus();
        QVERIFY(years->hasFocus());
        const int yearsTop = years->mapTo(client, QPoint(0, 0)).y();
        QVERIFY2(yearsTop >= stripBottom && yearsTop < stripBottom + 24,
                 qPrintable(QString::number(yearsTop)));
        m_window->resize(size);
        QVERIFY2(vbar->maximum() > 3, "four positions cannot show a view this tall");
    }

    // The returns view is taller than the window: scrolled to its end the chart shows whole,
    // and whichever view comes next is placed by its own height, never left scrolled past
    // its end or off its top.
    void scrollingStaysRightAcrossTheViews() {
        auto* vbar = m_window->findChild<QScrollBar*>(QStringLiteral("VScroll1"));
        QWidget* client = m_window->centralWidget();
        const auto bottomOf = [&](QWidget* w) {
            return w->mapTo(client, QPoint(0, w->height())).y();
        };
        const auto topOf = [&](QWidget* w) { return w->mapTo(client, QPoint(0, 0)).y(); };
        const int stripBottom = MainWindow::toPixels(MainWindow::kStripHeight);

        m_window->imgReturnsView_Click();
        QVERIFY(!vbar->isHidden());
        vbar->setValue(vbar->maximum());
        // Its end sits a small margin above the window's bottom edge, as on every view.
        const auto endsAtBottom = [&](QWidget* w) {
            return bottomOf(w) <= client->height() && bottomOf(w) >= client->height() - 12;
        };
        QVERIFY2(endsAtBottom(view()), qPrintable(QString::number(bottomOf(view()))));
        QVERIFY(bottomOf(view()->chart()) <= client->height());

        // Tall to tall: the financial view fills the window, no gap above or below it.
        m_window->imgFinancial_Click();
        auto* financial = m_window->findChild<QFrame*>(QStringLiteral("frameFinancial"));
        QVERIFY2(
            bottomOf(financial) >= client->height() - 12 && topOf(financial) <= 0,
            qPrintable(QStringLiteral("%1..%2").arg(topOf(financial)).arg(bottomOf(financial))));

        // Short: no bar, the view back at the top.
        m_window->imgReturnsView_Click();
        vbar->setValue(vbar->maximum());
        m_window->imgQuickView_Click();
        QVERIFY(vbar->isHidden());
        QCOMPARE(vbar->value(), 0);
        auto* summary = m_window->findChild<QFrame*>(QStringLiteral("frameQuickView"));
        QCOMPARE(topOf(summary), 0); // the strip lies over the views' blank top margin

        // Back on the returns, from the top, its first input in sight and focused.
        m_window->imgReturnsView_Click();
        QVERIFY(!vbar->isHidden());
        QCOMPARE(vbar->value(), 0);
        QCOMPARE(topOf(view()), 0);
        auto* holding = m_window->findChild<QLineEdit*>(QStringLiteral("txtHoldingPeriod"));
        QVERIFY(holding->hasFocus());
        QVERIFY(topOf(holding) >= stripBottom && bottomOf(holding) <= client->height());
        QVERIFY(!m_window->findChild<QFrame*>(QStringLiteral("frameFinancial"))->isVisible());
    }

    void anExportThatCannotBeWrittenIsReported() {
        m_window->imgReturnsView_Click();
        ScriptedFilePicker picker;
        m_window->setFilePicker(&picker);
        const QString csv = m_folder->file(QStringLiteral("no such folder/returns.csv"));
        picker.setNextFile(csv);
        QTest::mouseClick(m_window->findChild<QPushButton*>("cmdExportCsv"), Qt::LeftButton);
        QVERIFY(!QFile::exists(csv));
        QCOMPARE(m_prompts.messages().size(), 1);
        QVERIFY(m_prompts.messages().at(0).text.contains(QDir::toNativeSeparators(csv)));
        // Cancelled, nothing is written and nothing asked.
        QTest::mouseClick(m_window->findChild<QPushButton*>("cmdExportCsv"), Qt::LeftButton);
        QCOMPARE(m_prompts.messages().size(), 1);
    }

    void blankInputsStoreThePropertyAsBefore() {
        g_sPropertyDatabaseReadOnly.clear();
        m_window->imgFinancial_Click();
        m_window->mnuFileSave_Click();
        const QByteArray before = ReadBytes(PropertyDatabasePath());
        QVERIFY(before.contains("txtPurchasePrice=285000"));
        m_window->imgReturnsView_Click();
        m_window->mnuFileSave_Click();
        QCOMPARE(ReadBytes(PropertyDatabasePath()), before);
        type(*m_window, "txtSellingCosts", QStringLiteral("7"));
        m_window->mnuFileSave_Click();
        QVERIFY(ReadBytes(PropertyDatabasePath())
                    .contains("txtQISNetMonthlyCashflowPerUnitBeforeTaxes=")); // still there
        QVERIFY(ReadBytes(PropertyDatabasePath()).contains("txtSellingCosts=7\r\n"));
    }

    // The repair and refinance group, the cash out in the year table and the marker on the
    // chart, each from a refinance month on and gone with it.
    void rehabAndRefinanceOnTheReturnsView() {
        enterProperty(kFixer);
        const QStringList expected = {"$136,200", "$46,200", "$43,800", "$530",   "142.27%",
                                      "$135,000", "$89,769", "$41,731", "$4,469", "90.33%"};
        QStringList shown;
        for (const char* name :
             {"txtBrrrrAllInCost", "txtBrrrrCashInvested", "txtBrrrrEquityCreated",
              "txtBrrrrMonthlyCashFlow", "txtBrrrrCashOnCash", "txtBrrrrRefinanceLoan",
              "txtBrrrrLoanPayoff", "txtBrrrrCashOut", "txtBrrrrCashLeft", "txtBrrrrRecovered"})
            shown << text(name);
        QCOMPARE(shown, expected);
        QCOMPARE(text("txtRetIRRAfterTax"), QStringLiteral("38.50%"));
        const ReturnsTableModel* model = view()->tableModel();
        QCOMPARE(model->rowCount(), 18);
        QCOMPARE(model->headerData(12, Qt::Vertical).toString(),
                 QStringLiteral("Refinance Cash Out"));
        QCOMPARE(model->data(model->index(12, 0)).toString(), QStringLiteral("$41,731"));
        QCOMPARE(model->data(model->index(12, 1)).toString(), QStringLiteral("$0"));
        QCOMPARE(view()->chart()->payoffLabels(), QStringList{"Refinanced"});
        auto* cashOut = m_window->findChild<QLineEdit*>("txtBrrrrCashOut");
        QVERIFY(tooltipOf(cashOut).endsWith(QStringLiteral("$3,500 = $41,731")));
        QVERIFY(m_window->findChild<QLabel*>("lblRefinanceNote")->text().isEmpty());

        // Past the holding period: its figures, no cash out in the table, and a line saying so.
        type(*m_window, "txtHoldingPeriod", QStringLiteral("5"));
        m_window->setText(QStringLiteral("txtRefinanceMonth"), QStringLiteral("72"));
        m_window->imgFinancial_Click();
        m_window->imgReturnsView_Click();
        QCOMPARE(text("txtBrrrrCashOut"), QStringLiteral("$44,752"));
        QVERIFY(view()->chart()->payoffLabels().isEmpty());
        auto* note = m_window->findChild<QLabel*>("lblRefinanceNote");
        QVERIFY(note->text().contains("month 72"));
        // The whole line is read, however narrow the view.
        const QRect needed =
            note->fontMetrics().boundingRect(QRect(0, 0, note->width(), 1000),
                                             note->wordWrap() ? Qt::TextWordWrap : 0, note->text());
        QVERIFY(needed.width() <= note->width() && needed.height() <= note->height());

        // Without a refinance month the row goes and its figures are n/a; the costs stay.
        m_window->setText(QStringLiteral("txtRefinanceMonth"), QString());
        m_window->imgFinancial_Click();
        m_window->imgReturnsView_Click();
        QCOMPARE(model->rowCount(), 17);
        QCOMPARE(text("txtBrrrrCashOut"), QStringLiteral("n/a"));
        QCOMPARE(text("txtBrrrrAllInCost"), QStringLiteral("$136,200"));
        QVERIFY(tooltipOf(cashOut).endsWith(QStringLiteral("until a refinance month is given")));
    }

    // The new inputs sit in their own group of the financial view under their captions,
    // say what a blank stands for, are framed red when the returns cannot use them, and are
    // stored only when typed.
    void rehabInputsOnTheFinancialView() {
        g_sPropertyDatabaseReadOnly.clear();
        m_window->imgFinancial_Click();
        QStringList captions;
        for (const FieldInfo* f : FieldsOf(FieldView::Financial, "Rehab and Refinance")) {
            auto* edit = m_window->findChild<QLineEdit*>(f->name);
            QVERIFY(edit->isVisible());
            captions << captionBeside(edit) + '|' + edit->placeholderText();
        }
        QCOMPARE(captions,
                 QStringList({"Rehab Budget|0", "Rehab Months|0", "Holding Costs per Month|0",
                              "After Repair Value|none", "Refinance in Month|none",
                              "Refinance Loan-to-Value|75", "Refinance Interest Rate|",
                              "Refinance Term|360", "Refinance Closing Costs|0"}));
        auto* rate = m_window->findChild<QLineEdit*>("txtRefinanceRate");
        type(*m_window, "txtRefinanceMonth", QStringLiteral("7"));
        QVERIFY(NumberMark::IsMarked(rate));
        QCOMPARE(rate->toolTip(), NumberMark::NeededTooltip(QStringLiteral("Refinance in Month")));
        type(*m_window, "txtRefinanceRate", QStringLiteral("6.5"));
        QVERIFY(!NumberMark::IsMarked(rate));
        auto* months = m_window->findChild<QLineEdit*>("txtRehabMonths");
        type(*m_window, "txtRehabMonths", QStringLiteral("25"));
        QCOMPARE(months->toolTip(),
                 NumberMark::OutOfRangeTooltip(QStringLiteral("whole months from 0 to 24")));
        m_window->imgReturnsView_Click();
        QCOMPARE(text("txtBrrrrAllInCost"), QStringLiteral("n/a"));

        m_window->imgFinancial_Click();
        type(*m_window, "txtRehabMonths", QString());
        m_window->mnuFileSave_Click();
        const QByteArray stored = ReadBytes(PropertyDatabasePath());
        QVERIFY(stored.contains("\r\ntxtRefinanceMonth=7\r\ntxtRefinanceRate=6.5\r\n"));
        QVERIFY(!stored.contains("txtRehabMonths") && !stored.contains("txtRefinanceLTV"));
    }

    // On paper the group reads as on screen for a property with a refinance, and is absent
    // for one without a repair or a refinance.
    void paperShowsTheRehabGroupOnlyWithOne() {
        QVERIFY(!ReturnsPaperSection(*m_window).html().contains("Rehab and Refinance"));
        enterProperty(kFixer);
        const QString paper = tableLines(ReturnsPaperSection(*m_window).html()).join('\n');
        for (const RehabFigureText& f :
             RehabPanel::FigureTexts(ComputeReturns(ReadReturnsInputs(*m_window).inputs))) {
            const QString expected = f.caption + QStringLiteral(": |") + text(qPrintable(f.name));
            QVERIFY2(paper.contains(expected), qPrintable(expected));
        }
        QVERIFY(paper.contains("Refinance Cash Out|$41,731|$0|"));
        QVERIFY(paper.contains("Refinance in Month: 7"));
    }

    // Property by property, every figure, table cell and marker of the view reads as it did
    // before the rehab and refinance inputs existed, as long as they are left blank.
    void blankRehabAndRefinanceLeaveTheViewAsItWas() {
        const QString path = qEnvironmentVariable("QB_SOURCE_DIR") +
                             QStringLiteral("/tests/gui/views/data/returns_as_before.txt");
        const QString expected = ReadAll(path);
        QString actual;
        for (const QString& block : expected.split(QStringLiteral("== "), Qt::SkipEmptyParts)) {
            const QStringList lines = block.split(QLatin1Char('\n'));
            const int inputsEnd = int(lines.indexOf(QStringLiteral("--")));
            QVERIFY(inputsEnd > 0);
            enterProperty(lines.mid(1, inputsEnd - 1));
            QStringList shown = lines.mid(0, inputsEnd + 1);
            for (auto* field : view()->findChildren<QLineEdit*>())
                if (field->objectName().startsWith(QLatin1String("txtRet")))
                    shown << field->objectName() + QLatin1Char('=') + field->text();
            const ReturnsTableModel* model = view()->tableModel();
            for (int r = 0; r < model->rowCount(); ++r) {
                QString row = model->headerData(r, Qt::Vertical).toString();
                for (int c = 0; c < model->columnCount(); ++c)
                    row += QLatin1Char('|') + model->data(model->index(r, c)).toString();
                shown << row;
            }
            shown << QStringLiteral("markers|") + view()->chart()->payoffLabels().join('|');
            actual += QStringLiteral("== ") + shown.join(QLatin1Char('\n')) + QLatin1Char('\n');
        }
        if (actual != expected) {
            const QString written =
                qEnvironmentVariable("QB_BUILD_DIR") + QStringLiteral("/returns_as_before.txt");
            WriteFile(written, actual.toUtf8());
            QFAIL(qPrintable(QStringLiteral("the view differs; it now reads as ") + written));
        }
    }

    // The offer and the tornado on the view follow a criterion changed in the dialog at once,
    // without making the property itself a changed one.
    void offerAndSensitivityFollowTheCriteriaAtOnce() {
        CriteriaSettings::instance().reload(); // the defaults of this test's own settings
        m_window->imgReturnsView_Click();
        m_window->commands().TakeBaselineSnapshot();
        QCOMPARE(text("txtOfferCapRate"), QStringLiteral("Not used"));
        double lowest = qInf();
        QString binding;
        for (const char* name :
             {"txtOfferCashOnCash", "txtOfferDSCR", "txtOfferCashFlowPerUnit", "txtOfferIRR"}) {
            QVERIFY2(text(name).startsWith(QLatin1Char('$')), name);
            const double price = FieldNumber(text(name));
            if (price < lowest) {
                lowest = price;
                binding = captionBeside(m_window->findChild<QLineEdit*>(name));
            }
        }
        QCOMPARE(FieldNumber(text("txtOfferPrice")), lowest);
        QCOMPARE(text("lblOfferBinding"),
                 QStringLiteral("Limited by ") + binding.section(" ≥", 0, 0));
        QVERIFY(tooltipOf(m_window->findChild<QLineEdit*>("txtOfferIRR"))
                    .contains(QStringLiteral("At ") + text("txtOfferIRR") + QLatin1Char(':')));

        SensitivityTableModel* tornado = view()->sensitivityPanel()->tableModel();
        QCOMPARE(m_window->findChild<QTableView*>("tblSensitivity")->model(), tornado);
        QCOMPARE(tornado->rowCount(), 9);
        QCOMPARE(tornado->index(0, 0).data().toString(), QStringLiteral("Purchase Price"));
        QCOMPARE(tornado->index(0, 1).data().toString(), QStringLiteral("±5 %"));
        QCOMPARE(CriterionValueText(Criterion::IrrAfterTax, tornado->tornado().base),
                 text("txtRetIRRAfterTax"));
        // Red where a side ends below the target.
        TornadoChart* chart = view()->sensitivityPanel()->chart();
        const auto redWhereBelow = [&](double target) {
            for (int r = 0; r < 9; ++r)
                for (int side : {2, 3}) {
                    const bool red = chart->sideColour(r, side == 3) ==
                                     TornadoChart::belowTargetColour(side == 3);
                    QCOMPARE(red, tornado->index(r, side).data(TornadoChart::ValueRole).toDouble() <
                                      target);
                }
        };
        redWhereBelow(0.12);

        // A text that is no number keeps OK disabled; 33 % is taken and shown at once.
        QTimer::singleShot(0, this, [] {
            auto* dialog = qobject_cast<CriteriaDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto* irr = dialog->findChild<QLineEdit*>("txtCriteriaIRRAfterTax");
            auto* ok = dialog->findChild<QPushButton*>("cmdOK");
            QCOMPARE(irr->text(), QStringLiteral("12"));
            irr->setText(QStringLiteral("3x"));
            QVERIFY(NumberMark::IsMarked(irr));
            QVERIFY(!ok->isEnabled());
            irr->setText(QStringLiteral("1e999")); // too large for a number: marked as refused
            QVERIFY(NumberMark::IsMarked(irr));
            QVERIFY(!ok->isEnabled());
            irr->setText(QStringLiteral("33"));
            QVERIFY(ok->isEnabled());
            QTest::mouseClick(ok, Qt::LeftButton);
        });
        m_window->findChild<QAction*>("mnuToolsInvestmentCriteria")->trigger();
        QCOMPARE(ReadCriteriaTexts(), (QStringList{"8", "1.25", "100", "", "33"}));
        QCOMPARE(captionBeside(m_window->findChild<QLineEdit*>("txtOfferIRR")),
                 QStringLiteral("IRR After Tax ≥ 33.00%"));
        QVERIFY(FieldNumber(text("txtOfferIRR")) < 285000); // below 33 % at the asking price
        QCOMPARE(text("txtOfferPrice"), text("txtOfferIRR"));
        QVERIFY(text("txtOfferGap").endsWith(QStringLiteral("below the asking price")));
        redWhereBelow(0.33);
        const QModelIndex base =
            view()->sensitivityPanel()->matrixModel()->index(kMatrixBase, kMatrixBase);
        QVERIFY(base.data(SensitivityMatrixModel::BaseCellRole).toBool());
        QCOMPARE(base.data(Qt::BackgroundRole).value<QColor>(),
                 SensitivityMatrixModel::missedColour());
        m_window->TakeCurrentSnapshot();
        QVERIFY(!m_window->HasUnsavedChanges());

        // Another figure for the tornado, written as the view writes it.
        auto* metric = m_window->findChild<QComboBox*>("cmbSensitivityMetric");
        metric->setCurrentIndex(metric->findText(QStringLiteral("Debt Service Coverage")));
        QCOMPARE(tornado->index(0, 2).data().toString().size(), 4); // "2.48"
        m_window->TakeCurrentSnapshot();
        QVERIFY(!m_window->HasUnsavedChanges());
        CriteriaSettings::instance().store({"8", "1.25", "100", "", "12"});
    }

    void useAsPurchasePriceAsksAndEditsTheProperty() {
        CriteriaSettings::instance().reload();
        m_window->imgReturnsView_Click();
        m_window->commands().TakeBaselineSnapshot();
        m_prompts.clear();
        const double offer = FieldNumber(text("txtOfferPrice"));
        auto* use = m_window->findChild<QPushButton*>("cmdUseOfferPrice");
        m_prompts.setNextAnswer(PromptAnswer::Cancel);
        QTest::mouseClick(use, Qt::LeftButton);
        QCOMPARE(m_prompts.messages().size(), 1);
        QVERIFY(m_prompts.messages().at(0).text.contains(text("txtOfferPrice")));
        QCOMPARE(text("txtPurchasePrice"), QStringLiteral("285000"));

        m_prompts.setNextAnswer(PromptAnswer::Ok);
        QTest::mouseClick(use, Qt::LeftButton);
        QCOMPARE(FieldNumber(text("txtPurchasePrice")), offer);
        // Down payment, closing costs and loans keep their share of the price, to the cent.
        const double s = offer / 285000;
        QVERIFY(qAbs(FieldNumber(text("txtDownPayment")) - 57000 * s) <= 0.005);
        QVERIFY(qAbs(FieldNumber(text("txtClosingCosts")) - 6500 * s) <= 0.005);
        QVERIFY(qAbs(FieldNumber(text("txtMortgagePrincipal2")) - 20000 * s) <= 0.005);
        QCOMPARE(text("txtOfferGap"), QStringLiteral("At the asking price"));
        m_window->TakeCurrentSnapshot();
        QVERIFY(m_window->HasUnsavedChanges());
    }

    // Both sensitivity tables leave the view as plain numbers, and the paper shows the offer
    // and the tornado as the view does.
    void sensitivityCopiesAndPrintsAsShown() {
        CriteriaSettings::instance().reload();
        m_window->imgReturnsView_Click();
        QTest::mouseClick(m_window->findChild<QPushButton*>("cmdCopySensitivity"), Qt::LeftButton);
        const QStringList lines = QApplication::clipboard()->text().split(QStringLiteral("\r\n"));
        QCOMPARE(lines.at(0), QStringLiteral("Input\tChange\tIRR After Tax at Low (%)\tIRR After "
                                             "Tax at High (%)"));
        SensitivityTableModel* tornado = view()->sensitivityPanel()->tableModel();
        for (int r = 0; r < 9; ++r)
            QCOMPARE(lines.at(r + 1),
                     QStringList({tornado->index(r, 0).data().toString(),
                                  tornado->index(r, 1).data().toString(),
                                  tornado->index(r, 2).data().toString().remove('%'),
                                  tornado->index(r, 3).data().toString().remove('%')})
                         .join('\t'));
        QCOMPARE(lines.at(11).split('\t').mid(1),
                 QStringList({"3420", "3610", "3800", "3990", "4180"}));
        QCOMPARE(lines.at(14).split('\t').at(3),
                 QString(text("txtRetIRRAfterTax")).remove('%')); // as typed

        const QString paper = tableLines(ReturnsPaperSection(*m_window).html()).join('\n');
        QVERIFY(paper.contains(QStringLiteral("Offer Price: |") + text("txtOfferPrice") + '|'));
        QVERIFY(paper.contains(text("lblOfferBinding")));
        for (int r = 0; r < 9; ++r)
            QVERIFY(paper.contains(tornado->index(r, 0).data().toString() + '|' +
                                   tornado->index(r, 1).data().toString() + '|' +
                                   tornado->index(r, 2).data().toString() + '|'));
    }
};

QTEST_MAIN(TestReturnsView)
#include "tst_returnsview.moc"
