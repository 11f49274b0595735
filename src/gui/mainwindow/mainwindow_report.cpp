// The Tools menu's "Print Cash Flow Analysis": brings the outlook up to date for 5, 10 and 20
// years, draws its chart for each into a bitmap, writes the analysis page into the reports
// folder and hands it to the browser, then puts the user back on the view they were on.
#include "base/errortrap.h"
#include "base/programfolder.h"
#include "base/safefile.h"
#include "gui/commands/reportcommand.h"
#include "gui/dialogs/prompts.h"
#include "gui/mainwindow/mainwindow.h"
#include "gui/views/financialview.h"
#include "gui/views/outlookview.h"
#include "gui/views/propertyview.h"
#include "gui/views/returnsview.h"
#include "gui/views/summaryview.h"
#include "gui/widgets/outlookchart.h"
#include "report/analysisreport.h"

#include <QAction>
#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QMenu>
#include <QThread>

void MainWindow::buildReportCommand() {
    m_picGraphPrintingPictureBox = new ReportCanvas(this);
    m_mnuToolsmnuPrintAnalysis = new QAction(QStringLiteral("Print &Cash Flow Analysis"), this);
    m_mnuToolsmnuPrintAnalysis->setObjectName(QStringLiteral("mnuToolsmnuPrintAnalysis"));
    m_mnuTools->addAction(m_mnuToolsmnuPrintAnalysis);
    connect(m_mnuToolsmnuPrintAnalysis, &QAction::triggered, this,
            &MainWindow::mnuToolsmnuPrintAnalysis_Click);
    connect(m_mnuTools, &QMenu::aboutToShow, this, &MainWindow::mnuTools_Click);
    mnuTools_Click();
}

void MainWindow::mnuTools_Click() {
    // There is something to print only while a property is open.
    m_mnuToolsmnuPrintAnalysis->setEnabled(m_frameHome->isHidden());
}

void MainWindow::mnuToolsmnuPrintAnalysis_Click() {
    PrintFinancialAnalysisReport();
}

void MainWindow::PrintFinancialAnalysisReport() {
    const QString folder = ProgramFolder();
    const QString page = ReportPagePath(folder);
    ReportCanvas& box = *m_picGraphPrintingPictureBox;

    QFrame* view = nullptr;
    Trap(5010, [&] {
        for (QFrame* frame :
             std::initializer_list<QFrame*>{m_frameProperty, m_frameFinancial, m_frameQuickView,
                                            m_frame5YearView, m_frameReturnsView}) {
            if (frameShown(frame)) {
                view = frame;
                break;
            }
        }
    });
    Trap(5020, [&] {
        if (QFileInfo::exists(page) && !QFile::remove(page))
            RaiseError(75);
    });
    Trap(5030, [&] { img5YearView_Click(); });

    Trap(5040, [&] { box.setSizeTwips(2280, 1455); });
    Trap(5050,
         [&] { box.loadPicture(ResourcePath(QStringLiteral("_images/hgtQBLogoSmall.jpg"))); });
    // Files that did not reach the disk whole: the page is then not handed to the browser.
    QStringList unwritten;
    if (!Trap(5060, [&] { box.saveBitmap(ReportLogoPath(folder)); }))
        unwritten << ReportLogoPath(folder);

    Trap(5070, [&] { box.setSizeTwips(9615, 4575); });
    for (int k = 0; k < 3; ++k) {
        const int location = 5080 + 10 * k;
        Trap(location, [&] {
            // Choosing the period already shown still recomputes it.
            if (m_frame5YearView->choosePeriod(k))
                cmbCFAYears_Click();
        });
        Trap(location + 1, [&] { box.setPictureFromChart(*chart()); });
        if (!Trap(location + 2, [&] { box.saveBitmap(ReportChartPath(folder, k + 1)); }))
            unwritten << ReportChartPath(folder, k + 1);
    }

    const bool pageWritten = Trap(5120, [&] {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        WriteAnalysisReport(&out, *this, m_commands->g_sListOfImagesForProperty, folder,
                            ResourceFolder());
        QString errorText;
        QFileDevice::FileError error = QFileDevice::NoError;
        if (!SaveFileBytes(page, out.data(), &errorText, &error))
            RaiseError(error == QFileDevice::PermissionsError ? 70 : 75,
                       errorText + QStringLiteral(": ") + page);
    });
    if (!pageWritten)
        unwritten.prepend(page);

    Trap(5130, [&] {
        if (view == m_frameProperty)
            imgProperty_Click();
        else if (view == m_frameFinancial)
            imgFinancial_Click();
        else if (view == m_frameQuickView)
            imgQuickView_Click();
        else if (view == m_frame5YearView)
            img5YearView_Click();
        else if (view == m_frameReturnsView)
            imgReturnsView_Click();
    });

    // The browser is handed a page whose window has settled.
    Trap(5140, [&] {
        processPendingEvents();
        QThread::msleep(100);
        processPendingEvents();
    });
    if (!unwritten.isEmpty()) {
        Trap(5145, [&] {
            PromptMessage m;
            m.title = QStringLiteral("Report Not Written");
            m.text = QStringLiteral("The report could not be written:\r\n\r\n   ") +
                     QDir::toNativeSeparators(unwritten.join(QStringLiteral("\r\n   "))) +
                     QStringLiteral("\r\n\r\nThe disk may be full or the folder read-only; "
                                    "the error log holds the details.");
            m.icon = PromptIcon::Critical;
            m.buttons = PromptButtons::Ok;
            prompts().message(m);
        });
        return;
    }
    Trap(5150, [&] { openPage(page); });
}
