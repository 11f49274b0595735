#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

class FilePicker;
class Prompts;
class QWidget;

// Where an export goes: the save dialog offering "<property> - <what>.<suffix>" in the folder
// the last export of this kind went to, and the write through the safe writer. A file that
// cannot be written is a message naming it, never a silent success.
class ExportDestination {
public:
    // `title` names the dialog and the message, `filter` the file type ("CSV Files"), `what`
    // the export in the file name ("Returns") and `contents` it in the message ("table").
    ExportDestination(QString title, QString filter, QString suffix, QString what,
                      QString contents);
    ~ExportDestination();

    // nullptr puts back the file dialog, shown over `dialogParent`'s window.
    void setFilePicker(FilePicker* picker) { m_picker = picker; }

    // Asks for the file and writes what `bytes` makes (only once a file was chosen). False when
    // the user cancelled or the write failed.
    bool write(QWidget* dialogParent, const QString& propertyName,
               const std::function<QByteArray()>& bytes, Prompts* prompts);

private:
    QString m_title, m_filter, m_suffix, m_what, m_contents;
    FilePicker* m_picker = nullptr;
    std::unique_ptr<FilePicker> m_ownPicker;
    QString m_lastFolder; // where the last export went, where the next one is offered
};
