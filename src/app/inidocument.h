#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

class QIODevice;

// An INI text file held in memory: sections and keys in file order, looked up without regard
// to letter case. Lines that are neither a section header nor key=value (comments, blank
// lines, text before the first section) are kept as they are and written back unchanged.
//
// There are no size limits: any number of sections and keys, values of any length. A value
// never spans lines: every line break in it is stored as "~|" (the program's own marker for
// a line break inside a field), so no text can split a key or forge another one.
//
// Files are read with CR LF, LF or CR line ends and written with CR LF. The text is decoded
// as UTF-8 when the bytes are valid UTF-8, otherwise as Windows-1252, and written as
// Windows-1252 when that reads back as the same text, otherwise as UTF-8.
class IniDocument {
public:
    struct Entry {
        QString key;
        QString value;
    };

    static IniDocument fromBytes(const QByteArray& bytes);
    static IniDocument fromText(const QString& text);
    // A missing file is an empty document; a file that exists but cannot be read raises a
    // run-time error (70 or 75).
    static IniDocument readFile(const QString& path);

    QString toText() const;
    QByteArray toBytes() const;

    // Writes the whole document; false with a reason when the device takes less than all.
    bool write(QIODevice& device, QString* errorText = nullptr) const;
    // Writes to a temporary beside the file and renames it into place, so the file is either
    // the old one or the complete new one. Creates the file but never a folder.
    bool saveFile(const QString& path, QString* errorText = nullptr) const;

    bool isEmpty() const { return m_sections.isEmpty() && m_preamble.isEmpty(); }

    // Sections by position (file order, duplicates included) and by name (the first match).
    int sectionCount() const { return m_sections.size(); }
    QString sectionName(int section) const { return m_sections.at(section).name; }
    QStringList sectionNames() const;
    int findSection(const QString& name) const;
    // The section's index, appending it at the end when there is none of that name.
    int ensureSection(const QString& name);

    // Key names and entries of one section in file order (duplicates included).
    QStringList keys(int section) const;
    QVector<Entry> entries(int section) const;
    int keyCount(int section) const;
    // Calls f(key, value) for each key of the section in file order, without copying.
    template <class F> void forEachEntry(int section, F&& f) const {
        for (const Line& line : m_sections.at(section).lines) {
            if (line.isEntry)
                f(line.key, line.text);
        }
    }

    // The value of the first key of that name; false when the section or key is absent.
    bool value(const QString& section, const QString& key, QString* out) const;
    bool value(int section, const QString& key, QString* out) const;

    // Replaces the first key of that name in place, or appends the key to the section
    // (appending the section to the file when needed). Names and value are cleaned first.
    void setValue(const QString& section, const QString& key, const QString& value);
    void setValue(int section, const QString& key, const QString& value);

    // Every key of that name in the section; false when there was none.
    bool removeKey(const QString& section, const QString& key);
    // Every section of that name with all its lines; false when there was none.
    bool removeSection(const QString& section);

    // What a value, key or section name becomes in the file: NULs dropped, surrounding
    // blanks removed, each line break (CR LF, LF or CR) replaced by "~|".
    static QString cleanText(const QString& text);
    // The bytes a text is stored as (see above).
    static QByteArray encode(const QString& text);

private:
    struct Line {
        QString key;              // entries only
        QString text;             // the value of an entry, or the whole line of anything else
        mutable uint keyHash = 0; // of the case-folded key; 0 until first needed
        bool isEntry = false;
    };
    struct Section {
        QString name;
        QVector<Line> lines;
        mutable uint nameHash = 0; // as keyHash
    };

    template <class View> void parse(View text);
    qsizetype textSize() const;
    template <class Put> bool serialize(Put&& put) const;
    static uint foldedHash(const QString& key);
    int findKey(const Section& section, const QString& cleanKey, uint hash) const;
    void setCleanValue(Section& section, const QString& cleanKey, const QString& cleanValue);

    QVector<Line> m_preamble;
    QVector<Section> m_sections;
};
