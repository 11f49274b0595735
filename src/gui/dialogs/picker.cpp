#include "gui/dialogs/picker.h"

#include <QFileDialog>
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

std::optional<QString> WidgetFilePicker::openFile(const FilePickerRequest& request) {
    QFileDialog dialog(m_parent, request.title);
    dialog.setObjectName(QStringLiteral("dlgAddFile"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(NameFilters(request.filters));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> ScriptedFilePicker::openFile(const FilePickerRequest& request) {
    m_requests.append(request);
    if (m_answers.isEmpty())
        return std::nullopt;
    return m_answers.takeFirst();
}
