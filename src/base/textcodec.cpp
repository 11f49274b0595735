#include "base/textcodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace {

// The 0x80..0x9F block of Windows-1252; 0 marks the five unused codes.
const char16_t kHighBlock[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                 0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

} // namespace

QString DecodeWindows1252(const QByteArray& bytes) {
    // A table of our own keeps this independent of which codecs the Qt build carries.
    QString out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const uchar b = uchar(c);
        if (b >= 0x80 && b < 0xA0 && kHighBlock[b - 0x80] != 0)
            out.append(QChar(kHighBlock[b - 0x80]));
        else
            out.append(QChar(b));
    }
    return out;
}

bool EncodeWindows1252(const QString& text, QByteArray* out) {
    out->clear();
    out->reserve(text.size());
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        // The five unused codes of the 0x80 block pass through as themselves.
        const bool unusedCode = u >= 0x80 && u < 0xA0 && kHighBlock[u - 0x80] == 0;
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF) || unusedCode) {
            out->append(char(u));
            continue;
        }
        int found = -1;
        for (int i = 0; i < 32; ++i) {
            if (kHighBlock[i] != 0 && kHighBlock[i] == u) {
                found = i;
                break;
            }
        }
        if (found < 0)
            return false;
        out->append(char(0x80 + found));
    }
    return true;
}

QString DecodeText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return DecodeWindows1252(bytes);
}

QByteArray EncodeText(const QString& text) {
    QByteArray bytes;
    // Windows-1252 bytes that form valid UTF-8 ("Ã©") would be read back as other characters;
    // plain ASCII is the same either way.
    if (EncodeWindows1252(text, &bytes)) {
        const bool high = std::any_of(bytes.cbegin(), bytes.cend(), [](char c) { return c < 0; });
        if (!high || !QByteArrayView(bytes).isValidUtf8())
            return bytes;
    }
    return text.toUtf8();
}
