#pragma once

#include "gui/dialogs/picker.h"

#include <QPointer>
#include <QWidget>

// The running program: the platform's modal file dialogs.
class WidgetFilePicker : public FilePicker {
public:
    explicit WidgetFilePicker(QWidget* parent) : m_parent(parent) {}
    std::optional<QString> openFile(const FilePickerRequest& request) override;
    std::optional<QString> saveFile(const FilePickerRequest& request) override;

private:
    QPointer<QWidget> m_parent;
};
