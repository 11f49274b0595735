#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QVector>

#include <QtAlgorithms>
#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

class QIODevice;

// Every line break a stored value holds (CR LF, LF or CR) is written as this marker.
extern const QString kLineBreakMarker;

namespace IniBytes {
// What a byte says about blanks: none, an ASCII blank, or a non-ASCII byte that takes a
// closer look (the file's encoding decides).
enum Kind : uchar { Plain, Blank, Wide };
struct KindTable {
    uchar kind[256] = {};
    constexpr KindTable() {
        for (int c = '\t'; c <= '\r'; ++c)
            kind[c] = Blank;
        kind[int(' ')] = Blank;
        for (int c = 0x80; c < 0x100; ++c)
            kind[c] = Wide;
    }
};
inline constexpr KindTable kKinds{};
} // namespace IniBytes

// The lines of an INI file read straight from its bytes, for the document below and for
// readers that keep the bytes and decode only what they use (the property table).
//
// The encoding is decided once for the whole file: UTF-8 when the bytes are valid UTF-8 (leading
// byte order marks are skipped), otherwise Windows-1252. Lines end at CR LF, LF or CR. Readers
// scan textOf() the file's bytes: UTF-16 with a byte order mark as UTF-8, NULs removed.
// A line whose trimmed text starts with "[" opens a section named by what follows up to the
// first "]" (or the line's end), trimmed. Inside a section a line with "=" that does not
// start with ";" is a key (before the first "=", trimmed) and a value (after it, without the
// spaces at its ends). Any other line is kept whole. "Trimmed" means without the characters
// QChar::isSpace accepts, judged on the decoded text, so the pieces are exactly those of the
// decoded file.
class IniScanner {
public:
    enum class Encoding : quint8 { Ascii, Utf8, Windows1252 };
    // Bytes [from, from + size) of the file.
    struct Piece {
        qsizetype from = 0;
        qsizetype size = 0;
    };

    // The bytes must outlive the scanner.
    explicit IniScanner(QByteArrayView bytes);

    // What to scan of a file's bytes: UTF-16 with a byte order mark becomes UTF-8, and NUL
    // characters are removed. Copies only when something changes.
    static QByteArray textOf(const QByteArray& file);
    // False for bytes that are no text: a NUL at the start, or control bytes throughout.
    static bool isText(QByteArrayView file);
    // True when the file holds anything but blanks, NULs and byte order marks.
    static bool hasText(const QByteArray& file);
    // True when every byte is below 0x80.
    static bool isAscii(QByteArrayView bytes);

    Encoding encoding() const { return m_encoding; }
    QString text(Piece piece) const { return decode(m_bytes.data(), m_encoding, piece); }
    // The text of a piece of a file scanned earlier, from its bytes and their encoding.
    static QString decode(const char* bytes, Encoding encoding, Piece piece);

    // Calls, for each line in file order, one of
    //   sink.section(Piece name)
    //   sink.entry(Piece key, Piece value)
    //   sink.other(Piece line)   (untrimmed: text before the first section, comments, blanks)
    template <class Sink> void scan(Sink&& sink) const;

private:
    // The byte length of the blank character at / just before a non-ASCII byte; 0 for none.
    qsizetype blankAt(qsizetype at, qsizetype end) const;
    qsizetype blankBefore(qsizetype from, qsizetype end) const;
    qsizetype skipBlanks(qsizetype from, qsizetype end) const;
    qsizetype trimEnd(qsizetype from, qsizetype end) const;
    Piece trimmed(qsizetype from, qsizetype end) const {
        from = skipBlanks(from, end);
        return {from, trimEnd(from, end) - from};
    }
    // A value keeps every character but the spaces at its ends: a tab or a non-breaking space
    // there was typed and is written so.
    Piece spaceTrimmed(qsizetype from, qsizetype end) const {
        const char* d = m_bytes.data();
        while (from < end && d[from] == ' ')
            ++from;
        while (end > from && d[end - 1] == ' ')
            --end;
        return {from, end - from};
    }
    // The first CR or LF at or after from (end when none); *equals is the first "=" before
    // it, or -1. One pass over the line: this is where a load spends its time.
    qsizetype lineEnd(qsizetype from, qsizetype end, qsizetype* equals) const;
    qsizetype find(char c, qsizetype from, qsizetype end) const {
        if (from >= end)
            return -1;
        const void* hit = memchr(m_bytes.data() + from, c, size_t(end - from));
        return hit ? static_cast<const char*>(hit) - m_bytes.data() : -1;
    }

    QByteArrayView m_bytes;
    qsizetype m_start = 0; // past a byte order mark
    Encoding m_encoding = Encoding::Ascii;
};

inline qsizetype IniScanner::skipBlanks(qsizetype from, qsizetype end) const {
    const uchar* d = reinterpret_cast<const uchar*>(m_bytes.data());
    while (from < end) {
        const uchar kind = IniBytes::kKinds.kind[d[from]];
        const qsizetype n = kind == IniBytes::Plain   ? 0
                            : kind == IniBytes::Blank ? 1
                                                      : blankAt(from, end);
        if (!n)
            break;
        from += n;
    }
    return from;
}

inline qsizetype IniScanner::trimEnd(qsizetype from, qsizetype end) const {
    const uchar* d = reinterpret_cast<const uchar*>(m_bytes.data());
    while (end > from) {
        const uchar kind = IniBytes::kKinds.kind[d[end - 1]];
        const qsizetype n = kind == IniBytes::Plain   ? 0
                            : kind == IniBytes::Blank ? 1
                                                      : blankBefore(from, end);
        if (!n)
            break;
        end -= n;
    }
    return end;
}

inline qsizetype IniScanner::lineEnd(qsizetype from, qsizetype end, qsizetype* equals) const {
    const char* d = m_bytes.data();
    qsizetype i = from;
    *equals = -1;
#ifdef __SSE2__
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i eq = _mm_set1_epi8('=');
    for (; i + 16 <= end; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
        const uint breaks = uint(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf))));
        if (*equals < 0) {
            uint hits = uint(_mm_movemask_epi8(_mm_cmpeq_epi8(block, eq)));
            if (breaks)
                hits &= (breaks & (0u - breaks)) - 1; // only those before the break
            if (hits)
                *equals = i + qCountTrailingZeroBits(hits);
        }
        if (breaks)
            return i + qCountTrailingZeroBits(breaks);
    }
#endif
    for (; i < end; ++i) {
        const char c = d[i];
        if (c == '\r' || c == '\n')
            return i;
        if (c == '=' && *equals < 0)
            *equals = i;
    }
    return end;
}

template <class Sink> void IniScanner::scan(Sink&& sink) const {
    const char* d = m_bytes.data();
    const qsizetype size = m_bytes.size();
    bool inSection = false;
    qsizetype start = m_start;
    while (start < size) {
        qsizetype equals = -1;
        const qsizetype end = lineEnd(start, size, &equals);
        const qsizetype lineStart = start;
        start = end;
        if (start < size)
            start += d[end] == '\r' && end + 1 < size && d[end + 1] == '\n' ? 2 : 1;

        const qsizetype lead = skipBlanks(lineStart, end);
        const char first = lead < end ? d[lead] : 0;
        if (first == '[') {
            const qsizetype last = trimEnd(lead, end);
            qsizetype close = find(']', lead, last);
            if (close < 0)
                close = last;
            sink.section(trimmed(lead + 1, close));
            inSection = true;
        } else if (equals >= 0 && inSection && first != ';') {
            sink.entry(Piece{lead, trimEnd(lead, equals) - lead}, spaceTrimmed(equals + 1, end));
        } else {
            sink.other(Piece{lineStart, end - lineStart});
        }
    }
}

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
    // A missing file is an empty document; a file that exists but cannot be read raises a
    // run-time error (70 or 75).
    static IniDocument readFile(const QString& path);
    // The file's bytes, with the same rules: empty for a missing file.
    static QByteArray readBytes(const QString& path);

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
    // Appends a section without looking for one of that name: for a writer that knows its
    // names are new, where the search would make building a large file quadratic.
    int appendSection(const QString& name);

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

    // What a value, key or section name becomes in the file: NULs dropped, the spaces at its
    // ends removed, each line break (CR LF, LF or CR) replaced by "~|".
    static QString cleanText(const QString& text);
    // The bytes a text is stored as (see above).
    static QByteArray encode(const QString& text);

    // Whether two clean key or section names name the same thing (letter case aside), and a
    // hash that two such names always share.
    static bool sameName(const QString& a, const QString& b);
    static uint foldedHash(const QString& key);

    // The choice toBytes() makes for a whole document, made piece by piece for a writer that
    // never holds the whole text: feed every key, value and section name, then ask.
    class EncodingChoice {
    public:
        void add(const QString& text);
        // UTF-8, or else Windows-1252.
        bool utf8() const { return !m_fits || (m_high && m_highPiecesValidUtf8); }

    private:
        bool m_fits = true;
        bool m_high = false;
        bool m_highPiecesValidUtf8 = true;
    };
    // A text in the encoding chosen.
    static QByteArray encodeAs(const QString& text, bool utf8);

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

    qsizetype textSize() const;
    template <class Put> bool serialize(Put&& put) const;
    int findKey(const Section& section, const QString& cleanKey, uint hash) const;
    void setCleanValue(Section& section, const QString& cleanKey, const QString& cleanValue);

    QVector<Line> m_preamble;
    QVector<Section> m_sections;
};
