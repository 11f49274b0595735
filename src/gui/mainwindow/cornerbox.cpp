#include "gui/mainwindow/cornerbox.h"

#include "base/errortrap.h"
#include "base/programfolder.h"
#include "gui/pictures/picturestrip.h"
#include "gui/views/viewframe.h"

#include <QFileInfo>
#include <QImageReader>
#include <QLabel>

CornerBox::CornerBox(QWidget* parent, int widthTwips, int heightTwips) : QFrame(parent) {
    setObjectName(QStringLiteral("picUpperLeftCorner"));
    setFocusPolicy(Qt::StrongFocus);
    PlaceTwips(this, 0, 0, widthTwips, heightTwips);
    m_image = new QLabel(this);
    m_image->setObjectName(QStringLiteral("imgUpperLeftCorner"));
    m_image->setScaledContents(true);
    PlaceTwips(m_image, 0, 0, widthTwips, heightTwips);
}

void CornerBox::showLogo() {
    const QString& path = g_sLogoPicturePath;
    if (!QFileInfo::exists(path))
        RaiseError(53);
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull())
        RaiseError(481);
    m_image->setPixmap(QPixmap::fromImage(image));
}

void CornerBox::showPicture(const QPixmap& picture) {
    m_image->setPixmap(picture);
}

void CornerBox::showFirstPictureOf(const PictureStrip& strip) {
    if (!strip.slotFrame(1)->isHidden())
        showPicture(strip.slotImage(1)->pixmap());
    else
        showLogo();
}

void CornerBox::focusIfVisible() {
    if (isVisible())
        setFocus();
}
