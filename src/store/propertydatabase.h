#pragma once

#include "base/inidocument.h"
#include "model/form.h"

#include <QStringList>
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

// Rebuilds g_propertyTable and g_lPropertyCount from the file, read once. A missing file is an
// empty database. A file that holds bytes that are no text, or that has content but no
// property section, loads as no property and makes the database read-only.
void LoadPropertyDatabase();

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
    // Writes the document to the device (the new database's temporary); unset:
    // IniDocument::write. The bytes are checked on the disk before the file is replaced.
    std::function<bool(const IniDocument&, QIODevice& out, QString* errorText)> writeDatabase;
};

// omit < 0: stores the open property into row g_lCurrentProperty, then rewrites the file;
// omit >= 1: rewrites the file without row omit; omit = 0: rewrites it as it is.
// A new property (g_lCurrentProperty 0) is appended and becomes the last row; the open
// property's row follows its section when rows without values ahead of it drop out. The previous
// file becomes the backup, and the new one replaces it, only once both are completely on the disk:
// a failed or short write is logged and leaves the old file and the old backup (and a new
// property still new), and a database that cannot be read whole is never replaced. With no
// property left there is no file.
void SavePropertyDatabase(Form& form, qint32& omit, QStringList& g_sListOfImagesForProperty,
                          const SaveHooks& hooks = SaveHooks());

// The document a save writes for the table as it stands: rows 1..N except omit as
// PROPERTY000001.. (a row without values writes nothing but still takes its number), then the
// scratch row as N + 1 when g_lCurrentProperty is 0. *openRow, when given, is the position
// (1-based) of the section written for row g_lCurrentProperty, 0 when that row writes none.
IniDocument BuildDatabaseDocument(qint32 omit, int* openRow = nullptr);
