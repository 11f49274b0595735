#include "testsupport.h"

#include "app/errorlog.h"
#include "app/programfolder.h"
#include "app/textcodec.h"
#include "store/propertytable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

namespace {
QDateTime g_testNow;

void copyTree(const QString& from, const QString& to) {
    QDir().mkpath(to);
    const QDir source(from);
    for (const QString& name : source.entryList(QDir::Files))
        QFile::copy(source.filePath(name), to + QLatin1Char('/') + name);
}
} // namespace

TempProgramFolder::TempProgramFolder(bool withResources)
    : m_notices(std::make_shared<QStringList>()) {
    SetProgramFolder(m_dir.path());
    ErrorLog::reset();
    ErrorLog::setProgramFolder(m_dir.path());
    ErrorLog::setLogPath(m_dir.path() + QStringLiteral("/Quillbrook.Err"));
    auto notices = m_notices;
    ErrorLog::setNotifier([notices](const QString& title, const QString& text) {
        notices->append(title + QLatin1Char('|') + text);
    });
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path() + QStringLiteral("/config")));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       m_dir.path() + QStringLiteral("/config"));
    if (withResources) {
        // ctest says where the build is; a test started by hand runs from the build folder.
        QString build = qEnvironmentVariable("QB_BUILD_DIR");
        if (build.isEmpty())
            build = QCoreApplication::applicationDirPath();
        copyTree(build + QStringLiteral("/_images"), m_dir.path() + QStringLiteral("/_images"));
        copyTree(build + QStringLiteral("/_reference"),
                 m_dir.path() + QStringLiteral("/_reference"));
    }
}

TempProgramFolder::~TempProgramFolder() {
    SetProgramFolder(QString());
    ErrorLog::reset();
}

QString TempProgramFolder::file(const QString& relative) const {
    return m_dir.path() + QLatin1Char('/') + relative;
}

QString TempProgramFolder::logPath() const { return ErrorLog::logPath(); }

QStringList TempProgramFolder::logLines() const {
    QFile f(logPath());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = DecodeText(f.readAll()).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void TestClock::set(const QDateTime& when) {
    g_testNow = when;
    ErrorLog::setClock(&TestClock::now);
}

QDateTime TestClock::now() { return g_testNow; }

qint64 FailingDevice::writeData(const char* data, qint64 len) {
    const qint64 room = m_capacity - m_data.size();
    if (room <= 0)
        return -1;
    const qint64 n = qMin(room, len);
    m_data.append(data, int(n));
    return n;
}

void ResetPropertyTable() {
    PropertyTable.reset(0);
    g_lPropertyCount = 0;
    g_lCurrentProperty = 0;
}

QString ReadAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return DecodeText(f.readAll());
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}
