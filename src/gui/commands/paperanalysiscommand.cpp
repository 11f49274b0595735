#include "gui/commands/paperanalysiscommand.h"

#include "base/programfolder.h"
#include "base/textcodec.h"
#include "gui/commands/printanalysiscommand.h"
#include "gui/commands/reportcommand.h"
#include "gui/commands/returnspaper.h"
#include "gui/dialogs/prompts.h"
#include "gui/widgets/returnschart.h"
#include "gui/widgets/twips.h"
#include "model/form.h"
#include "report/analysisreport.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <QUrl>
#include <QWidget>
#include <algorithm>

namespace {

// The size the page gives each outlook chart, in the page's pixels. The chart is laid out at
// its bitmap's own size and stretched into that, as the browser shows the bitmap.
const QSize kChartSize(589, 301);
// The page is laid out as wide as a browser window shows it, then scaled to the paper, so its
// tables keep their proportions.
constexpr qreal kPageWidth = 960;
// Finer than this gains nothing on paper and only costs memory.
constexpr qreal kMaxChartScale = 6;

// The analysis page whose chart images are the ones drawn for paper rather than the screen
// bitmaps the browser page links to.
class AnalysisDocument : public QTextDocument {
public:
    AnalysisDocument(const QString& folder, const QList<QImage>& charts)
        : m_folder(folder), m_charts(charts) {}

protected:
    QVariant loadResource(int type, const QUrl& name) override {
        if (type == QTextDocument::ImageResource && name.isLocalFile()) {
            const QString path = QDir::cleanPath(name.toLocalFile());
            for (int k = 0; k < m_charts.size(); ++k) {
                if (path == QDir::cleanPath(ReportChartPath(m_folder, k + 1)))
                    return m_charts.at(k);
            }
        }
        return QTextDocument::loadResource(type, name);
    }

private:
    QString m_folder;
    QList<QImage> m_charts;
};

// The text layout gives a percentage column next to fixed ones only a sliver of the table (the
// mortgage labels would break every few letters); there the fixed columns share what the
// percentages leave, as a browser lays them out.
void LetPercentagesLead(QTextFrame* frame) {
    for (QTextFrame* child : frame->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(child)) {
            QTextTableFormat format = table->format();
            QList<QTextLength> columns = format.columnWidthConstraints();
            const auto isPercent = [](const QTextLength& l) {
                return l.type() == QTextLength::PercentageLength;
            };
            if (std::any_of(columns.begin(), columns.end(), isPercent)) {
                qreal percent = 0;
                for (QTextLength& column : columns) {
                    if (column.type() == QTextLength::FixedLength)
                        column = QTextLength();
                    percent += isPercent(column) ? column.rawValue() : 0;
                }
                // Percentages that add up to less than the table are shares of all of it in a
                // browser; the text layout would shrink the table to their sum.
                if (percent > 0 && percent < 100 &&
                    std::all_of(columns.begin(), columns.end(), isPercent)) {
                    for (QTextLength& column : columns)
                        column = QTextLength(QTextLength::PercentageLength,
                                             column.rawValue() * 100 / percent);
                }
                format.setColumnWidthConstraints(columns);
                table->setFormat(format);
            }
        }
        LetPercentagesLead(child);
    }
}

// The page's style sheet as the text layout needs it to look as a browser shows the page:
// the page hides the sheet in a comment for old browsers, which the layout would take at its
// word, losing the headings' size and weight; and the layout knows only some of the size
// keywords, drawing "x-small" text and "medium" headings alike at its default size.
QString PaperStyleSheet(QString html) {
    const qsizetype start = html.indexOf(QLatin1String("<style"), 0, Qt::CaseInsensitive);
    const qsizetype end = html.indexOf(QLatin1String("</style>"), start, Qt::CaseInsensitive);
    if (start < 0 || end < 0)
        return html;
    QString sheet = html.mid(start, end - start);
    sheet.remove(QLatin1String("<!--")).remove(QLatin1String("-->"));
    // A browser's sizes for the keywords, in pixels.
    static const std::pair<const char*, const char*> sizes[] = {
        {"xx-small", "9px"}, {"x-small", "10px"}, {"small", "13px"},    {"medium", "16px"},
        {"large", "18px"},   {"x-large", "24px"}, {"xx-large", "32px"},
    };
    for (const auto& [keyword, pixels] : sizes) {
        const QRegularExpression size(
            QStringLiteral("font-size:\\s*%1\\b(?!-)").arg(QLatin1String(keyword)));
        sheet.replace(size, QStringLiteral("font-size: ") + QLatin1String(pixels));
    }
    return html.replace(start, end - start, sheet);
}

// A browser centres the text that follows the banner inside the page's centred title block;
// the text layout leaves every block after a nested table at the left.
void CentreTitle(QTextDocument& document) {
    QTextCursor title = document.find(QStringLiteral("Financial Analysis Summary Report for"));
    if (title.isNull())
        return;
    QTextBlockFormat format = title.blockFormat();
    format.setAlignment(Qt::AlignHCenter);
    title.setBlockFormat(format);
}

// A section's heading: a short centred line of bold text outside any table.
bool IsHeading(const QTextDocument& document, const QTextBlock& block) {
    const QString text = block.text().trimmed();
    return !text.isEmpty() && text.size() < 60 &&
           QTextCursor(block).currentFrame() == document.rootFrame() &&
           block.blockFormat().alignment().testFlag(Qt::AlignHCenter) &&
           block.charFormat().fontWeight() >= QFont::Bold &&
           !block.text().contains(QChar::ObjectReplacementCharacter);
}

// The page's "Property Images" heading over an empty table, for a property without pictures:
// on paper it would promise pictures that are not there.
void DropEmptyPictureSection(QString& html) {
    // The heading's own markup: user text on the page is escaped, so a name or an address
    // that says "Property Images" never carries the line break in front of it.
    const qsizetype heading = html.indexOf(QLatin1String("<br>Property Images </p>"));
    if (heading < 0)
        return;
    const qsizetype start = html.lastIndexOf(QLatin1String("<p"), heading, Qt::CaseInsensitive);
    const qsizetype end = html.indexOf(QLatin1String("</table>"), heading, Qt::CaseInsensitive);
    if (start < 0 || end < 0 ||
        html.mid(start, end - start).contains(QLatin1String("<img"), Qt::CaseInsensitive))
        return;
    html.remove(start, end + int(qstrlen("</table>")) - start);
}

// A figure as the page writes one: money, a percentage, a ratio or a multiple.
bool IsFigure(const QString& text) {
    static const QRegularExpression figure(
        QStringLiteral("^\\(?-?\\$?\\d[\\d,]*(\\.\\d+)?\\s?%?\\)?x?$"));
    return figure.match(text.trimmed()).hasMatch();
}

// Figures stand right-aligned in their cells, so that their digits line up on paper as in
// the views' fields; captions and words stay as the page has them.
void AlignFiguresRight(QTextFrame* frame) {
    for (QTextFrame* child : frame->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(child)) {
            for (int r = 0; r < table->rows(); ++r) {
                for (int c = 0; c < table->columns(); ++c) {
                    const QTextTableCell cell = table->cellAt(r, c);
                    if (cell.row() != r || cell.column() != c)
                        continue; // a cell spanning several, met again
                    QTextCursor text = cell.firstCursorPosition();
                    text.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
                    if (!IsFigure(text.selectedText()))
                        continue;
                    for (QTextBlock b = cell.firstCursorPosition().block();
                         b.isValid() && b.position() <= cell.lastCursorPosition().position();
                         b = b.next()) {
                        QTextBlockFormat format = b.blockFormat();
                        format.setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
                        QTextCursor(b).setBlockFormat(format);
                    }
                }
            }
        }
        AlignFiguresRight(child);
    }
}

// The outlook's three charts share one paragraph, where the text layout sets each line a pixel
// shorter than its picture, so each chart covered the bottom edge of the one above: on paper
// each stands in a paragraph of its own, with room under it.
void SeparatePictures(QTextDocument& document) {
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        QVector<int> pictures;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat())
                pictures.append(it.fragment().position());
        }
        if (pictures.size() < 2)
            continue;
        for (qsizetype i = pictures.size() - 1; i >= 1; --i) {
            QTextCursor cursor(&document);
            cursor.setPosition(pictures[i]);
            cursor.insertBlock();
        }
        QTextBlock part = b;
        for (qsizetype i = 0; i < pictures.size() && part.isValid(); ++i, part = part.next()) {
            QTextBlockFormat format = part.blockFormat();
            format.setBottomMargin(12);
            QTextCursor(part).setBlockFormat(format);
        }
    }
}

} // namespace

// The closing rule, logo and notice never stand alone on the last page, nor apart: the last
// section goes over with them from its heading, or where the section and the closing do not fit
// on one page together, its last paragraph does.
void KeepClosingWithContent(QTextDocument& document) {
    const qreal pageHeight = document.pageSize().height();
    if (!(pageHeight > 0))
        return;
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    const auto pageOf = [&](qreal y) { return int(y / pageHeight); };
    const auto relayout = [&] {
        document.markContentsDirty(0, document.characterCount());
        return layout->documentSize();
    };
    const auto breakBefore = [&](const QTextBlock& block, bool on = true) {
        QTextBlockFormat format = block.blockFormat();
        format.setPageBreakPolicy(on ? QTextFormat::PageBreak_AlwaysBefore
                                     : QTextFormat::PageBreak_Auto);
        QTextCursor(block).setBlockFormat(format);
        relayout();
    };
    layout->documentSize();
    QTextBlock rule;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        if (b.blockFormat().hasProperty(QTextFormat::BlockTrailingHorizontalRulerWidth))
            rule = b;
    }
    // What the page holds last before the closing.
    QTextBlock content;
    for (QTextBlock b = rule.previous(); b.isValid() && !content.isValid(); b = b.previous()) {
        if (!b.text().trimmed().isEmpty())
            content = b;
    }
    if (!content.isValid())
        return;
    QTextFrame* table = QTextCursor(content).currentFrame();
    const auto contentBox = [&] {
        return table != document.rootFrame() ? layout->frameBoundingRect(table)
                                             : layout->blockBoundingRect(content);
    };
    const auto lastPage = [&] { return pageOf(layout->documentSize().height() - 1); };
    if (pageOf(contentBox().bottom() - 1) == lastPage())
        return;
    // The closing in one piece, then what goes over with it.
    if (pageOf(layout->blockBoundingRect(rule).top()) != lastPage())
        breakBefore(rule);
    const qreal closing = layout->documentSize().height() - layout->blockBoundingRect(rule).top();
    const auto fits = [&](const QTextBlock& from) {
        return contentBox().bottom() - layout->blockBoundingRect(from).top() + closing < pageHeight;
    };
    QTextBlock heading;
    for (QTextBlock b = content; b.isValid() && !heading.isValid(); b = b.previous()) {
        if (IsHeading(document, b))
            heading = b;
    }
    QTextBlock moved;
    if (heading.isValid() && fits(heading))
        moved = heading;
    else if (table == document.rootFrame() && fits(content))
        moved = content;
    // Otherwise a table under its heading could only go alone, leaving that behind.
    if (!moved.isValid())
        return;
    // The closing follows what goes over, on the same page.
    breakBefore(rule, false);
    breakBefore(moved);
}

// A browser's page has no pages, so nothing there keeps a section together: on paper, a
// heading that the layout leaves at the foot of a page, its section starting on the next,
// starts the next page itself, and so does a table that would fit on a page but is split
// across two. A heading is a short centred line of bold text outside any table.
void KeepSectionsTogether(QTextDocument& document) {
    const qreal pageHeight = document.pageSize().height();
    if (!(pageHeight > 0))
        return;
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    const auto pageOf = [&](qreal y) { return int(y / pageHeight); };
    const auto isHeading = [&](const QTextBlock& block) { return IsHeading(document, block); };
    // The first heading or table, top to bottom, that needs a new page gets one; false when
    // none does. Only the first: a break moves everything after it.
    const auto breakOnce = [&] {
        layout->documentSize(); // lays the whole document out before it is measured
        QTextFrame* table = nullptr;
        qreal tableTop = 0;
        for (QTextFrame* frame : document.rootFrame()->childFrames()) {
            const QRectF box = layout->frameBoundingRect(frame);
            if (box.height() <= pageHeight * 0.8 && pageOf(box.top()) != pageOf(box.bottom()) &&
                !(frame->frameFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)) {
                table = frame;
                tableTop = box.top();
                break;
            }
        }
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            const QTextBlock next = block.next();
            if (!next.isValid() || !isHeading(block) ||
                block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
                continue;
            const QRectF heading = layout->blockBoundingRect(block);
            if (table && heading.top() > tableTop)
                break;
            const QRectF section = layout->blockBoundingRect(next);
            const qreal sectionTop =
                next.layout() && next.layout()->lineCount() > 0
                    ? section.top() + next.layout()->lineAt(0).rect().bottom() - 1
                    : section.top();
            if (pageOf(heading.top()) == pageOf(sectionTop))
                continue;
            QTextBlockFormat format = block.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(block).setBlockFormat(format);
            return true;
        }
        if (!table)
            return false;
        // A table right under its heading takes the heading along: breaking before the table
        // alone left the heading behind, and once moved after it, alone on a page.
        const QTextBlock above = document.findBlock(qMax(0, table->firstPosition() - 2));
        if (above.isValid() && isHeading(above) &&
            !(above.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)) {
            QTextBlockFormat format = above.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(above).setBlockFormat(format);
            return true;
        }
        QTextFrameFormat format = table->frameFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        table->setFrameFormat(format);
        return true;
    };
    // Each break moves everything after it, so the walk starts again after one, on a fresh
    // layout: the layout's own update after a new break misplaces what follows it.
    while (breakOnce())
        document.markContentsDirty(0, document.characterCount());
}

PaperAnalysisCommand::PaperAnalysisCommand(PrintAnalysisHost& host, QMenu* tools, QObject* parent)
    : QObject(parent), m_host(host) {
    m_canvas = new ReportCanvas(this);
    m_exportEntry = new QAction(QStringLiteral("&Export Analysis as PDF..."), parent);
    m_exportEntry->setObjectName(QStringLiteral("mnuToolsExportAnalysisPdf"));
    m_printEntry = new QAction(QStringLiteral("&Print Analysis..."), parent);
    m_printEntry->setObjectName(QStringLiteral("mnuToolsPrintAnalysisDocument"));
    m_printEntry->setShortcut(QKeySequence::Print);
    tools->addAction(m_exportEntry);
    tools->addAction(m_printEntry);
    connect(m_exportEntry, &QAction::triggered, this, &PaperAnalysisCommand::exportPdf);
    connect(m_printEntry, &QAction::triggered, this, &PaperAnalysisCommand::print);
    // Greyed out in the open menu while no property is open; closed, the menu leaves them
    // enabled so that Ctrl+P reaches the command, which then checks for itself.
    connect(tools, &QMenu::aboutToShow, this, &PaperAnalysisCommand::updateEntries);
    connect(tools, &QMenu::aboutToHide, this, [this] {
        m_exportEntry->setEnabled(true);
        m_printEntry->setEnabled(true);
    });
}

PaperAnalysisCommand::~PaperAnalysisCommand() = default;

void PaperAnalysisCommand::updateEntries() {
    const bool open = !m_host.isHomePageVisible();
    m_exportEntry->setEnabled(open);
    m_printEntry->setEnabled(open);
}

std::unique_ptr<QTextDocument> PaperAnalysisCommand::buildDocument(qreal scale) {
    const PrintAnalysisHost::View view = m_host.shownView();
    m_host.showView(PrintAnalysisHost::Outlook);
    const QSize chartLayout(TwipsToPixels(kReportChartWidthTwips),
                            TwipsToPixels(kReportChartHeightTwips));
    QList<QImage> charts;
    for (int k = 0; k < 3; ++k) {
        m_host.showOutlookPeriod(k);
        charts.append(m_canvas->chartImage(m_host.chart(), chartLayout, scale, kChartSize));
    }
    if (view != PrintAnalysisHost::None)
        m_host.showView(view);

    // The returns follow the classic sections, before the page's closing rule and notice.
    const ReturnsPaperSection returns(m_host.form());
    if (!m_returnsChart) {
        m_returnsChart = std::make_unique<ReturnsChart>();
        m_returnsChart->setObjectName(QStringLiteral("chartReturnsPaper"));
    }
    m_returnsChart->setResult(returns.result());
    const QImage returnsChart = RenderChartOffScreen(
        *m_returnsChart, QSize(ReturnsPaperSection::kChartWidth, ReturnsPaperSection::kChartHeight),
        scale);

    const QString folder = ProgramFolder();
    QBuffer page;
    page.open(QIODevice::WriteOnly);
    WriteAnalysisReport(&page, m_host.form(), m_host.propertyPictures(), folder, ResourceFolder());
    QString html = PaperStyleSheet(DecodeWindows1252(page.data()));
    qsizetype end = html.lastIndexOf(QLatin1String("<hr>"), -1, Qt::CaseInsensitive);
    if (end < 0)
        end = html.lastIndexOf(QLatin1String("</body>"), -1, Qt::CaseInsensitive);
    html.insert(end < 0 ? html.size() : end, returns.html());
    DropEmptyPictureSection(html);

    auto document = std::make_unique<AnalysisDocument>(folder, charts);
    document->addResource(QTextDocument::ImageResource, QUrl(ReturnsPaperSection::chartName()),
                          returnsChart);
    // A browser's default text: 16 pixels, serif.
    QFont text(QStringLiteral("serif"));
    text.setStyleHint(QFont::Serif);
    text.setPixelSize(16);
    document->setDefaultFont(text);
    document->setHtml(html);
    LetPercentagesLead(document->rootFrame());
    AlignFiguresRight(document->rootFrame());
    SeparatePictures(*document);
    CentreTitle(*document);
    return document;
}

bool PaperAnalysisCommand::render(QPagedPaintDevice* device) {
    if (device->width() <= 0 || device->height() <= 0)
        return false;
    // One pixel of the page is this many of the device's: the charts are drawn at that grain.
    const qreal scale = std::clamp(device->width() / kPageWidth, 1.0, kMaxChartScale);
    std::unique_ptr<QTextDocument> document =
        layOut(qreal(device->height()) / device->width(), scale);
    document->print(device);
    return !document->isEmpty();
}

std::unique_ptr<QTextDocument> PaperAnalysisCommand::layOut(qreal shape, qreal chartScale) {
    std::unique_ptr<QTextDocument> document = buildDocument(chartScale);
    // Pages of the paper's shape: printing scales each to fill the printable area.
    document->setPageSize(QSizeF(kPageWidth, kPageWidth * shape));
    KeepSectionsTogether(*document);
    KeepClosingWithContent(*document);
    return document;
}

void PaperAnalysisCommand::exportPdf() {
    if (m_host.isHomePageVisible())
        return;
    // Written whole to memory first, so a failed write leaves no half a PDF behind and the
    // user hears why.
    const QString name = m_host.form().text(QStringLiteral("txtPropertyInformation"));
    m_export.write(
        qobject_cast<QWidget*>(parent()), name,
        [&] {
            QBuffer bytes;
            bytes.open(QIODevice::WriteOnly);
            {
                QPdfWriter writer(&bytes);
                writer.setResolution(300);
                writer.setPageSize(QPageSize(QPageSize::Letter));
                writer.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
                writer.setTitle(QStringLiteral("Financial Analysis Summary for ") + name);
                writer.setCreator(QStringLiteral("Quillbrook"));
                render(&writer);
            }
            return bytes.data();
        },
        &m_host.prompts());
}

void PaperAnalysisCommand::print() {
    if (m_host.isHomePageVisible())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Financial Analysis Summary"));
    QPrintDialog dialog(&printer, qobject_cast<QWidget*>(parent()));
    dialog.setWindowTitle(QStringLiteral("Print Analysis"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    printOn(printer);
}

bool PaperAnalysisCommand::printOn(QPrinter& printer) {
    // The printer says little: a page that could not start leaves it in its error state, and
    // printing to a file that did not come into being is no print either.
    const QString file = printer.outputFileName();
    const bool printed = render(&printer) && printer.printerState() != QPrinter::Error &&
                         (file.isEmpty() || QFileInfo(file).size() > 0);
    if (!printed) {
        PromptMessage m;
        m.title = QStringLiteral("Print Analysis");
        m.text = file.isEmpty() ? QStringLiteral("The analysis could not be printed.")
                                : QStringLiteral("The analysis could not be printed to %1.")
                                      .arg(QDir::toNativeSeparators(file));
        m.icon = PromptIcon::Warning;
        m.buttons = PromptButtons::Ok;
        m_host.prompts().message(m);
    }
    return printed;
}
