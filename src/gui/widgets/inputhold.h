#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// Holds back the user's clicks and keys while work runs beside the window, from everything
// but a box let in (a progress box): what the work belongs to cannot change under it, and the
// window's own events (painting, resizing, timers) go on. Closing the window is refused, every
// window of the program's when none is named.
class InputHold : public QObject {
public:
    explicit InputHold(QWidget* window = nullptr);
    ~InputHold() override;
    void allow(QWidget* box);

protected:
    bool eventFilter(QObject* target, QEvent* event) override;

private:
    bool insideBox(QObject* target) const;
    bool isHeldWindow(QObject* target) const;

    QWidget* m_window;
    QPointer<QWidget> m_box;
};
