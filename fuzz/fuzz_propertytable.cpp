// The property table on any database file: loading never fails and reads the same sections,
// keys and values as the INI engine; saving the table and loading the result again keeps every
// property, and a second save keeps every key and value as they are.
#include "base/inidocument.h"
#include "fuzzcheck.h"
#include "store/propertydatabase.h"
#include "store/propertytable.h"

namespace {

// Rows 1..N as the table holds them, slots with an empty key or value skipped as readers do.
QString describeTable() {
    QString s;
    for (int row = 1; row <= g_propertyTable.propertyCount(); ++row) {
        s += QStringLiteral("| ");
        for (int slot = 1; slot <= g_propertyTable.slotCount(); ++slot) {
            const QString& key = g_propertyTable.key(row, slot);
            const QString& value = g_propertyTable.value(row, slot);
            if (!key.isEmpty() && !value.isEmpty())
                s += key + QLatin1Char('=') + value + QStringLiteral("; ");
        }
    }
    return s;
}

QString describeDocument(const IniDocument& doc) {
    QString s;
    for (int i = 0; i < doc.sectionCount(); ++i) {
        s += QStringLiteral("| ");
        doc.forEachEntry(i, [&](const QString& key, const QString& value) {
            if (!key.isEmpty() && !value.isEmpty())
                s += key + QLatin1Char('=') + value + QStringLiteral("; ");
        });
    }
    return s;
}

// Rows that hold at least one value a save writes.
int rowsWithValues() {
    int rows = 0;
    for (int row = 1; row <= g_propertyTable.propertyCount(); ++row) {
        for (int slot = 1; slot <= g_propertyTable.slotCount(); ++slot) {
            if (!IniDocument::cleanText(g_propertyTable.value(row, slot)).isEmpty()) {
                ++rows;
                break;
            }
        }
    }
    return rows;
}

QByteArray saveTable() {
    g_lPropertyCount = g_propertyTable.propertyCount();
    g_lCurrentProperty = g_lPropertyCount > 0 ? 1 : 0;
    return BuildDatabaseDocument(0).toBytes();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    g_propertyTable.load(input);
    fuzzCheck(describeTable() == describeDocument(IniDocument::fromBytes(input)),
              "the table and the INI engine read the file differently", describeTable(),
              describeDocument(IniDocument::fromBytes(input)));

    const int properties = rowsWithValues();
    const QByteArray saved = saveTable();
    g_propertyTable.load(saved);
    fuzzCheck(g_propertyTable.propertyCount() == properties, "a save lost or made up a property",
              QString::number(g_propertyTable.propertyCount()), QString::number(properties));
    // A row without values leaves its number unused, so the second save may number the
    // sections afresh; what they hold stays.
    const QString afterOne = describeTable();
    g_propertyTable.load(saveTable());
    fuzzCheck(describeTable() == afterOne, "a second save changed the database", describeTable(),
              afterOne);
    return 0;
}
