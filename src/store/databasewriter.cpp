#include "store/databasewriter.h"

#include "base/blanks.h"
#include "base/contenthash.h"
#include "base/safefile.h"
#include "store/propertydatabase.h"
#include "store/propertytable.h"

#include <QHash>
#include <QIODevice>

#include <cstring>

namespace {

using Entries = DatabaseSavePlan::Entries;

// What a value's or key's text becomes in the file, and whether it is written at all.
bool writes(const QString& value) {
    return !TrimBlanks(value).isEmpty();
}

// A row as a save writes it: each key once, at its first place, with its last value; blank
// values left out; keys and values cleaned as the file stores them.
Entries writtenEntries(const Entries& raw) {
    Entries out;
    QHash<uint, QVector<int>> byHash;
    for (const auto& [key, value] : raw) {
        if (!writes(value))
            continue;
        const QString cleanKey = IniDocument::cleanText(key);
        const QString cleanValue = IniDocument::cleanText(value);
        const uint hash = IniDocument::foldedHash(cleanKey);
        bool replaced = false;
        for (int at : byHash.value(hash)) {
            if (IniDocument::sameName(out.at(at).first, cleanKey)) {
                out[at].second = cleanValue;
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            byHash[hash].append(int(out.size()));
            out.append({cleanKey, cleanValue});
        }
    }
    return out;
}

Entries rowEntries(const PropertyTable& table, int row) {
    Entries raw;
    const int slotTotal = table.rowSlots(row);
    raw.reserve(slotTotal);
    const QVector<QString>& names = table.keyNames();
    for (int j = 1; j <= slotTotal; ++j)
        raw.append({names.at(table.keyIndex(row, j)), table.valueText(row, j)});
    return raw;
}

// The key names of a table, cleaned once, with the names that are the same but for letter
// case sharing one group number.
struct KeyNames {
    QVector<QString> clean;
    QVector<int> group;
    QVector<bool> asWritten; // the name is already as the file stores it
    explicit KeyNames(const PropertyTable& table) {
        const QVector<QString>& names = table.keyNames();
        clean.reserve(names.size());
        group.reserve(names.size());
        QHash<uint, QVector<int>> byHash;
        for (const QString& name : names) {
            const QString c = IniDocument::cleanText(name);
            asWritten.append(c == name);
            const uint hash = IniDocument::foldedHash(c);
            int found = -1;
            for (int other : byHash.value(hash)) {
                if (IniDocument::sameName(clean.at(other), c)) {
                    found = group.at(other);
                    break;
                }
            }
            byHash[hash].append(int(clean.size()));
            group.append(found >= 0 ? found : int(clean.size()));
            clean.append(c);
        }
    }
};

// How each row of the table is written.
class RowWalker {
public:
    RowWalker(const PropertyTable& table, const DatabaseSavePlan& plan)
        : m_table(table), m_plan(plan), m_keys(table), m_seen(m_keys.clean.size(), 0) {}

    const KeyNames& keys() const { return m_keys; }

    // Whether a row can be copied slot by slot: every value still the bytes it was read as,
    // every key as the file stores it, no key twice.
    bool copiesAsItStands(int row) {
        ++m_stamp;
        bool copies = true;
        m_table.forEachSlot(row, [&](int, qint32 id, bool raw, QByteArrayView bytes) {
            if (!copies || (raw && bytes.isEmpty()))
                return;
            if (!raw || !m_keys.asWritten.at(id)) {
                copies = false;
                return;
            }
            int& seen = m_seen[size_t(m_keys.group.at(id))];
            if (seen == m_stamp)
                copies = false;
            seen = m_stamp;
        });
        return copies;
    }

    // The rows in file order with their section numbers: each base row but the omitted one,
    // then a new property.
    template <class F> void forEachRow(F&& f) {
        const int rows = m_table.propertyCount();
        int number = 1;
        for (int row = 1; row <= rows; ++row) {
            if (row == m_plan.omit)
                continue;
            f(row, number);
            ++number;
        }
        if (m_plan.openRow == 0)
            f(0, rows + 1);
    }

    bool isOpen(int row) const { return m_plan.openRow >= 0 && row == m_plan.openRow; }

private:
    const PropertyTable& m_table;
    const DatabaseSavePlan& m_plan;
    KeyNames m_keys;
    std::vector<int> m_seen; // by key group: the stamp of the row that last used it
    int m_stamp = 0;
};

// The output, gathered into large writes and fingerprinted as it goes. A save puts millions of
// short pieces: they are copied into place, not appended through the general insert.
class Output {
public:
    explicit Output(QIODevice& device) : m_device(device), m_buffer(kChunk, Qt::Uninitialized) {}
    void put(QByteArrayView bytes) {
        const qsizetype n = bytes.size();
        if (n == 0)
            return;
        if (m_used + n > kChunk) {
            flush();
            if (n > kChunk) {
                send(bytes);
                return;
            }
        }
        memcpy(m_buffer.data() + m_used, bytes.data(), size_t(n));
        m_used += n;
    }
    bool flush() {
        send(QByteArrayView(m_buffer.constData(), m_used));
        m_used = 0;
        return !m_failed;
    }
    bool failed() const { return m_failed; }
    QString error() const { return m_error; }
    quint64 hash() const { return m_hasher.result(); }
    qint64 size() const { return m_hasher.size(); }

private:
    void send(QByteArrayView bytes) {
        if (m_failed || bytes.isEmpty())
            return;
        m_hasher.add(bytes);
        if (!WriteAllBytes(m_device, bytes, &m_error))
            m_failed = true;
    }

    static constexpr qsizetype kChunk = 1 << 20;
    QIODevice& m_device;
    QByteArray m_buffer;
    qsizetype m_used = 0;
    ContentHasher m_hasher;
    QString m_error;
    bool m_failed = false;
};

} // namespace

IniDocument BuildDatabaseDocument(const PropertyTable& table, const DatabaseSavePlan& plan,
                                  int* openSection) {
    IniDocument doc;
    if (openSection)
        *openSection = 0;
    RowWalker walker(table, plan);
    walker.forEachRow([&](int row, int number) {
        const Entries raw = walker.isOpen(row) ? plan.entries : rowEntries(table, row);
        int section = -1;
        for (const auto& [key, value] : raw) {
            if (!writes(value))
                continue;
            if (section < 0)
                section = doc.appendSection(PropertySectionName(number)); // numbers only grow
            doc.setValue(section, key, value);
        }
        if (openSection && walker.isOpen(row) && section >= 0)
            *openSection = section + 1;
    });
    return doc;
}

DatabaseWriteResult WriteDatabase(const PropertyTable& table, const DatabaseSavePlan& plan,
                                  QIODevice& out, std::atomic<qint64>* progress) {
    DatabaseWriteResult result;
    RowWalker walker(table, plan);
    const KeyNames& keys = walker.keys();
    const bool asciiTable = table.encoding() == IniScanner::Encoding::Ascii;
    const QVector<QString>& names = table.keyNames();

    // First the encoding: Windows-1252 unless some text needs UTF-8, decided over the whole
    // file before its first byte is written.
    IniDocument::EncodingChoice choice;
    std::vector<bool> keyUsed(size_t(names.size()), false);
    walker.forEachRow([&](int row, int) {
        if (walker.isOpen(row) || !walker.copiesAsItStands(row)) {
            for (const auto& [key, value] :
                 writtenEntries(walker.isOpen(row) ? plan.entries : rowEntries(table, row))) {
                choice.add(key);
                choice.add(value);
            }
            return;
        }
        table.forEachSlot(row, [&](int slot, qint32 id, bool, QByteArrayView bytes) {
            if (bytes.isEmpty())
                return;
            keyUsed[size_t(id)] = true;
            if (!asciiTable && !IniScanner::isAscii(bytes))
                choice.add(table.valueText(row, slot));
        });
    });
    for (qsizetype id = 0; id < names.size(); ++id) {
        if (keyUsed[size_t(id)])
            choice.add(keys.clean.at(id));
    }
    const bool utf8 = choice.utf8();
    QVector<QByteArray> keyBytes(names.size());
    for (qsizetype id = 0; id < names.size(); ++id) {
        if (keyUsed[size_t(id)])
            keyBytes[id] = IniDocument::encodeAs(keys.clean.at(id), utf8);
    }

    Output output(out);
    bool first = true;
    auto openSection = [&](int number) {
        if (!first)
            output.put("\r\n");
        first = false;
        output.put("[");
        output.put(PropertySectionName(number).toLatin1());
        output.put("]\r\n");
        ++result.properties;
    };
    qint64 done = 0;
    walker.forEachRow([&](int row, int number) {
        if (progress)
            progress->store(++done, std::memory_order_relaxed);
        if (output.failed())
            return;
        if (walker.isOpen(row) || !walker.copiesAsItStands(row)) {
            const Entries entries =
                writtenEntries(walker.isOpen(row) ? plan.entries : rowEntries(table, row));
            if (entries.isEmpty())
                return;
            openSection(number);
            if (walker.isOpen(row))
                result.openSection = result.properties;
            for (const auto& [key, value] : entries) {
                output.put(IniDocument::encodeAs(key, utf8));
                output.put("=");
                output.put(IniDocument::encodeAs(value, utf8));
                output.put("\r\n");
            }
            return;
        }
        bool opened = false;
        table.forEachSlot(row, [&](int slot, qint32 id, bool, QByteArrayView bytes) {
            if (bytes.isEmpty())
                return;
            if (!opened) {
                openSection(number);
                opened = true;
            }
            output.put(keyBytes.at(id));
            output.put("=");
            if (asciiTable || IniScanner::isAscii(bytes))
                output.put(bytes);
            else
                output.put(IniDocument::encodeAs(table.valueText(row, slot), utf8));
            output.put("\r\n");
        });
    });
    output.flush();
    result.ok = !output.failed();
    result.errorText = output.error();
    result.size = output.size();
    result.hash = output.hash();
    return result;
}

int ApplySavePlan(PropertyTable& table, const DatabaseSavePlan& plan) {
    const int rows = table.propertyCount();
    int openRow = 0;
    if (plan.openRow == 0) {
        const Entries entries = writtenEntries(plan.entries);
        if (!entries.isEmpty()) {
            openRow = table.appendRow();
            table.setRow(openRow, entries);
        }
    }
    // From the last row back, so the rows still to be looked at keep their numbers.
    RowWalker walker(table, plan);
    std::vector<int> removed;
    for (int row = rows; row >= 1; --row) {
        if (row == plan.omit) {
            removed.push_back(row);
            continue;
        }
        const bool open = walker.isOpen(row);
        if (!open && walker.copiesAsItStands(row)) {
            bool any = false;
            for (int j = 1, n = table.rowSlots(row); j <= n && !any; ++j) {
                QByteArrayView bytes;
                table.rawValue(row, j, &bytes);
                any = !bytes.isEmpty();
            }
            if (!any)
                removed.push_back(row);
            continue;
        }
        const Entries entries = writtenEntries(open ? plan.entries : rowEntries(table, row));
        if (entries.isEmpty()) {
            removed.push_back(row);
            continue;
        }
        table.setRow(row, entries);
        if (open)
            openRow = row;
    }
    for (int row : removed) { // highest first
        table.removeRow(row);
        if (openRow > row)
            --openRow;
    }
    return openRow;
}

int PropertiesWithValues(const PropertyTable& table) {
    int count = 0;
    for (int row = 1, rows = table.propertyCount(); row <= rows; ++row) {
        for (int j = 1, n = table.rowSlots(row); j <= n; ++j) {
            QByteArrayView bytes;
            if (table.rawValue(row, j, &bytes) ? !bytes.isEmpty()
                                               : writes(table.valueText(row, j))) {
                ++count;
                break;
            }
        }
    }
    return count;
}
