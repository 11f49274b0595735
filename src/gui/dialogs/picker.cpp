#include "gui/dialogs/picker.h"

#include <QRegularExpression>

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
