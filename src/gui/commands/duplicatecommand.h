#pragma once

#include <QDateTime>
#include <QStringList>
#include <functional>

class PropertyCommandHost;
class PropertyCommands;

// File › "Duplicate This Property...": a new property with every field of the open one and
// its own copies of the picture files, saved and opened. Versions of one deal ("at asking",
// "at my offer") are kept and compared this way. Each copy is a file of its own, so deleting a
// picture from one property never takes the other's file.
class DuplicateCommand {
public:
    using Clock = std::function<QDateTime()>;

    DuplicateCommand(PropertyCommandHost& host, PropertyCommands& commands);

    // The clock that names the picture copies; an empty one puts the system clock back.
    void setClock(Clock clock) { m_clock = std::move(clock); }
    // As Save a Copy: a property that was saved before is open.
    bool isEnabled() const;
    void mnuFileDuplicate_Click();

    // "Maple Court (copy)".
    static QString ProposedName(const QString& name);
    // Copies every picture of a list (element 0 empty, as the open property's) into the picture
    // folder under names no other file has. A reference whose file is nowhere to be found is
    // carried over as it stands: there is no file to share. False when a file could not be
    // copied: every copy made is removed again and *failed names the picture.
    static bool CopyPictures(const QStringList& pictures, const QDateTime& when,
                             QStringList* copies, QString* failed);

private:
    PropertyCommandHost& m_host;
    PropertyCommands& m_commands;
    Clock m_clock;
};
