#include "gui/pictures/pictureviewer.h"

#include "gui/widgets/clickableimage.h"
#include "gui/widgets/linklabel.h"

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
