// The property table on any database file: loading never fails and reads the same sections,
// keys and values as the INI engine; the save's own writer gives byte for byte the document the
// INI engine would write; saving the table and loading the result again keeps every property,
// and the table as a save leaves it in memory is the table read back from the file; a second
// save keeps every key and value as they are.
#include "base/inidocument.h"
#include "fuzzcheck.h"
#include "store/databasewriter.h"
#include "store/propertydatabase.h"
#include "store/propertytable.h"

#include <QBuffer>

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

bool rowHasValue(int row) {
    for (int slot = 1; slot <= g_propertyTable.slotCount(); ++slot) {
        if (!IniDocument::cleanText(g_propertyTable.value(row, slot)).isEmpty())
            return true;
    }
    return false;
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

// The open property (the first row; on the first save with a typed key added when it holds a
// value, so that it stays the property it was) written back as a save writes it, checked against
// the INI engine's document; the table is then what the save leaves in memory.
QByteArray saveTable(bool typeIntoOpenRow) {
    DatabaseSavePlan plan;
    if (g_propertyTable.propertyCount() > 0) {
        plan.openRow = 1;
        for (int slot = 1; slot <= g_propertyTable.rowSlots(1); ++slot)
            plan.entries.append({g_propertyTable.key(1, slot), g_propertyTable.valueText(1, slot)});
        if (typeIntoOpenRow && rowHasValue(1))
            plan.entries.append({QStringLiteral("txtMiscNotes"), QStringLiteral(" typed ")});
    }
    const QByteArray expected = BuildDatabaseDocument(g_propertyTable, plan).toBytes();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const DatabaseWriteResult written = WriteDatabase(g_propertyTable, plan, buffer);
    fuzzCheck(written.ok && buffer.data() == expected,
              "the save's writer and the INI engine write different files",
              QString::fromLatin1(buffer.data().toHex()), QString::fromLatin1(expected.toHex()));
    ApplySavePlan(g_propertyTable, plan);
    const QString inMemory = describeTable();
    PropertyTable readBack;
    readBack.load(expected);
    std::swap(readBack, g_propertyTable);
    fuzzCheck(describeTable() == inMemory,
              "the table a save leaves differs from the file read back", inMemory, describeTable());
    return expected;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    g_propertyTable.load(input);
    fuzzCheck(describeTable() == describeDocument(IniDocument::fromBytes(input)),
              "the table and the INI engine read the file differently", describeTable(),
              describeDocument(IniDocument::fromBytes(input)));

    const int properties = rowsWithValues();
    const QByteArray saved = saveTable(true);
    g_propertyTable.load(saved);
    fuzzCheck(g_propertyTable.propertyCount() == properties, "a save lost or made up a property",
              QString::number(g_propertyTable.propertyCount()), QString::number(properties));
    // A row without values leaves its number unused, so the second save may number the
    // sections afresh; what they hold stays.
    const QString afterOne = describeTable();
    g_propertyTable.load(saveTable(false));
    fuzzCheck(describeTable() == afterOne, "a second save changed the database", describeTable(),
              afterOne);
    return 0;
}
