// Opens one property of the database in a program folder, replaces its notes and saves, as
// File > Save does. The kill-during-save test runs it and kills it part-way through.
//
//   savechild <program folder> <row> <notes>
//
// Prints "saving" just before the save starts and "saved <milliseconds>" once it is done.
#include "analysis/analysis.h"
#include "base/errorlog.h"
#include "base/programfolder.h"
#include "model/memoryform.h"
#include "store/propertydatabase.h"
#include "store/propertytable.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: savechild <program folder> <row> <notes>\n");
        return 2;
    }
    SetProgramFolder(args.at(1));
    ErrorLog::setProgramFolder(args.at(1));
    ErrorLog::setLogPath(args.at(1) + QStringLiteral("/Quillbrook.Err"));
    ErrorLog::setNotifier([](const QString&, const QString&) {});

    LoadPropertyDatabase();
    MemoryForm form;
    ConnectAnalysisHandlers(form);
    QStringList pictures{QString()};
    g_lCurrentProperty = args.at(2).toInt();
    LoadPropertyIntoFields(form, pictures);
    form.setText(QStringLiteral("txtMiscNotes"), args.at(3));

    std::printf("saving\n");
    std::fflush(stdout);
    QElapsedTimer timer;
    timer.start();
    qint32 omit = -1;
    SaveHooks hooks;
    hooks.recalculate = RecalculateAnalysis;
    SavePropertyDatabase(form, omit, pictures, hooks);
    std::printf("saved %lld\n", static_cast<long long>(timer.elapsed()));
    return 0;
}
