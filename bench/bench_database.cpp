// Load and save of a 1,000-property database, against reading and copying the same bytes raw.
#include "analysis/fieldcatalog.h"
#include "analysis/memoryform.h"
#include "app/programfolder.h"
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

QString money(qint64 amount) {
    QString digits = QString::number(qAbs(amount));
    for (int i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(','));
    return amount < 0 ? QStringLiteral("($%1)").arg(digits) : QStringLiteral("$%1").arg(digits);
}

// A display text of the kind each field holds.
QString displayText(const QString& field, int property, int cell) {
    const qint64 seed = qint64(property) * 7919 + cell * 104729 + field.size() * 31;
    if (field == QLatin1String("txtPropertyInformation"))
        return QStringLiteral("Maple Court Apartments %1").arg(property, 4, 10, QLatin1Char('0'));
    if (field == QLatin1String("txtAddress"))
        return QStringLiteral("%1 Maple Court, Springfield, IL 627%2")
            .arg(100 + property)
            .arg(property % 100, 2, 10, QLatin1Char('0'));
    if (field == QLatin1String("txtMiscNotes"))
        return QStringLiteral("Roof replaced in 2019; boiler serviced every autumn.~|Tenants on "
                              "yearly leases, two units turning over in June.~|Parking for %1 "
                              "cars behind the building.")
            .arg(8 + property % 20);
    if (field == QLatin1String("txtUnits") || field == QLatin1String("txtQISNumberOfUnits"))
        return QString::number(4 + property % 40);
    if (field.contains(QLatin1String("Rate")) || field.contains(QLatin1String("Increase")) ||
        field.contains(QLatin1String("Appreciation")) ||
        field.contains(QLatin1String("Percentage")) || field.contains(QLatin1String("Depreciate")))
        return QStringLiteral("%1.%2%").arg(seed % 12).arg(seed % 100, 2, 10, QLatin1Char('0'));
    if (field.contains(QLatin1String("Term")))
        return QStringLiteral("360");
    if (field.contains(QLatin1String("SquareFoot")))
        return QString::number(6000 + seed % 9000);
    const qint64 amount = (seed % 2000000) - (field.contains(QLatin1String("CF")) ? 300000 : 0);
    return money(amount);
}

QByteArray databaseBytes() {
    IniDocument doc;
    for (int p = 1; p <= kProperties; ++p) {
        const int section = doc.ensureSection(PropertySectionName(p));
        for (const FieldSpec& field : StoredFields())
            doc.setValue(section, field.name, displayText(field.name, p, field.cells));
        for (int k = 1; k <= kPicturesEach; ++k)
            doc.setValue(section, QStringLiteral("g_sListOfImagesForProperty(%1)").arg(k),
                         ProgramPath(QStringLiteral("_data/_propertyImages/2024031%1T1015%2_%3.jpg")
                                         .arg(k)
                                         .arg(p % 60, 2, 10, QLatin1Char('0'))
                                         .arg(p)));
    }
    return doc.toBytes();
}

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

    const QByteArray bytes = databaseBytes();
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
                           PropertyTable.slotCount() == StoredFields().size() + kPicturesEach;

    MemoryForm form;
    QStringList pictures{QString()};
    g_lCurrentProperty = 1;
    const double save = timeIt([&] {
        qint16 omit = 0;
        SavePropertyDatabase(form, omit, pictures);
    });
    QFile saved(path);
    saved.open(QIODevice::ReadOnly);
    const bool unchanged = saved.readAll() == bytes;

    std::printf("database: %d properties, %d keys each, %lld bytes (median of %d runs)\n",
                kProperties, PropertyTable.slotCount(), static_cast<long long>(bytes.size()),
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
