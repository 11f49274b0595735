#pragma once

#include "gui/dialogs/picker.h"

#include <QList>

// Tests: records every request and answers with the files queued in advance; a request with
// nothing queued is cancelled.
class ScriptedFilePicker : public FilePicker {
public:
    std::optional<QString> openFile(const FilePickerRequest& request) override;
    // Answered from the same queue as openFile.
    std::optional<QString> saveFile(const FilePickerRequest& request) override {
        return openFile(request);
    }

    void setNextFile(const QString& path) { m_answers.append(path); }
    void setNextCancelled() { m_answers.append(std::nullopt); }
    const QList<FilePickerRequest>& requests() const { return m_requests; }

private:
    QList<std::optional<QString>> m_answers;
    QList<FilePickerRequest> m_requests;
};
