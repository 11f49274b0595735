#include "gui/pictures/pictureslotimage.h"

#include <QMouseEvent>

PictureSlotImage::PictureSlotImage(QWidget* parent) : QLabel(parent) {
    setScaledContents(true);
}

void PictureSlotImage::paintEvent(QPaintEvent* event) {
    // An image without a picture draws nothing, not even its 3-D edge: a new property's
    // strip keeps the last property's slots, emptied, and must look as empty as it is.
    if (pixmap().isNull())
        return;
    QLabel::paintEvent(event);
}

void PictureSlotImage::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void PictureSlotImage::mouseDoubleClickEvent(QMouseEvent* event) {
    QLabel::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}
