#include "base/inidocument.h"

#include "base/blanks.h"
#include "base/errortrap.h"
#include "base/safefile.h"
#include "base/textcodec.h"

#include <QFile>
#include <QStringDecoder>

#include <cstring>

const QString kLineBreakMarker = QStringLiteral("~|");

bool IniDocument::sameName(const QString& a, const QString& b) {
    // Case-insensitive equality implies equal length here (QString folds one unit at a
    // time), and the length test spares most comparisons in a section of similar keys.
    return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

namespace {

bool isBlank(QStringView text) {
    return text.trimmed().isEmpty();
}

bool isAscii(QByteArrayView bytes) {
    // Every byte of a database passes here, and most databases are plain ASCII: 64 bytes a
    // step where the machine has SSE2, else eight.
    const char* p = bytes.data();
    const qsizetype n = bytes.size();
    qsizetype i = 0;
#ifdef __SSE2__
    for (; i + 64 <= n; i += 64) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 16));
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 32));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 48));
        if (_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(a, b), _mm_or_si128(c, d))))
            return false;
    }
#endif
    quint64 any = 0;
    for (; i + 8 <= n; i += 8) {
        quint64 word;
        memcpy(&word, p + i, 8);
        any |= word;
    }
    for (; i < n; ++i)
        any |= uchar(p[i]);
    return (any & 0x8080808080808080ull) == 0;
}

// The codecs of textcodec.h, one table lookup per character instead of one call: a database
// of a thousand properties is several megabytes.
struct Windows1252Table {
    char16_t decode[256];
    bool blank[256];
    Windows1252Table() {
        for (int b = 0; b < 256; ++b) {
            decode[b] = DecodeWindows1252(QByteArray(1, char(b))).at(0).unicode();
            blank[b] = QChar::isSpace(decode[b]);
        }
    }
};
const Windows1252Table& windows1252() {
    static const Windows1252Table table;
    return table;
}

QString decodeWindows1252(QByteArrayView bytes) {
    const char16_t* table = windows1252().decode;
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t* p = reinterpret_cast<char16_t*>(out.data());
    for (char c : bytes)
        *p++ = table[uchar(c)];
    return out;
}

// Appends the Windows-1252 bytes of text at p; false when a character has no place there.
bool putWindows1252(const QString& text, char*& p, bool& high) {
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80) {
            *p++ = char(u);
            continue;
        }
        high = true;
        if (u >= 0xA0 && u <= 0xFF) {
            *p++ = char(u);
            continue;
        }
        QByteArray one;
        if (!EncodeWindows1252(QString(ch), &one) || one.size() != 1)
            return false;
        *p++ = one.at(0);
    }
    return true;
}

bool isValidUtf8(QByteArrayView bytes) {
    // The same verdict as decoding with QStringDecoder and asking hasError(), without
    // building the text.
    return bytes.isValidUtf8();
}

// A UTF-8 lead byte at p (of a valid file) and its code point.
char32_t utf8CodePoint(const uchar* p, qsizetype* length) {
    const uchar c = p[0];
    if (c < 0xE0) {
        *length = 2;
        return char32_t(c & 0x1F) << 6 | (p[1] & 0x3F);
    }
    if (c < 0xF0) {
        *length = 3;
        return char32_t(c & 0x0F) << 12 | char32_t(p[1] & 0x3F) << 6 | (p[2] & 0x3F);
    }
    *length = 4;
    return char32_t(c & 0x07) << 18 | char32_t(p[1] & 0x3F) << 12 | char32_t(p[2] & 0x3F) << 6 |
           (p[3] & 0x3F);
}

} // namespace

QString IniDocument::cleanText(const QString& text) {
    bool clean =
        text.isEmpty() || (text.front() != QLatin1Char(' ') && text.back() != QLatin1Char(' '));
    for (qsizetype i = 0; clean && i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        clean = u != 0 && u != '\r' && u != '\n';
    }
    if (clean)
        return text;
    QString s = text;
    s.remove(QChar(0));
    s = TrimBlanks(s);
    s.replace(QStringLiteral("\r\n"), kLineBreakMarker);
    s.replace(QLatin1Char('\r'), kLineBreakMarker);
    s.replace(QLatin1Char('\n'), kLineBreakMarker);
    return s;
}

QByteArray IniDocument::encode(const QString& text) {
    QByteArray out(text.size(), Qt::Uninitialized);
    char* p = out.data();
    bool high = false;
    if (!putWindows1252(text, p, high))
        return text.toUtf8();
    // Windows-1252 bytes that happen to form valid UTF-8 ("Ã©") would be read back as
    // other characters; such a text is stored as UTF-8, which always reads back intact.
    if (high && isValidUtf8(out))
        return text.toUtf8();
    return out;
}

namespace {
const QByteArrayView kUtf8Mark("\xEF\xBB\xBF");

// The mark alone is not enough: a Windows-1252 file may begin with the two letters it spells
// (a thorn and a y with diaeresis), and we write such files. UTF-16 text with a line break, "[" or
// "=" in it always holds NUL bytes, which our own writer never writes.
bool isUtf16Marked(QByteArrayView file) {
    return (file.startsWith("\xFF\xFE") || file.startsWith("\xFE\xFF")) &&
           (file.size() == 2 || memchr(file.data() + 2, 0, size_t(file.size() - 2)));
}

// Past any number of UTF-8 byte order marks: a file saved twice by an editor that adds one
// each time still starts with its first section.
qsizetype pastMarks(QByteArrayView bytes) {
    qsizetype at = 0;
    while (bytes.sliced(at).startsWith(kUtf8Mark))
        at += kUtf8Mark.size();
    return at;
}
} // namespace

IniScanner::IniScanner(QByteArrayView bytes) : m_bytes(bytes) {
    if (isAscii(bytes))
        m_encoding = Encoding::Ascii;
    else if (isValidUtf8(bytes))
        m_encoding = Encoding::Utf8;
    else
        m_encoding = Encoding::Windows1252;
    m_start = pastMarks(bytes); // as the UTF-8 decoder drops a leading one
}

QByteArray IniScanner::textOf(const QByteArray& file) {
    QByteArray bytes = file;
    if (isUtf16Marked(file)) {
        QStringDecoder utf16(file.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE
                                                         : QStringDecoder::Utf16BE);
        bytes = QString(utf16.decode(QByteArrayView(file).sliced(2))).toUtf8();
    }
    // Dropped before lines are told apart, as they are when text is written: a key that
    // starts with a NUL and a "[" reads as the section header it becomes at the next save.
    if (memchr(bytes.constData(), 0, size_t(bytes.size())))
        bytes.removeIf([](char c) { return c == 0; });
    return bytes;
}

bool IniScanner::isText(QByteArrayView file) {
    if (isUtf16Marked(file))
        return true;
    const qsizetype start = pastMarks(file);
    if (start < file.size() && file.at(start) == '\0')
        return false; // UTF-16 without a mark, or a binary file
    // Control bytes other than line ends and tabs are rare in text and common in anything
    // else; a look at the start of the file is enough to tell.
    const QByteArrayView sample = file.sliced(start, qMin<qsizetype>(file.size() - start, 8192));
    qsizetype control = 0;
    for (const char c : sample) {
        const uchar b = uchar(c);
        control += (b < 0x20 && (b < '\t' || b > '\r')) || b == 0x7F ? 1 : 0;
    }
    return control <= 4 || control * 32 <= sample.size();
}

bool IniScanner::hasText(const QByteArray& file) {
    const QByteArray text = textOf(file);
    return !QByteArrayView(text).sliced(pastMarks(text)).trimmed().isEmpty();
}

QString IniScanner::decode(const char* bytes, Encoding encoding, Piece piece) {
    const QByteArrayView view(bytes + piece.from, piece.size);
    switch (encoding) {
    case Encoding::Ascii:
        return QString::fromLatin1(view);
    case Encoding::Utf8:
        if (!view.startsWith("\xEF\xBB\xBF"))
            return QString::fromUtf8(view);
        // A mark inside the file is a character; fromUtf8 would drop it at a piece's start.
        return QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                        QStringDecoder::Flag::ConvertInitialBom)
            .decode(view);
    case Encoding::Windows1252:
        break;
    }
    return decodeWindows1252(view);
}

qsizetype IniScanner::blankAt(qsizetype at, qsizetype end) const {
    const uchar* d = reinterpret_cast<const uchar*>(m_bytes.data());
    if (m_encoding == Encoding::Windows1252)
        return windows1252().blank[d[at]] ? 1 : 0;
    if (m_encoding != Encoding::Utf8 || (d[at] & 0xC0) != 0xC0)
        return 0;
    qsizetype length = 0;
    const char32_t u = utf8CodePoint(d + at, &length);
    return at + length <= end && QChar::isSpace(u) ? length : 0;
}

qsizetype IniScanner::blankBefore(qsizetype from, qsizetype end) const {
    const uchar* d = reinterpret_cast<const uchar*>(m_bytes.data());
    if (m_encoding == Encoding::Windows1252)
        return windows1252().blank[d[end - 1]] ? 1 : 0;
    if (m_encoding != Encoding::Utf8)
        return 0;
    qsizetype lead = end - 1;
    while (lead > from && end - lead < 4 && (d[lead] & 0xC0) == 0x80)
        --lead;
    if ((d[lead] & 0xC0) != 0xC0)
        return 0;
    qsizetype length = 0;
    const char32_t u = utf8CodePoint(d + lead, &length);
    return lead + length == end && QChar::isSpace(u) ? length : 0;
}

IniDocument IniDocument::fromBytes(const QByteArray& bytes) {
    using Piece = IniScanner::Piece;
    const QByteArray text = IniScanner::textOf(bytes);
    const IniScanner scanner(text);
    struct Builder {
        const IniScanner& scanner;
        const char* bytes;
        IniDocument doc;
        // Keys of the section before by line, and of this one: sections usually repeat the
        // keys of the one before, and those keys are then shared instead of decoded again.
        QVector<Piece> previousKeys;
        QVector<Piece> keys;

        void section(Piece name) {
            Section section;
            section.name = scanner.text(name);
            if (!doc.m_sections.isEmpty()) {
                section.lines.reserve(doc.m_sections.last().lines.size());
                previousKeys.swap(keys);
            }
            keys.clear();
            doc.m_sections.append(std::move(section));
        }
        void entry(Piece key, Piece value) {
            QVector<Line>& lines = doc.m_sections.last().lines;
            const qsizetype at = lines.size();
            Line entry;
            entry.isEntry = true;
            const QVector<Line>* previous =
                doc.m_sections.size() > 1 ? &doc.m_sections.at(doc.m_sections.size() - 2).lines
                                          : nullptr;
            if (previous && at < previousKeys.size() && previousKeys.at(at).size == key.size &&
                memcmp(bytes + previousKeys.at(at).from, bytes + key.from, size_t(key.size)) == 0)
                entry.key = previous->at(at).key; // shared, not copied
            else
                entry.key = scanner.text(key);
            entry.text = scanner.text(value);
            lines.append(std::move(entry));
            keys.append(key);
        }
        void other(Piece text) {
            Line line;
            line.text = scanner.text(text);
            if (doc.m_sections.isEmpty()) {
                doc.m_preamble.append(std::move(line));
            } else {
                doc.m_sections.last().lines.append(std::move(line));
                keys.append(Piece{0, -1}); // matches no key
            }
        }
    } builder{scanner, text.constData(), IniDocument(), {}, {}};
    scanner.scan(builder);
    return std::move(builder.doc);
}

QByteArray IniDocument::readBytes(const QString& path) {
    QFile file(path);
    if (!file.exists())
        return QByteArray();
    if (!file.open(QIODevice::ReadOnly))
        RaiseError(file.error() == QFileDevice::PermissionsError ? 70 : 75);
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        RaiseError(75);
    return bytes;
}

IniDocument IniDocument::readFile(const QString& path) {
    return fromBytes(readBytes(path));
}

qsizetype IniDocument::textSize() const {
    qsizetype size = 0;
    for (const Line& line : m_preamble)
        size += line.text.size() + 2;
    for (const Section& section : m_sections) {
        size += section.name.size() + 4;
        for (const Line& line : section.lines)
            size += (line.isEntry ? line.key.size() + 1 : 0) + line.text.size() + 2;
    }
    return size;
}

template <class Put> bool IniDocument::serialize(Put&& put) const {
    static const QString lineEnd = QStringLiteral("\r\n");
    static const QString equals = QStringLiteral("=");
    static const QString open = QStringLiteral("[");
    static const QString close = QStringLiteral("]");
    for (const Line& line : m_preamble) {
        if (!put(line.text) || !put(lineEnd))
            return false;
    }
    for (const Section& section : m_sections) {
        if (!put(open) || !put(section.name) || !put(close) || !put(lineEnd))
            return false;
        for (const Line& line : section.lines) {
            if (line.isEntry && (!put(line.key) || !put(equals)))
                return false;
            if (!put(line.text) || !put(lineEnd))
                return false;
        }
    }
    return true;
}

QString IniDocument::toText() const {
    QString out(textSize(), Qt::Uninitialized);
    QChar* p = out.data();
    serialize([&p](const QString& piece) {
        memcpy(static_cast<void*>(p), piece.constData(), size_t(piece.size()) * sizeof(QChar));
        p += piece.size();
        return true;
    });
    return out;
}

void IniDocument::EncodingChoice::add(const QString& text) {
    if (!m_fits)
        return;
    char16_t any = 0;
    for (QChar c : text)
        any |= c.unicode();
    if (any < 0x80)
        return;
    // A whole file is valid UTF-8 exactly when each of its non-ASCII pieces is: the ASCII
    // between them cannot continue a sequence.
    QByteArray out(text.size(), Qt::Uninitialized);
    char* p = out.data();
    bool high = false;
    if (!putWindows1252(text, p, high)) {
        m_fits = false;
        return;
    }
    if (high) {
        m_high = true;
        m_highPiecesValidUtf8 = m_highPiecesValidUtf8 && isValidUtf8(out);
    }
}

QByteArray IniDocument::encodeAs(const QString& text, bool utf8) {
    if (utf8)
        return text.toUtf8();
    QByteArray out(text.size(), Qt::Uninitialized);
    char* p = out.data();
    bool high = false;
    putWindows1252(text, p, high);
    return out;
}

bool IniScanner::isAscii(QByteArrayView bytes) {
    return ::isAscii(bytes);
}

QByteArray IniDocument::toBytes() const {
    const QString text = toText();
    char16_t any = 0; // a loop the compiler can vectorise: is it all ASCII?
    const char16_t* units = reinterpret_cast<const char16_t*>(text.constData());
    for (qsizetype i = 0; i < text.size(); ++i)
        any |= units[i];
    if (any < 0x80)
        return text.toLatin1();
    // Straight to Windows-1252 bytes; the UTF-8 road only when some text needs it.
    QByteArray out(text.size(), Qt::Uninitialized);
    char* p = out.data();
    bool high = false;
    if (!putWindows1252(text, p, high) || (high && isValidUtf8(out)))
        return text.toUtf8();
    return out;
}

bool IniDocument::write(QIODevice& device, QString* errorText) const {
    return WriteAllBytes(device, toBytes(), errorText);
}

bool IniDocument::saveFile(const QString& path, QString* errorText) const {
    return SaveFileBytes(path, toBytes(), errorText);
}

QStringList IniDocument::sectionNames() const {
    QStringList names;
    names.reserve(m_sections.size());
    for (const Section& section : m_sections)
        names.append(section.name);
    return names;
}

int IniDocument::findSection(const QString& name) const {
    const QString clean = cleanText(name);
    const uint hash = foldedHash(clean);
    for (int i = 0; i < m_sections.size(); ++i) {
        const Section& section = m_sections.at(i);
        if (!section.nameHash)
            section.nameHash = foldedHash(section.name);
        if (section.nameHash == hash && sameName(section.name, clean))
            return i;
    }
    return -1;
}

int IniDocument::ensureSection(const QString& name) {
    const int found = findSection(name);
    return found >= 0 ? found : appendSection(name);
}

int IniDocument::appendSection(const QString& name) {
    // A blank line ahead of each new section keeps the file easy to read by eye.
    QVector<Line>& previous = m_sections.isEmpty() ? m_preamble : m_sections.last().lines;
    if (!isEmpty() &&
        (previous.isEmpty() || !isBlank(previous.last().text) || previous.last().isEntry))
        previous.append(Line());
    Section section;
    section.name = cleanText(name);
    m_sections.append(std::move(section));
    return m_sections.size() - 1;
}

QStringList IniDocument::keys(int section) const {
    QStringList names;
    for (const Line& line : m_sections.at(section).lines) {
        if (line.isEntry)
            names.append(line.key);
    }
    return names;
}

QVector<IniDocument::Entry> IniDocument::entries(int section) const {
    QVector<Entry> out;
    const QVector<Line>& lines = m_sections.at(section).lines;
    out.reserve(lines.size());
    for (const Line& line : lines) {
        if (line.isEntry)
            out.append({line.key, line.text});
    }
    return out;
}

int IniDocument::keyCount(int section) const {
    int n = 0;
    for (const Line& line : m_sections.at(section).lines)
        n += line.isEntry ? 1 : 0;
    return n;
}

uint IniDocument::foldedHash(const QString& key) {
    // Equal without regard to case means equal after folding each code point, so equal keys
    // always share a hash and most unequal ones are told apart without a string comparison.
    uint h = 2166136261u;
    const qsizetype n = key.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t u = key.at(i).unicode();
        if (u < 0x80) {
            if (u >= 'A' && u <= 'Z')
                u += 'a' - 'A';
        } else {
            if (QChar::isHighSurrogate(u) && i + 1 < n && key.at(i + 1).isLowSurrogate())
                u = QChar::surrogateToUcs4(char16_t(u), key.at(++i).unicode());
            u = QChar::toCaseFolded(u);
        }
        h = (h ^ uint(u)) * 16777619u;
    }
    return h ? h : 1;
}

int IniDocument::findKey(const Section& section, const QString& cleanKey, uint hash) const {
    for (int i = 0; i < section.lines.size(); ++i) {
        const Line& line = section.lines.at(i);
        if (!line.isEntry)
            continue;
        if (!line.keyHash)
            line.keyHash = foldedHash(line.key);
        if (line.keyHash == hash && sameName(line.key, cleanKey))
            return i;
    }
    return -1;
}

bool IniDocument::value(const QString& section, const QString& key, QString* out) const {
    const int s = findSection(section);
    return s >= 0 && value(s, key, out);
}

bool IniDocument::value(int section, const QString& key, QString* out) const {
    const Section& sec = m_sections.at(section);
    const QString clean = cleanText(key);
    const int i = findKey(sec, clean, foldedHash(clean));
    if (i < 0)
        return false;
    *out = sec.lines.at(i).text;
    return true;
}

void IniDocument::setCleanValue(Section& section, const QString& cleanKey,
                                const QString& cleanValue) {
    const uint hash = foldedHash(cleanKey);
    const int i = findKey(section, cleanKey, hash);
    if (i >= 0) {
        section.lines[i].text = cleanValue;
        return;
    }
    // A new key goes after the section's last key, ahead of the blank lines that part it
    // from the next section.
    int at = section.lines.size();
    while (at > 0 && !section.lines.at(at - 1).isEntry && isBlank(section.lines.at(at - 1).text))
        --at;
    Line line;
    line.isEntry = true;
    line.key = cleanKey;
    line.keyHash = hash;
    line.text = cleanValue;
    section.lines.insert(at, std::move(line));
}

void IniDocument::setValue(const QString& section, const QString& key, const QString& value) {
    setValue(ensureSection(section), key, value);
}

void IniDocument::setValue(int section, const QString& key, const QString& value) {
    setCleanValue(m_sections[section], cleanText(key), cleanText(value));
}

bool IniDocument::removeKey(const QString& section, const QString& key) {
    const int s = findSection(section);
    if (s < 0)
        return false;
    const QString clean = cleanText(key);
    QVector<Line>& lines = m_sections[s].lines;
    const auto removed = lines.removeIf(
        [&clean](const Line& line) { return line.isEntry && sameName(line.key, clean); });
    return removed > 0;
}

bool IniDocument::removeSection(const QString& section) {
    const QString clean = cleanText(section);
    const auto removed =
        m_sections.removeIf([&clean](const Section& s) { return sameName(s.name, clean); });
    return removed > 0;
}
