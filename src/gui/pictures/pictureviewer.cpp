#include "gui/pictures/pictureviewer.h"

#include "base/errortrap.h"
#include "gui/pictures/picturefiles.h"
#include "gui/widgets/twips.h"

#include "gui/widgets/clickableimage.h"
#include "gui/widgets/linklabel.h"

#include <cmath>

frmShowImage::frmShowImage(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmShowImage"));
    setModal(true);
    // A plain window: no help button, nothing to resize the picture away from.
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setSizeGripEnabled(false);

    auto* pic = new ClickableImage(this);
    pic->setObjectName(QStringLiteral("picShowImage"));
    pic->setCursor(Qt::PointingHandCursor);
    connect(pic, &ClickableImage::clicked, this, &frmShowImage::picShowImage_Click);
    m_picShowImage = pic;

    auto* img = new ClickableImage(this);
    img->setObjectName(QStringLiteral("imgShowImage"));
    img->setScaledContents(true);
    img->setCursor(Qt::PointingHandCursor);
    img->hide();
    connect(img, &ClickableImage::clicked, this, &frmShowImage::imgShowImage_Click);
    m_imgShowImage = img;

    Form_Load();
}

void frmShowImage::imgShowImage_Click() {
    accept();
}

void frmShowImage::picShowImage_Click() {
    accept();
}

void frmShowImage::showPicture(QWidget* parent, const QString& reference, double widthLimitTwips) {
    frmShowImage viewer(parent);
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
        const double limit = widthLimitTwips;
        if (!(limit < double(PixelsToTwips(viewer.width()))) || pic->width() <= 0)
            return;
        const int width = TwipsToPixels(limit);
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
    Trap(4940, [&] { viewer.setWindowTitle(caption()); });
    viewer.exec();
}
