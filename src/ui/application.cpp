#include "ui/application.h"

#include "app/programfolder.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QComboBox>

int RunQuillbrook(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillbrook"));
    PrepareProgramFolders();
    // Creating the window loads it: position, size, home page, colours and caption.
    MainWindow window;
    window.show();
    if (auto* filter = window.findChild<QComboBox*>(QStringLiteral("cmbShowProperties")))
        filter->setFocus();
    return app.exec();
}
