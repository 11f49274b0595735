#include "base/safefile.h"

namespace {
std::function<bool(const QString&)> g_fault;
} // namespace

void SetSafeFileFault(std::function<bool(const QString& path)> fails) {
    g_fault = std::move(fails);
}

SafeFile::SafeFile(const QString& path) : m_file(path) {}

SafeFile::~SafeFile() {
    if (m_opened && !m_done)
        m_file.cancelWriting();
}

bool SafeFile::fail(QFileDevice::FileError error, const QString& text) {
    if (m_error == QFileDevice::NoError) {
        m_error = error == QFileDevice::NoError ? QFileDevice::WriteError : error;
        m_errorString = text.isEmpty() ? QStringLiteral("Write failed") : text;
    }
    return false;
}

bool SafeFile::open() {
    if (m_opened || m_done)
        return ok();
    m_opened = true;
    if (!m_file.open(QIODevice::WriteOnly))
        return fail(m_file.error(), m_file.errorString());
    return true;
}

QIODevice& SafeFile::device() {
    open();
    return m_file;
}

bool SafeFile::write(QByteArrayView bytes) {
    if (!open())
        return false;
    QString text;
    if (!WriteAllBytes(m_file, bytes, &text))
        return fail(m_file.error(), text);
    return true;
}

bool SafeFile::finish() {
    if (!open() || m_done)
        return ok() && !m_done;
    // A device that refused a write along the way (a caller writing through device()) says so
    // here, and the buffer's last bytes must reach the disk before anything is renamed.
    const bool full = g_fault && g_fault(m_file.fileName());
    if (full || m_file.error() != QFileDevice::NoError || !m_file.flush() ||
        m_file.error() != QFileDevice::NoError) {
        fail(m_file.error(),
             QStringLiteral("not every byte reached the disk, which may be full (") +
                 m_file.errorString() + QStringLiteral("): ") + m_file.fileName());
        cancel();
        return false;
    }
    if (!ok()) {
        cancel();
        return false;
    }
    return true;
}

bool SafeFile::commit() {
    if (!finish())
        return false;
    m_done = true;
    if (!m_file.commit())
        return fail(m_file.error(), m_file.errorString());
    return true;
}

void SafeFile::cancel() {
    if (m_opened && !m_done)
        m_file.cancelWriting();
    m_done = true;
    if (ok())
        fail(QFileDevice::AbortError, QStringLiteral("Write cancelled"));
}

bool SafeFile::setPermissions(QFileDevice::Permissions permissions) {
    return open() && m_file.setPermissions(permissions);
}

bool SaveFileBytes(const QString& path, QByteArrayView bytes, QString* errorText,
                   QFileDevice::FileError* error) {
    SafeFile file(path);
    const bool saved = file.write(bytes) && file.commit();
    if (!saved) {
        if (errorText)
            *errorText = file.errorString();
        if (error)
            *error = file.error();
    }
    return saved;
}

bool WriteAllBytes(QIODevice& device, QByteArrayView bytes, QString* errorText) {
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = device.write(bytes.data() + done, bytes.size() - done);
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
