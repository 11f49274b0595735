// The picture strip and the full-size view driven through the real main window: the file
// dialog and the clock answer from the test, clicks land on the slots, buttons and menu
// entries by name, and the pictures are solid colours so a slot shows which one it holds.
#include "base/programfolder.h"
#include "gui/dialogs/picker.h"
#include "gui/dialogs/prompts.h"
#include "gui/dialogs/scriptedfilepicker.h"
#include "gui/dialogs/scriptedprompts.h"
#include "gui/dialogs/widgetfilepicker.h"
#include "gui/mainwindow/mainwindow.h"
#include "gui/pictures/picturecopy.h"
#include "gui/pictures/picturefiles.h"
#include "gui/views/homepage.h"
#include "store/propertydatabase.h"
#include "store/propertytable.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QImageReader>
#include <QImageWriter>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSemaphore>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QtTest>
#include <sys/stat.h>

namespace {

const QList<QColor> kColours{Qt::red,     Qt::green,   Qt::blue,      Qt::yellow,   Qt::cyan,
                             Qt::magenta, Qt::darkRed, Qt::darkGreen, Qt::darkBlue, Qt::darkYellow};

QString MakePicture(const QString& path, const QColor& colour, int width = 160, int height = 120) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    const QByteArray format = QFileInfo(path).suffix().toLower() == QLatin1String("jpeg")
                                  ? QByteArray("JPG")
                                  : QFileInfo(path).suffix().toUpper().toLatin1();
    image.save(path, format.constData());
    return path;
}

QColor CentreColour(const QPixmap& pixmap) {
    const QImage image = pixmap.toImage();
    return image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
}

bool Near(const QColor& a, const QColor& b) {
    return qAbs(a.red() - b.red()) < 24 && qAbs(a.green() - b.green()) < 24 &&
           qAbs(a.blue() - b.blue()) < 24;
}

// The same picture, whatever size it was decoded at.
bool SameLook(const QImage& a, const QImage& b) {
    if (a.isNull() || b.isNull())
        return false;
    const QImage x = a.scaled(16, 10, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage y = b.scaled(16, 10, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    for (int i = 0; i < 16; ++i) {
        for (int j = 0; j < 10; ++j) {
            if (!Near(x.pixelColor(i, j), y.pixelColor(i, j)))
                return false;
        }
    }
    return true;
}

QImage FileImage(const QString& path) {
    return QImageReader(path).read().convertToFormat(QImage::Format_RGB32);
}

// One property, "Elm Court", with the given picture references.
void WriteProperty(const QStringList& pictures) {
    QByteArray file = "[PROPERTY000001]\r\ntxtPropertyInformation=Elm Court\r\ntxtUnits=2\r\n";
    for (int k = 0; k < pictures.size(); ++k)
        file += "g_sListOfImagesForProperty(" + QByteArray::number(k + 1) +
                ")=" + pictures[k].toUtf8() + "\r\n";
    WriteFile(PropertyDatabasePath(), file);
}

// What a full-size view showed before the test clicked it away.
struct ViewerSeen {
    bool opened = false;
    QString title;
    QSize size;
    bool stretched = false; // imgShowImage shown instead of picShowImage
    QColor colour;
    QImage picture;
};

class Session {
public:
    Session() {
        LoadPropertyDatabase();
        window = std::make_unique<MainWindow>();
        window->setPrompts(&prompts);
        window->setFilePicker(&picker);
        window->setPictureClock([this] { return now; });
        qint32 start = 1;
        window->homePage().LoadPropertiesOnMainPage(start, QString());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    ~Session() {
        // The window asks nothing more while it goes.
        window->commands().m_changes.m_bDirty = false;
        window->setFilePicker(nullptr);
    }
    MainWindow& w() { return *window; }
    void open() {
        QString name = QStringLiteral("Elm Court");
        window->OpenPropertyByName(name);
    }
    QStringList& list() { return window->commands().g_sListOfImagesForProperty; }
    bool dirty() { return window->commands().m_changes.m_bDirty; }
    QFrame* slot(int j) {
        return window->control<QFrame>(QStringLiteral("frmSelectPropertyImage"), j);
    }
    QLabel* image(int j) {
        return window->control<QLabel>(QStringLiteral("imgPropertyListItem"), j);
    }
    QScrollBar* bar() {
        return window->findChild<QScrollBar*>(QStringLiteral("hScrollPropertImages"));
    }
    QPushButton* button(const char* name) {
        return window->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    QAction* action(const char* name) {
        return window->findChild<QAction*>(QString::fromLatin1(name));
    }
    QLabel* corner() { return window->findChild<QLabel*>(QStringLiteral("imgUpperLeftCorner")); }
    QList<int> shownSlots() {
        QList<int> shown;
        for (int j = 1; j <= 4; ++j) {
            if (slot(j)->isVisible())
                shown.append(j);
        }
        return shown;
    }
    // Left edges of the shown slots, in twips.
    QList<int> slotLefts() {
        QList<int> lefts;
        for (int j : shownSlots())
            lefts.append(slot(j)->x() * 15);
        return lefts;
    }
    QString tag(int j) { return image(j)->property("tag").toString(); }
    QColor slotColour(int j) { return CentreColour(image(j)->pixmap()); }
    void clickSlot(int j) { QTest::mouseClick(image(j), Qt::LeftButton); }
    bool selected(int j) { return slot(j)->frameShape() != QFrame::NoFrame; }
    void add(const QString& file) {
        picker.setNextFile(file);
        QTest::mouseClick(button("cmdAddPicture"), Qt::LeftButton);
    }

    // Runs a command that may open the full-size view; reads the view and clicks it shut.
    ViewerSeen viewerFrom(const std::function<void()>& command) {
        auto seen = std::make_shared<ViewerSeen>();
        // Looked for at every turn of the event loop: the viewer opens once its picture is
        // decoded, and the event loop turns meanwhile.
        QTimer look;
        look.setInterval(0);
        QObject::connect(&look, &QTimer::timeout, window.get(), [seen, &look] {
            auto* viewer = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!viewer || viewer->objectName() != QLatin1String("frmShowImage"))
                return;
            look.stop();
            seen->opened = true;
            seen->title = viewer->windowTitle();
            seen->size = viewer->size();
            auto* pic = viewer->findChild<QLabel*>(QStringLiteral("picShowImage"));
            auto* img = viewer->findChild<QLabel*>(QStringLiteral("imgShowImage"));
            seen->stretched = img->isVisible() && !pic->isVisible();
            QLabel* shown = seen->stretched ? img : pic;
            seen->colour = CentreColour(shown->pixmap());
            seen->picture = shown->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
            QTest::mouseClick(shown, Qt::LeftButton);
        });
        look.start();
        command();
        QCoreApplication::processEvents();
        return *seen;
    }

    ScriptedPrompts prompts;
    ScriptedFilePicker picker;
    QDateTime now{QDate(2005, 11, 6), QTime(14, 30, 12)};
    std::unique_ptr<MainWindow> window;
};

} // namespace

class PicturesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempProgramFolder> m_folder;

    QString source(int colour, const QString& ending = QStringLiteral(".png")) {
        return MakePicture(
            m_folder->file(QStringLiteral("camera/picture%1%2").arg(colour).arg(ending)),
            kColours.at(colour));
    }
    QStringList sources(int n) {
        QStringList files;
        for (int i = 0; i < n; ++i)
            files.append(source(i));
        return files;
    }
    QStringList pictureFolder() {
        return QDir(ProgramPath(QStringLiteral("_data/_propertyImages"))).entryList(QDir::Files);
    }

private slots:
    void init() {
        m_folder = std::make_unique<TempProgramFolder>(true);
        PrepareProgramFolders();
    }
    void cleanup() {
        m_folder.reset();
        ResetPropertyTable();
    }

    void theStripsControls() {
        Session s;
        auto* add = s.button("cmdAddPicture");
        auto* del = s.button("cmdDeletePicture");
        QCOMPARE(add->text(), QStringLiteral("&Add Picture"));
        QCOMPARE(del->text(), QStringLiteral("&Delete Picture"));
        QCOMPARE(s.action("mnuToolsViewImageDetails")->text(),
                 QStringLiteral("&View Full-Size Version of Selected Picture"));
        QVERIFY(s.w().toolsMenu()->actions().contains(s.action("mnuToolsViewImageDetails")));
        for (int j = 1; j <= 4; ++j) {
            QCOMPARE(s.slot(j)->size(), QSize(129, 97)); // 1935 by 1455 twips
            QCOMPARE(s.image(j)->geometry(), QRect(6, 11, 116, 80));
            QCOMPARE(s.image(j)->parentWidget(), s.slot(j));
        }
        QCOMPARE(s.bar()->geometry(), QRect(1, 112, 550, 17));
        // The buttons sit side by side below the strip.
        const QRect strip = s.w().propertyPicturesFrame()->geometry();
        QVERIFY(add->y() >= strip.bottom() && del->y() == add->y() &&
                del->x() > add->geometry().right());
        QVERIFY(add->geometry().bottom() < s.w().findChild<QFrame*>("frameProperty")->height());
    }

    void noPictures() {
        WriteProperty({});
        Session s;
        s.open();
        QVERIFY(s.shownSlots().isEmpty());
        QVERIFY(!s.bar()->isVisible());
        QVERIFY(!s.button("cmdDeletePicture")->isEnabled());
        QCOMPARE(s.corner()->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
                 FileImage(g_sLogoPicturePath));
        // Delete with nothing selected does nothing.
        QTest::mouseClick(s.button("cmdDeletePicture"), Qt::LeftButton);
        QVERIFY(!s.dirty());
    }

    void aNewPropertyShowsNoEmptySlotsOfTheLastOne() {
        WriteProperty(sources(5));
        Session s;
        s.open();
        s.w().mnuFileClose_Click();
        s.w().mnuFileAddNewProperty_Click();
        // The strip of a property without pictures is blank, whatever was open before: no
        // empty slots, no scroll bar.
        const QImage strip = s.w().propertyPicturesFrame()->grab().toImage();
        const QRgb background = strip.pixel(1, 1);
        int marked = 0;
        for (int y = 0; y < strip.height(); ++y) {
            for (int x = 0; x < strip.width(); ++x)
                marked += strip.pixel(x, y) != background;
        }
        QCOMPARE(marked, 0);
    }

    void placementByCount_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<QList<int>>("lefts");
        QTest::newRow("one") << 1 << QList<int>{3000};
        QTest::newRow("two") << 2 << QList<int>{2160, 4200};
        QTest::newRow("three") << 3 << QList<int>{960, 3000, 5040};
        QTest::newRow("four") << 4 << QList<int>{120, 2160, 4200, 6240};
    }
    void placementByCount() {
        QFETCH(int, n);
        QFETCH(QList<int>, lefts);
        WriteProperty(sources(n));
        Session s;
        s.open();
        QCOMPARE(s.slotLefts(), lefts);
        QVERIFY(!s.bar()->isVisible());
        for (int j = 1; j <= n; ++j) {
            QCOMPARE(s.tag(j), QString::number(j));
            QVERIFY(Near(s.slotColour(j), kColours.at(j - 1)));
        }
        // The corner shows the first picture.
        QVERIFY(Near(CentreColour(s.corner()->pixmap()), kColours.at(0)));
    }

    void largeTwoColourPicturesKeepTheirColours() {
        // A scanned floor plan: a 1-bit picture with its own two colours, far larger than a
        // thumbnail, so the strip decodes it smaller.
        QImage plan(1200, 900, QImage::Format_Mono);
        plan.setColorTable({QColor(Qt::darkMagenta).rgb(), QColor(Qt::white).rgb()});
        plan.fill(0);
        const QString file = m_folder->file(QStringLiteral("plan.png"));
        QVERIFY(plan.save(file));
        WriteProperty({file});
        Session s;
        s.open();
        QVERIFY(Near(s.slotColour(1), Qt::darkMagenta));
        QVERIFY(Near(CentreColour(s.corner()->pixmap()), Qt::darkMagenta));
    }

    void fivePicturesScroll() {
        WriteProperty(sources(5));
        Session s;
        s.open();
        QVERIFY(s.bar()->isVisible());
        QCOMPARE(s.bar()->minimum(), 0);
        QCOMPARE(s.bar()->maximum(), 1); // two positions
        QCOMPARE(s.bar()->value(), 0);
        QCOMPARE(s.slotLefts(), (QList<int>{120, 2160, 4200, 6240}));
        QCOMPARE(s.tag(1), QStringLiteral("1"));

        // A selection goes when the strip moves.
        s.clickSlot(3);
        QVERIFY(s.selected(3));
        s.bar()->setValue(1); // the right end
        QVERIFY(!s.selected(3));
        QVERIFY(!s.button("cmdDeletePicture")->isEnabled());
        QCOMPARE(s.tag(1), QStringLiteral("2"));
        QCOMPARE(s.tag(4), QStringLiteral("5"));
        for (int j = 1; j <= 4; ++j)
            QVERIFY(Near(s.slotColour(j), kColours.at(j)));
        QVERIFY(s.w().findChild<QWidget*>("picUpperLeftCorner")->hasFocus());

        // Opening the property again puts the strip back to its left end.
        s.open();
        QCOMPARE(s.bar()->value(), 0);
        QCOMPARE(s.tag(1), QStringLiteral("1"));
    }

    void selectingASlot() {
        WriteProperty(sources(3));
        Session s;
        s.open();
        s.clickSlot(2);
        QVERIFY(s.selected(2));
        QCOMPARE(s.image(2)->property("appearance").toInt(), 0);
        QCOMPARE(s.image(1)->property("appearance").toInt(), 1);
        QVERIFY(s.button("cmdDeletePicture")->isEnabled());
        s.clickSlot(3);
        QVERIFY(!s.selected(2));
        QVERIFY(s.selected(3));
        // A text field taking the focus drops the selection.
        s.w().control(QStringLiteral("txtAddress"))->setFocus();
        QVERIFY(!s.selected(3));
        QVERIFY(!s.button("cmdDeletePicture")->isEnabled());
    }

    void addingPutsThePictureFirst() {
        WriteProperty(sources(2));
        Session s;
        s.open();
        const QString house = source(4, QStringLiteral("/house.jpeg"));
        s.add(house);

        QCOMPARE(s.picker.requests().size(), 1);
        const FilePickerRequest& request = s.picker.requests().at(0);
        QCOMPARE(request.title, QStringLiteral("Add File"));
        QCOMPARE(request.filters.size(), 7);
        QCOMPARE(request.filters.at(0).description, QStringLiteral("All Picture Files"));
        QCOMPARE(request.filters.at(6).patterns, QStringList{QStringLiteral("*.*")});

        const QString copy =
            ProgramPath(QStringLiteral("_data/_propertyImages/20051106143012.jpeg"));
        QCOMPARE(s.list().size(), 4);
        QCOMPARE(s.list().at(0), QString());
        QCOMPARE(s.list().at(1), copy);
        QCOMPARE(ReadAll(copy), ReadAll(house));
        QVERIFY(s.dirty());
        QCOMPARE(s.shownSlots(), (QList<int>{1, 2, 3}));
        QVERIFY(Near(s.slotColour(1), kColours.at(4)));
        QVERIFY(Near(s.slotColour(2), kColours.at(0)));
        QVERIFY(Near(CentreColour(s.corner()->pixmap()), kColours.at(4)));

        // Closing asks; once saved, the new picture stands for the property on its card.
        s.prompts.setNextAnswer(PromptAnswer::Yes);
        s.w().mnuFileClose_Click();
        QCOMPARE(s.prompts.titles(), QStringList{QStringLiteral("Unsaved Changes")});
        QVERIFY(s.w().homeFrame()->isVisible());
        QCOMPARE(s.w().homePage().pictureTag(1), copy);
        QVERIFY(Near(CentreColour(s.w().homePage().picture(1)->pixmap()), kColours.at(4)));
    }

    void addingWhileScrolledReturnsToTheStart() {
        WriteProperty(sources(6));
        Session s;
        s.open();
        s.bar()->setValue(2);
        s.add(source(7));
        QCOMPARE(s.bar()->value(), 0);
        QCOMPARE(s.bar()->maximum(), 3);
        QCOMPARE(s.tag(1), QStringLiteral("1"));
        QVERIFY(Near(s.slotColour(1), kColours.at(7)));
    }

    void theDialogOpensInPicturesThenWhereTheLastFileCameFrom() {
        Session s;
        s.w().mnuFileAddNewProperty_Click();
        s.picker.setNextCancelled();
        QTest::mouseClick(s.button("cmdAddPicture"), Qt::LeftButton);
        s.add(source(1));
        s.add(source(2));
        const QList<FilePickerRequest>& asked = s.picker.requests();
        QCOMPARE(asked.size(), 3);
        const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
        QVERIFY(!pictures.isEmpty());
        QCOMPARE(asked.at(0).folder, pictures);
        QCOMPARE(asked.at(1).folder, pictures); // a cancelled dialog chose no folder
        QCOMPARE(asked.at(2).folder, m_folder->file(QStringLiteral("camera")));
    }

    void twoAddsInOneSecondKeepBothPictures() {
        Session s;
        s.w().mnuFileAddNewProperty_Click();
        s.add(source(1));
        s.add(source(2)); // the clock has not moved
        QCOMPARE(s.list().size(), 3);
        QVERIFY(s.list().at(1) != s.list().at(2));
        QCOMPARE(s.list().at(2),
                 ProgramPath(QStringLiteral("_data/_propertyImages/20051106143012.png")));
        QCOMPARE(s.list().at(1),
                 ProgramPath(QStringLiteral("_data/_propertyImages/20051106143013.png")));
        QVERIFY(Near(s.slotColour(1), kColours.at(2)));
        QVERIFY(Near(s.slotColour(2), kColours.at(1)));
        QCOMPARE(pictureFolder().size(), 2);
    }

    void aCancelledDialogChangesNothing() {
        WriteProperty(sources(2));
        Session s;
        s.open();
        const QStringList before = s.list();
        s.picker.setNextCancelled();
        QTest::mouseClick(s.button("cmdAddPicture"), Qt::LeftButton);
        QCOMPARE(s.picker.requests().size(), 1);
        QCOMPARE(s.list(), before);
        QVERIFY(!s.dirty());
        QVERIFY(pictureFolder().isEmpty());
        s.w().mnuFileClose_Click();
        QVERIFY(s.prompts.messages().isEmpty());
    }

    // A copy that fails is named with its reason and adds nothing: no reference to a file that
    // was never written, no half file under a picture's name.
    void aFailedCopyIsNotAdded() {
        Session s;
        s.w().mnuFileAddNewProperty_Click();
        const QString gone = m_folder->file(QStringLiteral("camera/gone.png")); // no such folder
        s.add(gone);
        QCOMPARE(s.prompts.titles(), QStringList{QStringLiteral("Picture Not Added")});
        QVERIFY(s.prompts.messages().at(0).text.contains(gone));
        QVERIFY(s.prompts.messages().at(0).text.contains(QStringLiteral("does not exist")));
        QCOMPARE(s.list().size(), 1);
        QVERIFY(!s.dirty());
        QVERIFY(s.shownSlots().isEmpty());

        // A picture folder with no room left.
        SmallDisk disk(256 * 1024);
        if (!disk.mounted())
            QSKIP("mounting a small tmpfs needs root");
        QVERIFY(QDir(ProgramPath(QStringLiteral("_data/_propertyImages"))).removeRecursively());
        QVERIFY(QFile::link(disk.path(), ProgramPath(QStringLiteral("_data/_propertyImages"))));
        const QString photo = m_folder->file(QStringLiteral("camera/large.bmp"));
        MakePicture(photo, Qt::red, 400, 300); // 480 kB
        s.prompts.clear();
        s.add(photo);
        QCOMPARE(s.prompts.titles(), QStringList{QStringLiteral("Picture Not Added")});
        QVERIFY(s.prompts.messages().at(0).text.contains(photo));
        QVERIFY(s.prompts.messages().at(0).text.contains(QStringLiteral("No space left")));
        QCOMPARE(s.list().size(), 1);
        QVERIFY(!s.dirty());
        QVERIFY(QDir(disk.path()).entryList(QDir::Files).isEmpty());
        // With room, the same picture goes in.
        s.prompts.clear();
        MakePicture(photo, Qt::red, 40, 30);
        s.add(photo);
        QVERIFY(s.prompts.messages().isEmpty());
        QCOMPARE(s.list().size(), 2);
        QCOMPARE(QDir(disk.path()).entryList(QDir::Files).size(), 1);
    }

    // A pipe, a device or a folder named like a picture is refused before anything opens it;
    // opening a pipe waits for a writer forever.
    void onlyRegularFilesAreCopied() {
        Session s;
        s.w().mnuFileAddNewProperty_Click();
        const QString pipe = m_folder->file(QStringLiteral("camera/pipe.jpg"));
        QDir().mkpath(m_folder->file(QStringLiteral("camera/folder.jpg")));
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        const QStringList refused{pipe, m_folder->file(QStringLiteral("camera/folder.jpg")),
                                  QStringLiteral("/dev/zero")};
        for (const QString& file : refused)
            s.add(file);
        QCOMPARE(s.prompts.titles(), QStringList(3, QStringLiteral("Picture Not Added")));
        for (int i = 0; i < refused.size(); ++i)
            QVERIFY(s.prompts.messages().at(i).text.contains(refused.at(i)));
        QVERIFY(s.prompts.messages().at(1).text.contains(QStringLiteral("folder")));
        QCOMPARE(s.list().size(), 1);
        QVERIFY(pictureFolder().isEmpty());
        // A stored reference that became a pipe shows the replacement, without waiting.
        WriteProperty({pipe});
        LoadPropertyDatabase();
        s.open();
        QVERIFY(
            SameLook(s.image(1)->pixmap().toImage(), FileImage(ImagesFile(kInvalidPictureFile))));
    }

    // While a copy runs the window draws but takes no click or key: the picture belongs to the
    // property open when it started. A slow copy shows a box whose Cancel adds nothing.
    void theWindowWaitsForACopy() {
        WriteProperty(sources(1));
        Session s;
        s.open();
        QSemaphore go;
        SetPictureCopyPieceHook([&go] { go.acquire(); });
        auto* name = s.w().control<QLineEdit>(QStringLiteral("txtPropertyInformation"));
        bool tried = false;
        QTimer::singleShot(0, [&] {
            QTest::keyClicks(name, QStringLiteral("xyz"));
            QTest::mouseClick(s.button("cmdDeletePicture"), Qt::LeftButton);
            s.clickSlot(1);
            QTest::keyClick(name, Qt::Key_W, Qt::ControlModifier); // Close
            tried = true;
        });
        QTimer::singleShot(10, [&] {
            QTRY_VERIFY(s.w().findChild<QWidget*>(QStringLiteral("pictureCopyProgress")));
            go.release(1000);
        });
        s.add(source(1));
        SetPictureCopyPieceHook({});
        QVERIFY(tried);
        QCOMPARE(name->text(), QStringLiteral("Elm Court"));
        QCOMPARE(s.list().size(), 3);
        QVERIFY(Near(s.slotColour(1), kColours.at(1)));

        // Cancelled: nothing listed, nothing left in the folder.
        SetPictureCopyPieceHook([] { QThread::msleep(50); });
        QTimer::singleShot(10, [&] {
            QTRY_VERIFY(s.w().findChild<QProgressDialog*>(QStringLiteral("pictureCopyProgress")));
            auto* box = s.w().findChild<QProgressDialog*>(QStringLiteral("pictureCopyProgress"));
            QTest::mouseClick(box->findChild<QPushButton*>(), Qt::LeftButton);
        });
        const QString big = m_folder->file(QStringLiteral("camera/big.bmp"));
        MakePicture(big, Qt::blue, 2000, 1500); // 9 MB: nine pieces
        const int files = pictureFolder().size();
        s.add(big);
        SetPictureCopyPieceHook({});
        QCOMPARE(s.list().size(), 3);
        QCOMPARE(pictureFolder().size(), files);
        QVERIFY(s.prompts.messages().isEmpty());
    }

    // A picture larger than the image reader takes whole is still a picture: shown smaller
    // in the strip, the corner, its card and the full-size view, each decoded on a thread
    // beside the window's.
    void aPictureBeyondTheReadersLimitIsShownSmaller() {
        int besideWindow = 0;
        int onWindowThread = 0;
        SetPictureDecodeHook([&] {
            ++(QThread::currentThread() == qApp->thread() ? onWindowThread : besideWindow);
        });
        const auto noHook = qScopeGuard([] { SetPictureDecodeHook({}); });
        const QString file = m_folder->file(QStringLiteral("aerial.png"));
        {
            QImage huge(20000, 20000, QImage::Format_Indexed8);
            huge.setColorTable({QColor(Qt::darkGreen).rgb()});
            huge.fill(0);
            QImageWriter writer(file, "png");
            writer.setQuality(80); // quick to write, a couple of megabytes on disk
            QVERIFY(writer.write(huge));
        }
        QVERIFY(qint64(20000) * 20000 > qint64(QImageReader::allocationLimit()) * 1024 * 1024);
        WriteProperty({file});
        Session s;
        s.w().setWindowSizeTwips(12000, 9000);
        QVERIFY(Near(CentreColour(s.w().homePage().picture(1)->pixmap()), Qt::darkGreen));
        s.open();
        QVERIFY(Near(s.slotColour(1), Qt::darkGreen));
        QVERIFY(Near(CentreColour(s.corner()->pixmap()), Qt::darkGreen));
        const ViewerSeen seen =
            s.viewerFrom([&] { QTest::mouseDClick(s.image(1), Qt::LeftButton); });
        QVERIFY(seen.opened);
        QVERIFY(seen.stretched);
        QCOMPARE(seen.size.width(), MainWindow::toPixels(0.75 * s.w().windowWidthTwips()));
        QCOMPARE(seen.size.height(), seen.size.width());
        QVERIFY(Near(seen.colour, Qt::darkGreen));
        QVERIFY(besideWindow >= 3);
        QCOMPARE(onWindowThread, 0);
    }

    void deletingSlot2ScrolledBy3RemovesEntry5() {
        const QStringList files = sources(8);
        WriteProperty(files);
        Session s;
        s.open();
        s.bar()->setValue(3);
        s.clickSlot(2);
        QCOMPARE(s.tag(2), QStringLiteral("5"));
        QTest::mouseClick(s.button("cmdDeletePicture"), Qt::LeftButton);
        QStringList expected = QStringList{QString()} + files;
        expected.removeAt(5);
        QCOMPARE(s.list(), expected);
        QVERIFY(s.dirty());
        QVERIFY(QFile::exists(files.at(4))); // only the reference goes
        // Seven left: the bar now ends at 3 and the strip still shows 4..7.
        QCOMPARE(s.bar()->maximum(), 3);
        QCOMPARE(s.tag(1), QStringLiteral("4"));
        s.prompts.setNextAnswer(PromptAnswer::Cancel);
        s.w().mnuFileClose_Click();
        QCOMPARE(s.prompts.titles(), QStringList{QStringLiteral("Unsaved Changes")});
    }

    void deletingAtTheRightEndMovesTheStripBack() {
        WriteProperty(sources(6));
        Session s;
        s.open();
        s.bar()->setValue(2);
        s.clickSlot(4);
        QCOMPARE(s.tag(4), QStringLiteral("6"));
        QTest::mouseClick(s.button("cmdDeletePicture"), Qt::LeftButton);
        QCOMPARE(s.list().size(), 6);
        QCOMPARE(s.bar()->value(), 1);
        QCOMPARE(s.tag(4), QStringLiteral("5"));
        QVERIFY(Near(s.slotColour(4), kColours.at(4)));
        // The strip moved under the selection, which therefore went.
        QVERIFY(!s.selected(4));
        QVERIFY(!s.button("cmdDeletePicture")->isEnabled());
    }

    void deletingTheLastShownPictureLeavesNoHiddenSelection() {
        WriteProperty(sources(4));
        Session s;
        s.open();
        s.clickSlot(4);
        QTest::mouseClick(s.button("cmdDeletePicture"), Qt::LeftButton);
        QCOMPARE(s.list().size(), 4);
        QCOMPARE(s.shownSlots(), (QList<int>{1, 2, 3}));
        QVERIFY(!s.selected(4));
        QVERIFY(!s.button("cmdDeletePicture")->isEnabled());
        // Nothing visible is selected, so nothing more can go.
        s.w().cmdDeletePicture_Click();
        QCOMPARE(s.list().size(), 4);

        // A selected slot that stays shown keeps its selection on the next picture.
        s.clickSlot(1);
        QTest::mouseClick(s.button("cmdDeletePicture"), Qt::LeftButton);
        QCOMPARE(s.list().size(), 3);
        QVERIFY(s.selected(1));
        QVERIFY(Near(s.slotColour(1), kColours.at(1)));
        QVERIFY(Near(CentreColour(s.corner()->pixmap()), kColours.at(1)));
    }

    void theEditMenusDeleteRemovesTheSelectedPicture() {
        const QStringList files = sources(3);
        WriteProperty(files);
        Session s;
        s.open();
        s.clickSlot(2); // the focus goes to the corner box
        emit s.w().editMenu()->aboutToShow();
        QVERIFY(s.action("mnuEditDelete")->isEnabled());
        QVERIFY(!s.action("mnuEditCopy")->isEnabled());
        s.action("mnuEditDelete")->trigger();
        QCOMPARE(s.list(), (QStringList{QString(), files.at(0), files.at(2)}));
        QVERIFY(s.dirty());
    }

    void deletingTheOnlyPictureShowsTheLogo() {
        WriteProperty(sources(1));
        Session s;
        s.open();
        s.clickSlot(1);
        s.w().DeleteSelectedPicture();
        QCOMPARE(s.list(), QStringList{QString()});
        QVERIFY(s.shownSlots().isEmpty());
        QCOMPARE(s.corner()->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
                 FileImage(g_sLogoPicturePath));
    }

    void referencesThatNeedHelp() {
        const QString inFolder =
            MakePicture(ProgramPath(QStringLiteral("_data/_propertyImages/20040101120000.png")),
                        kColours.at(3));
        const QString removed = source(5);
        const QString notAPicture = m_folder->file(QStringLiteral("camera/notes.jpg"));
        WriteFile(notAPicture, "this is text");
        WriteProperty(
            {QStringLiteral("/_data/_propertyImages/20040101120000.png"), removed, notAPicture});
        QFile::remove(removed);
        Session s;
        s.open();
        const QImage invalid = FileImage(ImagesFile(kInvalidPictureFile));
        QVERIFY(Near(s.slotColour(1), kColours.at(3))); // below the program folder
        QVERIFY(SameLook(s.image(2)->pixmap().toImage(), invalid));
        QVERIFY(SameLook(s.image(3)->pixmap().toImage(), invalid));
        QVERIFY(m_folder->logLines().isEmpty());

        // The full-size view shows the same replacement.
        const ViewerSeen seen =
            s.viewerFrom([&] { QTest::mouseDClick(s.image(2), Qt::LeftButton); });
        QVERIFY(seen.opened);
        QCOMPARE(seen.picture, invalid);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void theFullSizeView() {
        const QString small = MakePicture(m_folder->file(QStringLiteral("camera/small.png")),
                                          kColours.at(2), 267, 400); // about 4000 twips wide
        const QString wide = MakePicture(m_folder->file(QStringLiteral("camera/wide.png")),
                                         kColours.at(5), 1200, 300);
        WriteProperty({small, wide});
        Session s;
        s.w().setWindowSizeTwips(12000, 9000);
        s.open();

        // Double click: natural size, the caption, closed by a click on the picture.
        ViewerSeen seen = s.viewerFrom([&] { QTest::mouseDClick(s.image(1), Qt::LeftButton); });
        QVERIFY(seen.opened);
        QCOMPARE(seen.title, QStringLiteral("  To close this view, click on the image"));
        QCOMPARE(seen.size, QSize(267, 400));
        QVERIFY(!seen.stretched);
        QVERIFY(Near(seen.colour, kColours.at(2)));
        QVERIFY(!QApplication::activeModalWidget());

        // Too wide: three quarters of the main window, in the picture's proportions.
        seen = s.viewerFrom([&] { QTest::mouseDClick(s.image(2), Qt::LeftButton); });
        QVERIFY(seen.opened);
        QVERIFY(seen.stretched);
        const int width = MainWindow::toPixels(0.75 * s.w().windowWidthTwips());
        QCOMPARE(seen.size.width(), width);
        QCOMPARE(seen.size.height(), qRound(300.0 / 1200.0 * width));
        QVERIFY(Near(seen.colour, kColours.at(5)));

        // The Tools entry: nothing without a selection, the selected picture with one.
        seen = s.viewerFrom([&] { s.action("mnuToolsViewImageDetails")->trigger(); });
        QVERIFY(!seen.opened);
        s.clickSlot(2);
        seen = s.viewerFrom([&] { s.action("mnuToolsViewImageDetails")->trigger(); });
        QVERIFY(seen.opened);
        QVERIFY(Near(seen.colour, kColours.at(5)));
    }

    void picturesFollowAMovedProgramFolder() {
        // References written before the program folder was moved (one by a Windows install):
        // their files now sit in the current picture folder.
        const QString folder = ProgramPath(QStringLiteral("_data/_propertyImages/"));
        MakePicture(folder + QStringLiteral("20230813101010.jpg"), kColours.at(2));
        MakePicture(folder + QStringLiteral("20230813101011.png"), kColours.at(3));
        const QStringList stored{
            QStringLiteral("/gone/Quillbrook/_data/_propertyImages/20230813101010.jpg"),
            QStringLiteral("C:\\Old\\_data\\_propertyImages\\20230813101011.png")};
        WriteProperty(stored);
        Session s;
        QVERIFY(Near(CentreColour(s.w().homePage().picture(1)->pixmap()), kColours.at(2)));
        s.open();
        QVERIFY(Near(s.slotColour(1), kColours.at(2)));
        QVERIFY(Near(s.slotColour(2), kColours.at(3)));
        const ViewerSeen seen = s.viewerFrom([&] { s.w().imgPropertyListItem_DblClick(2); });
        QVERIFY(Near(seen.colour, kColours.at(3)));
        // What is stored stays as it was.
        QCOMPARE(s.list().mid(1), stored);
    }

    void theToolsEntryOnTheHomePage() {
        WriteProperty(sources(1));
        Session s;
        ViewerSeen seen = s.viewerFrom([&] { s.action("mnuToolsViewImageDetails")->trigger(); });
        QVERIFY(!seen.opened);
        s.w().homePage().picSelectProperty_Click(1);
        seen = s.viewerFrom([&] { s.action("mnuToolsViewImageDetails")->trigger(); });
        QVERIFY(seen.opened);
        QVERIFY(Near(seen.colour, kColours.at(0)));

        // On another view of the open property the card last selected still counts.
        s.open();
        s.w().imgFinancial_Click();
        seen = s.viewerFrom([&] { s.action("mnuToolsViewImageDetails")->trigger(); });
        QVERIFY(seen.opened);
    }

    void nameFiltersForTheDialog() {
        const QStringList filters = NameFilters(AddPictureRequest().filters);
        QCOMPARE(filters.size(), 7);
        QCOMPARE(filters.at(0),
                 QStringLiteral("All Picture Files (*.JPG *.JPEG *.JPE *.JFIF *.GIF *.TIF *.TIFF "
                                "*.BMP *.PNG)"));
        QCOMPARE(filters.at(1), QStringLiteral("JPEG (*.JPG *.JPEG *.JPE *.JFIF)"));
        QCOMPARE(filters.at(3), QStringLiteral("TIFF (*.TIF *.TIFF)"));
        QCOMPARE(filters.at(6), QStringLiteral("All Files (*)"));
    }

    // An export is offered under the property's name, which may hold what no file name can.
    void exportFileNames() {
        QCOMPARE(ExportFileName(QStringLiteral("12/14 Oak St: \"B\""), QStringLiteral("Returns"),
                                QStringLiteral("csv")),
                 QStringLiteral("12-14 Oak St- -B- - Returns.csv"));
        QCOMPARE(ExportFileName(QStringLiteral(" .hidden\tplace "), QStringLiteral("Analysis"),
                                QStringLiteral("pdf")),
                 QStringLiteral("hidden-place - Analysis.pdf"));
        QCOMPARE(ExportFileName(QString(), QStringLiteral("Returns"), QStringLiteral("csv")),
                 QStringLiteral("Returns.csv"));
        // A file name holds at most 255 bytes: a long name is cut short, never the suffix.
        const QString longName = ExportFileName(QString(300, QChar(0x6728)), "Analysis", "pdf");
        QVERIFY(longName.toUtf8().size() <= 255 && longName.endsWith(" - Analysis.pdf"));
        // A name typed without a suffix gets one, and its folder is offered next time.
        ScriptedFilePicker picker;
        picker.setNextFile(m_folder->path() + QStringLiteral("/table"));
        QString last;
        QCOMPARE(*ChooseExportFile(picker, {}, QStringLiteral("csv"), last),
                 m_folder->path() + QStringLiteral("/table.csv"));
        QCOMPARE(last, m_folder->path());
        QVERIFY(!ChooseExportFile(picker, {}, QStringLiteral("csv"), last));
        QCOMPARE(picker.requests().at(1).folder, m_folder->path());
    }

    // A name typed without its suffix is the file the dialog asks about replacing, not a
    // different one that the export then overwrites unasked.
    void exportAsksBeforeReplacingTheSuffixedFile() {
        WriteFile(m_folder->file(QStringLiteral("table.csv")), "kept");
        QString asked;
        QObject scope; // the timers go with the test
        QTimer::singleShot(0, &scope, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QTimer::singleShot(0, &scope, [&] { // the question is modal too
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    asked = box->text();
                    box->button(QMessageBox::No)->click();
                }
            });
            static_cast<QFileDialog*>(dialog)->selectFile(QStringLiteral("table"));
            dialog->accept(); // Save
            if (dialog->isVisible())
                dialog->reject();
        });
        WidgetFilePicker picker(nullptr);
        QString last = m_folder->path();
        QVERIFY(!ChooseExportFile(picker, {}, QStringLiteral("csv"), last));
        QVERIFY2(asked.contains(QStringLiteral("table.csv")), qPrintable(asked));
    }

    void copyNames() {
        const QString folder = m_folder->path();
        SetProgramFolder(folder + QStringLiteral("/"));
        QCOMPARE(
            PictureCopyPath(QStringLiteral("20051106143012"), QStringLiteral("/a/b/house.jpeg")),
            folder + QStringLiteral("/_data/_propertyImages/20051106143012.jpeg"));
        SetProgramFolder(folder);
        // The whole extension, however long; a dotted folder gives a plain name none.
        QCOMPARE(PictureCopyPath(QStringLiteral("20230813"), QStringLiteral("/p/plan.tiff")),
                 folder + QStringLiteral("/_data/_propertyImages/20230813.tiff"));
        QCOMPARE(PictureCopyPath(QStringLiteral("20230813"), QStringLiteral("/p.d/scan")),
                 folder + QStringLiteral("/_data/_propertyImages/20230813"));
        QCOMPARE(PictureCopyPath(QStringLiteral("20051106143012"), QStringLiteral("/a/b/x.jpg")),
                 folder + QStringLiteral("/_data/_propertyImages/20051106143012.jpg"));
        QCOMPARE(PictureStamp(QDateTime(QDate(2005, 11, 6), QTime(4, 3, 2))),
                 QStringLiteral("20051106040302"));
    }
};

QTEST_MAIN(PicturesTest)
#include "tst_pictures.moc"
