#include "gui/widgets/linklabel.h"

#include "gui/widgets/themecolours.h"

#include <QMouseEvent>

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
    setHovered(false);
}

void LinkLabel::setHovered(bool hovered) {
    m_hovered = hovered;
    // The link's colours, as light or dark as the background behind it needs to read well.
    Theme::SetTextColour(this, hovered ? m_hoverColour : restColour());
    QFont f = font();
    f.setUnderline(hovered);
    setFont(f);
}

void LinkLabel::enterEvent(QEnterEvent* event) {
    QLabel::enterEvent(event);
    emit pointerEntered();
}

void LinkLabel::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    emit pointerLeft();
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void LinkLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}

void LinkLabel::mouseMoveEvent(QMouseEvent* event) {
    QLabel::mouseMoveEvent(event);
    // While a button is held the label has grabbed the mouse and gets no leave event: the
    // position tells whether the pointer is still over it.
    const bool inside = rect().contains(event->position().toPoint());
    if (inside && !m_hovered)
        emit pointerEntered();
    else if (!inside && m_hovered)
        emit pointerLeft();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    if (rect().contains(event->position().toPoint()))
        emit releasedOver();
    else if (m_hovered)
        emit pointerLeft();
}
