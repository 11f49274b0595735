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
    QString folder; // where the dialog opens; empty leaves it to the dialog
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
    // The full path of the file to write, the user having agreed to replace one that exists;
    // nothing when the user cancelled.
    virtual std::optional<QString> saveFile(const FilePickerRequest& request) = 0;
};
