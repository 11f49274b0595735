#include "store/propertydatabase.h"

#include "base/blanks.h"
#include "base/contenthash.h"
#include "base/errorlog.h"
#include "base/errortrap.h"
#include "base/programfolder.h"
#include "base/safefile.h"
#include "model/fieldtable.h"
#include "store/databasewriter.h"
#include "store/propertytable.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <cstdio>
#include <unistd.h>

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

// What the table was last read from or written as: a save compares the disk with it to see
// whether another program changed the file in between.
struct Fingerprint {
    QString path; // the database this is of; another one has not been read yet
    bool exists = false;
    qint64 size = 0;
    QDateTime modified;
    quint64 hash = 0;
    int properties = 0; // sections that hold a value
};
Fingerprint g_fingerprint;

// What is known of the database at the current path.
const Fingerprint& onDisk() {
    static const Fingerprint none;
    return g_fingerprint.path == PropertyDatabasePath() ? g_fingerprint : none;
}

constexpr qint64 kReadChunk = 1 << 20;
constexpr int kSaveAttempts = 3;
const QString kNameKey = QStringLiteral("txtPropertyInformation");

// The file as a save finds it. AsRead: what the table was read from or last written as.
struct DiskState {
    enum State { Missing, Unreadable, AsRead, Changed } state = Missing;
    QString error;
    QByteArray bytes; // Changed: the whole file
    qint64 size = 0;
    QDateTime modified;
    quint64 hash = 0;
};

bool readAllOf(QFile& file, qint64 size, QByteArray* bytes, QString* error) {
    file.seek(0);
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || bytes->size() != size) {
        // A cut copy must never replace the backup, nor be taken for the database.
        *error = QStringLiteral("not read whole: ") + file.fileName();
        return false;
    }
    return true;
}

// Reads the database as it stands: only its fingerprint while it is still what was read (no
// copy of the whole file in memory then), the whole file when another program changed it.
DiskState readDisk(const QString& path) {
    DiskState d;
    QFile file(path);
    if (!QFileInfo::exists(path))
        return d;
    d.state = DiskState::Unreadable;
    if (!file.open(QIODevice::ReadOnly)) {
        d.error = file.errorString() + QStringLiteral(": ") + path;
        return d;
    }
    d.size = file.size();
    d.modified = QFileInfo(path).lastModified();
    if (!onDisk().exists || d.size != onDisk().size) {
        if (!readAllOf(file, d.size, &d.bytes, &d.error))
            return d;
        d.hash = ContentHasher::of(d.bytes);
        d.state = DiskState::Changed;
        return d;
    }
    ContentHasher hasher;
    QByteArray chunk;
    while (true) {
        chunk = file.read(kReadChunk);
        if (chunk.isEmpty())
            break;
        hasher.add(chunk);
    }
    if (file.error() != QFileDevice::NoError || hasher.size() != d.size) {
        d.error = QStringLiteral("not read whole: ") + path;
        return d;
    }
    d.hash = hasher.result();
    if (d.hash == onDisk().hash) {
        d.state = DiskState::AsRead;
        return d;
    }
    if (!readAllOf(file, d.size, &d.bytes, &d.error))
        return d;
    d.hash = ContentHasher::of(d.bytes);
    d.state = DiskState::Changed;
    return d;
}

// Whether a file's bytes are a database: text with at least one property section, or nothing
// but blanks. *table receives it.
bool readAsDatabase(const QByteArray& bytes, PropertyTable* table) {
    if (!IniScanner::isText(bytes))
        return false;
    bool loaded = false;
    TrapSilently([&] {
        table->load(bytes);
        loaded = true;
    });
    return loaded && (table->propertyCount() > 0 || !IniScanner::hasText(bytes));
}

bool rowHasValues(const PropertyTable& table, int row) {
    if (row < 1 || row > table.propertyCount())
        return false;
    for (int j = 1, n = table.rowSlots(row); j <= n; ++j) {
        QByteArrayView bytes;
        if (table.rawValue(row, j, &bytes) ? !bytes.isEmpty()
                                           : !TrimBlanks(table.valueText(row, j)).isEmpty())
            return true;
    }
    return false;
}

// A row as the file stores it, to tell whether another program changed it.
DatabaseSavePlan::Entries storedRow(const PropertyTable& table, int row) {
    DatabaseSavePlan::Entries entries;
    if (row < 1 || row > table.propertyCount())
        return entries;
    const QVector<QString>& names = table.keyNames();
    for (int j = 1, n = table.rowSlots(row); j <= n; ++j) {
        const QString value = table.valueText(row, j);
        if (!TrimBlanks(value).isEmpty())
            entries.append({IniDocument::cleanText(names.at(table.keyIndex(row, j))),
                            IniDocument::cleanText(value)});
    }
    return entries;
}

QString nameOf(const DatabaseSavePlan::Entries& entries) {
    for (const auto& [key, value] : entries)
        if (key.compare(kNameKey, Qt::CaseInsensitive) == 0)
            return value;
    return QString();
}

// Where the property that was row `row` of the table read before stands in the file read
// now: the row holding the same keys and values (nearest `row`), else one of the same name
// (*changed), else 0 (gone or renamed).
int findOnDisk(const PropertyTable& disk, const DatabaseSavePlan::Entries& original, int row,
               bool* changed) {
    *changed = false;
    const QString name = nameOf(original);
    int same = 0;
    int named = 0;
    auto nearer = [row](int candidate, int best) {
        return best == 0 || qAbs(candidate - row) < qAbs(best - row);
    };
    for (int r = 1, rows = disk.propertyCount(); r <= rows; ++r) {
        const DatabaseSavePlan::Entries entries = storedRow(disk, r);
        if (nameOf(entries) != name)
            continue;
        if (entries == original) {
            if (nearer(r, same))
                same = r;
        } else if (nearer(r, named)) {
            named = r;
        }
    }
    if (same)
        return same;
    *changed = true;
    return named;
}

QString quotedName(const DatabaseSavePlan::Entries& entries) {
    const QString name = nameOf(entries);
    return QStringLiteral("\u201C") + (name.isEmpty() ? QStringLiteral("(no name)") : name) +
           QStringLiteral("\u201D");
}

// The open property's fields and pictures as its row will hold them.
DatabaseSavePlan::Entries openPropertyEntries(Form& form, const QStringList& pictures,
                                              const SaveHooks& hooks) {
    const int row = g_lCurrentProperty;
    const QVector<ControlRef>& controls = StoredCells();

    // Keys that belong to no field of this window (a field since removed, a key added by
    // hand) are carried over, so saving a property never drops what it was opened with.
    DatabaseSavePlan::Entries foreign;
    Trap(2700, [&] {
        if (row < 1 || row > g_propertyTable.propertyCount())
            return;
        QSet<QString> names;
        for (const ControlRef& ref : controls)
            names.insert(ref.name.toCaseFolded());
        for (int j = 1; j <= g_propertyTable.rowSlots(row); ++j) {
            const QString& key = g_propertyTable.key(row, j);
            const QString value = g_propertyTable.valueText(row, j);
            if (!value.isEmpty() && !isPictureKey(key) && !names.contains(key.toCaseFolded()))
                foreign.append({key, value});
        }
    });
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

    DatabaseSavePlan::Entries entries;
    for (const ControlRef& ref : controls) {
        Trap(2730, [&] {
            if (!form.isEnabled(ref.name, ref.index))
                return;
            const QString text = TrimBlanks(form.text(ref.name, ref.index));
            if (!text.isEmpty())
                entries.append({ref.name, EncodeLineBreaks(text)});
        });
    }
    for (int k = 1; k < pictures.size(); ++k) {
        if (!pictures.at(k).isEmpty())
            entries.append({kPictureKey + QLatin1Char('(') + QString::number(k) + QLatin1Char(')'),
                            pictures.at(k)});
    }
    entries.append(foreign);
    return entries;
}

void runWork(const SaveHooks& hooks, const std::function<void()>& work,
             const std::atomic<qint64>& done, qint64 total) {
    // Nothing thrown may leave the work: on another thread it would end the program.
    const auto guarded = [&work] {
        try {
            work();
        } catch (...) {
        }
    };
    if (hooks.runWork)
        hooks.runWork(guarded, done, total);
    else
        guarded();
}

// The database as it stands becomes the backup. A second name for the same file is enough,
// and costs nothing however large it is: the save then puts a new file in the database's place
// and leaves this one to the backup. Where the file system has no such names (a memory stick
// formatted for another system), the file is copied, and only when the copy is exactly what was
// read; permissions follow the database either way.
bool backUp(const QString& path, const DiskState& disk, QString* error) {
    const QString backupPath = PropertyDatabaseBackupPath();
    const QString linkPath = backupPath + QStringLiteral(".new");
    QFile::remove(linkPath);
    if (::link(QFile::encodeName(path).constData(), QFile::encodeName(linkPath).constData()) == 0) {
        if (::rename(QFile::encodeName(linkPath).constData(),
                     QFile::encodeName(backupPath).constData()) == 0)
            return true;
        QFile::remove(linkPath);
    }
    SafeFile backup(backupPath);
    backup.setPermissions(QFile::permissions(path));
    if (!disk.bytes.isEmpty()) {
        backup.write(disk.bytes);
    } else {
        QFile file(path);
        ContentHasher hasher;
        if (file.open(QIODevice::ReadOnly)) {
            for (QByteArray chunk = file.read(kReadChunk); !chunk.isEmpty();
                 chunk = file.read(kReadChunk)) {
                hasher.add(chunk);
                backup.write(chunk);
            }
        }
        if (file.error() != QFileDevice::NoError || hasher.size() != disk.size ||
            hasher.result() != disk.hash) {
            backup.cancel();
            *error = QStringLiteral("not read whole: ") + path;
            return false;
        }
    }
    if (!backup.commit()) {
        *error = backup.errorString();
        return false;
    }
    return true;
}

// One attempt at a save, against the disk as it is found. Retry: the file changed between the
// reading and the writing, and the whole save is to be done again.
enum class Attempt { Saved, Failed, ReadOnly, Cancelled, Retry };

struct SaveState {
    DatabaseSavePlan plan;
    PropertyTable disk; // the file read again when another program changed it
    bool fromDisk = false;
    int openRow = 0;    // the open property's row in the table once saved
    QString error;      // what failed, for the log
    bool fault = false; // refused as a fault of the program, not of the disk
};

Attempt attemptSave(SaveState& st, const SaveHooks& hooks) {
    const QString path = PropertyDatabasePath();
    DatabaseSavePlan& plan = st.plan;
    std::atomic<qint64> done{0};

    DiskState disk;
    runWork(
        hooks, [&] { disk = readDisk(path); }, done, 0);
    if (disk.state == DiskState::Unreadable) {
        st.error = disk.error;
        return Attempt::Failed;
    }

    const PropertyTable* base = &g_propertyTable;
    int expected = onDisk().properties;
    if (disk.state == DiskState::Changed) {
        // Another program wrote the file since it was read: its version is the base, and
        // only this save's change is made to it.
        bool database = false;
        runWork(
            hooks, [&] { database = readAsDatabase(disk.bytes, &st.disk); }, done, 0);
        if (!database) {
            g_sPropertyDatabaseReadOnly = PropertyDatabaseReadOnlyText(path);
            st.error = QStringLiteral("no longer a property database: ") + path;
            return Attempt::ReadOnly;
        }
        st.fromDisk = true;
        base = &st.disk;
        expected = PropertiesWithValues(st.disk);
        const auto ask = [&](const QString& title, const QString& text, const QString& goAhead) {
            return hooks.confirm && hooks.confirm(title, text, goAhead);
        };
        bool changed = false;
        if (plan.openRow >= 1) {
            const DatabaseSavePlan::Entries original = storedRow(g_propertyTable, plan.openRow);
            const int row = findOnDisk(st.disk, original, plan.openRow, &changed);
            if (changed &&
                !ask(QStringLiteral("Property Changed Elsewhere"),
                     row ? quotedName(original) +
                               QStringLiteral(" was changed by another program since it was "
                                              "opened.\r\n\r\nSave your version over those "
                                              "changes? Every other property keeps what the other "
                                              "program saved.")
                         : quotedName(original) +
                               QStringLiteral(" was removed or renamed by another program since "
                                              "it was opened.\r\n\r\nSave your version as a "
                                              "property again?"),
                     QStringLiteral("Save Mine")))
                return Attempt::Cancelled;
            plan.openRow = row; // 0: saved again as a new property
        } else if (plan.omit >= 1) {
            const DatabaseSavePlan::Entries original = storedRow(g_propertyTable, plan.omit);
            const int row = findOnDisk(st.disk, original, plan.omit, &changed);
            if (row && changed &&
                !ask(QStringLiteral("Property Changed Elsewhere"),
                     quotedName(original) +
                         QStringLiteral(" was changed by another program since the database was "
                                        "read.\r\n\r\nRemove it all the same?"),
                     QStringLiteral("Remove")))
                return Attempt::Cancelled;
            plan.omit = row; // 0: it is gone already
        }
    } else if (disk.state == DiskState::Missing && onDisk().exists) {
        // The file went while the program ran (its folder too, perhaps): what the table holds
        // is all there is, and the write below finds out whether the folder is there.
        expected = PropertiesWithValues(g_propertyTable);
    }

    if (plan.openRow > base->propertyCount()) {
        st.error = QStringLiteral("the open property's row %1 is not among the %2 of the table")
                       .arg(plan.openRow)
                       .arg(base->propertyCount());
        st.fault = true;
        return Attempt::Failed;
    }
    if (rowHasValues(*base, plan.omit))
        --expected;
    if (plan.openRow == 0)
        ++expected;
    if (st.fromDisk && plan.openRow < 0 && plan.omit == 0) {
        // Nothing of ours to write: the file stays as the other program left it.
        st.openRow = 0;
        return Attempt::Saved;
    }

    SafeFile database(path);
    DatabaseWriteResult written;
    const qint64 total = base->propertyCount() + 1;
    runWork(
        hooks,
        [&] {
            QIODevice& file = database.device();
            QIODevice* out = hooks.databaseDevice ? hooks.databaseDevice(file) : &file;
            written = WriteDatabase(*base, plan, *out, &done);
            if (written.ok && !database.finish())
                written = {false, database.errorString()};
        },
        done, total);
    if (!written.ok) {
        database.cancel();
        st.error = written.errorText;
        return Attempt::Failed;
    }
    if (written.properties < expected || (written.properties == 0 && expected > 0)) {
        database.cancel();
        st.error = QStringLiteral("refused to write %1 of the %2 properties the database holds")
                       .arg(written.properties)
                       .arg(expected);
        st.fault = true;
        return Attempt::Failed;
    }
    // Changed since it was read, this very moment? Then read it again rather than lose that.
    if (disk.state != DiskState::Missing) {
        const QFileInfo now(path);
        if (!now.exists() || now.size() != disk.size || now.lastModified() != disk.modified) {
            database.cancel();
            return Attempt::Retry;
        }
        QString backupError;
        if (!backUp(path, disk, &backupError)) {
            database.cancel();
            st.error = backupError;
            return Attempt::Failed;
        }
    }
    if (written.properties == 0) {
        // The user removed the last property: no database file, as before the first save.
        database.cancel();
        if (disk.state != DiskState::Missing && !QFile::remove(path)) {
            st.error = QStringLiteral("cannot remove ") + path;
            return Attempt::Failed;
        }
        g_fingerprint = Fingerprint();
        return Attempt::Saved;
    }
    if (!database.commit()) {
        st.error = database.errorString();
        return Attempt::Failed;
    }
    g_fingerprint.path = path;
    g_fingerprint.exists = true;
    g_fingerprint.size = written.size;
    g_fingerprint.hash = written.hash;
    g_fingerprint.modified = QFileInfo(path).lastModified();
    g_fingerprint.properties = written.properties;
    return Attempt::Saved;
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

bool LoadPropertyDatabase() {
    // The file is read once and scanned once; every section is a property, whatever its name,
    // and each section keeps its own keys even when two sections share a name. The values
    // stay bytes until something asks for them.
    const QString path = PropertyDatabasePath();
    QByteArray bytes;
    const bool exists = QFileInfo::exists(path);
    const bool read = Trap(2810, [&] { bytes = IniDocument::readBytes(path); });
    if (onDisk().exists && (!exists || !read)) {
        // A folder on a drive that went for a moment must not turn the database into an
        // empty one, which the next save would write.
        Trap(2815, [&] {
            RaiseError(exists ? 75 : 53, (exists ? ErrorDescription(75) : ErrorDescription(53)) +
                                             QStringLiteral(" (kept the properties read "
                                                            "before: ") +
                                             path + QLatin1Char(')'));
        });
        return false;
    }
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
    g_fingerprint = Fingerprint();
    g_fingerprint.path = path;
    if (read && exists) {
        g_fingerprint.exists = true;
        g_fingerprint.size = bytes.size();
        g_fingerprint.modified = QFileInfo(path).lastModified();
        g_fingerprint.hash = ContentHasher::of(bytes);
        g_fingerprint.properties = PropertiesWithValues(g_propertyTable);
    }
    return read;
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

SaveOutcome SavePropertyDatabase(Form& form, qint32& omit, QStringList& g_sListOfImagesForProperty,
                                 const SaveHooks& hooks) {
    // A file that is not a database of ours is never replaced, nor is its backup.
    if (!g_sPropertyDatabaseReadOnly.isEmpty()) {
        Trap(3090, [] { raiseFileError(QStringLiteral("read-only: ") + PropertyDatabasePath()); });
        return SaveOutcome::ReadOnly;
    }
    if (hooks.setBusy)
        hooks.setBusy(true);
    SaveState st;
    st.plan.omit = qMax(omit, 0);
    if (omit < 0) {
        st.plan.openRow = g_lCurrentProperty;
        st.plan.entries = openPropertyEntries(form, g_sListOfImagesForProperty, hooks);
    }
    // The table changes only once the file is written: a failed save leaves it as it was, so
    // the next save still writes every property.
    const DatabaseSavePlan asAsked = st.plan;
    Attempt attempt = Attempt::Retry;
    for (int tries = 0; tries < kSaveAttempts && attempt == Attempt::Retry; ++tries) {
        st = SaveState();
        st.plan = asAsked;
        attempt = attemptSave(st, hooks);
    }
    if (attempt == Attempt::Retry)
        st.error = QStringLiteral("another program keeps changing ") + PropertyDatabasePath();

    SaveOutcome outcome = SaveOutcome::Saved;
    switch (attempt) {
    case Attempt::Saved:
        Trap(3040, [&] {
            if (st.fromDisk)
                g_propertyTable = std::move(st.disk);
            st.openRow = ApplySavePlan(g_propertyTable, st.plan);
        });
        g_lPropertyCount = g_propertyTable.propertyCount();
        // The open property's row is where its section now stands in the file: a row without
        // values ahead of it drops out and moves it up, and a new property becomes the last
        // row only once it is really in the file.
        if (st.plan.openRow >= 0 && st.openRow > 0)
            g_lCurrentProperty = st.openRow;
        Trap(3030, [&] {
            if (hooks.takeBaselineSnapshot)
                hooks.takeBaselineSnapshot();
        });
        break;
    case Attempt::ReadOnly:
        Trap(3020, [&] { raiseFileError(st.error); });
        outcome = SaveOutcome::ReadOnly;
        break;
    case Attempt::Cancelled:
        outcome = SaveOutcome::Cancelled;
        break;
    default:
        // Failed: the open property is still unsaved (a new one still new), so closing asks
        // about it again.
        Trap(st.fault ? 3050 : 3020, [&] { raiseFileError(st.error); });
        outcome = SaveOutcome::Failed;
        break;
    }
    if (hooks.setBusy)
        hooks.setBusy(false);
    return outcome;
}
