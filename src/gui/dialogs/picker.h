#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <optional>

#include <QWidget>

// One "open a file" question: the dialog's title and its filters, each a description and
// its patterns, in the order the user sees them.
struct FilePickerFilter {
    QString description;
    QStringList patterns; // "*.JPG", "*.*"
};

struct FilePickerRequest {
    QString title;
    QList<FilePickerFilter> filters;
};

// The filters as the file dialog takes them: "Description (*.a *.b)". A description that
// already names its patterns in brackets gets them in the dialog's spelling, and "*.*"
// becomes "*", so that "All Files" also lists files without a dot in their name.
QStringList NameFilters(const QList<FilePickerFilter>& filters);

// Choosing a file goes through this interface: the running program shows the file dialog,
// tests answer from a script.
class FilePicker {
public:
    virtual ~FilePicker() = default;
    // The chosen file's full path; nothing when the user cancelled.
    virtual std::optional<QString> openFile(const FilePickerRequest& request) = 0;
};

// The running program: the platform's modal file-open dialog.
class WidgetFilePicker : public FilePicker {
public:
    explicit WidgetFilePicker(QWidget* parent) : m_parent(parent) {}
    std::optional<QString> openFile(const FilePickerRequest& request) override;

private:
    QPointer<QWidget> m_parent;
};

// Tests: records every request and answers with the files queued in advance; a request with
// nothing queued is cancelled.
class ScriptedFilePicker : public FilePicker {
public:
    std::optional<QString> openFile(const FilePickerRequest& request) override;

    void setNextFile(const QString& path) { m_answers.append(path); }
    void setNextCancelled() { m_answers.append(std::nullopt); }
    const QList<FilePickerRequest>& requests() const { return m_requests; }

private:
    QList<std::optional<QString>> m_answers;
    QList<FilePickerRequest> m_requests;
};
