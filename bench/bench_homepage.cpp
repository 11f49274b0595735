// Building a home page over a 1,000-property table: the first page, a filter that has to
// walk the whole table to fill one page, and the last page. Properties carry every stored
// field but no pictures, so the figures exclude picture decoding.
#include "benchreport.h"
#include "gui/views/homepage.h"
#include "model/fieldtable.h"
#include "store/propertytable.h"
#include "testsupport.h"

#include <QApplication>
#include <QFrame>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

void FillTable(int properties) {
    QStringList keys;
    for (const FieldSpec& f : StoredFields())
        keys.append(f.name);
    g_propertyTable.reset(properties);
    g_lPropertyCount = properties;
    g_propertyTable.growSlots(int(keys.size()));
    for (int p = 1; p <= properties; ++p) {
        // Only the last six reach two million, so that filter scans every row.
        const QString price = p > properties - 6 ? QStringLiteral("$2,500,000")
                                                 : QStringLiteral("$%1,000").arg(100 + p % 800);
        for (int j = 0; j < keys.size(); ++j) {
            const QString& key = keys[j];
            QString value = QStringLiteral("$1,234");
            if (key == QLatin1String("txtPropertyInformation"))
                value = QStringLiteral("Property %1").arg(p);
            else if (key == QLatin1String("txtPurchasePrice"))
                value = price;
            else if (key == QLatin1String("txtUnits"))
                value = QString::number(1 + p % 12);
            else if (key == QLatin1String("txtSquareFootage"))
                value = QString::number(900 + p);
            g_propertyTable.setKey(p, j + 1, key);
            g_propertyTable.setValue(p, j + 1, value);
        }
    }
}

double MedianMs(HomePage& page, qint32 start, const QString& filter, int runs) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        qint32 s = start;
        const auto t0 = std::chrono::steady_clock::now();
        page.LoadPropertiesOnMainPage(s, filter);
        const auto t1 = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char* argv[]) {
    PrepareBenchEnvironment(argv[0]);
    QApplication app(argc, argv);
    TempProgramFolder folder(true);

    FillTable(1000);
    QFrame frame;
    frame.resize(740, 600);
    HomePage page(&frame);
    frame.show();

    const int runs = 200;
    const double first = MedianMs(page, 1, QStringLiteral("Show All Properties"), runs);
    const double scan = MedianMs(page, 1, QStringLiteral("Purchase Price $2,000,000 +"), runs);
    const double last = MedianMs(page, 995, QString(), runs);
    std::printf("home page over 1000 properties, median of %d builds\n", runs);
    bool ok = ReportMeasure("home page: first page, no filter", first, 20, "ms");
    ok = ReportMeasure("home page: a filter scanning all 1,000 rows", scan, 20, "ms") && ok;
    ok = ReportMeasure("home page: last page", last, 20, "ms") && ok;
    return ok ? 0 : 1;
}
