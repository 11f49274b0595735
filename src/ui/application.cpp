#include "ui/application.h"

#include "app/programfolder.h"
#include "store/propertydatabase.h"
#include "ui/homepage.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QComboBox>

int RunQuillbrook(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillbrook"));
    PrepareProgramFolders();
    LoadPropertyDatabase();
    // Creating the window loads it: position, size, home page, colours and caption.
    MainWindow window;
    qint16 start = 1;
    window.homePage().LoadPropertiesOnMainPage(start, QString());
    window.show();
    window.homePage().filterBox()->setFocus();
    return app.exec();
}
