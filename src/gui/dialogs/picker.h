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
    QString folder;   // where the dialog opens; empty leaves it to the dialog
    QString fileName; // the name a save dialog proposes; empty for none
    // Added by a save dialog to a name typed without a suffix, before it asks about replacing
    // an existing file; empty for none.
    QString defaultSuffix;
    QList<FilePickerFilter> filters;
};

// The filters as the file dialog takes them: "Description (*.a *.b)". A description that
// already names its patterns in brackets gets them in the dialog's spelling, and "*.*"
// becomes "*", so that "All Files" also lists files without a dot in their name.
QStringList NameFilters(const QList<FilePickerFilter>& filters);

// The name proposed for an export of the property called `propertyName`:
// "Maple Court - Returns.csv", without the characters file systems refuse and, for a long
// name, cut short to the 255 bytes a file name may hold.
QString ExportFileName(const QString& propertyName, const QString& what, const QString& suffix);

class FilePicker;
// Asks where to write an export. The dialog opens in `lastFolder`, or in the user's Documents
// (or home) folder while that is empty, not wherever the program happened to be started, proposing
// `request.fileName`; a chosen name without a suffix gets `suffix`. The chosen file's folder
// becomes `lastFolder`.
std::optional<QString> ChooseExportFile(FilePicker& picker, FilePickerRequest request,
                                        const QString& suffix, QString& lastFolder);

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
