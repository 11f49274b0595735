#pragma once

#include "gui/dialogs/exportdestination.h"

#include <QObject>
#include <QString>
#include <memory>

class FilePicker;
class PrintAnalysisHost;
class QAction;
class QMenu;
class QPagedPaintDevice;
class QPrinter;
class QTextDocument;
class ReportCanvas;
class ReturnsChart;

// Page breaks for a document laid out on pages: a heading the layout leaves at the foot of a
// page, and a table that fits on a page but is split across two, start the next page, a table
// right under its heading together with it.
void KeepSectionsTogether(QTextDocument& document);
// The closing rule, logo and notice share the last page with the end of the last section.
void KeepClosingWithContent(QTextDocument& document);

// The analysis page on paper: Tools › "Export Analysis as PDF..." and "Print Analysis...".
// Both lay out the same page the browser report shows, with the three outlook charts drawn
// afresh at the paper's resolution, followed by the investment returns on a page of their own,
// and leave the user on the view they were on.
class PaperAnalysisCommand : public QObject {
    Q_OBJECT
public:
    // Adds both entries to the Tools menu; they run only while a property is open.
    PaperAnalysisCommand(PrintAnalysisHost& host, QMenu* tools, QObject* parent);
    ~PaperAnalysisCommand() override;

    // nullptr puts back the file dialog.
    void setFilePicker(FilePicker* picker) { m_export.setFilePicker(picker); }

    void updateEntries();
    void exportPdf();
    void print();

    // Lays the open property's page out on `device` (its pages, page size and resolution
    // set); false when nothing could be drawn.
    bool render(QPagedPaintDevice* device);
    // Prints on a printer the dialog has set up; a print that did not happen is a message.
    bool printOn(QPrinter& printer);
    // The open property's pages, laid out on pages of the paper's shape (height over width),
    // the charts drawn at `chartScale` times the page's pixels.
    std::unique_ptr<QTextDocument> layOut(qreal shape, qreal chartScale);

private:
    std::unique_ptr<QTextDocument> buildDocument(qreal chartScale);

    PrintAnalysisHost& m_host;
    QAction* m_exportEntry = nullptr;
    QAction* m_printEntry = nullptr;
    ReportCanvas* m_canvas = nullptr;
    std::unique_ptr<ReturnsChart> m_returnsChart; // drawn off screen for the returns section
    ExportDestination m_export{QStringLiteral("Export Analysis as PDF"),
                               QStringLiteral("PDF Files"), QStringLiteral("pdf"),
                               QStringLiteral("Analysis"), QStringLiteral("analysis")};
};
