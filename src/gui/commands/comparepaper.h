#pragma once

#include "gui/dialogs/exportdestination.h"

#include <QObject>
#include <functional>
#include <memory>

class CompareView;
class FilePicker;
class Prompts;
class QPagedPaintDevice;
class QPrinter;
class QTextDocument;

// The comparison on paper: its "Export PDF..." and "Print..." put the table as shown, with the
// best value of each result marked, and the chart of the rates under it on a landscape page.
class ComparePaperCommand : public QObject {
    Q_OBJECT
public:
    ComparePaperCommand(CompareView& view, std::function<Prompts&()> prompts, QObject* parent);
    ~ComparePaperCommand() override;

    // nullptr puts back the file dialog.
    void setFilePicker(FilePicker* picker) { m_export.setFilePicker(picker); }

    // The page as a document laid out kPageWidth pixels wide.
    std::unique_ptr<QTextDocument> document() const;
    // Lays the comparison out on the device; false when there was nothing to draw.
    bool render(QPagedPaintDevice* device) const;
    void exportPdf();
    void print();
    // Prints on a printer the dialog has set up; a print that did not happen is a message.
    bool printOn(QPrinter& printer);

private:
    CompareView& m_view;
    std::function<Prompts&()> m_prompts;
    ExportDestination m_export{QStringLiteral("Export Comparison as PDF"),
                               QStringLiteral("PDF Files"), QStringLiteral("pdf"),
                               QStringLiteral("Comparison"), QStringLiteral("comparison")};
};
