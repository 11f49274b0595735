#include "gui/dialogs/scriptedfilepicker.h"

std::optional<QString> ScriptedFilePicker::openFile(const FilePickerRequest& request) {
    m_requests.append(request);
    if (m_answers.isEmpty())
        return std::nullopt;
    return m_answers.takeFirst();
}
