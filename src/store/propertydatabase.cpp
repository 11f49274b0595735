#include "store/propertydatabase.h"

#include "analysis/analysis.h"
#include "app/blanks.h"
#include "app/errorlog.h"
#include "app/errortrap.h"
#include "app/programfolder.h"
#include "store/propertytable.h"

#include <QFile>
#include <QHash>
#include <QSaveFile>
#include <QSet>

namespace {

const QString kLineBreakMarker = QStringLiteral("~|");
const QString kPictureKey = QStringLiteral("g_sListOfImagesForProperty");
const QString kPurchasePrice = QStringLiteral("txtPurchasePrice");
const QString kScheduledIncome = QStringLiteral("txtQISScheduledAnnualIncome");

bool isPictureKey(const QString& key) {
    return key.contains(kPictureKey, Qt::CaseInsensitive);
}

void raiseFileError(const QString& what) {
    RaiseError(75, ErrorDescription(75) + QStringLiteral(" (") + what + QLatin1Char(')'));
}

// The backup is written like the database itself, so there is never a moment without one.
// *unreadable tells that a database is there but could not be read.
void writeBackup(const QString& path, const QString& backupPath, bool* unreadable) {
    QFile source(path);
    if (!source.exists())
        RaiseError(53); // nothing to back up yet: the first save of a new database
    if (!source.open(QIODevice::ReadOnly)) {
        *unreadable = true;
        raiseFileError(source.errorString());
    }
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError) {
        *unreadable = true;
        raiseFileError(source.errorString());
    }
    source.close();
    QSaveFile backup(backupPath);
    if (!backup.open(QIODevice::WriteOnly) || backup.write(bytes) != bytes.size() ||
        !backup.commit())
        raiseFileError(backup.errorString());
}

void storeSlot(int row, int& slot, const QString& key, const QString& value) {
    Trap(240, [&] {
        if (PropertyTable.slotCount() < slot)
            PropertyTable.growSlots(slot);
        PropertyTable.setKey(row, slot, key);
        PropertyTable.setValue(row, slot, value);
    });
    ++slot;
}

// The open property's fields and pictures into its row of the table.
void storeOpenProperty(Form& form, const QStringList& pictures, const SaveHooks& hooks) {
    const int row = g_lCurrentProperty;
    const QVector<ControlRef> controls = form.controlsInWindowOrder();

    // Keys that belong to no field of this window (a field since removed, a key added by
    // hand) are carried over, so saving a property never drops what it was opened with.
    QVector<IniDocument::Entry> foreign;
    Trap(200, [&] {
        QSet<QString> names;
        for (const ControlRef& ref : controls) {
            if (ref.kind == ControlKind::TextField)
                names.insert(ref.name.toCaseFolded());
        }
        for (int j = 1; j <= PropertyTable.slotCount(); ++j) {
            const QString& key = PropertyTable.key(row, j);
            const QString& value = PropertyTable.value(row, j);
            if (!value.isEmpty() && !isPictureKey(key) && !names.contains(key.toCaseFolded()))
                foreign.append({key, value});
        }
    });
    Trap(205, [&] { PropertyTable.clearRow(row); });
    for (const QString& name : {kPurchasePrice, kScheduledIncome}) {
        Trap(210, [&] {
            if (TrimBlanks(form.text(name)).isEmpty())
                form.setText(name, QStringLiteral("0"));
        });
    }
    Trap(220, [&] {
        if (hooks.recalculate)
            hooks.recalculate(form);
        else
            RecalculateAnalysis(form);
    });

    int slot = 1;
    for (const ControlRef& ref : controls) {
        if (ref.kind != ControlKind::TextField)
            continue;
        QString text;
        bool store = false;
        Trap(230, [&] {
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

void LoadPropertyDatabase() {
    // The file is read once and scanned once; every section is a property, whatever its name,
    // and each section keeps its own keys even when two sections share a name. The values
    // stay bytes until something asks for them.
    QByteArray bytes;
    Trap(10, [&] { bytes = IniDocument::readBytes(PropertyDatabasePath()); });
    Trap(20, [&] { PropertyTable.load(bytes); });
    g_lPropertyCount = PropertyTable.propertyCount();
}

void LoadPropertyIntoFields(Form& form, QStringList& g_sListOfImagesForProperty) {
    QStringList& pictures = g_sListOfImagesForProperty;
    if (pictures.isEmpty())
        pictures.append(QString());
    const int row = g_lCurrentProperty;

    // The cells of each text field in window order, by name without regard to case.
    QHash<QString, QVector<ControlRef>> fields;
    Trap(100, [&] {
        for (const ControlRef& ref : form.controlsInWindowOrder()) {
            if (ref.kind == ControlKind::TextField)
                fields[ref.name.toCaseFolded()].append(ref);
        }
    });

    int p = 1;
    const int slotTotal = PropertyTable.slotCount();
    for (int j = 1; j <= slotTotal; ++j) {
        Trap(110, [&] {
            const QString& key = PropertyTable.key(row, j);
            const QString& value = PropertyTable.value(row, j);
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
    const int rows = PropertyTable.propertyCount();
    const int slotTotal = PropertyTable.slotCount();
    if (openRow)
        *openRow = 0;
    auto writeRow = [&](int row, int number) {
        int section = -1;
        for (int j = 1; j <= slotTotal; ++j) {
            const QString& value = PropertyTable.value(row, j);
            if (TrimBlanks(value).isEmpty())
                continue;
            if (section < 0)
                section = doc.appendSection(PropertySectionName(number)); // numbers only grow
            doc.setValue(section, PropertyTable.key(row, j), value);
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
    if (hooks.setBusy)
        hooks.setBusy(true);
    if (omit < 0)
        storeOpenProperty(form, g_sListOfImagesForProperty, hooks);

    const QString path = PropertyDatabasePath();
    IniDocument doc;
    int openRow = 0;
    bool built = Trap(300, [&] { doc = BuildDatabaseDocument(omit, &openRow); });

    // The backup first; the old database stays in place until the new one is complete. A
    // database that cannot be read is not replaced: the table could not have been loaded
    // from it either, and no backup holds it, so writing would lose every property in it.
    bool unreadable = false;
    Trap(310, [&] { writeBackup(path, PropertyDatabaseBackupPath(), &unreadable); });

    bool written = false;
    if (built && !unreadable) {
        written = Trap(320, [&] {
            if (doc.sectionCount() == 0) {
                // No property left: no database file, as after removing the last one.
                if (QFile::exists(path) && !QFile::remove(path))
                    raiseFileError(QStringLiteral("cannot remove ") + path);
                return;
            }
            QString errorText;
            const bool ok = hooks.writeDatabase ? hooks.writeDatabase(doc, path, &errorText)
                                                : doc.saveFile(path, &errorText);
            if (!ok)
                raiseFileError(errorText);
        });
    }
    // The open property's row is where its section now stands in the file: a row without
    // values ahead of it drops out and moves it up, and a new property becomes the last row
    // only once it is really in the file. Otherwise it stays as it was (a new one stays new),
    // so the next save never writes the open property's fields into another property's row.
    if (written && openRow > 0)
        g_lCurrentProperty = openRow;

    LoadPropertyDatabase();
    // After a failed write the open property is still unsaved: no new baseline, so closing
    // asks about it again.
    Trap(330, [&] {
        if (written && hooks.takeBaselineSnapshot)
            hooks.takeBaselineSnapshot();
    });
    if (hooks.setBusy)
        hooks.setBusy(false);
}
