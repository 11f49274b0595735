#include "report/analysisreport.h"

#include "base/errortrap.h"
#include "base/programfolder.h"
#include "base/textcodec.h"
#include "model/fieldtable.h"
#include "model/form.h"

#include <QFileInfo>
#include <QIODevice>

namespace {

const QString kPageName = QStringLiteral("financialAnalysisDetail.html");
const QString kExpenseGroup = QStringLiteral("Operating Expenses");

// A file path as the page links to it. The browser reads the path as a URL: "#" would end it
// at a fragment, "?" at a query and "%" would start an escape, so a program folder like
// "C#" would lose every image. Those three are escaped; all else stays as typed.
QString LinkText(const QString& path) {
    QString url;
    url.reserve(path.size());
    for (const QChar c : path) {
        if (c == QLatin1Char('%'))
            url += QLatin1String("%25");
        else if (c == QLatin1Char('#'))
            url += QLatin1String("%23");
        else if (c == QLatin1Char('?'))
            url += QLatin1String("%3F");
        else
            url += c;
    }
    return EscapeReportText(url);
}

// A field cell: the fixed text before, the field's text, the fixed text after.
struct Cell {
    const char* before;
    const char* field;
    const char* after;
};

// One row of a two-column or four-column table: label, value, label, value.
struct PairRow {
    const char* leftLabel;
    Cell left;
    const char* rightLabel;
    Cell right;
};

class PageWriter {
public:
    PageWriter(QIODevice* out, const Form& form, const QStringList& pictures,
               const QString& programFolder, const QString& imagesFolder)
        : m_out(out), m_form(form), m_pictures(pictures), m_folder(programFolder),
          m_imagesFolder(imagesFolder) {}

    void write() {
        head();
        titleBlock();
        propertyTable();
        financialInformation();
        rentalInformation();
        operatingExpenses();
        taxInformation();
        mortgages();
        financialSummary();
        cashflowFigures();
        outlook();
        propertyImages();
        notes();
        footer();
    }

private:
    void line(const QString& text) {
        QByteArray bytes = EncodeReportLine(text);
        bytes.append("\r\n", 2);
        if (!m_out || m_out->write(bytes) != bytes.size())
            RaiseError(75);
    }
    void line(const char* text) { line(QString::fromLatin1(text)); }

    QString field(const char* name, int index = 0) const {
        return EscapeReportText(m_form.text(QString::fromLatin1(name), index));
    }
    void cell(const Cell& c) {
        line(QString::fromLatin1(c.before) + field(c.field) +
             percentAfter(m_form.text(QString::fromLatin1(c.field)), QString::fromLatin1(c.after)));
    }
    // The page puts a "%" after a rate; a rate typed with its own "%" keeps only that one.
    static QString percentAfter(const QString& typed, const QString& after) {
        if (!after.startsWith(QLatin1Char('%')))
            return after;
        qsizetype end = typed.size();
        while (end > 0 && typed.at(end - 1) == QLatin1Char(' '))
            --end;
        return end > 0 && typed.at(end - 1) == QLatin1Char('%') ? after.mid(1) : after;
    }
    void pairRows(std::initializer_list<PairRow> rows) {
        for (const PairRow& row : rows) {
            line("  <tr>");
            line(row.leftLabel);
            cell(row.left);
            if (row.rightLabel) {
                line(row.rightLabel);
                cell(row.right);
            }
            line("  </tr>");
        }
    }
    // Numbers written into a line carry a blank on each side.
    static QString number(int n) {
        return QLatin1Char(' ') + QString::number(n) + QLatin1Char(' ');
    }

    void head() {
        line("<html xmlns=\"http://www.w3.org/1999/xhtml\"> <head> ");
        line(QStringLiteral("<title>Harrowgate Quillbrook - Financial Analysis Summary for ") +
             field("txtPropertyInformation") + QStringLiteral(" </title>"));
        line("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\" />");
        line("<style type=\"text/css\">");
        line("<!--");
        line(".style8 {font-family: Arial, Helvetica, sans-serif; font-size: xx-small; }");
        line(".style9 {font-size: x-small}");
        line(".style10 {font-size: medium; font-weight: bold; }");
        line("-->");
        line("</style> </head> <body class=\"sub\">");
    }

    void banner() {
        line(QStringLiteral("<table width=") + number(127) + QStringLiteral(" border=") +
             number(1) + QStringLiteral(">  <tr>"));
        line(QStringLiteral("<td width=") + number(117) + QStringLiteral("> <a href=\"") +
             ProductPageAddress() + QStringLiteral("\"><img src=\"file://") +
             LinkText(JoinProgramPath(m_imagesFolder, QStringLiteral("_images/"))) +
             QStringLiteral("hgtQuillbrookLogoSmall4.jpg\" width=\"305\" height=\"172\" /> </td>"));
        line("</tr> </table>");
    }

    void titleBlock() {
        line("<div class=\"style10\" align=\"center\"> ");
        banner();
        line("</span>");
        line(QStringLiteral("<br>Financial Analysis Summary Report for <br><strong>") +
             field("txtPropertyInformation") + QStringLiteral(" </strong></div>"));
        line("<hr>");
        line("<p class=\"StoryTitle\"></p>");
    }

    // The picture reference as the page uses it: the entry itself when it names a file, else
    // the file of that name in the current picture folder (a moved program folder), else the
    // entry below the program folder, unless it already lies there: a copy this program made
    // and that was since removed would otherwise link to the folder inside itself. Empty when
    // the list has no such entry.
    bool picturePath(int i, QString* path) const {
        if (i < 1 || i >= m_pictures.size())
            return false;
        const QString entry = LocatePictureFile(m_pictures.at(i), m_folder);
        const QFileInfo info(entry);
        const bool found = info.exists() && !info.isDir();
        *path = LinkText(found || liesInFolder(entry) ? entry : m_folder + entry);
        return true;
    }
    bool liesInFolder(const QString& entry) const {
        for (const QString& folder : {m_folder, m_folder.trimmed()}) {
            if (folder.isEmpty())
                continue;
            const QString prefix =
                folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
            if (entry.startsWith(prefix))
                return true;
        }
        return false;
    }
    void pictureCell(const char* start, const QString& path) {
        line(QString::fromLatin1(start) + path + QStringLiteral("\" alt=") + number(111) +
             QStringLiteral(" width=\"207\" height=\"138\" /></span></td>"));
    }

    void propertyTable() {
        line("<table width=\"80%\" border=\"1\" align=\"center\">   ");
        line("  <tr>");
        QString first;
        if (picturePath(1, &first))
            pictureCell(
                "     <td width=\"25%\" rowspan=\"6\"><span class=\"StoryTitle\"><img src=\"",
                first);
        line("    <td width=\"25%\">&nbsp;</td>");
        line("    <td width=\"50%\"><span class=\"style9\"></span></td>");
        line("  </tr>");
        pairRows({
            {"    <td class=\"style9\">Property Name: </td>",
             {"    <td class=\"style9\"><span class=\"style9\"> ", "txtPropertyInformation",
              " </span></td>"},
             nullptr,
             {}},
            {"    <td class=\"style9\">Property Address : </td>",
             {"    <td class=\"style9\"><span class=\"style9\">", "txtAddress", " </span></td>"},
             nullptr,
             {}},
            {"    <td class=\"style9\">Number of Units: </td>",
             {"    <td class=\"style9\"><span class=\"style9\"> ", "txtUnits", " </span></td>"},
             nullptr,
             {}},
            {"    <td class=\"style9\">Square Footage : </td>",
             {"    <td class=\"style9\"><span class=\"style9\">", "txtSquareFootage",
              " </span></td>"},
             nullptr,
             {}},
        });
        line("</table>");
    }

    void financialInformation() {
        line("<p align=\"center\" class=\"style10\"><br>Financial Information</p> <table "
             "width=\"98%\" border=\"0\">");
#define QB_FLEFT(label)                                                                            \
    "    <td width=\"34%\" height=\"22\"><div align=\"right\" class=\"style9\">" label "</div></"  \
    "td>"
        pairRows({
            {QB_FLEFT("Current Market Value: "),
             {"    <td width=\"13%\" class=\"style9\">", "txtCurrentMarketValue", "</td>"},
             "    <td width=\"22%\"><div align=\"right\" class=\"style9\">Purchase Price:  "
             "</div></td>",
             {"    <td width=\"31%\" class=\"style9\">", "txtPurchasePrice", " </td>"}},
            {QB_FLEFT("Down Payment: "),
             {"    <td width=\"13%\" class=\"style9\">", "txtDownPayment", "</td>"},
             "    <td width=\"22%\"><div align=\"right\" class=\"style9\">Closing Costs:  "
             "</div></td>",
             {"    <td width=\"31%\" class=\"style9\">", "txtClosingCosts", " </td>"}},
            {QB_FLEFT(" Expected Appreciation: "),
             {"    <td width=\"13%\" class=\"style9\">", "txtAppreciation", "%</td>"},
             "    <td width=\"22%\"><div align=\"right\" class=\"style9\">Depreciate As "
             "Improvements:  </div></td>",
             {"    <td width=\"31%\" class=\"style9\">", "txtDepreciateAsImprovements", "% </td>"}},
        });
#undef QB_FLEFT
        line("</table>");
    }

    void rentalInformation() {
        line("<div align=\"center\"></div> <p align=\"center\" class=\"style10\">Rental "
             "Information</p> <table width=\"98%\" border=\"0\">");
        pairRows({
            {"    <td width=\"34%\"><div align=\"right\" class=\"style9\">Gross Monthly Income: "
             "</div></td>",
             {"    <td width=\"13%\" class=\"style9\">", "txtGrossMonthlyIncome", "</td>"},
             "    <td width=\"23%\"><div align=\"right\" class=\"style9\">Other Monthly Income: "
             "</div></td>",
             {"    <td width=\"30%\" class=\"style9\">", "txtOtherMonthlyIncome", "</td>"}},
            {"    <td width=\"34%\"><div align=\"right\" class=\"style9\"> Expected Vacancy Rate: "
             "</div></td>",
             {"    <td width=\"13%\" class=\"style9\"> ", "txtExpectedVacancyRate", "%</td>"},
             "    <td width=\"23%\"><div align=\"right\" class=\"style9\">Annual Rate Increase: "
             "</div></td>",
             {"    <td width=\"30%\" class=\"style9\"> ", "txtAnnualRateIncrease", "%</td>"}},
        });
        line("</table>");
        line("<div align=\"center\"></div>");
    }

    // The expense, tax and summary tables share their cell forms.
#define QB_LEFT(label)                                                                             \
    "    <td width=\"34%\"><div align=\"right\" class=\"style9\">" label "</div></td>"
#define QB_RIGHT(label)                                                                            \
    "    <td width=\"23%\"><div align=\"right\" class=\"style9\">" label "</div></td>"
#define QB_LVALUE "    <td width=\"13%\" class=\"style9\">"
#define QB_RVALUE "    <td width=\"30%\" class=\"style9\">"

    // Every expense in the order they are added up, then the other fields of the expense group
    // the page names, down the left column first.
    void operatingExpenses() {
        line("<p align=\"center\" class=\"style10\"><br>Operating Expenses (Annual) </p>");
        line("<table width=\"98%\" border=\"0\">");
        QVector<const FieldInfo*> fields;
        for (const QString& name : ExpenseFields())
            fields.append(FindField(name));
        for (const FieldInfo* f : FieldsOf(FieldView::Financial, kExpenseGroup)) {
            if (f->handler != FieldHandler::Expense && !f->reportCaption.isEmpty())
                fields.append(f);
        }
        const int rows = int(fields.size() + 1) / 2;
        for (int r = 0; r < rows; ++r) {
            line("  <tr>");
            expenseCell(*fields.at(r), QStringLiteral(QB_LEFT("%1")), QStringLiteral(QB_LVALUE),
                        QStringLiteral(" </td>"));
            if (r + rows < fields.size())
                expenseCell(*fields.at(r + rows), QStringLiteral(QB_RIGHT("%1")),
                            QStringLiteral(QB_RVALUE), QStringLiteral("</td>"));
            line("  </tr>");
        }
        line("</table>");
    }
    void expenseCell(const FieldInfo& f, const QString& label, const QString& before,
                     const QString& after) {
        line(label.arg(f.reportCaption));
        const QString typed = m_form.text(f.name);
        line(before + EscapeReportText(typed) +
             percentAfter(typed, (f.isPercent() ? QStringLiteral("%") : QString()) + after));
    }

    void taxInformation() {
        line("<p align=\"center\" class=\"style10\"><br>Tax Information </p>");
        line("<table width=\"98%\" border=\"0\">");
        pairRows({
            {QB_LEFT("Federal Tax Rate: "),
             {QB_LVALUE, "txtFederalTaxRate", "%</td>"},
             QB_RIGHT("State Tax Rate: "),
             {QB_RVALUE, "txtStateTaxRate", "%</td>"}},
        });
        line("  <tr>");
        line(QB_LEFT("   "));
        line(QB_LVALUE "   </td>");
        line(QB_RIGHT("Long Term Capitol Gains Rate: "));
        cell({QB_RVALUE, "txtLongTermCapitolGainsRate", "%</td>"});
        line("  </tr>");
        line("</table>");
    }

    void mortgages() {
        line("<p align=\"center\" class=\"style10\"><br>Mortgages </p>");
        line("<table width=\"98%\" border=\"0\">");
        line("  <tr>");
        line("    <td width=\"33%\"><div align=\"right\"></div></td>");
        for (const char* heading : {"1st", "2nd", "3rd", "4th"})
            line(QStringLiteral("    <td width=\"110\"><div align=\"center\" class=\"style9\">") +
                 QString::fromLatin1(heading) + QStringLiteral("</div></td>"));
        line("  </tr>");
        const struct {
            const char* label;
            const char* field;
            const char* after;
            bool spacedFirst; // the first term cell has a blank before its closing bracket
        } rows[] = {
            {"    <td><div align=\"right\" class=\"style9\">Mortgage Principal:</div></td>",
             "txtMortgagePrincipal", "</div></td>", false},
            {"    <td><div align=\"right\" class=\"style9\" >Amortization Term:</div></td>",
             "txtAmortizationTerm", "</div></td>", true},
            {"    <td><div align=\"right\" class=\"style9\">Annual Interest Rate</div></td>",
             "txtAnnualInterestRate", "%</div></td>", false},
            {"    <td><div align=\"right\" class=\"style9\">Monthly Payment</div></td>",
             "txtMortgageMonthlyPayment", " </div></td>", false},
        };
        for (const auto& row : rows) {
            line("  <tr>");
            line(row.label);
            for (int m = 1; m <= 4; ++m) {
                const bool spaced = m == 1 && row.spacedFirst;
                const QString start =
                    spaced ? QStringLiteral(
                                 "    <td width=\"110\"><div align=\"center\" class=\"style9\" > ")
                           : QStringLiteral(
                                 "    <td width=\"110\"><div align=\"center\" class=\"style9\"> ");
                const QString name = QString::fromLatin1(row.field) + QString::number(m);
                const QString typed = m_form.text(name);
                line(start + EscapeReportText(typed) +
                     percentAfter(typed, QString::fromLatin1(row.after)));
            }
            line("  </tr>");
        }
        line("</table>");
    }

    void financialSummary() {
        line("<p align=\"center\" class=\"style10\"><br>Financial Summary </p>");
        line("<table width=\"98%\" border=\"0\">");
        pairRows({
            {QB_LEFT("Property Price : "),
             {QB_LVALUE, "txtQISPropertyPrice", "</td>"},
             QB_RIGHT("Total Cash Invested: "),
             {QB_RVALUE, "txtQISTotalCashInvested", "</td>"}},
            {QB_LEFT("Down Payment: "),
             {QB_LVALUE, "txtQISDownPayment", "</td>"},
             QB_RIGHT("Percentage Down: "),
             {QB_RVALUE, "txtQISPercentageDown", "</td>"}},
            {QB_LEFT("Closing Costs: "),
             {QB_LVALUE, "txtQISClosingCosts", "</td>"},
             QB_RIGHT("Cash Invested Percentage: "),
             {QB_RVALUE, "txtQISCashInvestedPercentage", "</td>"}},
        });
        line("  <tr>");
        line(QB_LEFT("Total Acquisition Cost: "));
        cell({QB_LVALUE, "txtQISTotalAcquisitionCost", "</td>"});
        line(QB_RIGHT("    "));
        line(QB_RVALUE "   </td>");
        line("  </tr>");
        pairRows({
            {QB_LEFT("Number Of Units: "),
             {QB_LVALUE, "txtQISNumberOfUnits", "</td>"},
             QB_RIGHT("Scheduled Annual Income: "),
             {QB_RVALUE, "txtQISScheduledAnnualIncome", "</td>"}},
            {QB_LEFT("Square Footage: "),
             {QB_LVALUE, "txtQISSquareFootage", "</td>"},
             QB_RIGHT("Annual Vacancy: "),
             {QB_RVALUE, "txtQISAnnualVacancy", "</td>"}},
            {QB_LEFT("Cost Per Unit: "),
             {QB_LVALUE, "txtQISCostPerUnit", "</td>"},
             QB_RIGHT("Actual Annual Gross Income: "),
             {QB_RVALUE, "txtQISActualAnnualGrossIncome", "</td>"}},
            {QB_LEFT("Cost Per Square Foot: "),
             {QB_LVALUE, "txtQISCostPerSquareFoot", "</td>"},
             QB_RIGHT("Annual Expenses: "),
             {QB_RVALUE, "txtQISAnnualExpenses", "</td>"}},
            {QB_LEFT("Average Rent Per Unit: "),
             {QB_LVALUE, "txtQISAverageRentPerUnit", "</td>"},
             QB_RIGHT("Annual Net Operating Income: "),
             {QB_RVALUE, "txtQISAnnualNetOperatingIncome", "</td>"}},
        });
        line("</table>");
    }

#undef QB_LEFT
#undef QB_RIGHT
#undef QB_LVALUE
#undef QB_RVALUE

    void cashflowFigures() {
        line("<p align=\"center\" class=\"style10\">  </p>");
        line("<table width=\"100%\" border=\"0\">");
#define QB_LABEL(label)                                                                            \
    "    <td width=\"50%\" class=\"style9\"><div align=\"right\">" label "</div></td>"
#define QB_VALUE "    <td width=\"50%\" class=\"style9\">"
        pairRows({
            {QB_LABEL("Capitilization Rate: "),
             {QB_VALUE, "txtQISCapitalizationRate", "</td>"},
             nullptr,
             {}},
            {QB_LABEL("Annual Debt Service: "),
             {QB_VALUE, "txtQISAnnualDebtService", "</td>"},
             nullptr,
             {}},
            {QB_LABEL("Net Annual Cashflow Before Taxes: "),
             {QB_VALUE, "txtNetAnnualCashflowBeforeTaxes", "</td>"},
             nullptr,
             {}},
            {QB_LABEL("Net Annual Cashflow Per Unit Before Taxes: "),
             {QB_VALUE, "txtQISNetAnnualCashflowPerUnitBeforeTaxes", "</td>"},
             nullptr,
             {}},
            {QB_LABEL("Net Monthly Cashflow Per Unit Before Taxes: "),
             {QB_VALUE, "txtQISNetMonthlyCashflowPerUnitBeforeTaxes", "</td>"},
             nullptr,
             {}},
        });
#undef QB_LABEL
#undef QB_VALUE
        line("</table>");
    }

    // The grid's last rows carry the note on what the outlook leaves out, so that it stays
    // with the grid on paper.
    void outlookTable(int firstYear, bool withNote = false) {
        line("<table width=\"90%\" border=\"1\" align=\"center\" > ");
        line("  <tr>");
        line("    <td class=\"style9\" width=\"15%\"> </td>");
        for (int y = firstYear; y < firstYear + 10; ++y)
            line(QStringLiteral("    <td class=\"style9\"><strong>Year ") + QString::number(y) +
                 QStringLiteral("</strong></td>"));
        const struct {
            const char* label;
            const char* field;
            bool bold;
        } rows[] = {
            {"Total Gross Income", "txt10CFTotalGrossIncome", false},
            {"Expected Vacancy", "txt10CFExpectedVacancy", false},
            {"Operating Expenses", "txt10CFOperatingExpenses", false},
            {"Mortgage Payments", "txt10CFTotalMortgages", false},
            {"Est. Income Tax", "txt10CFIncomeTaxes", false},
            {"Monthly Cash Flow", "txt10CFMonthCashflow", true},
            {"Annual Cash Flow", "txt10CFNetCashflow", true},
        };
        for (const auto& row : rows) {
            line("  </tr><tr>");
            line(QStringLiteral("    <td class=\"style9\"><strong>") +
                 QString::fromLatin1(row.label) + QStringLiteral("</strong></td>"));
            for (int y = firstYear; y < firstYear + 10; ++y) {
                const QString text = field(row.field, y);
                line(row.bold ? QStringLiteral("    <td class=\"style9\"><strong>") + text +
                                    QStringLiteral("</strong></td>")
                              : QStringLiteral("    <td class=\"style9\">") + text +
                                    QStringLiteral("</td>"));
            }
        }
        line("  </tr>");
        if (withNote) {
            line("  <tr>");
            line(QStringLiteral("    <td class=\"style9\" colspan=\"11\">") + ClassicOutlookNote() +
                 QStringLiteral("</td>"));
            line("  </tr>");
        }
        line("</table>");
    }

    void outlook() {
        line("<p align=\"center\" class=\"style10\"><br>Cash Flow Outlook</p>");
        line("<p align=\"center\" >");
        for (int k = 1; k <= 3; ++k)
            line(QStringLiteral("<img src=\"file://") + LinkText(ReportChartPath(m_folder, k)) +
                 QStringLiteral("\" width=\"589\" height=\"301\" /></span>"));
        line("</p>");
        outlookTable(1);
        line("<p align=\"center\" class=\"style10\">            </p>");
        outlookTable(11, true);
    }

    void propertyImages() {
        line("<p align=\"center\" class=\"style10\"><br>Property Images </p>");
        line("<table width=\"100\" border=\"0\" align=\"center\" > ");
        line("  <tr>");
        const int last = int(m_pictures.size()) - 1;
        for (int i = 1; i <= last; ++i) {
            QString path;
            picturePath(i, &path);
            pictureCell("    <td><span class=\"StoryTitle\"><img src=\"", path);
            if (i % 3 == 0 && i != last) {
                line("  </tr>");
                line("  <tr>");
            }
        }
        line("  </tr>");
        line("  <tr>");
        line("</table>");
    }

    void notes() {
        line("<p align=\"center\" class=\"style10\"><br>Miscellaneous Notes </p>");
        line("<p align=\"center\" class=\"style9\">");
        line(field("txtMiscNotes"));
        line("</p>");
    }

    void footer() {
        line("<p align=\"center\" class=\"style10\"></p>");
        for (int i = 0; i < 3; ++i)
            line("<p class=\"StoryTitle\"></p>");
        line("<p class=\"StoryTitle\">&nbsp;</p>");
        line("<hr>  ");
        line("<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"2\">");
        line("  <tr>");
        line(" <td class=\"FooterColor\" align=\"center\" >        ");
        banner();
        line("</span>  </td>");
        line("  </tr>");
        line("  <tr>");
        line("    <td class=\"FooterColor\">       <div class=\"style8\" align=\"center\"> This "
             "report is intended for analysis purposes only and in no way guarantees results of "
             "returns on your investments.</div></td>");
        line("  </tr>");
        line("  <tr>");
        line("    <td class=\"FooterColor\">       <div class=\"style9\" align=\"center\"> "
             "Copyright &copy; 2026 Harrowgate Software. All rights reserved.</div></td>");
        line("  </tr>");
        line("</table>");
        line(" <script type=\"text/javascript\"> javascript:window.print() </script>");
        line("</body>");
        line("</html>");
    }

    QIODevice* m_out;
    const Form& m_form;
    const QStringList& m_pictures;
    QString m_folder;
    QString m_imagesFolder;
};

} // namespace

QString ReportsFolder(const QString& programFolder) {
    return JoinProgramPath(programFolder, QStringLiteral("_reports/"));
}

QString ReportPagePath(const QString& programFolder) {
    return ReportsFolder(programFolder) + kPageName;
}

QString ReportChartPath(const QString& programFolder, int chart) {
    return ReportsFolder(programFolder) + QStringLiteral("tempImage%1.bmp").arg(chart);
}

QString ReportLogoPath(const QString& programFolder) {
    return ReportsFolder(programFolder) + QStringLiteral("tempImageLOGO.bmp");
}

QString ClassicOutlookNote() {
    return QStringLiteral("Classic outlook: income tax on operating income before interest and "
                          "depreciation; loan payments in every year, also after payoff. "
                          "Investment Returns deducts both and stops payments at payoff.");
}

QString ProductPageAddress() {
    return QStringLiteral("https://www.harrowgate.example/quillbrook/");
}

void WriteAnalysisReport(QIODevice* out, const Form& form, const QStringList& pictures,
                         const QString& programFolder, const QString& imagesFolder) {
    PageWriter(out, form, pictures, programFolder,
               imagesFolder.isEmpty() ? programFolder : imagesFolder)
        .write();
}

QString EscapeReportText(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        switch (c.unicode()) {
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        case '"':
            out += QLatin1String("&quot;");
            break;
        case '\r':
            // CR LF, CR alone and LF alone are all one line break of the page.
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            out += QLatin1String("\r\n");
            break;
        case '\n':
            out += QLatin1String("\r\n");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QByteArray EncodeReportLine(const QString& line) {
    QByteArray bytes;
    if (EncodeWindows1252(line, &bytes))
        return bytes;
    QByteArray out;
    out.reserve(line.size() + 16);
    QByteArray one;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c.isHighSurrogate() && i + 1 < line.size() && line.at(i + 1).isLowSurrogate()) {
            const char32_t code = QChar::surrogateToUcs4(c, line.at(i + 1));
            out += "&#" + QByteArray::number(uint(code)) + ';';
            ++i;
        } else if (c.isSurrogate()) {
            out += "&#65533;"; // half a pair has no character to name
        } else if (EncodeWindows1252(QString(c), &one)) {
            out += one;
        } else {
            out += "&#" + QByteArray::number(c.unicode()) + ';';
        }
    }
    return out;
}
