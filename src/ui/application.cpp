#include "ui/application.h"

#include "app/programfolder.h"
#include "ui/mainwindow.h"

#include <QApplication>

int RunQuillbrook(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillbrook"));
    PrepareProgramFolders();
    MainWindow window;
    window.show();
    return app.exec();
}
