// Load and save of a 1,000-property database, against reading and copying the same bytes raw.
#include "base/programfolder.h"
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

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

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
    return median(times);
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
    std::printf("load       %8.2f ms  = %5.1f x raw read   (target <= 20x, < 150 ms) %s\n", load,
                load / rawRead, load <= 20 * rawRead && load < 150 ? "ok" : "MISSED");
    std::printf("save       %8.2f ms  = %5.1f x raw copy   (target <= 20x, < 150 ms) %s\n", save,
                save / rawCopy, save <= 20 * rawCopy && save < 150 ? "ok" : "MISSED");
    std::printf("all properties loaded: %s; file unchanged by a save: %s\n",
                loadedAll ? "yes" : "NO", unchanged ? "yes" : "NO");
    return loadedAll && unchanged ? 0 : 1;
}
