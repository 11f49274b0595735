// A database of 100,000 properties (every key a saved property holds, five pictures each, about
// 340 MB): the program started on it, a property edited and saved through the File menu with
// the window's event loop timed meanwhile, the peak memory of that save, and a home-page filter
// that matches nothing. Runs offscreen by default.
//
//   bench_bigdatabase [properties]
#include "app/application.h"
#include "benchreport.h"
#include "gui/commands/backgroundwork.h"
#include "gui/dialogs/scriptedprompts.h"
#include "gui/mainwindow/mainwindow.h"
#include "gui/views/homepage.h"
#include "store/propertydatabase.h"
#include "store/propertytable.h"
#include "testsupport.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>

namespace {

// The process's resident memory in bytes: now, or at its peak since the last reset.
qint64 residentBytes(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return 0;
}

void resetPeakMemory() {
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

} // namespace

int main(int argc, char* argv[]) {
    PrepareBenchEnvironment(argv[0]);
    QApplication app(argc, argv);
    const int properties = argc > 1 ? atoi(argv[1]) : 100000;
    TempProgramFolder folder(true);
    QDir(folder.path()).mkpath(QStringLiteral("_data"));

    {
        // A thousand sample properties, written again and again: sections may share names.
        const QByteArray block = SampleDatabaseBytes(qMin(properties, 1000), 5);
        QFile file(PropertyDatabasePath());
        file.open(QIODevice::WriteOnly);
        for (int done = 0; done < properties; done += 1000)
            file.write(block + "\r\n");
    }
    const qint64 fileSize = QFileInfo(PropertyDatabasePath()).size();
    std::printf("database: %d properties, %.1f MB\n", properties, fileSize / 1048576.0);

    ScriptedPrompts prompts;
    QElapsedTimer timer;
    timer.start();
    RunningProgram program(&prompts);
    QCoreApplication::processEvents();
    const double startup = timer.elapsed();
    MainWindow& window = program.window();
    std::printf("rows loaded: %d; resident memory after start-up: %.0f MB (%.2f x the file)\n",
                g_lPropertyCount, residentBytes("VmRSS:") / 1048576.0,
                double(residentBytes("VmRSS:")) / double(fileSize));

    // A filter that no property passes walks every row.
    QComboBox* filter = window.homePage().filterBox();
    timer.restart();
    qint32 start = 1;
    window.homePage().LoadPropertiesOnMainPage(start,
                                               QStringLiteral("Purchase Price $2,000,000 +"));
    const double noMatch = timer.elapsed();
    filter->setCurrentIndex(0);

    // Open a property in the middle, change its notes and save it from the menu.
    window.commands().OpenPropertyAtRow(g_lPropertyCount / 2);
    window.setText(QStringLiteral("txtMiscNotes"), QStringLiteral("Edited in the benchmark."));
    resetPeakMemory();
    timer.restart();
    window.mnuFileSave_Click();
    const double save = timer.elapsed();
    const double peak = double(residentBytes("VmHWM:"));
    const qint64 gap = LongestEventLoopGap();
    const bool saved = !window.commands().HasUnsavedChanges() && prompts.messages().isEmpty();
    std::printf("saved: %s; file now %.1f MB\n", saved ? "yes" : "NO",
                QFileInfo(PropertyDatabasePath()).size() / 1048576.0);

    bool ok = saved;
    ok = ReportMeasure("100,000 properties: start-up", startup, 2000, "ms") && ok;
    ok = ReportMeasure("100,000 properties: save", save, 2000, "ms") && ok;
    ok = ReportMeasure("100,000 properties: longest pause of the window while saving", double(gap),
                       100, "ms") &&
         ok;
    ok = ReportMeasure("100,000 properties: peak memory during a save, times the file",
                       peak / double(fileSize), 3, "x") &&
         ok;
    ok = ReportMeasure("100,000 properties: a filter that matches nothing", noMatch, 100, "ms") &&
         ok;
    window.commands().m_changes.m_bDirty = false;
    return ok ? 0 : 1;
}
