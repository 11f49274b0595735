#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// A ring drawn around whatever has the keyboard inside one window. Links, icons, the corner
// picture, read-only figures and the outlook's frameless cells show no focus of their own, so
// a keyboard user lost track of it (after the notes box it went to the navigation links,
// which looked no different). The ring lies over the widget's parent, beside the widget, so
// it scrolls with it; it takes no mouse input.
class FocusRing : public QObject {
    Q_OBJECT
public:
    // Follows the focus inside window from now on; owned by the window.
    static FocusRing* Install(QWidget* window);

    // The widget ringed now, or nullptr.
    QWidget* target() const { return m_target; }
    // The ring as drawn, when one is.
    QWidget* ring() const { return m_ring; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit FocusRing(QWidget* window);
    void follow(QWidget* now);
    void place();

    QWidget* m_window;
    QPointer<QWidget> m_target;
    QPointer<QWidget> m_ring; // goes with its parent, and is made again
};
