#pragma once

#include <QString>

#include <memory>

class QLockFile;

// One program writes a database at a time: each rewrites the whole file from its own memory,
// so a second window's save would drop what the first one added. The lock lives in the data
// folder for as long as the program runs; one left behind by a program that is gone (its
// process ended without unlocking) is taken over.
class DatabaseLock {
public:
    enum class State {
        Held,       // this program is the database's writer
        Elsewhere,  // another running program holds it
        Unavailable // no lock can be taken here (a folder that cannot be written)
    };

    DatabaseLock();
    ~DatabaseLock();
    // Takes the lock of the database at its current path.
    State acquire();
    QString path() const;

private:
    std::unique_ptr<QLockFile> m_lock;
};

// What the read-only box says when another window holds the database, and when the data folder
// cannot be written at all.
QString DatabaseOpenElsewhereText();
QString DataFolderReadOnlyText(const QString& folder);

// Whether a file can be created in the data folder (and in its "_data" folder when that is
// there): a folder that cannot be written makes the database read-only from the start.
bool DataFolderWritable();
