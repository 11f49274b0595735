#pragma once

#include <QByteArrayView>
#include <QFileDevice>
#include <QSaveFile>
#include <QString>

#include <functional>

// A file replaced whole: the new bytes go to a temporary beside it, which commit() renames
// into place, so the file is always either the old one or the complete new one.
//
// Every write is checked, and the bytes still in the buffer are flushed and checked before
// the rename: QSaveFile::commit() does not report a final flush that fails (a full disk), and
// would put a cut file in place of a good one.
class SafeFile {
public:
    explicit SafeFile(const QString& path);
    ~SafeFile();

    // The temporary, opened for writing on first use; a failure shows in ok().
    QIODevice& device();
    bool write(QByteArrayView bytes);
    // Everything written so far is on the disk; false (and the temporary dropped) otherwise.
    bool finish();
    // finish(), then the rename; false leaves the old file as it was.
    bool commit();
    // Drops the temporary; the old file stays.
    void cancel();
    // The permissions the file has once committed (by default those of the file it replaces).
    bool setPermissions(QFileDevice::Permissions permissions);

    bool ok() const { return m_error == QFileDevice::NoError; }
    QFileDevice::FileError error() const { return m_error; }
    QString errorString() const { return m_errorString; }

private:
    bool open();
    bool fail(QFileDevice::FileError error, const QString& text);

    QSaveFile m_file;
    QFileDevice::FileError m_error = QFileDevice::NoError;
    QString m_errorString;
    bool m_opened = false;
    bool m_done = false;
};

// Tests only: a full disk without the right to mount a small one. While set, every SafeFile
// whose path it returns true for fails its last flush the way a full disk does. Empty restores.
void SetSafeFileFault(std::function<bool(const QString& path)> fails);

// Writes the bytes to path through SafeFile: true when the file now holds them all; false
// with the reason (and the QFileDevice error, when asked) when it is as it was before.
bool SaveFileBytes(const QString& path, QByteArrayView bytes, QString* errorText = nullptr,
                   QFileDevice::FileError* error = nullptr);

// Writes every byte to the device, as many calls as it takes; false with the reason when the
// device takes less than all.
bool WriteAllBytes(QIODevice& device, QByteArrayView bytes, QString* errorText = nullptr);
