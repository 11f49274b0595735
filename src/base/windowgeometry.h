#pragma once

#include <QtGlobal>

// A window as the position store sees it: edges and size in twips, its state, and the screen
// it sits on. The main window adapts its widget to this; tests use a plain fake.
class WindowGeometry {
public:
    enum State { Normal = 0, Minimised = 1, Maximised = 2 };

    virtual ~WindowGeometry() = default;

    virtual int windowState() const = 0;
    virtual void setWindowState(int state) = 0;

    virtual qint32 left() const = 0;
    virtual qint32 top() const = 0;
    virtual qint32 width() const = 0;
    virtual qint32 height() const = 0;
    // Moves and sizes the window in one step.
    virtual void setGeometry(qint32 left, qint32 top, qint32 width, qint32 height) = 0;

    // The screen's size in twips and its twips per pixel.
    virtual qint32 screenWidth() const = 0;
    virtual qint32 screenHeight() const = 0;
    virtual qint32 twipsPerPixelX() const = 0;
    virtual qint32 twipsPerPixelY() const = 0;
};
