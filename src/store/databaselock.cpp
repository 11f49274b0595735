#include "store/databaselock.h"

#include "base/programfolder.h"
#include "store/propertydatabase.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryFile>

DatabaseLock::DatabaseLock() = default;

DatabaseLock::~DatabaseLock() = default;

QString DatabaseLock::path() const {
    return PropertyDatabasePath() + QStringLiteral(".lock");
}

DatabaseLock::State DatabaseLock::acquire() {
    m_lock = std::make_unique<QLockFile>(path());
    // Held for the whole run, so never stale by age: only a lock whose process is gone is.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(100))
        return State::Held;
    return m_lock->error() == QLockFile::LockFailedError ? State::Elsewhere : State::Unavailable;
}

QString DatabaseOpenElsewhereText() {
    return QStringLiteral("This database is open in another Quillbrook window, so it is open "
                          "read-only here: nothing can be saved to it or removed from it.\r\n\r\n"
                          "To make changes, close this window and work in the other one.");
}

QString DataFolderReadOnlyText(const QString& folder) {
    return QStringLiteral("The data folder\r\n\r\n   ") + QDir::toNativeSeparators(folder) +
           QStringLiteral("\r\n\r\ncannot be written; the database opens read-only: you can "
                          "look at every property, but nothing can be saved or removed.");
}

namespace {
bool canCreateFileIn(const QString& folder) {
    QTemporaryFile probe(folder + QStringLiteral("/.quillbrook-write-test-XXXXXX"));
    return probe.open();
}
} // namespace

bool DataFolderWritable() {
    const QString folder = ProgramFolder();
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder))
        return false;
    if (!canCreateFileIn(folder))
        return false;
    const QString data = ProgramPath(QStringLiteral("_data"));
    return !QFileInfo(data).isDir() || canCreateFileIn(data);
}
