#include "gui/widgets/focusring.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QWidget>

namespace {

constexpr int kRing = 2; // pixels, outside the widget

class RingWidget : public QWidget {
public:
    explicit RingWidget(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("focusRing"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        QPen pen(palette().color(QPalette::Highlight), kRing);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        p.drawRect(QRectF(rect()).adjusted(kRing / 2.0, kRing / 2.0, -kRing / 2.0, -kRing / 2.0));
    }
};

} // namespace

FocusRing* FocusRing::Install(QWidget* window) {
    return new FocusRing(window);
}

FocusRing::FocusRing(QWidget* window) : QObject(window), m_window(window) {
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { follow(now); });
}

void FocusRing::follow(QWidget* now) {
    if (m_target)
        m_target->removeEventFilter(this);
    m_target = nullptr;
    // Only the window's own widgets; not the window itself, nor a page that marks its own
    // choice (the home page's cards).
    if (!now || now == m_window || now->window() != m_window || !now->parentWidget() ||
        now->property("noFocusRing").toBool()) {
        if (m_ring)
            m_ring->hide();
        return;
    }
    m_target = now;
    now->installEventFilter(this);
    if (!m_ring)
        m_ring = new RingWidget(now->parentWidget());
    else if (m_ring->parentWidget() != now->parentWidget())
        m_ring->setParent(now->parentWidget());
    place();
}

void FocusRing::place() {
    if (!m_ring)
        return;
    if (!m_target || m_target->isHidden()) {
        m_ring->hide();
        return;
    }
    // Inside the parent where the widget touches its edge (the corner picture): a ring cut off
    // there would show on two sides only.
    const QRect around = m_target->geometry().adjusted(-kRing, -kRing, kRing, kRing);
    m_ring->setGeometry(around & m_ring->parentWidget()->rect());
    m_ring->raise();
    m_ring->show();
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_target) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            place();
            break;
        default:
            break;
        }
    }
    return false;
}
