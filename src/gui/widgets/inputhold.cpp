#include "gui/widgets/inputhold.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

InputHold::InputHold(QWidget* window) : m_window(window) {
    qApp->installEventFilter(this);
}

InputHold::~InputHold() {
    qApp->removeEventFilter(this);
}

void InputHold::allow(QWidget* box) {
    m_box = box;
}

bool InputHold::eventFilter(QObject* target, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return !insideBox(target);
    case QEvent::Close:
        // Refused, not just held back: a close left accepted goes ahead.
        if (!isHeldWindow(target))
            return false;
        event->ignore();
        return true;
    default:
        return false;
    }
}

bool InputHold::insideBox(QObject* target) const {
    if (!m_box)
        return false;
    // Input reaches the box's window first, then its widgets.
    if (target == m_box->windowHandle())
        return true;
    auto* widget = qobject_cast<QWidget*>(target);
    return widget && widget->window() == m_box;
}

bool InputHold::isHeldWindow(QObject* target) const {
    if (m_window)
        return target == m_window || target == m_window->windowHandle();
    if (target->isWindowType())
        return true;
    auto* widget = qobject_cast<QWidget*>(target);
    return widget && widget->isWindow() && !insideBox(widget);
}
