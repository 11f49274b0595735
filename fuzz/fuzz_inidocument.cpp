// The INI engine on any bytes: reading never fails, writing what was read and reading it
// again gives the same sections, keys and values, and a value set through the engine comes
// back as the same text without splitting its line or forging another key or section.
#include "base/inidocument.h"
#include "fuzzcheck.h"

#include <QBuffer>

namespace {

QString describe(const IniDocument& doc) {
    QString s;
    for (int i = 0; i < doc.sectionCount(); ++i) {
        s += QLatin1Char('[') + doc.sectionName(i) + QStringLiteral("] ");
        for (const IniDocument::Entry& e : doc.entries(i))
            s += e.key + QLatin1Char('=') + e.value + QStringLiteral("; ");
    }
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    IniDocument doc = IniDocument::fromBytes(input);
    const QByteArray saved = doc.toBytes();

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QString error;
    fuzzCheck(doc.write(buffer, &error), "writing to a buffer failed", error);
    fuzzCheck(buffer.data() == saved, "write() and toBytes() differ");

    const IniDocument reread = IniDocument::fromBytes(saved);
    fuzzCheck(describe(reread) == describe(doc), "a saved document reads back differently",
              describe(reread), describe(doc));
    fuzzCheck(reread.toBytes() == saved, "saving a document read back changes its bytes");

    // The whole input as one value, set through the engine into a section of its own.
    const QString text = QString::fromUtf8(input);
    const QString section = QStringLiteral("Fuzz Section");
    const int sections =
        doc.findSection(section) >= 0 ? doc.sectionCount() : doc.sectionCount() + 1;
    doc.setValue(section, QStringLiteral("fuzzkey"), text);
    const IniDocument edited = IniDocument::fromBytes(doc.toBytes());
    QString back;
    fuzzCheck(edited.value(section, QStringLiteral("FUZZKEY"), &back), "a set key is gone");
    fuzzCheck(back == IniDocument::cleanText(text), "a set value reads back differently", back,
              IniDocument::cleanText(text));
    fuzzCheck(edited.sectionCount() == sections, "a value forged or hid a section",
              describe(edited), describe(doc));
    return 0;
}
