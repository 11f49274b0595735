#include "app/inidocument.h"

#include "app/errortrap.h"
#include "app/textcodec.h"

#include <QFile>
#include <QSaveFile>

namespace {

const QString kLineBreakMarker = QStringLiteral("~|");
const QString kLineEnd = QStringLiteral("\r\n");

bool sameName(const QString& a, const QString& b) {
    // Case-insensitive equality implies equal length here (QString folds one unit at a
    // time), and the length test spares most comparisons in a section of similar keys.
    return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isBlank(QStringView text) {
    return text.trimmed().isEmpty();
}

bool hasHighBytes(const QByteArray& bytes) {
    for (char c : bytes) {
        if (uchar(c) >= 0x80)
            return true;
    }
    return false;
}

} // namespace

QString IniDocument::cleanText(const QString& text) {
    QString s = text;
    s.remove(QChar(0));
    s = s.trimmed();
    if (s.contains(QLatin1Char('\r')) || s.contains(QLatin1Char('\n'))) {
        s.replace(QStringLiteral("\r\n"), kLineBreakMarker);
        s.replace(QLatin1Char('\r'), kLineBreakMarker);
        s.replace(QLatin1Char('\n'), kLineBreakMarker);
    }
    return s;
}

QByteArray IniDocument::encode(const QString& text) {
    QByteArray bytes = EncodeText(text);
    // Windows-1252 bytes that happen to form valid UTF-8 ("Ã©") would be read back as
    // other characters; such a text is stored as UTF-8, which always reads back intact.
    if (hasHighBytes(bytes) && DecodeText(bytes) != text)
        bytes = text.toUtf8();
    return bytes;
}

IniDocument IniDocument::fromBytes(const QByteArray& bytes) {
    return fromText(DecodeText(bytes));
}

IniDocument IniDocument::fromText(const QString& text) {
    IniDocument doc;
    const QChar* data = text.constData();
    const qsizetype size = text.size();
    qsizetype start = 0;
    while (start < size) {
        qsizetype end = start;
        while (end < size && data[end] != QLatin1Char('\r') && data[end] != QLatin1Char('\n'))
            ++end;
        const QStringView line(data + start, end - start);
        start = end;
        if (start < size) {
            const bool crlf = data[start] == QLatin1Char('\r') && start + 1 < size &&
                              data[start + 1] == QLatin1Char('\n');
            start += crlf ? 2 : 1;
        }

        const QStringView trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1Char('['))) {
            qsizetype close = trimmed.indexOf(QLatin1Char(']'));
            if (close < 0)
                close = trimmed.size();
            Section section;
            section.name = trimmed.mid(1, close - 1).trimmed().toString();
            doc.m_sections.append(std::move(section));
            continue;
        }
        Line entry;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq >= 0 && !doc.m_sections.isEmpty() && !trimmed.startsWith(QLatin1Char(';'))) {
            entry.isEntry = true;
            entry.key = line.left(eq).trimmed().toString();
            entry.text = line.mid(eq + 1).trimmed().toString();
        } else {
            entry.text = line.toString();
        }
        if (doc.m_sections.isEmpty())
            doc.m_preamble.append(std::move(entry));
        else
            doc.m_sections.last().lines.append(std::move(entry));
    }
    return doc;
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

QString IniDocument::toText() const {
    qsizetype size = 0;
    for (const Line& line : m_preamble)
        size += line.text.size() + 2;
    for (const Section& section : m_sections) {
        size += section.name.size() + 4;
        for (const Line& line : section.lines)
            size += line.key.size() + line.text.size() + 3;
    }
    QString out;
    out.reserve(size);
    for (const Line& line : m_preamble) {
        out += line.text;
        out += kLineEnd;
    }
    for (const Section& section : m_sections) {
        out += QLatin1Char('[');
        out += section.name;
        out += QLatin1Char(']');
        out += kLineEnd;
        for (const Line& line : section.lines) {
            if (line.isEntry) {
                out += line.key;
                out += QLatin1Char('=');
            }
            out += line.text;
            out += kLineEnd;
        }
    }
    return out;
}

QByteArray IniDocument::toBytes() const {
    return encode(toText());
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
    for (int i = 0; i < m_sections.size(); ++i) {
        if (sameName(m_sections.at(i).name, clean))
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

int IniDocument::findKey(const Section& section, const QString& cleanKey) const {
    for (int i = 0; i < section.lines.size(); ++i) {
        const Line& line = section.lines.at(i);
        if (line.isEntry && sameName(line.key, cleanKey))
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
    const int i = findKey(sec, cleanText(key));
    if (i < 0)
        return false;
    *out = sec.lines.at(i).text;
    return true;
}

void IniDocument::setCleanValue(Section& section, const QString& cleanKey,
                                const QString& cleanValue) {
    const int i = findKey(section, cleanKey);
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
