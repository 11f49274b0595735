#include "testsupport.h"

#include "base/errorlog.h"
#include "base/inidocument.h"
#include "base/programfolder.h"
#include "base/textcodec.h"
#include "gui/mainwindow/mainwindow.h"
#include "model/fieldtable.h"
#include "store/propertydatabase.h"
#include "store/propertytable.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {
QDateTime g_testNow;

void copyTree(const QString& from, const QString& to) {
    QDir().mkpath(to);
    const QDir source(from);
    for (const QString& name : source.entryList(QDir::Files))
        QFile::copy(source.filePath(name), to + QLatin1Char('/') + name);
}

QString money(qint64 amount) {
    QString digits = QString::number(qAbs(amount));
    for (int i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(','));
    return amount < 0 ? QStringLiteral("($%1)").arg(digits) : QStringLiteral("$%1").arg(digits);
}

// A display text of the kind each field holds.
QString displayText(const QString& field, int property, int cell) {
    const qint64 seed = qint64(property) * 7919 + cell * 104729 + field.size() * 31;
    if (field == QLatin1String("txtPropertyInformation"))
        return QStringLiteral("Maple Court Apartments %1").arg(property, 4, 10, QLatin1Char('0'));
    if (field == QLatin1String("txtAddress"))
        return QStringLiteral("%1 Maple Court, Springfield, IL 627%2")
            .arg(100 + property)
            .arg(property % 100, 2, 10, QLatin1Char('0'));
    if (field == QLatin1String("txtMiscNotes"))
        return QStringLiteral("Roof replaced in 2019; boiler serviced every autumn.~|Tenants on "
                              "yearly leases, two units turning over in June.~|Parking for %1 "
                              "cars behind the building.")
            .arg(8 + property % 20);
    if (field == QLatin1String("txtUnits") || field == QLatin1String("txtQISNumberOfUnits"))
        return QString::number(4 + property % 40);
    if (field.contains(QLatin1String("Rate")) || field.contains(QLatin1String("Increase")) ||
        field.contains(QLatin1String("Appreciation")) ||
        field.contains(QLatin1String("Percentage")) || field.contains(QLatin1String("Depreciate")))
        return QStringLiteral("%1.%2%").arg(seed % 12).arg(seed % 100, 2, 10, QLatin1Char('0'));
    if (field.contains(QLatin1String("Term")))
        return QStringLiteral("360");
    if (field.contains(QLatin1String("SquareFoot")))
        return QString::number(6000 + seed % 9000);
    const qint64 amount = (seed % 2000000) - (field.contains(QLatin1String("CF")) ? 300000 : 0);
    return money(amount);
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

QString TempProgramFolder::logPath() const {
    return ErrorLog::logPath();
}

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

QDateTime TestClock::now() {
    return g_testNow;
}

qint64 FailingDevice::writeData(const char* data, qint64 len) {
    const qint64 room = m_capacity - m_data.size();
    if (room <= 0)
        return -1;
    const qint64 n = qMin(room, len);
    m_data.append(data, int(n));
    return n;
}

SmallDisk::SmallDisk(qint64 size) {
    const QByteArray where = QFile::encodeName(m_dir.path());
    const QByteArray options = "size=" + QByteArray::number(size);
    m_mounted = ::mount("tmpfs", where.constData(), "tmpfs", 0, options.constData()) == 0;
}

SmallDisk::~SmallDisk() {
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

void SmallDisk::leaveFree(qint64 room) {
    struct statvfs fs;
    if (::statvfs(QFile::encodeName(m_dir.path()).constData(), &fs) != 0)
        return;
    const qint64 free = qint64(fs.f_bavail) * qint64(fs.f_frsize);
    QFile filler(m_dir.path() + QStringLiteral("/filler"));
    if (free > room && filler.open(QIODevice::WriteOnly | QIODevice::Append))
        filler.write(QByteArray(free - room, 'x'));
}

ReadOnlyFolder::ReadOnlyFolder() {
    if (::geteuid() == 0) {
        const QByteArray where = QFile::encodeName(m_dir.path());
        m_mounted = ::mount("tmpfs", where.constData(), "tmpfs", 0, "size=4m") == 0;
    }
}

ReadOnlyFolder::~ReadOnlyFolder() {
    if (m_mounted) {
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
        return;
    }
    // Writable again, so the temporary folder can be removed.
    QDirIterator it(m_dir.path(), QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    while (it.hasNext())
        QFile::setPermissions(it.next(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

bool ReadOnlyFolder::makeReadOnly() {
    if (::geteuid() == 0) {
        return m_mounted && ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs",
                                    MS_REMOUNT | MS_RDONLY, "size=4m") == 0;
    }
    QDirIterator it(m_dir.path(), QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ExeOwner;
    bool ok = QFile::setPermissions(m_dir.path(), readOnly);
    while (it.hasNext())
        ok = QFile::setPermissions(it.next(), readOnly) && ok;
    return ok;
}

void ResetPropertyTable() {
    g_sPropertyDatabaseReadOnly.clear();
    g_propertyTable.reset(0);
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

QByteArray SampleDatabaseBytes(int properties, int picturesEach) {
    IniDocument doc;
    for (int p = 1; p <= properties; ++p) {
        const int section = doc.ensureSection(PropertySectionName(p));
        for (const FieldSpec& field : StoredFields())
            doc.setValue(section, field.name, displayText(field.name, p, field.cells));
        for (int k = 1; k <= picturesEach; ++k)
            doc.setValue(section, QStringLiteral("g_sListOfImagesForProperty(%1)").arg(k),
                         ProgramPath(QStringLiteral("_data/_propertyImages/2024031%1T1015%2_%3.jpg")
                                         .arg(k)
                                         .arg(p % 60, 2, 10, QLatin1Char('0'))
                                         .arg(p)));
    }
    return doc.toBytes();
}

QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ShowPropertyStrip(MainWindow& window) {
    window.findChild<QWidget*>(QStringLiteral("frameHomeNavigation"))->hide();
    window.findChild<QWidget*>(QStringLiteral("frameNavigation"))->show();
}
