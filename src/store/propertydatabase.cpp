#include "store/propertydatabase.h"

#include "base/blanks.h"
#include "base/errorlog.h"
#include "base/errortrap.h"
#include "base/programfolder.h"
#include "base/safefile.h"
#include "model/fieldtable.h"
#include "store/propertytable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace {

const QString kPictureKey = QStringLiteral("g_sListOfImagesForProperty");
const QString kPurchasePrice = QStringLiteral("txtPurchasePrice");
const QString kScheduledIncome = QStringLiteral("txtQISScheduledAnnualIncome");

bool isPictureKey(const QString& key) {
    return key.contains(kPictureKey, Qt::CaseInsensitive);
}

void raiseFileError(const QString& what) {
    RaiseError(75, ErrorDescription(75) + QStringLiteral(" (") + what + QLatin1Char(')'));
}

// The database as it stands on the disk, read whole, for the backup; raises when it cannot be:
// a cut copy must never replace the backup. Empty and false when there is no file yet.
bool readWholeDatabase(const QString& path, QByteArray* bytes) {
    QFile source(path);
    if (!source.exists())
        return false;
    if (!source.open(QIODevice::ReadOnly))
        raiseFileError(source.errorString());
    *bytes = source.readAll();
    if (source.error() != QFileDevice::NoError || bytes->size() != source.size())
        raiseFileError(QStringLiteral("not read whole: ") + path);
    return true;
}

// The new database and the backup of the old one are both written aside and checked before
// either is put in place, so a full disk leaves the database and the backup as they were.
void replaceDatabase(const IniDocument& doc, const QString& path, const SaveHooks& hooks) {
    QByteArray old;
    const bool exists = readWholeDatabase(path, &old);
    SafeFile database(path);
    const bool empty = doc.sectionCount() == 0;
    if (!empty) {
        QString errorText;
        const bool wrote = hooks.writeDatabase
                               ? hooks.writeDatabase(doc, database.device(), &errorText)
                               : doc.write(database.device(), &errorText);
        if (!wrote || !database.finish())
            raiseFileError(wrote ? database.errorString() : errorText);
    }
    if (exists) {
        SafeFile backup(PropertyDatabaseBackupPath());
        if (!backup.write(old) || !backup.commit())
            raiseFileError(backup.errorString());
    }
    if (empty) {
        // No property left: no database file, as after removing the last one.
        if (exists && !QFile::remove(path))
            raiseFileError(QStringLiteral("cannot remove ") + path);
        return;
    }
    if (!database.commit())
        raiseFileError(database.errorString());
}

void storeSlot(int row, int& slot, const QString& key, const QString& value) {
    Trap(2640, [&] {
        if (g_propertyTable.slotCount() < slot)
            g_propertyTable.growSlots(slot);
        g_propertyTable.setKey(row, slot, key);
        g_propertyTable.setValue(row, slot, value);
    });
    ++slot;
}

// The open property's fields and pictures into its row of the table.
void storeOpenProperty(Form& form, const QStringList& pictures, const SaveHooks& hooks) {
    const int row = g_lCurrentProperty;
    const QVector<ControlRef>& controls = StoredCells();

    // Keys that belong to no field of this window (a field since removed, a key added by
    // hand) are carried over, so saving a property never drops what it was opened with.
    QVector<IniDocument::Entry> foreign;
    Trap(2700, [&] {
        QSet<QString> names;
        for (const ControlRef& ref : controls)
            names.insert(ref.name.toCaseFolded());
        for (int j = 1; j <= g_propertyTable.slotCount(); ++j) {
            const QString& key = g_propertyTable.key(row, j);
            const QString& value = g_propertyTable.value(row, j);
            if (!value.isEmpty() && !isPictureKey(key) && !names.contains(key.toCaseFolded()))
                foreign.append({key, value});
        }
    });
    Trap(2705, [&] { g_propertyTable.clearRow(row); });
    for (const QString& name : {kPurchasePrice, kScheduledIncome}) {
        Trap(2710, [&] {
            if (TrimBlanks(form.text(name)).isEmpty())
                form.setText(name, QStringLiteral("0"));
        });
    }
    Trap(2720, [&] {
        if (hooks.recalculate)
            hooks.recalculate(form);
    });

    int slot = 1;
    for (const ControlRef& ref : controls) {
        QString text;
        bool store = false;
        Trap(2730, [&] {
            if (!form.isEnabled(ref.name, ref.index))
                return;
            text = TrimBlanks(form.text(ref.name, ref.index));
            store = !text.isEmpty();
        });
        if (store)
            storeSlot(row, slot, ref.name, EncodeLineBreaks(text));
    }
    for (int k = 1; k < pictures.size(); ++k) {
        if (!pictures.at(k).isEmpty())
            storeSlot(row, slot,
                      kPictureKey + QLatin1Char('(') + QString::number(k) + QLatin1Char(')'),
                      pictures.at(k));
    }
    for (const IniDocument::Entry& entry : foreign)
        storeSlot(row, slot, entry.key, entry.value);
}

} // namespace

QString PropertyDatabasePath() {
    return ProgramPath(QStringLiteral("_data/991106EB51"));
}

QString PropertyDatabaseBackupPath() {
    return PropertyDatabasePath() + QStringLiteral("backup");
}

QString PropertySectionName(int number) {
    return QStringLiteral("PROPERTY") + QStringLiteral("%1").arg(number, 6, 10, QLatin1Char('0'));
}

QString EncodeLineBreaks(const QString& text) {
    if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')))
        return text;
    QString s = text;
    s.replace(QStringLiteral("\r\n"), kLineBreakMarker);
    s.replace(QLatin1Char('\r'), kLineBreakMarker);
    s.replace(QLatin1Char('\n'), kLineBreakMarker);
    return s;
}

QString DecodeLineBreaks(const QString& text) {
    if (!text.contains(kLineBreakMarker))
        return text;
    QString s = text;
    s.replace(kLineBreakMarker, kFieldLineBreak);
    return s;
}

QString g_sPropertyDatabaseReadOnly;

QString PropertyDatabaseReadOnlyText(const QString& path) {
    return QStringLiteral("The database file\r\n\r\n   ") + QDir::toNativeSeparators(path) +
           QStringLiteral("\r\n\r\nis not a property database that can be read, so it is open "
                          "read-only: nothing can be saved to it or removed from it, and the "
                          "file stays as it is.");
}

void LoadPropertyDatabase() {
    // The file is read once and scanned once; every section is a property, whatever its name,
    // and each section keeps its own keys even when two sections share a name. The values
    // stay bytes until something asks for them.
    const QString path = PropertyDatabasePath();
    QByteArray bytes;
    const bool read = Trap(2810, [&] { bytes = IniDocument::readBytes(path); });
    const bool text = read && IniScanner::isText(bytes);
    const bool loaded = Trap(2820, [&] {
        if (!text)
            g_propertyTable.reset(0);
        else
            g_propertyTable.load(bytes);
    });
    g_lPropertyCount = g_propertyTable.propertyCount();
    // What is there but yields no property is not ours to overwrite: a save would replace it
    // (and then its backup) by the few properties typed since. A file that could not be read
    // at all is kept by the save itself, which must read it whole first.
    const bool foreign =
        read && (!text || !loaded || (g_lPropertyCount == 0 && IniScanner::hasText(bytes)));
    g_sPropertyDatabaseReadOnly = foreign ? PropertyDatabaseReadOnlyText(path) : QString();
}

void LoadPropertyIntoFields(Form& form, QStringList& g_sListOfImagesForProperty) {
    QStringList& pictures = g_sListOfImagesForProperty;
    if (pictures.isEmpty())
        pictures.append(QString());
    const int row = g_lCurrentProperty;

    // The cells of each text field in window order, by name without regard to case.
    QHash<QString, QVector<ControlRef>> fields;
    Trap(2900, [&] {
        for (const ControlRef& ref : StoredCells())
            fields[ref.name.toCaseFolded()].append(ref);
    });

    int p = 1;
    const int slotTotal = g_propertyTable.slotCount();
    for (int j = 1; j <= slotTotal; ++j) {
        Trap(2910, [&] {
            const QString& key = g_propertyTable.key(row, j);
            const QString& value = g_propertyTable.value(row, j);
            if (key.isEmpty() || value.isEmpty())
                return;
            if (isPictureKey(key)) {
                // Pictures are numbered afresh, so gaps left by removed pictures close.
                pictures.append(QString());
                pictures[p] = value;
                ++p;
                return;
            }
            const auto it = fields.constFind(key.toCaseFolded());
            if (it == fields.constEnd())
                return; // a key of no field stays in the table and is saved again
            const QString text = DecodeLineBreaks(value);
            for (const ControlRef& ref : it.value()) {
                if (form.isEnabled(ref.name, ref.index))
                    form.setText(ref.name, text, ref.index);
            }
        });
    }
}

IniDocument BuildDatabaseDocument(qint32 omit, int* openRow) {
    IniDocument doc;
    const int rows = g_propertyTable.propertyCount();
    const int slotTotal = g_propertyTable.slotCount();
    if (openRow)
        *openRow = 0;
    auto writeRow = [&](int row, int number) {
        int section = -1;
        for (int j = 1; j <= slotTotal; ++j) {
            const QString& value = g_propertyTable.value(row, j);
            if (TrimBlanks(value).isEmpty())
                continue;
            if (section < 0)
                section = doc.appendSection(PropertySectionName(number)); // numbers only grow
            doc.setValue(section, g_propertyTable.key(row, j), value);
        }
        if (openRow && row == g_lCurrentProperty && section >= 0)
            *openRow = section + 1;
    };
    int number = 1;
    for (int row = 1; row <= rows; ++row) {
        if (row == omit)
            continue;
        writeRow(row, number);
        ++number; // also for a row without values: its number stays unused
    }
    if (g_lCurrentProperty == 0)
        writeRow(0, rows + 1);
    return doc;
}

void SavePropertyDatabase(Form& form, qint32& omit, QStringList& g_sListOfImagesForProperty,
                          const SaveHooks& hooks) {
    // A file that is not a database of ours is never replaced, nor is its backup.
    if (!g_sPropertyDatabaseReadOnly.isEmpty()) {
        Trap(3090, [] { raiseFileError(QStringLiteral("read-only: ") + PropertyDatabasePath()); });
        return;
    }
    if (hooks.setBusy)
        hooks.setBusy(true);
    if (omit < 0)
        storeOpenProperty(form, g_sListOfImagesForProperty, hooks);

    const QString path = PropertyDatabasePath();
    IniDocument doc;
    int openRow = 0;
    bool built = Trap(3000, [&] { doc = BuildDatabaseDocument(omit, &openRow); });
    // The first save of a new database has nothing to back up.
    Trap(3010, [&] {
        if (!QFileInfo::exists(path))
            RaiseError(53);
    });
    const bool written = built && Trap(3020, [&] { replaceDatabase(doc, path, hooks); });
    // The open property's row is where its section now stands in the file: a row without
    // values ahead of it drops out and moves it up, and a new property becomes the last row
    // only once it is really in the file. Otherwise it stays as it was (a new one stays new),
    // so the next save never writes the open property's fields into another property's row.
    if (written && openRow > 0)
        g_lCurrentProperty = openRow;

    LoadPropertyDatabase();
    // After a failed write the open property is still unsaved: no new baseline, so closing
    // asks about it again.
    Trap(3030, [&] {
        if (written && hooks.takeBaselineSnapshot)
            hooks.takeBaselineSnapshot();
    });
    if (hooks.setBusy)
        hooks.setBusy(false);
}
