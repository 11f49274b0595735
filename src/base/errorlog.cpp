#include "base/errorlog.h"

#include "base/errortrap.h"
#include "base/programfolder.h"
#include "base/safefile.h"
#include "base/textcodec.h"
#include "base/version.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

namespace {

struct LogConfig {
    QString path;
    QString folder;
    ErrorLog::Notifier notifier;
    ErrorLog::Clock clock;
};

LogConfig& config() {
    static LogConfig c;
    return c;
}

QDateTime now() {
    return config().clock ? config().clock() : QDateTime::currentDateTime();
}

void notifyFailure(int number) {
    const QString title = ProgramTitle() + QStringLiteral("- critical error!");
    const QString text =
        QStringLiteral("There was an error writing to the error log-->#") + QString::number(number);
    if (config().notifier)
        config().notifier(title, text);
    else
        qWarning("%s %s", qPrintable(title), qPrintable(text));
}

int fileErrorNumber(QFileDevice::FileError error) {
    switch (error) {
    case QFileDevice::PermissionsError:
        return 70;
    case QFileDevice::WriteError:
        return 61;
    case QFileDevice::ResourceError:
        return 61;
    default:
        return 75;
    }
}

QString quoted(const QString& field) {
    return QLatin1Char('"') + field + QLatin1Char('"');
}

} // namespace

void ErrorLog::setLogPath(const QString& path) {
    config().path = path;
}

QString ErrorLog::logPath() {
    if (!config().path.isEmpty())
        return config().path;
    const QString base = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return JoinProgramPath(programFolder(), base + QStringLiteral(".Err"));
}

void ErrorLog::setProgramFolder(const QString& folder) {
    config().folder = folder;
}

QString ErrorLog::programFolder() {
    return config().folder.isEmpty() ? ProgramFolder() : config().folder;
}

void ErrorLog::setNotifier(Notifier notifier) {
    config().notifier = std::move(notifier);
}
void ErrorLog::setClock(Clock clock) {
    config().clock = std::move(clock);
}
void ErrorLog::reset() {
    config() = LogConfig();
}

QString ErrorLog::dateTimeText(const QDateTime& when) {
    return QLocale(QLocale::English, QLocale::UnitedStates)
        .toString(when, QStringLiteral("M/d/yyyy h:mm:ss AP"));
}

void LogError(const QString& number, const QString& description, const QString& location) {
    bool ok = false;
    const double value = number.trimmed().toDouble(&ok);
    if (!ok) {
        notifyFailure(13);
        return;
    }
    const long long n = qRound64(value);
    if (n == 6 || n == 9 || n == 11 || n == 381)
        return;

    const QString record = QStringList{quoted(ErrorLog::dateTimeText(now())),
                                       quoted(number),
                                       quoted(description),
                                       quoted(location),
                                       quoted(QStringLiteral("v") + VersionText()),
                                       quoted(ErrorLog::programFolder())}
                               .join(QLatin1Char(','));
    const QString entry = ErrorLog::dateTimeText(now()) +
                          QStringLiteral(", ** no control currently active **, ") + record +
                          QStringLiteral(", ");

    const QString path = ErrorLog::logPath();
    QStringList kept;
    QFile existing(path);
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly)) {
            notifyFailure(fileErrorNumber(existing.error()));
            return;
        }
        const QString text = DecodeText(existing.readAll());
        existing.close();
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (int i = 0; i < lines.size() && i < ErrorLog::kMaxLines - 1; ++i) {
            QString line = lines.at(i);
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            if (i == lines.size() - 1 && line.isEmpty())
                break; // the text after the final line break
            kept.append(line);
        }
    }

    QString out = entry + QStringLiteral("\r\n");
    for (const QString& line : qAsConst(kept)) {
        if (!line.trimmed().isEmpty())
            out += line + QStringLiteral("\r\n");
    }

    // Written whole and renamed into place, so a full disk never leaves half a log.
    QFileDevice::FileError error = QFileDevice::NoError;
    if (!SaveFileBytes(path, EncodeText(out), nullptr, &error))
        notifyFailure(fileErrorNumber(error));
}
