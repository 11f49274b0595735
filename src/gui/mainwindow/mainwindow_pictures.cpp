// The Property view's picture strip and the full-size picture view: adding, removing,
// scrolling and selecting the open property's pictures.
#include "base/errortrap.h"
#include "base/programfolder.h"
#include "gui/dialogs/picker.h"
#include "gui/dialogs/widgetfilepicker.h"
#include "gui/mainwindow/mainwindow.h"
#include "gui/mainwindow/windowlayout.h"
#include "gui/pictures/picturefiles.h"
#include "gui/pictures/picturestrip.h"
#include "gui/pictures/pictureviewer.h"
#include "gui/views/homepage.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <cmath>

namespace {

// Slot lefts within the strip, by the last list index shown (4 or more, 3, 2, 1).
constexpr int kSlotLefts[4][4] = {
    {120, 2160, 4200, 6240}, {960, 3000, 5040, -1}, {2160, 4200, -1, -1}, {3000, -1, -1, -1}};
constexpr int kSlotTop = 120;
constexpr int kSlotWidth = 1935;
constexpr int kSlotHeight = 1455;
// Thumbnails are decoded only as large as their box needs.
const QSize kThumbnailSize(116, 80);

void setSlotBorder(QFrame* frame, bool on) {
    frame->setFrameShape(on ? QFrame::Box : QFrame::NoFrame);
    frame->setFrameShadow(QFrame::Plain);
    frame->setLineWidth(1);
}

// Appearance 1 is the sunken 3-D look of an unselected thumbnail, 0 the flat selected one.
void setImageAppearance(QLabel* image, int appearance) {
    image->setProperty("appearance", appearance);
    image->setFrameShape(appearance == 1 ? QFrame::Panel : QFrame::NoFrame);
    image->setFrameShadow(QFrame::Sunken);
}

} // namespace

void MainWindow::buildPictureStrip() {
    m_pictureStrip = new PictureStrip(this);
    PictureStrip& s = *m_pictureStrip;
    s.ownPicker = std::make_unique<WidgetFilePicker>(this);

    addGroupHeading(m_frameProperty, QStringLiteral("Pictures"), 240, 5340, 6000);
    for (int j = 1; j <= PictureStrip::kSlots; ++j) {
        auto* frame = new QFrame(m_framePropertyPictures);
        frame->setObjectName(QStringLiteral("frmSelectPropertyImage"));
        frame->setProperty("index", j);
        placeTwips(frame, kSlotLefts[0][j - 1], kSlotTop, kSlotWidth, kSlotHeight);
        setSlotBorder(frame, false);
        frame->hide();
        auto* image = new PictureSlotImage(frame);
        image->setObjectName(QStringLiteral("imgPropertyListItem"));
        image->setProperty("index", j);
        image->setCursor(Qt::PointingHandCursor);
        placeTwips(image, 90, 160, 1740, 1200);
        setImageAppearance(image, 1);
        connect(image, &PictureSlotImage::clicked, this,
                [this, j] { imgPropertyListItem_Click(j); });
        connect(image, &PictureSlotImage::doubleClicked, this,
                [this, j] { imgPropertyListItem_DblClick(j); });
        s.frames[j - 1] = frame;
        s.images[j - 1] = image;
    }

    // The bar's value is the strip offset itself, 0 at its left end to n - 4 at its right.
    s.bar = new QScrollBar(Qt::Horizontal, m_framePropertyPictures);
    s.bar->setObjectName(QStringLiteral("hScrollPropertImages"));
    s.bar->setRange(0, 0);
    s.bar->setSingleStep(1);
    s.bar->setPageStep(1);
    placeTwips(s.bar, 10, 1680, 8250, 255);
    s.bar->hide();
    connect(s.bar, &QScrollBar::valueChanged, this, &MainWindow::hScrollPropertImages_Change);

    s.addButton = new QPushButton(QStringLiteral("&Add Picture"), m_frameProperty);
    s.addButton->setObjectName(QStringLiteral("cmdAddPicture"));
    placeTwips(s.addButton, 240, 7740, 1800, 375);
    connect(s.addButton, &QPushButton::clicked, this, &MainWindow::cmdAddPicture_Click);
    s.deleteButton = new QPushButton(QStringLiteral("&Delete Picture"), m_frameProperty);
    s.deleteButton->setObjectName(QStringLiteral("cmdDeletePicture"));
    placeTwips(s.deleteButton, 2160, 7740, 1800, 375);
    s.deleteButton->setEnabled(false);
    connect(s.deleteButton, &QPushButton::clicked, this, &MainWindow::cmdDeletePicture_Click);

    s.viewFullSize =
        new QAction(QStringLiteral("&View Full-Size Version of Selected Picture"), this);
    s.viewFullSize->setObjectName(QStringLiteral("mnuToolsViewImageDetails"));
    m_mnuTools->addAction(s.viewFullSize);
    connect(s.viewFullSize, &QAction::triggered, this, &MainWindow::mnuToolsViewImageDetails_Click);
}

void MainWindow::setFilePicker(FilePicker* picker) {
    m_pictureStrip->picker = picker;
}

void MainWindow::setPictureClock(std::function<QDateTime()> clock) {
    m_pictureStrip->clock = std::move(clock);
}

void MainWindow::showCornerForPictureStrip() {
    const PictureStrip& s = *m_pictureStrip;
    if (!s.frames[0]->isHidden())
        m_imgUpperLeftCorner->setPixmap(s.images[0]->pixmap());
    else
        setCornerPicture(g_sLogoPicturePath);
}

void MainWindow::cmdAddPicture_Click() {
    PictureStrip& s = *m_pictureStrip;
    QStringList& list = m_commands->g_sListOfImagesForProperty;
    std::optional<QString> chosen;
    Trap(4310, [&] { chosen = s.filePicker().openFile(AddPictureRequest()); });
    if (!chosen || chosen->isEmpty())
        return;
    QString copy;
    Trap(4320, [&] { copy = FreePictureCopyPath(s.now(), *chosen); });
    Trap(4330, [&] {
        // The picture folder is made again if something removed it since start-up.
        QDir().mkpath(QFileInfo(copy).absolutePath());
        if (!QFile::copy(*chosen, copy)) {
            const QFileInfo source(*chosen);
            if (!source.dir().exists())
                RaiseError(76);
            RaiseError(source.exists() ? 75 : 53);
        }
    });
    Trap(4340, [&] {
        if (list.isEmpty())
            list.append(QString());
        list.insert(1, copy);
    });
    Trap(4350, [&] { m_commands->m_changes.m_bDirty = true; });
    Trap(4360, [&] { s.bar->setValue(0); });
    Trap(4370, [&] { ShowPictureStrip(); });
    Trap(4380, [&] { showCornerForPictureStrip(); });
}

void MainWindow::cmdDeletePicture_Click() {
    if (m_frameProperty->isHidden())
        return;
    for (int j = 1; j <= PictureStrip::kSlots; ++j) {
        if (m_pictureStrip->hasBorder(j)) {
            DeleteSelectedPicture();
            return;
        }
    }
}

bool MainWindow::hasPictureSelection() const {
    for (int j = 1; j <= PictureStrip::kSlots; ++j) {
        if (m_pictureStrip->hasBorder(j))
            return true;
    }
    return false;
}

void MainWindow::DeleteSelectedPicture() {
    const PictureStrip& s = *m_pictureStrip;
    QStringList& list = m_commands->g_sListOfImagesForProperty;
    QSet<int> removed;
    for (int j = 1; j <= PictureStrip::kSlots; ++j) {
        Trap(4410, [&] {
            if (!s.hasBorder(j))
                return;
            const int k = s.tag(j);
            if (k < 1 || k >= list.size())
                RaiseError(9);
            removed.insert(k);
            m_commands->m_changes.m_bDirty = true;
        });
    }
    // Only the selected entries go; the others keep their order.
    Trap(4420, [&] {
        QStringList kept{list.value(0)};
        for (int k = 1; k < list.size(); ++k) {
            if (!removed.contains(k))
                kept.append(list.at(k));
        }
        list = kept;
    });
    Trap(4430, [&] { ShowPictureStrip(); });
    Trap(4440, [&] { showCornerForPictureStrip(); });
}

void MainWindow::ShowPictureStrip() {
    if (!m_pictureStrip)
        return;
    PictureStrip& s = *m_pictureStrip;
    const QStringList& list = m_commands->g_sListOfImagesForProperty;
    const int n = qMax(0, int(list.size()) - 1);
    Trap(4510, [&] {
        if (n > 4) {
            s.bar->show();
            s.bar->setRange(0, n - 4);
        } else {
            s.bar->hide();
        }
    });
    Trap(4520, [&] {
        for (QFrame* frame : s.frames)
            frame->hide();
    });
    const int offset = n > 4 ? s.offset() : 0;
    const int first = offset + 1;
    const int last = n > 4 ? offset + 4 : n;
    for (int k = last; k >= first; --k) {
        const int j = k - offset;
        PictureSlotImage* image = s.images[j - 1];
        // A picture that cannot be shown is settled on the spot, never logged.
        QPixmap picture;
        if (LoadPictureReference(list.at(k), &picture, kThumbnailSize))
            image->setPixmap(picture);
        Trap(4530, [&] { image->setProperty("tag", QString::number(k)); });
        Trap(4540, [&] { s.frames[j - 1]->show(); });
    }
    Trap(4550, [&] {
        const int m = n > 0 ? last : 0;
        if (m == 0)
            return;
        const int row = m >= 4 ? 0 : 4 - m;
        for (int j = 1; j <= PictureStrip::kSlots; ++j) {
            const int left = kSlotLefts[row][j - 1];
            if (left >= 0)
                s.frames[j - 1]->move(toPixels(left), toPixels(kSlotTop));
        }
    });
    // A slot that is not shown holds no selection: Delete would otherwise remove a picture
    // the user cannot see.
    Trap(4560, [&] {
        for (int j = 1; j <= PictureStrip::kSlots; ++j) {
            if (s.frames[j - 1]->isHidden() && s.hasBorder(j)) {
                setSlotBorder(s.frames[j - 1], false);
                setImageAppearance(s.images[j - 1], 1);
            }
        }
    });
    Trap(4570, [&] { s.deleteButton->setEnabled(hasPictureSelection()); });
}

void MainWindow::hScrollPropertImages_Change() {
    if (!m_pictureStrip || m_pictureStrip->bar->isHidden())
        return;
    ShowPictureStrip();
    ClearPictureSelection();
    focusCorner();
}

void MainWindow::imgPropertyListItem_Click(int Index) {
    PictureStrip& s = *m_pictureStrip;
    Trap(4610, [&] { ClearPictureSelection(); });
    Trap(4620, [&] { setSlotBorder(s.frames.at(Index - 1), true); });
    Trap(4630, [&] { setImageAppearance(s.images.at(Index - 1), 0); });
    Trap(4640, [&] { s.deleteButton->setEnabled(true); });
    Trap(4650, [&] { focusCorner(); });
}

void MainWindow::imgPropertyListItem_DblClick(int Index) {
    Trap(4710, [&] {
        const QStringList& list = m_commands->g_sListOfImagesForProperty;
        const int k = m_pictureStrip->tag(Index);
        if (k < 0 || k >= list.size())
            RaiseError(9);
        ShowFullSizePicture(list.at(k));
    });
}

void MainWindow::mnuToolsViewImageDetails_Click() {
    Trap(4810, [&] {
        if (!m_frameProperty->isHidden()) {
            for (int j = 1; j <= PictureStrip::kSlots; ++j) {
                if (m_pictureStrip->hasBorder(j)) {
                    imgPropertyListItem_DblClick(j);
                    return;
                }
            }
            return;
        }
        // Elsewhere the home page's selected card stands for the property; cards keep their
        // border while a property is open.
        const int card = m_homePage->selectedCard(false);
        if (card > 0)
            ShowFullSizePicture(m_homePage->pictureTag(card));
    });
}

void MainWindow::ShowFullSizePicture(const QString& reference) {
    frmShowImage viewer(this);
    QLabel* pic = viewer.picShowImage();
    QLabel* img = viewer.imgShowImage();
    Trap(4910, [&] {
        pic->move(0, 0);
        img->move(0, 0);
    });
    QPixmap picture;
    if (LoadPictureReference(reference, &picture)) {
        pic->setPixmap(picture);
        pic->resize(picture.size());
    } else {
        pic->resize(0, 0);
    }
    Trap(4920, [&] { viewer.setFixedSize(pic->size()); });
    Trap(4930, [&] {
        // Only the width is limited, to three quarters of the main window.
        const double limit = 0.75 * windowWidthTwips();
        if (!(limit < double(WindowLayout::PixelsToTwips(viewer.width()))) || pic->width() <= 0)
            return;
        const int width = toPixels(limit);
        const int height = int(std::lround(double(pic->height()) / pic->width() * width));
        viewer.setFixedSize(width, height);
        img->setGeometry(0, 0, width, height);
        pic->clear();
        pic->hide();
        // The picture already found, so a reference that needed the program folder or the
        // replacement picture shows here too.
        img->setPixmap(picture);
        img->show();
    });
    Trap(4940, [&] { viewer.setWindowTitle(frmShowImage::caption()); });
    viewer.exec();
}
