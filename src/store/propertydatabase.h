#pragma once

#include "base/inidocument.h"
#include "model/form.h"

#include <QStringList>
#include <atomic>
#include <functional>

// The property database: one INI file below the program folder, one section per property,
// keyed by the main window's field names plus one key per picture.

QString PropertyDatabasePath();       // <program folder>/_data/991106EB51
QString PropertyDatabaseBackupPath(); // the same with "backup" appended

// "PROPERTY" + the number as at least six digits.
QString PropertySectionName(int number);

// A field's line breaks (CR LF, LF alone, CR alone) as the "~|" the file holds, and back.
QString EncodeLineBreaks(const QString& text);
QString DecodeLineBreaks(const QString& text);
// The line break a stored "~|" becomes in a field.
inline const QString kFieldLineBreak = QStringLiteral("\n");

// Rebuilds g_propertyTable and g_lPropertyCount from the file, read once, and remembers what
// was read (size, time, fingerprint) so a save can tell whether another program changed the
// file since. A missing file is an empty database. A file that holds bytes that are no text, or
// that has content but no property section, loads as no property and makes the database
// read-only. Once a database has been read, a file that has gone or cannot be read is not an
// empty database: the table keeps what it holds, the failure is logged, and false is returned
// so the caller can say so.
bool LoadPropertyDatabase();

// Empty while the database may be written; otherwise the message that tells the user why not,
// naming the file. Saves and removals are refused while it is set, and nothing on the disk
// changes.
extern QString g_sPropertyDatabaseReadOnly;
QString PropertyDatabaseReadOnlyText(const QString& path);

// Copies row g_lCurrentProperty into the enabled text fields (in key order, through the
// fields' own setters, so their change handlers run) and appends the row's pictures to the
// list. The caller clears the fields and resets the list to its empty element 0 first.
void LoadPropertyIntoFields(Form& form, QStringList& g_sListOfImagesForProperty);

// What a save needs from the main window besides its fields.
struct SaveHooks {
    std::function<void(Form&)> recalculate; // the window's calculator; unset: none
    std::function<void()> takeBaselineSnapshot;
    std::function<void(bool busy)> setBusy; // hourglass while saving
    // Runs the reading and writing of the files, which take seconds for a large database:
    // the window's runs it on another thread and keeps answering, with progress shown as
    // `done` of `total` rows, and lets nothing change the table until it returns. work never
    // touches a widget or the error log. Unset: work runs at once on this thread.
    std::function<void(const std::function<void()>& work, const std::atomic<qint64>& done,
                       qint64 total)>
        runWork;
    // Another program changed the file since it was read, and this save would replace or
    // remove a property that it changed or removed: true goes ahead. Unset: false.
    std::function<bool(const QString& title, const QString& text, const QString& goAhead)> confirm;
    // The device the new database is written through (tests: one that fails part-way);
    // unset: the file's temporary itself.
    std::function<QIODevice*(QIODevice& file)> databaseDevice;
};

enum class SaveOutcome {
    Saved,
    Failed,    // logged; the files and the table are as they were
    ReadOnly,  // refused: g_sPropertyDatabaseReadOnly says why (it may have just been set)
    Cancelled, // the user kept another program's change; nothing was written
};

// omit < 0: stores the open property into row g_lCurrentProperty, then rewrites the file;
// omit >= 1: rewrites the file without row omit; omit = 0: rewrites it as it is.
// A new property (g_lCurrentProperty 0) is appended and becomes the last row; the open
// property's row follows its section when rows without values ahead of it drop out. The previous
// file becomes the backup, and the new one replaces it, only once both are completely on the disk:
// a failed or short write is logged and leaves the old file, the old backup and the table as
// they were (and a new property still new), and a database that cannot be read whole is never
// replaced. A file another program changed since it was read is read again, and only this save's
// change is made to it. A save that would write fewer properties than the file holds (less the
// one removed) is refused as a fault; the file goes only when its last property is removed.
SaveOutcome SavePropertyDatabase(Form& form, qint32& omit, QStringList& g_sListOfImagesForProperty,
                                 const SaveHooks& hooks = SaveHooks());
