#include "gui/dialogs/widgetfilepicker.h"

#include <QFileDialog>

std::optional<QString> WidgetFilePicker::openFile(const FilePickerRequest& request) {
    QFileDialog dialog(m_parent, request.title);
    dialog.setObjectName(QStringLiteral("dlgAddFile"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(NameFilters(request.filters));
    if (!request.folder.isEmpty())
        dialog.setDirectory(request.folder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}
