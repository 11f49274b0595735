#include "gui/widgets/elidedlabel.h"

#include <QPainter>

void ElidedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = contentsRect();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
    // What had to be cut short is still there for the pointer.
    const QString tip = shown == text() ? QString() : text();
    if (toolTip() != tip)
        setToolTip(tip);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(area, Qt::AlignHCenter | Qt::AlignVCenter, shown);
}
