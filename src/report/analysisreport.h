#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class Form;
class QIODevice;

// The printable "Financial Analysis Summary" page of the open property: every figure the user
// typed and the program derived, the 20-year outlook with its three chart images, the
// property's pictures and the notes. The page is Windows-1252 text with CR LF line ends.

// Where the page's images live, relative to the program folder.
QString ReportsFolder(const QString& programFolder);
QString ReportPagePath(const QString& programFolder);
QString ReportChartPath(const QString& programFolder, int chart); // chart 1..3
QString ReportLogoPath(const QString& programFolder);

// The line under the outlook, on screen and on the page: what the outlook leaves out on purpose
// and where the figures that do not are.
QString ClassicOutlookNote();

// The product page the banner links to.
QString ProductPageAddress();

// Writes the whole page. `pictures` is the open property's picture list (element 0 unused,
// references from element 1 on); `programFolder` is the folder as reported, untrimmed (picture
// references that are not found on their own are taken relative to it). A failed write raises
// error 75 and leaves the rest of the page unwritten. `imagesFolder` holds the program's own
// "_images" when they are not below `programFolder` (an installed program).
void WriteAnalysisReport(QIODevice* out, const Form& form, const QStringList& pictures,
                         const QString& programFolder, const QString& imagesFolder = QString());

// A field text made safe to stand in the page: markup characters become entities, so a name
// like "Smith & Sons <Annex>" shows as typed and a note cannot carry script into the page.
// Every line break becomes CR LF.
QString EscapeReportText(const QString& text);

// One line of the page in Windows-1252; a character that has no place there is written as a
// numeric character reference.
QByteArray EncodeReportLine(const QString& line);
