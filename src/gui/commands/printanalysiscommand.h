#pragma once

#include <QObject>

class Form;
class OutlookChart;
class Prompts;
class QAction;
class QMenu;
class ReportCanvas;

// The size of the page's chart bitmaps, which the page then shows at 589 × 301 pixels.
constexpr int kReportChartWidthTwips = 9615;
constexpr int kReportChartHeightTwips = 4575;

// What printing the analysis needs from the window: its fields, the four views and the
// outlook's chart.
class PrintAnalysisHost {
public:
    // The views in the navigation strip's order; None is the home page.
    enum View { None, Property, Financial, Summary, Outlook, Returns };

    virtual ~PrintAnalysisHost() = default;
    virtual Form& form() = 0;
    virtual Prompts& prompts() = 0;
    virtual bool isHomePageVisible() const = 0;
    virtual View shownView() const = 0;
    virtual void showView(View view) = 0;
    // Puts the outlook on its period 0..2 (5, 10, 20 years), recomputing it even when that
    // period is already shown.
    virtual void showOutlookPeriod(int period) = 0;
    virtual const OutlookChart& chart() const = 0;
    virtual const QStringList& propertyPictures() const = 0;
    // Hands a page to the browser, telling the user where it is when none starts.
    virtual void openPage(const QString& path) = 0;
};

// The Tools menu's "Print Cash Flow Analysis": brings the outlook up to date for 5, 10 and 20
// years, draws its chart for each into a bitmap, writes the analysis page into the reports
// folder and hands it to the browser, then puts the user back on the view they were on.
class PrintAnalysisCommand : public QObject {
    Q_OBJECT
public:
    // Adds its entry to the Tools menu, enabled only while a property is open.
    PrintAnalysisCommand(PrintAnalysisHost& host, QMenu* tools, QObject* parent);

    void updateEntry();
    void print();

private:
    PrintAnalysisHost& m_host;
    QAction* m_entry = nullptr;
    ReportCanvas* m_canvas = nullptr;
};
