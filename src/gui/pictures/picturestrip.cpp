#include "gui/pictures/picturestrip.h"

#include <QFrame>
#include <QMouseEvent>
#include <QScrollBar>

bool PictureStrip::hasBorder(int j) const {
    return frames[j - 1]->frameShape() != QFrame::NoFrame;
}

int PictureStrip::tag(int j) const {
    bool ok = false;
    const int k = images[j - 1]->property("tag").toString().trimmed().toInt(&ok);
    return ok ? k : 0;
}

int PictureStrip::offset() const {
    return bar->value();
}
