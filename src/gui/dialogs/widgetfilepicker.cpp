#include "gui/dialogs/widgetfilepicker.h"

#include <QFileDialog>

namespace {

std::optional<QString> ask(QWidget* parent, const FilePickerRequest& request, bool save) {
    QFileDialog dialog(parent, request.title);
    dialog.setObjectName(save ? QStringLiteral("dlgSaveFile") : QStringLiteral("dlgAddFile"));
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setNameFilters(NameFilters(request.filters));
    if (!request.folder.isEmpty())
        dialog.setDirectory(request.folder);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

std::optional<QString> WidgetFilePicker::openFile(const FilePickerRequest& request) {
    return ask(m_parent, request, false);
}

std::optional<QString> WidgetFilePicker::saveFile(const FilePickerRequest& request) {
    return ask(m_parent, request, true);
}
