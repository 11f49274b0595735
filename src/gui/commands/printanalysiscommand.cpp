#include "gui/commands/printanalysiscommand.h"

#include "base/errortrap.h"
#include "base/programfolder.h"
#include "base/safefile.h"
#include "gui/commands/reportcommand.h"
#include "gui/dialogs/prompts.h"
#include "model/form.h"
#include "report/analysisreport.h"

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QThread>

PrintAnalysisCommand::PrintAnalysisCommand(PrintAnalysisHost& host, QMenu* tools, QObject* parent)
    : QObject(parent), m_host(host) {
    m_canvas = new ReportCanvas(this);
    m_entry = new QAction(QStringLiteral("Print &Cash Flow Analysis"), parent);
    m_entry->setObjectName(QStringLiteral("mnuToolsmnuPrintAnalysis"));
    tools->addAction(m_entry);
    connect(m_entry, &QAction::triggered, this, &PrintAnalysisCommand::print);
    connect(tools, &QMenu::aboutToShow, this, &PrintAnalysisCommand::updateEntry);
    updateEntry();
}

void PrintAnalysisCommand::updateEntry() {
    // There is something to print only while a property is open.
    m_entry->setEnabled(!m_host.isHomePageVisible());
}

void PrintAnalysisCommand::print() {
    const QString folder = ProgramFolder();
    const QString page = ReportPagePath(folder);
    ReportCanvas& box = *m_canvas;

    PrintAnalysisHost::View view = PrintAnalysisHost::None;
    Trap(5010, [&] { view = m_host.shownView(); });
    Trap(5020, [&] {
        if (QFileInfo::exists(page) && !QFile::remove(page))
            RaiseError(75);
    });
    Trap(5030, [&] { m_host.showView(PrintAnalysisHost::Outlook); });

    Trap(5040, [&] { box.setSizeTwips(2280, 1455); });
    Trap(5050,
         [&] { box.loadPicture(ResourcePath(QStringLiteral("_images/hgtQBLogoSmall.jpg"))); });
    // Files that did not reach the disk whole: the page is then not handed to the browser.
    QStringList unwritten;
    if (!Trap(5060, [&] { box.saveBitmap(ReportLogoPath(folder)); }))
        unwritten << ReportLogoPath(folder);

    Trap(5070, [&] { box.setSizeTwips(kReportChartWidthTwips, kReportChartHeightTwips); });
    for (int k = 0; k < 3; ++k) {
        const int location = 5080 + 10 * k;
        Trap(location, [&] { m_host.showOutlookPeriod(k); });
        Trap(location + 1, [&] { box.setPictureFromChart(m_host.chart()); });
        if (!Trap(location + 2, [&] { box.saveBitmap(ReportChartPath(folder, k + 1)); }))
            unwritten << ReportChartPath(folder, k + 1);
    }

    const bool pageWritten = Trap(5120, [&] {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        WriteAnalysisReport(&out, m_host.form(), m_host.propertyPictures(), folder,
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
        if (view != PrintAnalysisHost::None)
            m_host.showView(view);
    });

    // The browser is handed a page whose window has settled.
    Trap(5140, [&] {
        m_host.form().processPendingEvents();
        QThread::msleep(100);
        m_host.form().processPendingEvents();
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
            m_host.prompts().message(m);
        });
        return;
    }
    Trap(5150, [&] { m_host.openPage(page); });
}
