// Load and save of a 1,000-property database, against reading and copying the same bytes raw.
#include "base/programfolder.h"
#include "benchreport.h"
#include "model/fieldtable.h"
#include "model/memoryform.h"
#include "store/propertydatabase.h"
#include "store/propertytable.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kProperties = 1000;
constexpr int kPicturesEach = 5;
constexpr int kRuns = 9;

// Median wall time in milliseconds; `prepare` runs untimed before each run.
double timeIt(const std::function<void()>& work, const std::function<void()>& prepare = {}) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        if (prepare)
            prepare();
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    return MedianOf(times);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    TempProgramFolder folder;
    QDir(folder.path()).mkpath(QStringLiteral("_data"));
    const QString path = PropertyDatabasePath();
    const QString copyPath = folder.file(QStringLiteral("rawcopy"));

    const QByteArray bytes = SampleDatabaseBytes(kProperties, kPicturesEach);
    WriteFile(path, bytes);

    const double rawRead = timeIt([&] {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        const QByteArray all = f.readAll();
        if (all.size() != bytes.size())
            std::printf("raw read came back short\n");
    });
    const double rawCopy =
        timeIt([&] { QFile::copy(path, copyPath); }, [&] { QFile::remove(copyPath); });

    const double load = timeIt([] { LoadPropertyDatabase(); });
    const bool loadedAll = g_lPropertyCount == kProperties &&
                           g_propertyTable.slotCount() == StoredFields().size() + kPicturesEach;

    MemoryForm form;
    QStringList pictures{QString()};
    g_lCurrentProperty = 1;
    const double save = timeIt([&] {
        qint32 omit = 0;
        SavePropertyDatabase(form, omit, pictures);
    });
    QFile saved(path);
    saved.open(QIODevice::ReadOnly);
    const bool unchanged = saved.readAll() == bytes;

    std::printf("database: %d properties, %d keys each, %lld bytes (median of %d runs)\n",
                kProperties, g_propertyTable.slotCount(), static_cast<long long>(bytes.size()),
                kRuns);
    std::printf("raw read   %8.2f ms\n", rawRead);
    std::printf("raw copy   %8.2f ms\n", rawCopy);
    std::printf("all properties loaded: %s; file unchanged by a save: %s\n",
                loadedAll ? "yes" : "NO", unchanged ? "yes" : "NO");
    bool ok = loadedAll && unchanged;
    ok = ReportMeasure("1,000 properties: load", load, 150, "ms") && ok;
    ok = ReportMeasure("1,000 properties: load, times a raw read", load / rawRead, 20, "x") && ok;
    ok = ReportMeasure("1,000 properties: save", save, 150, "ms") && ok;
    ok = ReportMeasure("1,000 properties: save, times a raw copy", save / rawCopy, 20, "x") && ok;
    return ok ? 0 : 1;
}
