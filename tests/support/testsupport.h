#pragma once

#include <QDateTime>
#include <QIODevice>
#include <QString>
#include <QTemporaryDir>
#include <memory>

// A throw-away program folder: the error log, the settings store and the program folder all
// point into it for the life of the object.
class TempProgramFolder {
public:
    // withResources: copy _images and _reference from the build beside it.
    explicit TempProgramFolder(bool withResources = false);
    ~TempProgramFolder();
    QString path() const { return m_dir.path(); }
    QString file(const QString& relative) const;
    QString logPath() const;
    QStringList logLines() const;
    // The notices the log would have shown in a message box.
    const QStringList& logNotices() const { return *m_notices; }

private:
    QTemporaryDir m_dir;
    std::shared_ptr<QStringList> m_notices;
};

// A clock that tests set; installed into the error log.
class TestClock {
public:
    static void set(const QDateTime& when);
    static QDateTime now();
};

// A device that accepts N bytes and then fails, as a full disk would.
class FailingDevice : public QIODevice {
public:
    explicit FailingDevice(qint64 capacity) : m_capacity(capacity) {}
    QByteArray data() const { return m_data; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 len) override;

private:
    qint64 m_capacity;
    QByteArray m_data;
};

// A real file system with little room: a tmpfs of the given size mounted on a temporary
// folder, which only root may do (mounted() says whether it worked). Unmounted at the end.
class SmallDisk {
public:
    explicit SmallDisk(qint64 size);
    ~SmallDisk();
    bool mounted() const { return m_mounted; }
    QString path() const { return m_dir.path(); }
    // Fills the disk with a file until only about `room` bytes are left free.
    void leaveFree(qint64 room);

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

// A folder the program cannot write once makeReadOnly() says so: as root (whom permission bits
// do not stop) a small tmpfs remounted read-only, otherwise the permission bits.
class ReadOnlyFolder {
public:
    ReadOnlyFolder();
    ~ReadOnlyFolder();
    QString path() const { return m_dir.path(); }
    // False when it cannot be done here (root without the right to mount).
    bool makeReadOnly();

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

class MainWindow;

// What opening a property does to the strips: the view links replace the home page's banner.
void ShowPropertyStrip(MainWindow& window);

// An empty database in memory: no rows, nothing open.
void ResetPropertyTable();

QString ReadAll(const QString& path);
QByteArray ReadBytes(const QString& path); // empty when missing
void WriteFile(const QString& path, const QByteArray& bytes);

// A database of that many properties, every stored field filled with a display text of the
// kind it holds and picturesEach picture keys below the program folder.
QByteArray SampleDatabaseBytes(int properties, int picturesEach = 5);
