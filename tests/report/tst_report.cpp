// The analysis page: the whole page against a stored expected page for a fixed property, the
// characters that must not reach the page raw, its code page, and the picture cells.
#include "analysis/analysis.h"
#include "base/errortrap.h"
#include "base/textcodec.h"
#include "model/memoryform.h"
#include "report/analysisreport.h"
#include "testsupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The fixed property of the expected page. No two fields hold the same text (and the outlook
// differs from year to year), so a field written into the wrong cell shows.
void FillProperty(MemoryForm& form) {
    const QList<QPair<const char*, const char*>> values = {
        {"txtPropertyInformation", "Maple Court Duplex"},
        {"txtAddress", "12 Maple Court, Springfield"},
        {"txtUnits", "2"},
        {"txtSquareFootage", "2400"},
        {"txtCurrentMarketValue", "$250,000"},
        {"txtPurchasePrice", "$240,000"},
        {"txtDownPayment", "48000"},
        {"txtClosingCosts", "$4,500.00"},
        {"txtAppreciation", "3.5"},
        {"txtDepreciateAsImprovements", "80"},
        {"txtGrossMonthlyIncome", "$2,400"},
        {"txtOtherMonthlyIncome", "$100"},
        {"txtExpectedVacancyRate", "4.5"},
        {"txtAnnualRateIncrease", "2.5"},
        {"txtRepairAndMaintenance", "$1,200"},
        {"txtPropertyManagement", "$2,880"},
        {"txtSalaryAndWages", "$0"},
        {"txtPropertyTaxes", "$3,600"},
        {"txtInsurance", "$1,100"},
        {"txtProfessionalServices", "$300"},
        {"txtWaterSewerGarbage", "$900"},
        {"txtUtilities", "$600"},
        {"txtAdvertising", "$150"},
        {"txtOfficeSupplies", "$50"},
        {"txtMiscellaneousExpenses", "$200"},
        {"txtOperatingCostIncrease", "3"},
        {"txtFederalTaxRate", "28"},
        {"txtStateTaxRate", "5"},
        {"txtLongTermCapitolGainsRate", "15"},
        {"txtMortgagePrincipal1", "$192,000"},
        {"txtAmortizationTerm1", "360"},
        {"txtAnnualInterestRate1", "6.5"},
        {"txtMortgageMonthlyPayment1", "$1,213.57"},
        {"txtMortgagePrincipal2", "$20,000"},
        {"txtAmortizationTerm2", "120"},
        {"txtAnnualInterestRate2", "7"},
        {"txtMortgageMonthlyPayment2", "$232.22"},
        {"txtMortgagePrincipal3", "$5,000"},
        {"txtAmortizationTerm3", "60"},
        {"txtAnnualInterestRate3", "8"},
        {"txtMortgageMonthlyPayment3", "$101.38"},
        {"txtMortgagePrincipal4", ""},
        {"txtAmortizationTerm4", "12"},
        {"txtAnnualInterestRate4", "0"},
        {"txtMortgageMonthlyPayment4", "$0.00"},
        {"txtQISPropertyPrice", "$240,000.00"},
        {"txtQISTotalCashInvested", "$52,500"},
        {"txtQISDownPayment", "$48,000"},
        {"txtQISPercentageDown", "20.00%"},
        {"txtQISClosingCosts", "$4,500"},
        {"txtQISCashInvestedPercentage", "21.88%"},
        {"txtQISTotalAcquisitionCost", "$244,500"},
        {"txtQISNumberOfUnits", "2.0"},
        {"txtQISScheduledAnnualIncome", "$30,000"},
        {"txtQISSquareFootage", "2,400"},
        {"txtQISAnnualVacancy", "($1,440)"},
        {"txtQISCostPerUnit", "$122,250"},
        {"txtQISActualAnnualGrossIncome", "$28,560"},
        {"txtQISCostPerSquareFoot", "$101.88"},
        {"txtQISAnnualExpenses", "($10,980)"},
        {"txtQISAverageRentPerUnit", "$1,250"},
        {"txtQISAnnualNetOperatingIncome", "$17,580"},
        {"txtQISCapitalizationRate", "7.19%"},
        {"txtQISAnnualDebtService", "($17,349)"},
        {"txtNetAnnualCashflowBeforeTaxes", "$231"},
        {"txtQISNetAnnualCashflowPerUnitBeforeTaxes", "$116"},
        {"txtQISNetMonthlyCashflowPerUnitBeforeTaxes", "$10"},
    };
    QSet<QByteArray> distinct;
    for (const auto& v : values) {
        const QString name = QString::fromLatin1(v.first);
        QVERIFY2(form.hasField(name), v.first);
        QVERIFY2(!distinct.contains(v.second), v.first);
        distinct.insert(v.second);
        form.setText(name, QString::fromLatin1(v.second));
    }
    form.setText(QStringLiteral("txtMiscNotes"),
                 QStringLiteral("Roof replaced in 2003.\nTenant in unit B since 1999; caf\u00e9 "
                                "downstairs."));
    for (int y = 1; y <= 20; ++y) {
        form.setText(QStringLiteral("txt10CFTotalGrossIncome"),
                     QStringLiteral("$%1,000").arg(30 + y), y);
        form.setText(QStringLiteral("txt10CFExpectedVacancy"),
                     QStringLiteral("($1,4%1)").arg(y, 2, 10, QLatin1Char('0')), y);
        form.setText(QStringLiteral("txt10CFOperatingExpenses"),
                     QStringLiteral("($11,%1)").arg(10 * y, 3, 10, QLatin1Char('0')), y);
        form.setText(QStringLiteral("txt10CFTotalMortgages"), QStringLiteral("$17,%1").arg(300 + y),
                     y);
        form.setText(QStringLiteral("txt10CFIncomeTaxes"), QStringLiteral("$%1").arg(500 + y), y);
        form.setText(QStringLiteral("txt10CFMonthCashflow"), QStringLiteral("($%1)").arg(y), y);
        form.setText(QStringLiteral("txt10CFNetCashflow"), QStringLiteral("($%1)").arg(12 * y), y);
    }
}

QByteArray WritePage(const Form& form, const QStringList& pictures, const QString& folder) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteAnalysisReport(&buffer, form, pictures, folder);
    return buffer.data();
}

// The page's lines, decoded; fails the test when a line does not end in CR LF.
QStringList PageLines(const QByteArray& page) {
    QStringList lines = DecodeWindows1252(page).split(QStringLiteral("\r\n"));
    [&] {
        QVERIFY2(page.endsWith("\r\n"), "the last line ends in CR LF");
        QCOMPARE(page.count('\n'), page.count("\r\n"));
        QCOMPARE(page.count('\r'), page.count("\r\n"));
    }();
    lines.removeLast();
    return lines;
}

// The lines from the one starting with `first` up to the next one equal to `last`.
QStringList Section(const QStringList& lines, const QString& first, const QString& last) {
    const qsizetype from = lines.indexOf(first);
    if (from < 0)
        return {};
    const qsizetype to = lines.indexOf(last, from);
    return lines.mid(from, to - from + 1);
}

const QString kImagesHeading =
    QStringLiteral("<p align=\"center\" class=\"style10\"><br>Property Images </p>");

} // namespace

class ReportTest : public QObject {
    Q_OBJECT

private slots:
    void wholePageMatchesTheExpectedPage() {
        QTemporaryDir program;
        QTemporaryDir pictures;
        for (const char* name : {"front.jpg", "back.png"})
            WriteFile(pictures.filePath(QString::fromLatin1(name)), "picture");
        MemoryForm form;
        FillProperty(form);
        const QStringList list{QString(), pictures.filePath(QStringLiteral("front.jpg")),
                               pictures.filePath(QStringLiteral("back.png")),
                               QStringLiteral("/gone/side.jpg"),
                               QStringLiteral("/_data/_propertyImages/20051106143012.jpg")};

        const QByteArray page = WritePage(form, list, program.path());
        const QStringList actual = PageLines(page);

        QFile file(qEnvironmentVariable("QB_SOURCE_DIR") +
                   QStringLiteral("/tests/report/data/expected_report.html"));
        QVERIFY2(file.open(QIODevice::ReadOnly), "QB_SOURCE_DIR names the source tree");
        QString expectedText = QString::fromUtf8(file.readAll());
        expectedText.replace(QStringLiteral("@FOLDER@"), program.path());
        expectedText.replace(QStringLiteral("@DIR@"), pictures.path());
        QStringList expected = expectedText.split(QLatin1Char('\n'));
        expected.removeLast();

        for (qsizetype i = 0; i < std::min(actual.size(), expected.size()); ++i)
            QVERIFY2(actual.at(i) == expected.at(i),
                     qPrintable(QStringLiteral("line %1:\n  got      [%2]\n  expected [%3]")
                                    .arg(i + 1)
                                    .arg(actual.at(i), expected.at(i))));
        QCOMPARE(actual.size(), expected.size());
        // The one character beyond ASCII went out as its Windows-1252 byte.
        QVERIFY(page.contains("caf\xE9 downstairs"));
    }

    // The rehab and refinance inputs belong to the investment returns alone: neither a classic
    // figure nor the page changes for them.
    void rehabAndRefinanceLeaveThePageAlone() {
        MemoryForm form;
        FillProperty(form);
        RecalculateAnalysis(form);
        const QByteArray before = WritePage(form, {QString()}, QStringLiteral("/p"));
        for (const char* name : {"txtRehabCost", "txtRehabMonths", "txtHoldingCosts",
                                 "txtAfterRepairValue", "txtRefinanceMonth", "txtRefinanceLTV",
                                 "txtRefinanceRate", "txtRefinanceTerm", "txtRefinanceCosts"})
            form.setText(QString::fromLatin1(name), QStringLiteral("7"));
        RecalculateAnalysis(form);
        QCOMPARE(WritePage(form, {QString()}, QStringLiteral("/p")), before);
    }

    void markupInFieldTextsIsEscaped() {
        MemoryForm form;
        FillProperty(form);
        form.setText(QStringLiteral("txtPropertyInformation"),
                     QStringLiteral("Smith & Sons <Annex> \"B\""));
        form.setText(QStringLiteral("txtMiscNotes"),
                     QStringLiteral("<script>alert('x')</script><img src=x onerror=alert(1)>"));
        form.setText(QStringLiteral("txt10CFNetCashflow"), QStringLiteral("</td></table>"), 20);
        const QStringList lines = PageLines(WritePage(form, {QString()}, QStringLiteral("/p")));

        const QString name = QStringLiteral("Smith &amp; Sons &lt;Annex&gt; &quot;B&quot;");
        QVERIFY(lines.contains(
            QStringLiteral("<title>Harrowgate Quillbrook - Financial Analysis Summary for ") +
            name + QStringLiteral(" </title>")));
        QVERIFY(lines.contains(
            QStringLiteral("<br>Financial Analysis Summary Report for <br><strong>") + name +
            QStringLiteral(" </strong></div>")));
        QVERIFY(lines.contains(QStringLiteral("    <td class=\"style9\"><span class=\"style9\"> ") +
                               name + QStringLiteral(" </span></td>")));
        QVERIFY(lines.contains(QStringLiteral(
            "&lt;script&gt;alert('x')&lt;/script&gt;&lt;img src=x onerror=alert(1)&gt;")));
        QVERIFY(lines.contains(QStringLiteral(
            "    <td class=\"style9\"><strong>&lt;/td&gt;&lt;/table&gt;</strong></td>")));
        // The print request stays the page's only script, and the tables stay whole.
        QCOMPARE(lines.filter(QStringLiteral("<script")).size(), 1);
        QCOMPARE(lines.filter(QStringLiteral("</table>")).size(), 14);
    }

    void notesKeepTheirLineBreaks_data() {
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QStringList>("written");
        QTest::newRow("empty") << QString() << QStringList{QString()};
        QTest::newRow("LF") << QStringLiteral("a\nb") << QStringList{"a", "b"};
        QTest::newRow("CR LF") << QStringLiteral("a\r\nb") << QStringList{"a", "b"};
        QTest::newRow("CR") << QStringLiteral("a\rb") << QStringList{"a", "b"};
        QTest::newRow("blank lines")
            << QStringLiteral("a\n\n b \n") << QStringList{"a", "", " b ", ""};
    }
    void notesKeepTheirLineBreaks() {
        QFETCH(QString, notes);
        QFETCH(QStringList, written);
        MemoryForm form;
        form.setText(QStringLiteral("txtMiscNotes"), notes);
        const QStringList lines = PageLines(WritePage(form, {QString()}, QStringLiteral("/p")));
        const QStringList section = Section(
            lines, QStringLiteral("<p align=\"center\" class=\"style9\">"), QStringLiteral("</p>"));
        QCOMPARE(section.mid(1, section.size() - 2), written);
    }

    void charactersBeyondTheCodePage_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ASCII") << QStringLiteral("$1,234") << QByteArray("$1,234");
        QTest::newRow("Latin-1") << QStringLiteral("Stra\u00dfe \u00e9")
                                 << QByteArray("Stra\xDF"
                                               "e \xE9");
        QTest::newRow("euro in the 0x80 block") << QStringLiteral("\u20ac5")
                                                << QByteArray("\x80"
                                                              "5");
        QTest::newRow("curly quotes") << QStringLiteral("\u201cA\u201d")
                                      << QByteArray("\x93"
                                                    "A\x94");
        QTest::newRow("Greek") << QStringLiteral("\u03a9 m") << QByteArray("&#937; m");
        QTest::newRow("CJK") << QStringLiteral("\u6771\u4eac") << QByteArray("&#26481;&#20140;");
        QTest::newRow("outside the BMP")
            << QStringLiteral("a\U0001F3E0b") << QByteArray("a&#127968;b");
        QTest::newRow("half a pair")
            << QString(QChar(0xD800)) + QLatin1Char('x') << QByteArray("&#65533;x");
    }
    void charactersBeyondTheCodePage() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(EncodeReportLine(text), bytes);

        // And in place: the address cell of a written page.
        MemoryForm form;
        form.setText(QStringLiteral("txtAddress"), text);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        WriteAnalysisReport(&buffer, form, {QString()}, QStringLiteral("/p"));
        QVERIFY(buffer.data().contains("<span class=\"style9\">" + bytes + " </span></td>\r\n"));
    }

    void pictureRows_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("rows"); // cells per row, the closing empty row left out
        QTest::newRow("none") << 0 << QList<int>{0};
        QTest::newRow("one") << 1 << QList<int>{1};
        QTest::newRow("three") << 3 << QList<int>{3};
        QTest::newRow("four") << 4 << QList<int>{3, 1};
        QTest::newRow("six") << 6 << QList<int>{3, 3};
        QTest::newRow("seven") << 7 << QList<int>{3, 3, 1};
    }
    void pictureRows() {
        QFETCH(int, count);
        QFETCH(QList<int>, rows);
        QStringList list{QString()};
        for (int i = 1; i <= count; ++i)
            list.append(QStringLiteral("/nowhere/p%1.jpg").arg(i));
        MemoryForm form;
        const QStringList lines = PageLines(WritePage(form, list, QStringLiteral("/prog")));

        const QStringList table = Section(lines, kImagesHeading, QStringLiteral("</table>"));
        QVERIFY(table.size() > 4);
        QCOMPARE(table.at(1),
                 QStringLiteral("<table width=\"100\" border=\"0\" align=\"center\" > "));
        QCOMPARE(table.mid(table.size() - 3),
                 (QStringList{QStringLiteral("  </tr>"), QStringLiteral("  <tr>"),
                              QStringLiteral("</table>")}));
        // Split the rows at "  </tr>" / "  <tr>" and count their cells, in list order.
        QList<int> found{0};
        int picture = 0;
        for (const QString& l : table.mid(3, table.size() - 6)) {
            if (l == QLatin1String("  </tr>"))
                continue;
            if (l == QLatin1String("  <tr>")) {
                found.append(0);
                continue;
            }
            ++picture;
            QCOMPARE(l,
                     QStringLiteral("    <td><span class=\"StoryTitle\"><img src=\"/prog/nowhere/"
                                    "p%1.jpg\" alt= 111  width=\"207\" height=\"138\" "
                                    "/></span></td>")
                         .arg(picture));
            ++found.last();
        }
        QCOMPARE(found, rows);

        // The first picture also heads the property table; without one the cell is left out.
        const QStringList property =
            Section(lines, QStringLiteral("<table width=\"80%\" border=\"1\" align=\"center\">   "),
                    QStringLiteral("</table>"));
        QCOMPARE(property.filter(QStringLiteral("rowspan=\"6\"")).size(), count > 0 ? 1 : 0);
        QCOMPARE(property.at(2).contains(QStringLiteral("/prog/nowhere/p1.jpg")), count > 0);
    }

    void picturePathsAndProgramFolder() {
        QTemporaryDir dir;
        const QString existing = dir.filePath(QStringLiteral("a&b.jpg"));
        WriteFile(existing, "x");
        MemoryForm form;
        // A folder reported with blanks around it is used exactly as reported: for the links
        // and for a reference that is not found on its own.
        const QStringList lines = PageLines(
            WritePage(form, {QString(), existing, QStringLiteral("/pics/x\".jpg"), dir.path()},
                      QStringLiteral(" /opt/qb ")));
        const QStringList cells = lines.filter(QStringLiteral("alt= 111 "));
        QCOMPARE(cells.size(), 4);
        QVERIFY(cells.at(1).contains(QStringLiteral("src=\"") + dir.path() + "/a&amp;b.jpg\""));
        QVERIFY(cells.at(2).contains(QStringLiteral("src=\" /opt/qb /pics/x&quot;.jpg\"")));
        // A folder is not a picture file.
        QVERIFY(cells.at(3).contains(QStringLiteral("src=\" /opt/qb ") + dir.path() + "\""));
        QVERIFY(lines.contains(QStringLiteral(
            "<img src=\"file:// /opt/qb /_reports/tempImage2.bmp\" width=\"589\" height=\"301\" "
            "/></span>")));
        QCOMPARE(
            lines.filter(QStringLiteral("file:// /opt/qb /_images/hgtQuillbrookLogoSmall4.jpg"))
                .size(),
            2);
        QCOMPARE(ReportPagePath(QStringLiteral("/opt/qb/")),
                 QStringLiteral("/opt/qb/_reports/financialAnalysisDetail.html"));

        // A folder name with characters a browser reads as the end of a path ("C#" ends it at a
        // fragment) or as an escape still names the files that are there.
        QTemporaryDir odd;
        const QString folder = odd.filePath(QStringLiteral("C#  100%20?"));
        const QString linked = odd.path() + QStringLiteral("/C%23  100%2520%3F");
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/_data")));
        const QString picture = folder + QStringLiteral("/_data/1.jpg");
        WriteFile(picture, "x");
        const QStringList oddLines =
            PageLines(WritePage(form, {QString(), picture, QStringLiteral("/gone.jpg")}, folder));
        QCOMPARE(oddLines
                     .filter(QStringLiteral("\"file://") + linked +
                             QStringLiteral("/_images/hgtQuillbrookLogoSmall4.jpg\""))
                     .size(),
                 2);
        QVERIFY(oddLines.contains(QStringLiteral("<img src=\"file://") + linked +
                                  QStringLiteral("/_reports/tempImage3.bmp\" width=\"589\" "
                                                 "height=\"301\" /></span>")));
        const QStringList oddCells = oddLines.filter(QStringLiteral("alt= 111 "));
        QCOMPARE(oddCells.size(), 3);
        QVERIFY(oddCells.at(0).contains(QStringLiteral("src=\"") + linked + "/_data/1.jpg\""));
        QVERIFY(oddCells.at(2).contains(QStringLiteral("src=\"") + linked + "/gone.jpg\""));
    }

    void aMovedProgramFolderStillLinksItsPictures() {
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("_data/_propertyImages"))));
        WriteFile(dir.filePath(QStringLiteral("_data/_propertyImages/1.jpg")), "x");
        MemoryForm form;
        const QStringList cells =
            PageLines(WritePage(form,
                                {QString(), QStringLiteral("/gone/qb/_data/_propertyImages/1.jpg"),
                                 QStringLiteral("/gone/qb/_data/_propertyImages/2.jpg")},
                                dir.path()))
                .filter(QStringLiteral("alt= 111 "));
        QCOMPARE(cells.size(), 3);
        QVERIFY(cells.at(1).contains(QStringLiteral("src=\"") + dir.path() +
                                     "/_data/_propertyImages/1.jpg\""));
        // No file of that name: the reference below the folder, as before.
        QVERIFY(cells.at(2).contains(QStringLiteral("src=\"") + dir.path() + "/gone/qb/"));
    }

    // A copy this program made and that was removed since links where it was, not below the
    // folder a second time; with or without a separator at the folder's end.
    void aRemovedCopyLinksToItsOwnPlace() {
        QTemporaryDir dir;
        for (const QString& folder : {dir.path(), dir.path() + QLatin1Char('/')}) {
            const QString gone = dir.path() + QStringLiteral("/_data/_propertyImages/1.jpg");
            const QStringList cells = PageLines(WritePage(MemoryForm(), {QString(), gone}, folder))
                                          .filter(QStringLiteral("alt= 111 "));
            QCOMPARE(cells.size(), 2);
            for (const QString& cell : cells) {
                QVERIFY(cell.contains(QStringLiteral("src=\"") + gone + QLatin1Char('"')));
                QCOMPARE(cell.count(dir.path()), 1);
            }
        }
    }

    void theBannerLogoKeepsItsProportions() {
        const QStringList banner =
            PageLines(WritePage(MemoryForm(), {QString()}, QStringLiteral("/opt/qb")))
                .filter(QStringLiteral("hgtQuillbrookLogoSmall4.jpg"));
        QVERIFY(!banner.isEmpty());
        const QRegularExpressionMatch size =
            QRegularExpression(QStringLiteral("width=\"(\\d+)\" height=\"(\\d+)\""))
                .match(banner.first());
        QVERIFY(size.hasMatch());
        const QSize drawn(size.captured(1).toInt(), size.captured(2).toInt());
        const QSize picture =
            QImageReader(qEnvironmentVariable("QB_SOURCE_DIR") +
                         QStringLiteral("/resources/_images/hgtQuillbrookLogoSmall4.jpg"))
                .size();
        QVERIFY(picture.isValid());
        // Drawn at the page's width, the picture's height is the page's within one pixel.
        QVERIFY2(qAbs(picture.width() * drawn.height() - picture.height() * drawn.width()) <=
                     picture.width(),
                 qPrintable(QStringLiteral("%1x%2").arg(picture.width()).arg(picture.height())));
    }

    // The page puts a "%" after every rate: one typed with its own (trailing blanks and all)
    // keeps just that one, in every group of the page; a rate typed plainly still gets one.
    void aRateTypedWithItsPercentShowsItOnce() {
        MemoryForm form;
        FillProperty(form);
        for (const char* name :
             {"txtAppreciation", "txtDepreciateAsImprovements", "txtExpectedVacancyRate",
              "txtOperatingCostIncrease", "txtFederalTaxRate", "txtAnnualInterestRate2"})
            form.setText(QString::fromLatin1(name), QStringLiteral("3%"));
        form.setText(QStringLiteral("txtLongTermCapitolGainsRate"), QStringLiteral("4 % "));
        const QByteArray page = WritePage(form, {QString()}, QStringLiteral("/p"));
        QVERIFY(!page.contains("%%"));
        QVERIFY(!page.contains("% %"));
        QCOMPARE(page.count("3%</") + page.count("3% </"), 6);
        QVERIFY(page.contains(">4 % </td>"));
        QVERIFY(page.contains("> 6.5%</div>")); // the first loan's rate, typed "6.5"
    }

    void aFailingDeviceStopsTheWrite() {
        MemoryForm form;
        FailingDevice device(1000);
        device.open(QIODevice::WriteOnly);
        int number = 0;
        try {
            WriteAnalysisReport(&device, form, {QString()}, QStringLiteral("/p"));
        } catch (const RuntimeError& e) {
            number = e.number();
        }
        QCOMPARE(number, 75);
        QVERIFY(device.data().size() <= 1000);
    }
};

QTEST_GUILESS_MAIN(ReportTest)
#include "tst_report.moc"
