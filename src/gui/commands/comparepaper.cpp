#include "gui/commands/comparepaper.h"

#include "gui/dialogs/prompts.h"
#include "gui/views/comparemodel.h"
#include "gui/views/compareview.h"
#include "gui/widgets/comparechart.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QUrl>

namespace {

// Laid out as wide as a window shows it, then scaled to the paper.
constexpr qreal kPageWidth = 1000;
const QSize kChartSize(900, 240);
const QString kChartName = QStringLiteral("compare-chart.png");

} // namespace

ComparePaperCommand::ComparePaperCommand(CompareView& view, std::function<Prompts&()> prompts,
                                         QObject* parent)
    : QObject(parent), m_view(view), m_prompts(std::move(prompts)) {
    connect(&view, &CompareView::pdfRequested, this, &ComparePaperCommand::exportPdf);
    connect(&view, &CompareView::printRequested, this, &ComparePaperCommand::print);
}

ComparePaperCommand::~ComparePaperCommand() = default;

std::unique_ptr<QTextDocument> ComparePaperCommand::document() const {
    const CompareModel& model = *m_view.model();
    QString html = QStringLiteral("<html><body><h2 align=\"center\">Side by Side: %1 "
                                  "Properties</h2><table border=\"1\" cellspacing=\"0\" "
                                  "cellpadding=\"4\" width=\"100%\"><tr><th></th>")
                       .arg(model.columnCount());
    for (const CompareColumn& c : model.columns())
        html += QStringLiteral("<th>%1</th>").arg(c.name.toHtmlEscaped());
    html += QStringLiteral("</tr>");
    for (int r = 0; r < model.rowCount(); ++r) {
        const QString caption = model.captions().at(r).toHtmlEscaped();
        if (model.kind(r) == CompareModel::Kind::Heading) {
            html += QStringLiteral("<tr><td colspan=\"%1\" bgcolor=\"#ececec\"><b>%2</b></td></tr>")
                        .arg(model.columnCount() + 1)
                        .arg(caption);
            continue;
        }
        html += QStringLiteral("<tr><td>%1</td>").arg(caption);
        for (int c = 0; c < model.columnCount(); ++c) {
            const QString text = model.text(r, c).toHtmlEscaped();
            html += model.isBest(r, c)
                        ? QStringLiteral("<td align=\"right\" bgcolor=\"#d6f0d6\"><b>%1</b></td>")
                              .arg(text)
                        : QStringLiteral("<td align=\"right\">%1</td>").arg(text);
        }
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table><p>Shaded: the best value of each result among the "
                           "properties compared.</p><p align=\"center\"><img src=\"%1\"></p>"
                           "</body></html>")
                .arg(kChartName);

    auto doc = std::make_unique<QTextDocument>();
    QFont text(QStringLiteral("sans-serif"));
    text.setPixelSize(13);
    doc->setDefaultFont(text);
    doc->addResource(QTextDocument::ImageResource, QUrl(kChartName),
                     m_view.chart()->image(kChartSize));
    doc->setHtml(html);
    doc->setTextWidth(kPageWidth);
    return doc;
}

bool ComparePaperCommand::render(QPagedPaintDevice* device) const {
    if (device->width() <= 0 || device->height() <= 0 || m_view.model()->columnCount() == 0)
        return false;
    std::unique_ptr<QTextDocument> doc = document();
    doc->setPageSize(QSizeF(kPageWidth, kPageWidth * device->height() / device->width()));
    doc->print(device);
    return true;
}

void ComparePaperCommand::exportPdf() {
    m_export.write(
        &m_view, QStringLiteral("Portfolio"),
        [this] {
            QBuffer bytes;
            bytes.open(QIODevice::WriteOnly);
            {
                QPdfWriter writer(&bytes);
                writer.setResolution(300);
                writer.setPageSize(QPageSize(QPageSize::Letter));
                writer.setPageOrientation(QPageLayout::Landscape);
                writer.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
                writer.setTitle(QStringLiteral("Side by Side Comparison"));
                writer.setCreator(QStringLiteral("Quillbrook"));
                render(&writer);
            }
            return bytes.data();
        },
        &m_prompts());
}

void ComparePaperCommand::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Side by Side Comparison"));
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, m_view.window());
    dialog.setWindowTitle(QStringLiteral("Print Comparison"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    printOn(printer);
}

bool ComparePaperCommand::printOn(QPrinter& printer) {
    const QString file = printer.outputFileName();
    const bool printed = render(&printer) && printer.printerState() != QPrinter::Error &&
                         (file.isEmpty() || QFileInfo(file).size() > 0);
    if (!printed) {
        PromptMessage m;
        m.title = QStringLiteral("Print Comparison");
        m.text = file.isEmpty() ? QStringLiteral("The comparison could not be printed.")
                                : QStringLiteral("The comparison could not be printed to %1.")
                                      .arg(QDir::toNativeSeparators(file));
        m.icon = PromptIcon::Warning;
        m.buttons = PromptButtons::Ok;
        m_prompts().message(m);
    }
    return printed;
}
