#include "app/inidocument.h"

#include "app/errortrap.h"
#include "app/textcodec.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <cstring>

namespace {

const QString kLineBreakMarker = QStringLiteral("~|");

bool sameName(const QString& a, const QString& b) {
    // Case-insensitive equality implies equal length here (QString folds one unit at a
    // time), and the length test spares most comparisons in a section of similar keys.
    return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isBlank(QStringView text) {
    return text.trimmed().isEmpty();
}

bool isAscii(const QByteArray& bytes) {
    for (char c : bytes) {
        if (uchar(c) >= 0x80)
            return false;
    }
    return true;
}

// The codecs of textcodec.h, one table lookup per character instead of one call: a database
// of a thousand properties is several megabytes.
struct Windows1252Table {
    char16_t decode[256];
    Windows1252Table() {
        for (int b = 0; b < 256; ++b)
            decode[b] = DecodeWindows1252(QByteArray(1, char(b))).at(0).unicode();
    }
};
const Windows1252Table& windows1252() {
    static const Windows1252Table table;
    return table;
}

QString decodeWindows1252(const QByteArray& bytes) {
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

bool isValidUtf8(const QByteArray& bytes) {
    // The same test the reader applies (decoding happens on conversion to QString).
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return !utf8.hasError();
}

// Line and key scanning over Latin-1 bytes (an ASCII file, the usual case, needs no decoding)
// or over decoded text.
qsizetype findChar(QLatin1StringView text, char c, qsizetype from) {
    if (from >= text.size())
        return -1;
    const void* hit = memchr(text.data() + from, c, size_t(text.size() - from));
    return hit ? static_cast<const char*>(hit) - text.data() : -1;
}
qsizetype findChar(QStringView text, char c, qsizetype from) {
    return text.indexOf(QLatin1Char(c), from);
}
QString toQString(QLatin1StringView text) {
    return QString::fromLatin1(text);
}
QString toQString(QStringView text) {
    return text.toString();
}

} // namespace

QString IniDocument::cleanText(const QString& text) {
    bool clean = text.isEmpty() || (!text.front().isSpace() && !text.back().isSpace());
    for (qsizetype i = 0; clean && i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        clean = u != 0 && u != '\r' && u != '\n';
    }
    if (clean)
        return text;
    QString s = text;
    s.remove(QChar(0));
    s = s.trimmed();
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

IniDocument IniDocument::fromBytes(const QByteArray& bytes) {
    IniDocument doc;
    if (isAscii(bytes)) {
        doc.parse(QLatin1StringView(bytes.constData(), bytes.size()));
        return doc;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = decodeWindows1252(bytes);
    doc.parse(QStringView(text));
    return doc;
}

IniDocument IniDocument::fromText(const QString& text) {
    IniDocument doc;
    doc.parse(QStringView(text));
    return doc;
}

template <class View> void IniDocument::parse(View text) {
    const qsizetype size = text.size();
    qsizetype nextCr = findChar(text, '\r', 0);
    qsizetype nextLf = findChar(text, '\n', 0);
    const Section* previous = nullptr; // the section before: its keys usually repeat
    qsizetype start = 0;
    while (start < size) {
        if (nextCr >= 0 && nextCr < start)
            nextCr = findChar(text, '\r', start);
        if (nextLf >= 0 && nextLf < start)
            nextLf = findChar(text, '\n', start);
        qsizetype end = size;
        if (nextCr >= 0)
            end = nextCr;
        if (nextLf >= 0 && nextLf < end)
            end = nextLf;
        const View line = text.mid(start, end - start);
        start = end;
        if (start < size)
            start += (end == nextCr && end + 1 == nextLf) ? 2 : 1;

        const View trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1Char('['))) {
            qsizetype close = findChar(trimmed, ']', 0);
            if (close < 0)
                close = trimmed.size();
            if (!m_sections.isEmpty())
                previous = &m_sections.last();
            Section section;
            section.name = toQString(trimmed.mid(1, close - 1).trimmed());
            if (previous)
                section.lines.reserve(previous->lines.size());
            m_sections.append(std::move(section));
            if (previous) // the append may have moved the sections
                previous = &m_sections.at(m_sections.size() - 2);
            continue;
        }
        Line entry;
        const qsizetype eq = findChar(line, '=', 0);
        if (eq >= 0 && !m_sections.isEmpty() && !trimmed.startsWith(QLatin1Char(';'))) {
            QVector<Line>& lines = m_sections.last().lines;
            const View key = line.left(eq).trimmed();
            const qsizetype at = lines.size();
            if (previous && at < previous->lines.size() && previous->lines.at(at).isEntry &&
                previous->lines.at(at).key == key)
                entry.key = previous->lines.at(at).key; // shared, not copied
            else
                entry.key = toQString(key);
            entry.isEntry = true;
            entry.text = toQString(line.mid(eq + 1).trimmed());
        } else {
            entry.text = toQString(line);
        }
        if (m_sections.isEmpty())
            m_preamble.append(std::move(entry));
        else
            m_sections.last().lines.append(std::move(entry));
    }
}

IniDocument IniDocument::readFile(const QString& path) {
    QFile file(path);
    if (!file.exists())
        return IniDocument();
    if (!file.open(QIODevice::ReadOnly))
        RaiseError(file.error() == QFileDevice::PermissionsError ? 70 : 75);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        RaiseError(75);
    return fromBytes(bytes);
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
    const QByteArray bytes = toBytes();
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = device.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            if (errorText)
                *errorText = device.errorString().isEmpty() ? QStringLiteral("Write failed")
                                                            : device.errorString();
            return false;
        }
        done += n;
    }
    return true;
}

bool IniDocument::saveFile(const QString& path, QString* errorText) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (errorText)
            *errorText = file.errorString();
        return false;
    }
    if (!write(file, errorText)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (errorText)
            *errorText = file.errorString();
        return false;
    }
    return true;
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
    if (found >= 0)
        return found;
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
