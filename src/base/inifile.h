#pragma once

#include "base/windowgeometry.h"

#include <QString>
#include <QStringList>

// Small public wrapper over IniDocument; only the tests use it, to read stored files key by key.
//
// One INI file addressed by path, section and key. Set Path, Section and Key (and Default if
// wanted), then read or write Value, delete the key or the section, or list names. Every call
// opens and closes the file; nothing is kept open between calls.
//
// Name lists are 1-based: element 0 of the QStringList is an empty placeholder and the names
// are elements 1..iCount. A list with no names is empty (not even element 0).
//
// Reads (Value, the Enumerate members, DeleteKey, DeleteSection) log a failure and carry on
// with what they have; Value(set), INISection and Sections leave a failure to the caller's
// own trap. A write the file system refuses is not an error: LastReturnCode becomes 0 and
// Success false.
class cInifile {
public:
    qint32 LastReturnCode() const { return m_lLastReturnCode; }
    bool Success() const { return m_lLastReturnCode != 0; }

    QString Default() const { return m_sDefault; }
    void Default(const QString& sDefault) { m_sDefault = sDefault; }
    QString Path() const { return m_sPath; }
    void Path(const QString& sPath) { m_sPath = sPath; }
    QString Key() const { return m_sKey; }
    void Key(const QString& sKey) { m_sKey = sKey; }
    QString Section() const { return m_sSection; }
    void Section(const QString& sSection) { m_sSection = sSection; }

    // The current key's value; Default when the key is absent.
    QString Value() const;
    // Writes the current key, creating file, section and key as needed. NULs are removed
    // from the value first, from the caller's own variable too.
    void Value(QString& sValue);
    void Value(const QString& sValue);

    void DeleteKey();
    void DeleteSection();

    // The current section's key names, each followed by one NUL.
    QString INISection() const;
    // Removes the current section (the text passed is not stored).
    void INISection(const QString& sSection);
    // The file's section names, each followed by one NUL.
    QString Sections() const;

    void EnumerateCurrentSection(QStringList& sKey, qint32& iCount) const;
    // As EnumerateCurrentSection, but a section without keys leaves sKey as it was.
    void EnumerateCurrentSectionWith2dArray(QStringList& sKey, qint32& iCount,
                                            qint32 nArrayValue1 = 0) const;
    // Section names in file order; empty names are skipped.
    void EnumerateAllSections(QStringList& sSections, qint32& iCount) const;

    // Keys "Maximised", "Left", "Top", "Width", "Height" of the current section.
    void SaveFormPosition(const WindowGeometry& frmThis);
    void LoadFormPosition(WindowGeometry& frmThis, qint32 lMinWidth = kMinWindowSide,
                          qint32 lMinHeight = kMinWindowSide);

    // Text to a 32-bit integer, halves rounded to even (12.5 gives 12, 13.5 gives 14);
    // lDefault when the text is no number or does not fit.
    static qint32 CLngDefault(const QString& sString, qint32 lDefault);

    // 100 pixels: a window smaller than this is not worth restoring.
    static constexpr qint32 kMinWindowSide = 1500;

private:
    void write(const QString& key, const QString& value);
    QStringList currentKeys() const;

    QString m_sPath;
    QString m_sKey;
    QString m_sSection;
    QString m_sDefault;
    qint32 m_lLastReturnCode = 0;
};
