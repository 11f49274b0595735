// File › Duplicate This Property... through the real main window: the duplicate is a new
// property with the open one's fields and its own copies of the pictures.
#include "base/programfolder.h"
#include "gui/commands/duplicatecommand.h"
#include "gui/dialogs/scriptedprompts.h"
#include "gui/mainwindow/mainwindow.h"
#include "store/propertydatabase.h"
#include "store/propertytable.h"
#include "testsupport.h"

#include <QAction>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QtTest>

namespace {

QString MakePicture(const QString& name, const QColor& colour) {
    const QString path = ProgramPath(QStringLiteral("_data/_propertyImages/") + name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(colour);
    image.save(path);
    return path;
}

QStringList PicturesOfRow(qint32 row) {
    QStringList pictures;
    for (int j = 1; j <= g_propertyTable.slotCount(); ++j) {
        if (g_propertyTable.key(row, j).startsWith(QLatin1String("g_sListOfImagesForProperty")))
            pictures << g_propertyTable.value(row, j);
    }
    return pictures;
}

} // namespace

class DuplicateCommandTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempProgramFolder> m_folder;
    std::unique_ptr<MainWindow> m_window;
    ScriptedPrompts m_prompts;
    QStringList m_pictures;

    MainWindow& w() { return *m_window; }
    void duplicate() {
        emit w().fileMenu()->aboutToShow();
        QAction* entry = w().findChild<QAction*>(QStringLiteral("mnuFileDuplicate"));
        QVERIFY(entry->isEnabled());
        entry->trigger();
    }

private slots:
    void init() {
        m_folder = std::make_unique<TempProgramFolder>(true);
        PrepareProgramFolders();
        m_pictures = {MakePicture(QStringLiteral("20240301100000.png"), Qt::red),
                      MakePicture(QStringLiteral("20240301100001.png"), Qt::blue)};
        WriteFile(PropertyDatabasePath(),
                  "[PROPERTY000001]\r\ntxtPropertyInformation=Elm Court\r\ntxtAddress=9 Elm St\r\n"
                  "txtPurchasePrice=$250,000\r\ng_sListOfImagesForProperty(1)=" +
                      m_pictures[0].toUtf8() +
                      "\r\ng_sListOfImagesForProperty(2)=" + m_pictures[1].toUtf8() + "\r\n");
        LoadPropertyDatabase();
        m_prompts.clear();
        m_window = std::make_unique<MainWindow>();
        m_window->setPrompts(&m_prompts);
        // The same second as the originals' names: the copies must still get names of their own.
        m_window->setPictureClock([] { return QDateTime(QDate(2024, 3, 1), QTime(10, 0, 0)); });
        m_window->commands().OpenPropertyAtRow(1);
    }
    void cleanup() {
        m_window.reset();
        m_folder.reset();
        ResetPropertyTable();
    }

    void theDuplicateHasItsOwnPictureFiles() {
        m_prompts.setNextName(QStringLiteral("Elm Court (at my offer)"));
        duplicate();
        QCOMPARE(m_prompts.nameRequests().last().initialText, QStringLiteral("Elm Court (copy)"));
        QCOMPARE(g_lPropertyCount, 2);
        QCOMPARE(g_lCurrentProperty, 2);
        QCOMPARE(w().text(QStringLiteral("txtPropertyInformation")),
                 QStringLiteral("Elm Court (at my offer)"));
        QCOMPARE(w().text(QStringLiteral("txtAddress")), QStringLiteral("9 Elm St"));
        const QStringList copies = PicturesOfRow(2);
        QCOMPARE(copies.size(), 2);
        QCOMPARE(PicturesOfRow(1), m_pictures);
        for (int k = 0; k < 2; ++k) {
            QVERIFY(!m_pictures.contains(copies[k]));
            QCOMPARE(ReadBytes(copies[k]), ReadBytes(m_pictures[k]));
        }

        // A picture deleted from the duplicate leaves the original's file and reference.
        w().imgPropertyListItem_Click(1);
        w().DeleteSelectedPicture();
        w().mnuFileSave_Click();
        QCOMPARE(PicturesOfRow(2).size(), 1);
        QCOMPARE(PicturesOfRow(1), m_pictures);
        QVERIFY(QFile::exists(m_pictures[0]) && QFile::exists(m_pictures[1]));
    }

    void unsavedEditsAreSavedFirstOrNothingHappens() {
        auto* address = w().findChild<QLineEdit*>(QStringLiteral("txtAddress"));
        address->setText(QStringLiteral("11 Elm St"));
        m_prompts.setNextAnswer(PromptAnswer::Cancel);
        duplicate();
        QCOMPARE(m_prompts.titles(), QStringList{"Duplicate Property"});
        QCOMPARE(g_lPropertyCount, 1);
        QVERIFY(ReadAll(PropertyDatabasePath()).contains(QStringLiteral("9 Elm St")));

        m_prompts.setNextAnswer(PromptAnswer::Ok);
        m_prompts.setNextName(QStringLiteral("Elm Court B"));
        duplicate();
        QCOMPARE(g_lPropertyCount, 2);
        QVERIFY(!ReadAll(PropertyDatabasePath()).contains(QStringLiteral("9 Elm St")));
        QCOMPARE(w().text(QStringLiteral("txtAddress")), QStringLiteral("11 Elm St"));

        // A name dialog cancelled makes nothing.
        m_prompts.setNextNameCancelled();
        duplicate();
        QCOMPARE(g_lPropertyCount, 2);
    }
};

QTEST_MAIN(DuplicateCommandTest)
#include "tst_duplicatecommand.moc"
