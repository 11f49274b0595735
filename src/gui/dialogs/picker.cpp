#include "gui/dialogs/picker.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

QStringList NameFilters(const QList<FilePickerFilter>& filters) {
    QStringList result;
    for (const FilePickerFilter& filter : filters) {
        QStringList patterns;
        for (const QString& pattern : filter.patterns)
            patterns.append(pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
        QString description = filter.description.trimmed();
        // "JPEG (*.JPG;*.JPEG)": the dialog reads the patterns from the last brackets, so the
        // description's own list is replaced rather than followed by a second one.
        static const QRegularExpression ownList(QStringLiteral("\\s*\\([^()]*\\)$"));
        description.remove(ownList);
        result.append(description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                      QLatin1Char(')'));
    }
    return result;
}

QString ExportFileName(const QString& propertyName, const QString& what, const QString& suffix) {
    static const QRegularExpression refused(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]"));
    QString name = QString(propertyName).replace(refused, QStringLiteral("-")).simplified();
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1); // no hidden file
    const QString tail = QStringLiteral(" - ") + what + QLatin1Char('.') + suffix;
    // A longer name is one no file can have: the file dialog would not even take it.
    constexpr int kMostBytes = 255;
    name.truncate(kMostBytes);
    while (!name.isEmpty() && (name + tail).toUtf8().size() > kMostBytes)
        name.chop(name.size() > 1 && name.back().isLowSurrogate() ? 2 : 1);
    name = name.trimmed();
    return name.isEmpty() ? what + QLatin1Char('.') + suffix : name + tail;
}

std::optional<QString> ChooseExportFile(FilePicker& picker, FilePickerRequest request,
                                        const QString& suffix, QString& lastFolder) {
    request.folder = lastFolder;
    // The dialog adds the suffix itself, so that it asks about replacing the file that will
    // really be written.
    request.defaultSuffix = suffix;
    if (request.folder.isEmpty()) {
        // Without a Documents folder the dialog would fall back to the working folder.
        request.folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (!QFileInfo(request.folder).isDir())
            request.folder = QDir::homePath();
    }
    const std::optional<QString> chosen = picker.saveFile(request);
    if (!chosen || chosen->isEmpty())
        return std::nullopt;
    QString path = *chosen;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + suffix;
    lastFolder = QFileInfo(path).absolutePath();
    return path;
}
