// Main window timings: one keystroke in an operating-expense field (the whole change handler:
// recalculation, the outlook grids and the chart) on the views that show its figures, and
// opening a saved property into the window. Runs offscreen by default; one RESULT line per
// measure (benchreport.h).
//
//   bench_mainwindow                 timings
//   bench_mainwindow --only TEXT     only the measures whose name contains TEXT (profiling)
//   bench_mainwindow --shots DIR     also saves a picture of each property view into DIR
//   bench_mainwindow --show VIEW     shows the window on the display with a sample property on
//                                    VIEW (property, financial, summary, outlook, outlook20,
//                                    returns)
//                                    and waits, for looking at it on a real screen
//   bench_mainwindow --show VIEW --type KEYS
//                                    also types KEYS into an operating expense, a key every
//                                    two seconds, for watching the view follow them ("-" is
//                                    Backspace)
#include "base/programfolder.h"
#include "benchreport.h"
#include "gui/mainwindow/mainwindow.h"
#include "gui/widgets/outlookchart.h"
#include "model/fieldtable.h"
#include "store/propertydatabase.h"
#include "store/propertytable.h"
#include "testsupport.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFrame>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

struct Figure {
    const char* field;
    const char* text;
};

// A four-unit building with two loans.
const Figure kSample[] = {
    {"txtPropertyInformation", "Maple Court Fourplex"},
    {"txtAddress", "1418 Maple Court, Harrowgate"},
    {"txtUnits", "4"},
    {"txtSquareFootage", "3,600"},
    {"txtMiscNotes", "Built 1978, new roof 2019.\nTenants pay electricity; owner pays water."},
    {"txtCurrentMarketValue", "300000"},
    {"txtPurchasePrice", "285000"},
    {"txtDownPayment", "57000"},
    {"txtClosingCosts", "6500"},
    {"txtAppreciation", "3"},
    {"txtDepreciateAsImprovements", "80"},
    {"txtGrossMonthlyIncome", "3800"},
    {"txtExpectedVacancyRate", "5"},
    {"txtOtherMonthlyIncome", "150"},
    {"txtAnnualRateIncrease", "3"},
    {"txtOperatingCostIncrease", "2.5"},
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

void typeSample(MainWindow& w) {
    for (const Figure& f : kSample)
        w.setText(QString::fromLatin1(f.field), QString::fromUtf8(f.text));
}

void saveShot(MainWindow& w, const QString& dir, const QString& name) {
    QApplication::processEvents();
    w.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
    std::printf("saved %s/%s.png\n", qPrintable(dir), qPrintable(name));
}

void shots(MainWindow& w, const QString& dir) {
    QDir().mkpath(dir);
    saveShot(w, dir, QStringLiteral("home"));
    ShowPropertyStrip(w);
    w.imgProperty_Click();
    saveShot(w, dir, QStringLiteral("property"));
    w.imgFinancial_Click();
    saveShot(w, dir, QStringLiteral("financial"));
    auto* vbar = w.findChild<QScrollBar*>(QStringLiteral("VScroll1"));
    vbar->setValue(3);
    saveShot(w, dir, QStringLiteral("financial-scrolled"));
    vbar->setValue(0);
    w.imgQuickView_Click();
    saveShot(w, dir, QStringLiteral("summary"));
    w.lblCashFlow_DragDrop();
    saveShot(w, dir, QStringLiteral("outlook5"));
    auto* period = w.findChild<QComboBox*>(QStringLiteral("cmbCFAYears"));
    period->setCurrentIndex(1);
    saveShot(w, dir, QStringLiteral("outlook10"));
    period->setCurrentIndex(2);
    saveShot(w, dir, QStringLiteral("outlook20"));
}

void showView(MainWindow& w, const QString& view) {
    ShowPropertyStrip(w);
    w.imgProperty_Click();
    if (view == QLatin1String("financial")) {
        w.imgFinancial_Click();
    } else if (view == QLatin1String("summary")) {
        w.imgQuickView_Click();
    } else if (view == QLatin1String("returns")) {
        w.imgReturnsView_Click();
    } else if (view.startsWith(QLatin1String("outlook"))) {
        w.lblCashFlow_DragDrop();
        if (view == QLatin1String("outlook20"))
            w.findChild<QComboBox*>(QStringLiteral("cmbCFAYears"))->setCurrentIndex(2);
    }
}

// With `repainted`, each keystroke also paints the window at once, as the screen will show it
// (without, the paint waits for the event loop and is not timed). The median in ms.
double timeKeystrokes(MainWindow& w, const QString& fieldName = QStringLiteral("txtAdvertising"),
                      bool repainted = false) {
    auto* field = w.findChild<QLineEdit*>(fieldName);
    field->setFocus();
    field->setCursorPosition(field->text().size());
    std::vector<double> times;
    for (int i = 0; i < 200; ++i) {
        const auto start = std::chrono::steady_clock::now();
        if (i % 2 == 0)
            QTest::keyClick(field, Qt::Key_5);
        else
            QTest::keyClick(field, Qt::Key_Backspace);
        if (repainted)
            w.repaint();
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    return MedianOf(times);
}

double timeFieldWrites(MainWindow& w) {
    // Every stored field gets a text, one write at a time as a script would type them; the
    // outlook rows get one text for all their cells.
    std::vector<double> times;
    for (int round = 0; round < 30; ++round) {
        const QString suffix = QString::number(round % 2);
        const auto start = std::chrono::steady_clock::now();
        for (const FieldSpec& field : StoredFields()) {
            const QString value = QStringLiteral("1%1").arg(suffix);
            if (field.cells == 0) {
                w.setText(field.name, value);
            } else {
                for (int i = 1; i <= field.cells; ++i)
                    w.setText(field.name, value, i);
            }
        }
        typeSample(w);
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    return MedianOf(times);
}

// Two saved properties with every stored key and five pictures each, on disk as photographs
// would be, opened in turn from the table as a double click on their cards does.
double timePropertyOpen(MainWindow& w) {
    WriteFile(PropertyDatabasePath(), SampleDatabaseBytes(2, 5));
    LoadPropertyDatabase();
    for (int row = 1; row <= 2; ++row) {
        for (int j = 1; j <= g_propertyTable.slotCount(); ++j) {
            if (!g_propertyTable.key(row, j).startsWith(QLatin1String("g_sListOfImages")))
                continue;
            const QString path = g_propertyTable.value(row, j);
            QDir().mkpath(QFileInfo(path).absolutePath());
            QImage photo(1600, 1200, QImage::Format_RGB32);
            photo.fill(QColor::fromHsv((row * 40 + j * 25) % 360, 120, 200));
            photo.save(path, "JPG");
        }
    }
    std::vector<double> times;
    for (int round = 0; round < 40; ++round) {
        const auto start = std::chrono::steady_clock::now();
        w.commands().OpenPropertyAtRow(1 + round % 2);
        const auto end = std::chrono::steady_clock::now();
        QApplication::processEvents();
        times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    return MedianOf(times);
}

// Types into the advertising expense one key at a time while the event loop runs.
void typeSlowly(MainWindow& w, const QString& keys) {
    auto* field = w.findChild<QLineEdit*>(QStringLiteral("txtAdvertising"));
    field->setCursorPosition(field->text().size());
    for (int i = 0; i < keys.size(); ++i) {
        const QChar key = keys.at(i);
        QTimer::singleShot(2000 * (i + 1), field, [field, key, chart = w.chart()] {
            if (key == QLatin1Char('-'))
                QTest::keyClick(field, Qt::Key_Backspace);
            else
                QTest::keyClicks(field, QString(key));
            std::printf("typed %c (the chart's bars drawn alone %d times so far)\n", key.toLatin1(),
                        chart->barPaints());
            std::fflush(stdout);
        });
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QString shotsDir;
    QString view;
    QString only;
    QString keys;
    for (int i = 1; i + 1 < argc; ++i) {
        if (qstrcmp(argv[i], "--shots") == 0)
            shotsDir = QString::fromLocal8Bit(argv[i + 1]);
        if (qstrcmp(argv[i], "--show") == 0)
            view = QString::fromLocal8Bit(argv[i + 1]);
        if (qstrcmp(argv[i], "--only") == 0)
            only = QString::fromLocal8Bit(argv[i + 1]);
        if (qstrcmp(argv[i], "--type") == 0)
            keys = QString::fromLocal8Bit(argv[i + 1]);
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && view.isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("QB_BUILD_DIR"))
        qputenv("QB_BUILD_DIR", QFile::encodeName(QCoreApplication::applicationDirPath()));
    TempProgramFolder folder(true);
    PrepareProgramFolders();
    MainWindow w;
    w.show();
    QApplication::processEvents();
    typeSample(w);

    if (!view.isEmpty()) {
        showView(w, view);
        typeSlowly(w, keys);
        return app.exec();
    }
    if (!shotsDir.isEmpty()) {
        shots(w, shotsDir);
        return 0;
    }
    const auto wanted = [&](const char* measure) {
        return only.isEmpty() || QString::fromLatin1(measure).contains(only);
    };
    ShowPropertyStrip(w);
    w.imgFinancial_Click();
    // Where the user types.
    if (wanted("keystroke, Financial view"))
        ReportMeasure("keystroke, Financial view", timeKeystrokes(w), 4, "ms");
    // The same handler with the whole 20-year grid and the chart on screen.
    w.lblCashFlow_DragDrop();
    w.findChild<QComboBox*>(QStringLiteral("cmbCFAYears"))->setCurrentIndex(2);
    if (wanted("keystroke, 20-year outlook and chart"))
        ReportMeasure("keystroke, 20-year outlook and chart", timeKeystrokes(w), 1, "ms");
    // The returns view recomputes its figures, year table and chart on each change of its own
    // inputs; typing elsewhere costs it nothing.
    w.imgReturnsView_Click();
    if (wanted("keystroke, returns view"))
        ReportMeasure("keystroke, returns view",
                      timeKeystrokes(w, QStringLiteral("txtSellingCosts")), 4, "ms");
    // Tall enough that the whole view is on screen and painted: the table and chart, the offer
    // group's five searches and the tornado with its chart and the price-by-rent table.
    const QSize size = w.size();
    w.resize(1200, w.findChild<QWidget*>(QStringLiteral("frameReturnsView"))->height() + 300);
    QApplication::processEvents();
    if (wanted("keystroke, returns view repainted")) {
        ReportMeasure("keystroke, returns view repainted, offer and sensitivity included",
                      timeKeystrokes(w, QStringLiteral("txtSellingCosts"), true), 5, "ms");
        // The same without the offer and sensitivity groups, to tell their share on a busy
        // machine.
        for (const char* group : {"fraOfferCalculator", "fraSensitivity"})
            w.findChild<QWidget*>(QString::fromLatin1(group))->hide();
        std::printf("keystroke, returns view repainted without the offer and sensitivity: "
                    "%.3f ms\n",
                    timeKeystrokes(w, QStringLiteral("txtSellingCosts"), true));
        for (const char* group : {"fraOfferCalculator", "fraSensitivity"})
            w.findChild<QWidget*>(QString::fromLatin1(group))->show();
    }
    w.resize(size);
    if (wanted("keystroke in an expense, returns view shown"))
        ReportMeasure("keystroke in an expense, returns view shown", timeKeystrokes(w), 4, "ms");
    w.imgFinancial_Click();
    if (wanted("every stored field written one by one"))
        ReportMeasure("every stored field written one by one", timeFieldWrites(w), 50, "ms");
    if (wanted("opening a property into the window"))
        ReportMeasure("opening a property into the window", timePropertyOpen(w), 5, "ms");
    return 0;
}
