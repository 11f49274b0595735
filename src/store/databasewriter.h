#pragma once

#include "base/inidocument.h"

#include <QString>
#include <QVector>

#include <atomic>
#include <utility>

class PropertyTable;
class QIODevice;

// What one save changes: the rows of a table in order, less one row, with the open property's
// row replaced by its fields or a new property appended.
struct DatabaseSavePlan {
    using Entries = QVector<std::pair<QString, QString>>;
    qint32 omit = 0;     // a row left out; 0 for none
    qint32 openRow = -1; // the row written from `entries`; 0 appends them; -1 for none
    Entries entries;     // as stored: line breaks already "~|"
};

struct DatabaseWriteResult {
    bool ok = false;
    QString errorText;
    qint64 size = 0;
    quint64 hash = 0;    // ContentHasher of the bytes written
    int properties = 0;  // sections written
    int openSection = 0; // 1-based position of the open property's section; 0 for none
};

// The document a save writes for a table and a plan: rows 1..N except the omitted one as
// PROPERTY000001.. (a row without values writes nothing but still takes its number), the open
// row as its entries, a new property as N + 1. Each section holds a key once, at its first
// place, with its last value. *openSection as DatabaseWriteResult::openSection.
IniDocument BuildDatabaseDocument(const PropertyTable& table, const DatabaseSavePlan& plan,
                                  int* openSection = nullptr);

// Writes exactly the bytes BuildDatabaseDocument(table, plan).toBytes() would, straight from
// the table: a value still in the bytes the table was read from is copied, not decoded, and
// nothing the size of the file is held in memory. The table is only read (no value() call),
// so this may run on another thread while nothing changes the table. progress counts rows
// written.
DatabaseWriteResult WriteDatabase(const PropertyTable& table, const DatabaseSavePlan& plan,
                                  QIODevice& out, std::atomic<qint64>* progress = nullptr);

// Brings the table to what it holds once the file written for the plan is read back: the
// omitted row and rows without values gone, the open row's entries in its place (or appended),
// keys met twice in a row once. Returns the open property's row (0 for none).
int ApplySavePlan(PropertyTable& table, const DatabaseSavePlan& plan);

// Rows of the table that write a section (hold a value that is not blank).
int PropertiesWithValues(const PropertyTable& table);
