#include "gui/pictures/picturestrip.h"

#include "base/errortrap.h"
#include "base/programfolder.h"
#include "gui/pictures/picturecopy.h"
#include "gui/pictures/picturefiles.h"
#include "gui/views/viewframe.h"
#include "gui/widgets/twips.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>

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

PictureStrip::PictureStrip(ViewFrame& view, QStringList& pictures)
    : QFrame(&view), m_pictures(pictures) {
    setObjectName(QStringLiteral("framePropertyPictures"));
    PlaceTwips(this, 240, 5700, 8295, 1935);
    m_ownPicker = std::make_unique<WidgetFilePicker>(view.window());

    view.addGroupHeading(QStringLiteral("Pictures"), 240, 5340, 6000);
    for (int j = 1; j <= kSlots; ++j) {
        auto* frame = new QFrame(this);
        frame->setObjectName(QStringLiteral("frmSelectPropertyImage"));
        frame->setProperty("index", j);
        PlaceTwips(frame, kSlotLefts[0][j - 1], kSlotTop, kSlotWidth, kSlotHeight);
        setSlotBorder(frame, false);
        frame->hide();
        auto* image = new PictureSlotImage(frame);
        image->setObjectName(QStringLiteral("imgPropertyListItem"));
        image->setProperty("index", j);
        image->setCursor(Qt::PointingHandCursor);
        PlaceTwips(image, 90, 160, 1740, 1200);
        setImageAppearance(image, 1);
        connect(image, &PictureSlotImage::clicked, this, [this, j] { select(j); });
        connect(image, &PictureSlotImage::doubleClicked, this, [this, j] { openSlot(j); });
        m_frames[j - 1] = frame;
        m_images[j - 1] = image;
    }

    // The bar's value is the strip offset itself, 0 at its left end to n - 4 at its right.
    m_bar = new QScrollBar(Qt::Horizontal, this);
    m_bar->setObjectName(QStringLiteral("hScrollPropertImages"));
    m_bar->setRange(0, 0);
    m_bar->setSingleStep(1);
    m_bar->setPageStep(1);
    PlaceTwips(m_bar, 10, 1680, 8250, 255);
    m_bar->hide();
    connect(m_bar, &QScrollBar::valueChanged, this, &PictureStrip::scrolled);

    m_addButton = new QPushButton(QStringLiteral("&Add Picture"), &view);
    m_addButton->setObjectName(QStringLiteral("cmdAddPicture"));
    PlaceTwips(m_addButton, 240, 7740, 1800, 375);
    connect(m_addButton, &QPushButton::clicked, this, &PictureStrip::addPicture);
    m_deleteButton = new QPushButton(QStringLiteral("&Delete Picture"), &view);
    m_deleteButton->setObjectName(QStringLiteral("cmdDeletePicture"));
    PlaceTwips(m_deleteButton, 2160, 7740, 1800, 375);
    m_deleteButton->setEnabled(false);
    connect(m_deleteButton, &QPushButton::clicked, this, &PictureStrip::deleteSelectionIfAny);
}

PictureStrip::~PictureStrip() = default;

bool PictureStrip::hasBorder(int j) const {
    return m_frames[j - 1]->frameShape() != QFrame::NoFrame;
}

int PictureStrip::tag(int j) const {
    bool ok = false;
    const int k = m_images[j - 1]->property("tag").toString().trimmed().toInt(&ok);
    return ok ? k : 0;
}

bool PictureStrip::hasSelection() const {
    return selectedSlot() > 0;
}

int PictureStrip::selectedSlot() const {
    for (int j = 1; j <= kSlots; ++j) {
        if (hasBorder(j))
            return j;
    }
    return 0;
}

void PictureStrip::addPicture() {
    // The window takes no input while a copy runs, but a test or a queued call might.
    if (m_copying)
        return;
    std::optional<QString> chosen;
    Trap(4310, [&] { chosen = ChoosePictureFile(filePicker(), m_lastPictureFolder); });
    if (!chosen || chosen->isEmpty())
        return;
    // A folder named like a picture, a pipe or a device is refused before anything opens it.
    const QString refusal = PictureSourceRefusal(*chosen);
    if (!refusal.isEmpty()) {
        tellNotAdded(*chosen, refusal);
        return;
    }
    QString copy;
    Trap(4320, [&] { copy = FreePictureCopyPath(now(), *chosen); });
    PictureCopyResult copied;
    copied.reason = QStringLiteral("the picture folder could not be made");
    Trap(4330, [&] {
        // The picture folder is made again if something removed it since start-up.
        QDir().mkpath(QFileInfo(copy).absolutePath());
        m_copying = true;
        copied = CopyPictureWithProgress(window(), *chosen, copy);
        m_copying = false;
    });
    m_copying = false;
    if (copied.outcome == PictureCopyResult::Cancelled)
        return;
    // Only a picture whose copy is whole is listed: a reference to a file never written
    // would be saved with the property and show as a broken picture ever after.
    if (copied.outcome != PictureCopyResult::Copied) {
        tellNotAdded(*chosen, copied.reason);
        return;
    }
    Trap(4340, [&] {
        if (m_pictures.isEmpty())
            m_pictures.append(QString());
        m_pictures.insert(1, copy);
    });
    Trap(4350, [&] { emit edited(); });
    Trap(4360, [&] { m_bar->setValue(0); });
    Trap(4370, [&] { refresh(); });
    Trap(4380, [&] { emit firstPictureChanged(); });
}

void PictureStrip::tellNotAdded(const QString& file, const QString& reason) {
    PromptMessage m;
    m.title = QStringLiteral("Picture Not Added");
    QString why = reason.isEmpty() ? QStringLiteral("the copy failed") : reason;
    why[0] = why.at(0).toUpper();
    if (!why.endsWith(QLatin1Char('.')))
        why += QLatin1Char('.');
    m.text = QStringLiteral("This file could not be copied into the picture folder, so it was "
                            "not added to the property's pictures:\r\n\r\n") +
             QDir::toNativeSeparators(file) + QStringLiteral("\r\n\r\n") + why;
    m.icon = PromptIcon::Warning;
    m.buttons = PromptButtons::Ok;
    Trap(4390, [&] {
        if (m_prompts)
            m_prompts().message(m);
    });
}

void PictureStrip::deleteSelectionIfAny() {
    if (parentWidget()->isHidden())
        return;
    if (hasSelection())
        deleteSelected();
}

void PictureStrip::deleteSelected() {
    QSet<int> removed;
    for (int j = 1; j <= kSlots; ++j) {
        Trap(4410, [&] {
            if (!hasBorder(j))
                return;
            const int k = tag(j);
            if (k < 1 || k >= m_pictures.size())
                RaiseError(9);
            removed.insert(k);
            emit edited();
        });
    }
    // Only the selected entries go; the others keep their order.
    Trap(4420, [&] {
        QStringList kept{m_pictures.value(0)};
        for (int k = 1; k < m_pictures.size(); ++k) {
            if (!removed.contains(k))
                kept.append(m_pictures.at(k));
        }
        m_pictures = kept;
    });
    Trap(4430, [&] { refresh(); });
    Trap(4440, [&] { emit firstPictureChanged(); });
}

void PictureStrip::refresh() {
    const int n = qMax(0, int(m_pictures.size()) - 1);
    Trap(4510, [&] {
        if (n > 4) {
            m_bar->show();
            m_bar->setRange(0, n - 4);
        } else {
            m_bar->hide();
        }
    });
    Trap(4520, [&] {
        for (QFrame* frame : m_frames)
            frame->hide();
    });
    const int offset = n > 4 ? m_bar->value() : 0;
    const int first = offset + 1;
    const int last = n > 4 ? offset + 4 : n;
    for (int k = last; k >= first; --k) {
        const int j = k - offset;
        PictureSlotImage* image = m_images[j - 1];
        // A picture that cannot be shown is settled on the spot, never logged.
        QPixmap picture;
        if (LoadPictureReference(m_pictures.at(k), &picture, kThumbnailSize))
            image->setPixmap(picture);
        Trap(4530, [&] { image->setProperty("tag", QString::number(k)); });
        Trap(4540, [&] { m_frames[j - 1]->show(); });
    }
    Trap(4550, [&] {
        const int m = n > 0 ? last : 0;
        if (m == 0)
            return;
        const int row = m >= 4 ? 0 : 4 - m;
        for (int j = 1; j <= kSlots; ++j) {
            const int left = kSlotLefts[row][j - 1];
            if (left >= 0)
                m_frames[j - 1]->move(TwipsToPixels(left), TwipsToPixels(kSlotTop));
        }
    });
    // A slot that is not shown holds no selection: Delete would otherwise remove a picture
    // the user cannot see.
    Trap(4560, [&] {
        for (int j = 1; j <= kSlots; ++j) {
            if (m_frames[j - 1]->isHidden() && hasBorder(j)) {
                setSlotBorder(m_frames[j - 1], false);
                setImageAppearance(m_images[j - 1], 1);
            }
        }
    });
    Trap(4570, [&] { m_deleteButton->setEnabled(hasSelection()); });
}

void PictureStrip::scrolled() {
    if (m_bar->isHidden())
        return;
    refresh();
    clearSelection();
    emit cornerFocusWanted();
}

void PictureStrip::select(int j) {
    Trap(4610, [&] { clearSelection(); });
    Trap(4620, [&] { setSlotBorder(m_frames.at(j - 1), true); });
    Trap(4630, [&] { setImageAppearance(m_images.at(j - 1), 0); });
    Trap(4640, [&] { m_deleteButton->setEnabled(true); });
    Trap(4650, [&] { emit cornerFocusWanted(); });
}

void PictureStrip::openSlot(int j) {
    Trap(4710, [&] {
        const int k = tag(j);
        if (k < 0 || k >= m_pictures.size())
            RaiseError(9);
        emit pictureOpened(m_pictures.at(k));
    });
}

void PictureStrip::clearSelection() {
    Trap(3910, [&] {
        for (QFrame* slot : m_frames)
            slot->setFrameShape(QFrame::NoFrame);
    });
    Trap(3920, [&] {
        for (PictureSlotImage* image : m_images) {
            image->setProperty("appearance", 1);
            image->setFrameShape(QFrame::Panel);
            image->setFrameShadow(QFrame::Sunken);
        }
    });
    Trap(3930, [&] { m_deleteButton->setEnabled(false); });
}

void PictureStrip::clearImages() {
    for (PictureSlotImage* image : m_images)
        image->clear();
    // Nothing left to scroll; opening a property redraws the strip with its own bar.
    m_bar->hide();
}

void PictureStrip::resetScroll() {
    m_bar->setValue(0);
}
