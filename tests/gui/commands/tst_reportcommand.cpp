// "Print Cash Flow Analysis" in the real window: the Tools entry and when it can be chosen, the
// bitmaps and the page it leaves in the reports folder, what it hands to the browser and the
// view the user finds afterwards.
#include "base/programfolder.h"
#include "base/shell.h"
#include "base/textcodec.h"
#include "gui/commands/paperanalysiscommand.h"
#include "gui/dialogs/prompts.h"
#include "gui/dialogs/scriptedfilepicker.h"
#include "gui/dialogs/scriptedprompts.h"
#include "gui/mainwindow/mainwindow.h"
#include "report/analysisreport.h"
#include "store/propertydatabase.h"
#include "store/propertytable.h"
#include "testsupport.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <QtTest>

namespace {

// Records what would have gone to the browser, and whether the page was there by then.
class RecordingShell : public Shell {
public:
    bool open(const QString& target) override {
        targets.append(target);
        pageWasThere.append(QFile::exists(target));
        return accept;
    }
    bool accept = true;
    QStringList targets;
    QList<bool> pageWasThere;
};

QString Reports(const QString& name = QString()) {
    return ProgramPath(QStringLiteral("_reports/") + name);
}

QImage Bitmap(const QString& name) {
    QImageReader reader(Reports(name));
    [&] { QCOMPARE(reader.format(), QByteArray("bmp")); }();
    return reader.read();
}

// How many pixels of the image are drawn in the chart's bar colour.
int BarPixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - 70) < 8 && qAbs(c.green() - 110) < 8 && qAbs(c.blue() - 170) < 8)
                ++n;
        }
    }
    return n;
}

// How many bars the chart shows: runs of columns that hold bar-coloured pixels.
int BarCount(const QImage& image) {
    int bars = 0;
    bool inBar = false;
    for (int x = 0; x < image.width(); ++x) {
        int pixels = 0;
        for (int y = 0; y < image.height(); ++y) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - 70) < 8 && qAbs(c.green() - 110) < 8 && qAbs(c.blue() - 170) < 8)
                ++pixels;
        }
        const bool bar = pixels >= 3;
        if (bar && !inBar)
            ++bars;
        inBar = bar;
    }
    return bars;
}

// A poppler tool's output on `pdf`; the test is skipped when the tool is not installed.
QString Poppler(const char* tool, const QStringList& arguments) {
    const QString program = QStandardPaths::findExecutable(QString::fromLatin1(tool));
    if (program.isEmpty())
        return QString();
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

const QByteArray kProperty = "[PROPERTY000001]\r\n"
                             "txtPropertyInformation=Maple & Main\r\n"
                             "txtUnits=4\r\n"
                             "txtPurchasePrice=$300,000\r\n"
                             "txtGrossMonthlyIncome=$3,200\r\n"
                             "txtAnnualRateIncrease=4\r\n"
                             "txtOperatingCostIncrease=2\r\n"
                             "txtMortgagePrincipal1=$240,000\r\n"
                             "txtAnnualInterestRate1=6\r\n"
                             "txtAmortizationTerm1=360\r\n"
                             "txtHoldingPeriod=20\r\n";

// Where each picture of the laid-out document sits, in the document's coordinates.
QVector<QRectF> ImagePlaces(QTextDocument& document) {
    QVector<QRectF> places;
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat())
                continue;
            const QTextImageFormat image = fragment.charFormat().toImageFormat();
            const int at = fragment.position() - b.position();
            const QTextLine line = b.layout()->lineForTextPosition(at);
            const QPointF corner =
                layout->blockBoundingRect(b).topLeft() + QPointF(line.cursorToX(at), line.y());
            places.append(QRectF(corner, QSizeF(image.width(), image.height())));
        }
    }
    return places;
}

} // namespace

class ReportCommandTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempProgramFolder> m_folder;
    std::unique_ptr<MainWindow> m_window;
    RecordingShell m_shell;
    ScriptedPrompts m_prompts;

    MainWindow& w() { return *m_window; }
    QAction* entry() { return w().findChild<QAction*>(QStringLiteral("mnuToolsmnuPrintAnalysis")); }
    bool entryEnabled() {
        emit w().toolsMenu()->aboutToShow();
        return entry()->isEnabled();
    }
    void print() {
        QVERIFY(entryEnabled());
        entry()->trigger();
    }
    bool shown(const char* name) {
        auto* widget = w().findChild<QWidget*>(QString::fromLatin1(name));
        return widget && !widget->isHidden();
    }
    QByteArray pageBytes() {
        QFile file(Reports(QStringLiteral("financialAnalysisDetail.html")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString page() { return DecodeWindows1252(pageBytes()); }

private slots:
    void init() {
        m_folder = std::make_unique<TempProgramFolder>(true);
        PrepareProgramFolders();
        // One property with a picture and an outlook that gains and loses money over the years.
        const QString picture = ProgramPath(QStringLiteral("_images/noImageAvailable.jpg"));
        WriteFile(PropertyDatabasePath(),
                  kProperty + "g_sListOfImagesForProperty(1)=" + picture.toUtf8() + "\r\n");
        LoadPropertyDatabase();
        SetShell(&m_shell);
        m_window = std::make_unique<MainWindow>();
        w().setPrompts(&m_prompts);
        w().show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup() {
        m_window.reset();
        SetShell(nullptr);
        m_shell.targets.clear();
        m_shell.pageWasThere.clear();
        m_shell.accept = true;
        m_prompts.clear();
        m_folder.reset();
        ResetPropertyTable();
    }

    void theEntryIsThereOnlyForAnOpenProperty() {
        QVERIFY(w().toolsMenu()->actions().contains(entry()));
        QCOMPARE(entry()->text(), QStringLiteral("Print &Cash Flow Analysis"));
        QVERIFY(shown("frameHome"));
        QVERIFY(!entryEnabled());
        QString name = QStringLiteral("Maple & Main");
        w().OpenPropertyByName(name);
        QVERIFY(shown("frameProperty"));
        QVERIFY(entryEnabled());
        w().ShowHomePage();
        QVERIFY(!entryEnabled());
    }

    void printingFromTheSummaryView() {
        QString name = QStringLiteral("Maple & Main");
        w().OpenPropertyByName(name);
        w().imgQuickView_Click();
        QVERIFY(shown("frameQuickView"));

        print();

        // Back where the user was, with the twenty-year outlook current.
        QVERIFY(shown("frameQuickView"));
        QVERIFY(!shown("frame5YearView"));
        QVERIFY(!shown("frameProperty"));
        QCOMPARE(w().findChild<QComboBox*>(QStringLiteral("cmbCFAYears"))->currentIndex(), 2);

        const QString pagePath = Reports(QStringLiteral("financialAnalysisDetail.html"));
        QCOMPARE(m_shell.targets, QStringList{pagePath});
        QCOMPARE(m_shell.pageWasThere, QList<bool>{true});

        QCOMPARE(Bitmap(QStringLiteral("tempImageLOGO.bmp")).size(), QSize(152, 97));
        QImage charts[3];
        for (int k = 0; k < 3; ++k) {
            charts[k] = Bitmap(QStringLiteral("tempImage%1.bmp").arg(k + 1));
            QCOMPARE(charts[k].size(), QSize(641, 305));
            QVERIFY2(BarPixels(charts[k]) > 500, "the bars are drawn");
        }
        // Five, ten and twenty years, in that order.
        QCOMPARE(BarCount(charts[0]), 5);
        QCOMPARE(BarCount(charts[1]), 10);
        QCOMPARE(BarCount(charts[2]), 20);

        // The page carries the window's own figures, escaped, and the property's picture.
        const QString html = page();
        QVERIFY(html.contains(QStringLiteral("Summary for Maple &amp; Main </title>")));
        QVERIFY(html.contains(QStringLiteral("<strong>Year 20</strong>")));
        const QString last = w().text(QStringLiteral("txt10CFNetCashflow"), 20);
        QVERIFY(!last.isEmpty());
        // The twentieth year is the grid's last figure, the note on what it leaves out under it.
        QVERIFY(html.contains(QStringLiteral("    <td class=\"style9\"><strong>") + last +
                              QStringLiteral("</strong></td>\r\n  </tr>\r\n  <tr>\r\n    <td "
                                             "class=\"style9\" colspan=\"11\">") +
                              ClassicOutlookNote() +
                              QStringLiteral("</td>\r\n  </tr>\r\n</table>")));
        QVERIFY(html.contains(w().text(QStringLiteral("txtQISAnnualDebtService"))));
        QVERIFY(
            html.contains(QStringLiteral("rowspan=\"6\"><span class=\"StoryTitle\"><img src=\"") +
                          ProgramPath(QStringLiteral("_images/noImageAvailable.jpg"))));
        QVERIFY(
            html.contains(QStringLiteral("file://") + Reports(QStringLiteral("tempImage3.bmp"))));
        QVERIFY(m_folder->logLines().isEmpty());
    }

    void theViewComesBack_data() {
        QTest::addColumn<QString>("view");
        QTest::newRow("property") << QStringLiteral("frameProperty");
        QTest::newRow("financial") << QStringLiteral("frameFinancial");
        QTest::newRow("outlook") << QStringLiteral("frame5YearView");
        QTest::newRow("returns") << QStringLiteral("frameReturnsView");
    }
    void theViewComesBack() {
        QFETCH(QString, view);
        QString name = QStringLiteral("Maple & Main");
        w().OpenPropertyByName(name);
        if (view == QLatin1String("frameFinancial"))
            w().imgFinancial_Click();
        else if (view == QLatin1String("frame5YearView"))
            w().img5YearView_Click();
        else if (view == QLatin1String("frameReturnsView"))
            w().imgReturnsView_Click();
        QVERIFY(shown(view.toLatin1().constData()));
        print();
        for (const char* frame : {"frameProperty", "frameFinancial", "frameQuickView",
                                  "frame5YearView", "frameReturnsView"})
            QCOMPARE(shown(frame), view == QLatin1String(frame));
    }

    void runningTwiceLeavesOnePageAndFourBitmaps() {
        QString name = QStringLiteral("Maple & Main");
        w().OpenPropertyByName(name);
        print();
        const QByteArray first = pageBytes();
        print();
        QStringList files = QDir(Reports()).entryList(QDir::Files);
        files.sort();
        QCOMPARE(files, (QStringList{"financialAnalysisDetail.html", "tempImage1.bmp",
                                     "tempImage2.bmp", "tempImage3.bmp", "tempImageLOGO.bmp"}));
        QCOMPARE(pageBytes(), first);
        QCOMPARE(m_shell.targets.size(), 2);
    }

    void aPageNoBrowserTakesSaysWhereItIs() {
        QString name = QStringLiteral("Maple & Main");
        w().OpenPropertyByName(name);
        m_shell.accept = false;
        print();
        QCOMPARE(m_prompts.messages().size(), 1);
        const QString page = Reports(QStringLiteral("financialAnalysisDetail.html"));
        QVERIFY2(m_prompts.messages().at(0).text.endsWith(page),
                 qPrintable(m_prompts.messages().at(0).text));
        QVERIFY(QFile::exists(page));
    }
    void aPageThatCannotBeReplacedIsLoggedAndTheRunGoesOn() {
        QString name = QStringLiteral("Maple & Main");
        w().OpenPropertyByName(name);
        // Something that is no file stands where the page goes: it can be neither removed nor
        // written over.
        QVERIFY(QDir().mkpath(Reports(QStringLiteral("financialAnalysisDetail.html/held"))));
        print();
        const QStringList log = m_folder->logLines();
        QCOMPARE(log.size(), 2);
        for (const QString& line : log)
            QVERIFY2(line.contains(QStringLiteral("\"75\"")), qPrintable(line));
        // The rest of the run happened: bitmaps, the view.
        QCOMPARE(Bitmap(QStringLiteral("tempImage3.bmp")).size(), QSize(641, 305));
        QVERIFY(shown("frameProperty"));
        // The page that is not there is not handed to the browser; the user hears which.
        QCOMPARE(m_shell.targets.size(), 0);
        QCOMPARE(m_prompts.titles(), QStringList{QStringLiteral("Report Not Written")});
        QVERIFY(m_prompts.messages().at(0).text.contains(
            QStringLiteral("financialAnalysisDetail.html")));
    }

    // A table split across two pages moves to the next with the heading right above it, so
    // neither the heading nor the table is left alone.
    void aTableMovesWithItsHeading() {
        QTextDocument document;
        document.setPageSize(QSizeF(400, 300));
        QString html;
        for (int i = 0; i < 9; ++i)
            html += QStringLiteral("<p>Line %1</p>").arg(i);
        html += QStringLiteral(
            "<p align=\"center\" style=\"font-weight: bold\">Tornado</p><table border=\"1\">");
        for (int r = 0; r < 8; ++r)
            html += QStringLiteral("<tr><td>Row %1</td><td>1.00</td></tr>").arg(r);
        document.setHtml(html + QStringLiteral("</table>"));
        QAbstractTextDocumentLayout* layout = document.documentLayout();
        const auto pageOf = [&](qreal y) { return int(y / 300); };
        QTextFrame* table = document.rootFrame()->childFrames().value(0);
        QVERIFY(table);
        const QRectF before = layout->frameBoundingRect(table);
        QVERIFY(pageOf(before.top()) != pageOf(before.bottom())); // split as laid out

        KeepSectionsTogether(document);
        layout->documentSize();
        const QRectF box = layout->frameBoundingRect(table);
        QCOMPARE(pageOf(box.top()), pageOf(box.bottom()));
        const QTextBlock heading = document.findBlock(table->firstPosition() - 2);
        QCOMPARE(heading.text(), QStringLiteral("Tornado"));
        QCOMPARE(pageOf(layout->blockBoundingRect(heading).top()), pageOf(box.top()));
    }

    // The closing rule and notice that a full page pushes onto the next take the last section
    // along from its heading; a section too long to share a page with them sends its last
    // paragraph.
    void theClosingNeverStandsAloneOnTheLastPage() {
        for (const int lines : {14, 0}) {
            bool split = false;
            // The shortest table that pushes the closing onto a page of its own.
            for (int rows = 1; rows < 40 && !split; ++rows) {
                QTextDocument document;
                document.setPageSize(QSizeF(400, 300));
                QString html;
                for (int i = 0; i < lines; ++i)
                    html += QStringLiteral("<p>Line %1</p>").arg(i);
                html += QStringLiteral("<p align=\"center\" style=\"font-weight: bold\">Tornado"
                                       "</p><table border=\"1\">");
                for (int r = 0; r < rows; ++r)
                    html += QStringLiteral("<tr><td>Row %1</td><td>1.00</td></tr>").arg(r);
                document.setHtml(html + QStringLiteral("</table><p>A note.</p><hr><p>Notice</p>"));
                QAbstractTextDocumentLayout* layout = document.documentLayout();
                const auto pageOf = [&](const QTextBlock& b) {
                    layout->documentSize();
                    return int(layout->blockBoundingRect(b).top() / 300);
                };
                const QTextBlock notice = document.lastBlock();
                const QTextBlock note = notice.previous().previous();
                QCOMPARE(note.text(), QStringLiteral("A note."));
                if (pageOf(note) == pageOf(notice))
                    continue;
                split = true;
                KeepClosingWithContent(document);
                QVERIFY2(pageOf(note) == pageOf(notice), qPrintable(QString::number(lines)));
                const QTextBlock heading = document.findBlock(
                    document.rootFrame()->childFrames().value(0)->firstPosition() - 2);
                QCOMPARE(heading.text(), QStringLiteral("Tornado"));
                if (lines > 0)
                    QCOMPARE(pageOf(heading), pageOf(notice));
            }
            QVERIFY2(split, "no table pushed the closing onto a page of its own");
        }
    }

    // On paper: no heading over pictures the property does not have, every chart in a place of
    // its own on one page, the figures right-aligned in their columns, and the closing notice
    // never alone on the last page, whatever the holding period.
    void thePaperLaysItselfOutWell() {
        WriteFile(PropertyDatabasePath(), kProperty);
        LoadPropertyDatabase();
        QString name = QStringLiteral("Maple & Main");
        w().OpenPropertyByName(name);
        auto* paper = w().findChild<PaperAnalysisCommand*>();
        // An address that names the heading keeps its table; only the heading goes.
        const QString address = w().text(QStringLiteral("txtAddress"));
        w().setText(QStringLiteral("txtAddress"), QStringLiteral("1 Property Images Lane"));
        const QString withAddress = paper->layOut(11.0 / 8.5, 1)->toPlainText();
        QVERIFY(withAddress.contains(QStringLiteral("Property Name")));
        QCOMPARE(withAddress.count(QStringLiteral("Property Images")), 1);
        w().setText(QStringLiteral("txtAddress"), address);
        for (int years = 1; years <= 20; ++years) {
            w().setText(QStringLiteral("txtHoldingPeriod"), QString::number(years));
            const std::unique_ptr<QTextDocument> document = paper->layOut(11.0 / 8.5, 1);
            QAbstractTextDocumentLayout* layout = document->documentLayout();
            const qreal pageHeight = document->pageSize().height();
            const auto pageOf = [&](qreal y) { return int(y / pageHeight); };
            QVERIFY(!document->toPlainText().contains(QStringLiteral("Property Images")));

            const QVector<QRectF> images = ImagePlaces(*document);
            QVERIFY(images.size() >= 5); // the logo, three outlook charts, the returns chart
            for (int i = 0; i < images.size(); ++i) {
                QCOMPARE(pageOf(images[i].top()), pageOf(images[i].bottom()));
                for (int j = 0; j < i; ++j)
                    QVERIFY2(!images[i].intersects(images[j]),
                             qPrintable(QString("%1 %2 %3 %4 %5 %6")
                                            .arg(i)
                                            .arg(j)
                                            .arg(images[i].x())
                                            .arg(images[i].y())
                                            .arg(images[j].x())
                                            .arg(images[j].y())));
            }

            QTextBlock rule;
            int figures = 0;
            for (QTextBlock b = document->begin(); b.isValid(); b = b.next()) {
                if (b.blockFormat().hasProperty(QTextFormat::BlockTrailingHorizontalRulerWidth))
                    rule = b;
                // A figure's last digit at its cell's right edge.
                const QString text = b.text().trimmed();
                static const QRegularExpression figure(QStringLiteral("^\\(?\\$[\\d,]+\\)?$"));
                if (!figure.match(text).hasMatch() || !QTextCursor(b).currentTable())
                    continue;
                ++figures;
                const QRectF box = layout->blockBoundingRect(b);
                const QTextLine line = b.layout()->lineAt(0);
                const qreal end = line.cursorToX(line.textStart() + line.textLength());
                QVERIFY2(box.right() - (box.left() + end) < 8, qPrintable(text));
            }
            QVERIFY(figures > 40);
            QVERIFY(rule.isValid());
            bool shared = false;
            for (QTextBlock b = rule.previous(); b.isValid(); b = b.previous()) {
                if (!b.text().trimmed().isEmpty() &&
                    pageOf(layout->blockBoundingRect(b).bottom() - 1) ==
                        pageOf(layout->blockBoundingRect(rule).top()))
                    shared = true;
            }
            QVERIFY2(shared, qPrintable(QString::number(years)));
        }
    }

    // The PDF holds the page's own text and figures, over more than one page, with the charts
    // drawn finer than the screen bitmaps; the browser page and the view are left as they were.
    void exportingThePdf() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("poppler-utils (pdftoppm, pdftotext) is not installed");
        ScriptedFilePicker picker;
        w().setFilePicker(&picker);
        auto* export_ = w().findChild<QAction*>(QStringLiteral("mnuToolsExportAnalysisPdf"));
        const QList<QAction*> tools = w().toolsMenu()->actions();
        QCOMPARE(tools.indexOf(export_), tools.indexOf(entry()) + 1);
        // From the home page there is nothing to export, shortcut or not.
        export_->trigger();
        QVERIFY(picker.requests().isEmpty());
        emit w().toolsMenu()->aboutToShow();
        QVERIFY(!export_->isEnabled());
        emit w().toolsMenu()->aboutToHide();

        // Straight from the keyboard, the menu never opened since the property was.
        QString name = QStringLiteral("Maple & Main");
        w().OpenPropertyByName(name);
        // The returns as their view shows them, to be found again on paper.
        w().imgReturnsView_Click();
        const QStringList returns = {w().text(QStringLiteral("txtRetSalePrice")),
                                     w().text(QStringLiteral("txtRetIRRAfterTax"))};
        w().imgQuickView_Click();
        const QString pdf = m_folder->path() + QStringLiteral("/analysis.pdf");
        picker.setNextFile(m_folder->path() + QStringLiteral("/analysis"));
        export_->trigger();
        QVERIFY(shown("frameQuickView"));
        QVERIFY(!QFile::exists(Reports(QStringLiteral("financialAnalysisDetail.html"))));

        const QString png = m_folder->path() + QStringLiteral("/page");
        Poppler("pdftoppm",
                {QStringLiteral("-r"), QStringLiteral("20"), QStringLiteral("-png"), pdf, png});
        const int pages =
            int(QDir(m_folder->path()).entryList({QStringLiteral("page*.png")}).size());
        QVERIFY2(pages >= 2 && pages <= 6, qPrintable(QString::number(pages)));

        // The PDF sets "ff" as one glyph, which comes back as its ligature.
        const QString text =
            Poppler("pdftotext", {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
                .replace(QChar(0xFB00), QLatin1String("ff"));
        for (const QString& expected :
             {QStringLiteral("Maple & Main"), QStringLiteral("Annual Net Operating Income:"),
              QStringLiteral("Cash Flow Outlook"), QStringLiteral("Year 20"),
              w().text(QStringLiteral("txtQISAnnualDebtService")),
              w().text(QStringLiteral("txt10CFNetCashflow"), 20),
              QStringLiteral("Investment Returns"), QStringLiteral("Cash Flow After Tax"),
              returns.at(0), returns.at(1)})
            QVERIFY2(text.contains(expected), qPrintable(expected));
        // No page ends on a section's heading, and the two blocks of the returns' year table
        // are each whole on one page.
        for (const QString& page : text.split(QLatin1Char('\f'))) {
            QCOMPARE(page.count(QStringLiteral("Gross Scheduled Income")),
                     page.count(QStringLiteral("\nLoan Balance ")));
            const QStringList lines = page.trimmed().split(QLatin1Char('\n'));
            for (const char* heading :
                 {"Cash Flow Outlook", "Financial Summary", "Mortgages", "Property Images",
                  "Investment Returns", "Year by Year", "Offer Calculator"})
                QVERIFY2(lines.last().trimmed() != QLatin1String(heading), heading);
            QVERIFY2(!lines.last().trimmed().startsWith(QLatin1String("Sensitivity of")),
                     qPrintable(lines.last()));
        }
        QVERIFY(text.contains(QStringLiteral("Offer Price:")));
        QVERIFY(text.contains(QStringLiteral("Annual Interest Rate")));
        // After the classic sections, before the closing notice (the outlook's note names the
        // returns before their heading).
        const QString returnsHeading = QStringLiteral("Investment Returns\n");
        QVERIFY(text.indexOf(QStringLiteral("Miscellaneous Notes")) < text.indexOf(returnsHeading));
        QVERIFY(text.indexOf(returnsHeading) <
                text.indexOf(QStringLiteral("This report is intended")));

        // The title is centred on the page, as a browser shows it.
        const QString words = Poppler("pdftotext", {QStringLiteral("-bbox"), QStringLiteral("-l"),
                                                    QStringLiteral("1"), pdf, QStringLiteral("-")});
        const auto coordinate = [&](const QString& word, const char* name) {
            const QRegularExpression at(
                QStringLiteral("%1=\"([0-9.]+)\"[^>]*>%2<").arg(QLatin1String(name), word));
            return at.match(words).captured(1).toDouble();
        };
        const double pageWidth = QRegularExpression(QStringLiteral("<page width=\"([0-9.]+)\""))
                                     .match(words)
                                     .captured(1)
                                     .toDouble();
        const double titleMiddle = (coordinate(QStringLiteral("Financial"), "xMin") +
                                    coordinate(QStringLiteral("for"), "xMax")) /
                                   2;
        QVERIFY2(qAbs(titleMiddle - pageWidth / 2) < pageWidth * 0.03,
                 qPrintable(QString::number(titleMiddle) + " of " + QString::number(pageWidth)));
        // Headings stand out from the figures by as much as in a browser (16 against 10 pixels).
        const auto height = [&](const QString& word) {
            return coordinate(word, "yMax") - coordinate(word, "yMin");
        };
        QVERIFY2(height(QStringLiteral("Mortgages")) > 1.4 * height(QStringLiteral("Term:")),
                 qPrintable(QString::number(height(QStringLiteral("Mortgages")))));
        QVERIFY(!text.contains(QStringLiteral("window.print")));

        // Three outlook charts and the returns chart, each at least twice the page's 589 pixels
        // across.
        const QStringList images = Poppler("pdfimages", {QStringLiteral("-list"), pdf})
                                       .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        int charts = 0;
        for (const QString& row : images) {
            const QStringList cells = row.simplified().split(QLatin1Char(' '));
            if (cells.size() > 4 && cells.at(3).toInt() >= 2 * 589)
                ++charts;
        }
        QCOMPARE(charts, 4);

        // A file that cannot be written is a message, not a silent success.
        picker.setNextFile(m_folder->path() + QStringLiteral("/missing/analysis.pdf"));
        export_->trigger();
        QCOMPARE(m_prompts.titles(), QStringList{QStringLiteral("Export Analysis as PDF")});
        w().setFilePicker(nullptr);

        // So is a print that never reached its file; one that did is silent.
        auto* paper = w().findChild<PaperAnalysisCommand*>();
        QVERIFY(paper);
        for (const QString& name :
             {QStringLiteral("/missing/print.pdf"), QStringLiteral("/print.pdf")}) {
            m_prompts.clear();
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(m_folder->path() + name);
            const bool missing = name.startsWith(QLatin1String("/missing"));
            QCOMPARE(paper->printOn(printer), !missing);
            QCOMPARE(m_prompts.titles(),
                     missing ? QStringList{QStringLiteral("Print Analysis")} : QStringList());
        }
    }
};

QTEST_MAIN(ReportCommandTest)
#include "tst_reportcommand.moc"
