#include "base/inifile.h"

#include "base/errortrap.h"
#include "base/inidocument.h"
#include "base/numerictext.h"

#include <cmath>
#include <limits>

namespace {

QString nulTerminated(const QStringList& names) {
    QString out;
    for (const QString& name : names) {
        out += name;
        out += QChar(0);
    }
    return out;
}

// Fills a 1-based list: element 0 is a placeholder, the names follow.
void fillOneBased(QStringList& list, const QStringList& names) {
    list.clear();
    list.reserve(names.size() + 1);
    list.append(QString());
    list.append(names);
}

} // namespace

QString cInifile::Value() const {
    QString result;
    Trap(2010, [&] {
        const IniDocument doc = IniDocument::readFile(m_sPath);
        if (!doc.value(m_sSection, m_sKey, &result))
            result = m_sDefault;
    });
    return result;
}

void cInifile::write(const QString& key, const QString& value) {
    m_lLastReturnCode = 0;
    try {
        IniDocument doc = IniDocument::readFile(m_sPath);
        doc.setValue(m_sSection, key, value);
        m_lLastReturnCode = doc.saveFile(m_sPath) ? 1 : 0;
    } catch (const RuntimeError&) {
        // A file that cannot be read cannot be rewritten either: the write is refused.
        m_lLastReturnCode = 0;
    }
}

void cInifile::Value(QString& sValue) {
    sValue.remove(QChar(0));
    write(m_sKey, sValue);
}

void cInifile::Value(const QString& sValue) {
    QString copy = sValue;
    Value(copy);
}

void cInifile::DeleteKey() {
    m_lLastReturnCode = 0;
    Trap(2120, [&] {
        IniDocument doc = IniDocument::readFile(m_sPath);
        if (!doc.removeKey(m_sSection, m_sKey)) {
            m_lLastReturnCode = 1; // nothing to remove: the file stays as it is
            return;
        }
        m_lLastReturnCode = doc.saveFile(m_sPath) ? 1 : 0;
    });
}

void cInifile::DeleteSection() {
    m_lLastReturnCode = 0;
    Trap(2230, [&] {
        IniDocument doc = IniDocument::readFile(m_sPath);
        if (!doc.removeSection(m_sSection)) {
            m_lLastReturnCode = 1;
            return;
        }
        m_lLastReturnCode = doc.saveFile(m_sPath) ? 1 : 0;
    });
}

QStringList cInifile::currentKeys() const {
    const IniDocument doc = IniDocument::readFile(m_sPath);
    const int s = doc.findSection(m_sSection);
    return s < 0 ? QStringList() : doc.keys(s);
}

QString cInifile::INISection() const {
    return nulTerminated(currentKeys());
}

void cInifile::INISection(const QString& sSection) {
    Q_UNUSED(sSection); // a write without a key removes the section; the text is not stored
    m_lLastReturnCode = 0;
    try {
        IniDocument doc = IniDocument::readFile(m_sPath);
        m_lLastReturnCode = !doc.removeSection(m_sSection) || doc.saveFile(m_sPath) ? 1 : 0;
    } catch (const RuntimeError&) {
        m_lLastReturnCode = 0;
    }
}

QString cInifile::Sections() const {
    return nulTerminated(IniDocument::readFile(m_sPath).sectionNames());
}

void cInifile::EnumerateCurrentSection(QStringList& sKey, qint32& iCount) const {
    iCount = 0;
    sKey.clear();
    EnumerateCurrentSectionWith2dArray(sKey, iCount);
}

void cInifile::EnumerateCurrentSectionWith2dArray(QStringList& sKey, qint32& iCount,
                                                  qint32 nArrayValue1) const {
    Q_UNUSED(nArrayValue1);
    iCount = 0;
    Trap(2340, [&] {
        const QStringList keys = currentKeys();
        if (keys.isEmpty())
            return;
        fillOneBased(sKey, keys);
        iCount = qint32(keys.size());
    });
}

void cInifile::EnumerateAllSections(QStringList& sSections, qint32& iCount) const {
    iCount = 0;
    sSections.clear();
    Trap(2450, [&] {
        QStringList names = IniDocument::readFile(m_sPath).sectionNames();
        names.removeAll(QString());
        if (names.isEmpty())
            return;
        fillOneBased(sSections, names);
        iCount = qint32(names.size());
    });
}

void cInifile::SaveFormPosition(const WindowGeometry& frmThis) {
    const QString savedKey = m_sKey;
    try {
        const int state = frmThis.windowState();
        if (state != WindowGeometry::Minimised) {
            const bool maximised = state == WindowGeometry::Maximised;
            write(QStringLiteral("Maximised"),
                  maximised ? QStringLiteral("1") : QStringLiteral("0"));
            if (!maximised) {
                write(QStringLiteral("Left"), QString::number(frmThis.left()));
                write(QStringLiteral("Top"), QString::number(frmThis.top()));
                write(QStringLiteral("Width"), QString::number(frmThis.width()));
                write(QStringLiteral("Height"), QString::number(frmThis.height()));
            }
        }
    } catch (...) {
        m_lLastReturnCode = 0;
    }
    m_sKey = savedKey;
}

namespace {

// Keeps [start, start + extent] inside the screen with a margin on both sides, moving the
// window first and shrinking it only when it is wider than the room.
void fitAxis(qint64& start, qint64& extent, qint64 screen, qint64 margin) {
    if (start < margin)
        start = margin;
    if (start + extent > screen - margin) {
        start = screen - margin - extent;
        if (start < margin)
            start = margin;
        if (start + extent > screen - margin)
            extent = screen - start - margin;
    }
}

} // namespace

void cInifile::LoadFormPosition(WindowGeometry& frmThis, qint32 lMinWidth, qint32 lMinHeight) {
    const QString savedKey = m_sKey;
    const QString savedDefault = m_sDefault;
    try {
        // An absent key then reads as a text that is no number, and the fallback applies.
        m_sDefault = QStringLiteral("FAIL");
        auto stored = [this](const char* key, qint32 fallback) {
            m_sKey = QString::fromLatin1(key);
            return CLngDefault(Value(), fallback);
        };
        qint64 left = stored("Left", frmThis.left());
        qint64 top = stored("Top", frmThis.top());
        qint64 width = stored("Width", frmThis.width());
        if (width < lMinWidth)
            width = lMinWidth;
        qint64 height = stored("Height", frmThis.height());
        if (height < lMinHeight)
            height = lMinHeight;

        const qint64 marginX = 4 * qint64(frmThis.twipsPerPixelX());
        const qint64 marginY = 4 * qint64(frmThis.twipsPerPixelY());
        fitAxis(left, width, frmThis.screenWidth(), marginX);
        fitAxis(top, height, frmThis.screenHeight(), marginY);

        if (width >= lMinWidth && height >= lMinHeight)
            frmThis.setGeometry(qint32(left), qint32(top), qint32(width), qint32(height));
        if (stored("Maximised", 0) != 0)
            frmThis.setWindowState(WindowGeometry::Maximised);
    } catch (...) {
    }
    m_sKey = savedKey;
    m_sDefault = savedDefault;
}

qint32 cInifile::CLngDefault(const QString& sString, qint32 lDefault) {
    try {
        const double rounded = std::nearbyint(ToNumber(sString)); // ties to even
        if (rounded < double(std::numeric_limits<qint32>::min()) ||
            rounded > double(std::numeric_limits<qint32>::max()))
            return lDefault;
        return qint32(rounded);
    } catch (...) {
        return lDefault;
    }
}
