#include "gui/mainwindow/contentlayout.h"

#include "base/errortrap.h"
#include "gui/mainwindow/navigationstrip.h"
#include "gui/mainwindow/windowlayout.h"
#include "gui/views/viewframe.h"

#include <QCoreApplication>
#include <QFrame>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>
#include <cmath>

void ContentLayout::addScrollBars() {
    constexpr int kBarThickness = 255;
    m.vbar = new QScrollBar(Qt::Vertical, m.client);
    m.vbar->setObjectName(QStringLiteral("VScroll1"));
    m.hbar = new QScrollBar(Qt::Horizontal, m.client);
    m.hbar->setObjectName(QStringLiteral("HScroll2"));
    for (QScrollBar* bar : {m.vbar, m.hbar}) {
        bar->setRange(0, 3);
        bar->setPageStep(1);
        bar->setSingleStep(1);
        bar->hide();
    }
    PlaceTwips(m.vbar, 0, 0, kBarThickness, 3000);
    PlaceTwips(m.hbar, 0, 0, 3000, kBarThickness);
}

int ContentLayout::windowWidthTwips() const {
    return innerWidthTwips() + kFrameAllowanceWidth;
}
int ContentLayout::windowHeightTwips() const {
    return innerHeightTwips() + kFrameAllowanceHeight;
}
int ContentLayout::innerWidthTwips() const {
    return WindowLayout::PixelsToTwips(m.client->width());
}
int ContentLayout::innerHeightTwips() const {
    return WindowLayout::PixelsToTwips(m.client->height());
}

int ContentLayout::contentLeftTwips() const {
    return int(std::lround(m_contentLeft));
}
int ContentLayout::contentTopTwips() const {
    return int(std::lround(m_contentTop));
}

void ContentLayout::setContentHeightTwips(int height) {
    m_contentHeight = height;
    m.content->resize(WindowLayout::TwipsToPixels(m_contentWidth),
                      WindowLayout::TwipsToPixels(height));
}

QWidget* ContentLayout::followingFrame() const {
    for (QObject* child : m.content->children()) {
        auto* frame = qobject_cast<QWidget*>(child);
        if (frame && !frame->isHidden() && frame->property(ViewFrame::kFollowsWindowWidth).toBool())
            return frame;
    }
    return nullptr;
}

void ContentLayout::layout() {
    ++m_layoutPasses;
    WindowLayout::Input in;
    in.windowWidth = windowWidthTwips();
    in.windowHeight = windowHeightTwips();
    in.innerWidth = innerWidthTwips();
    in.innerHeight = innerHeightTwips();
    in.contentHeight = m_contentHeight;
    in.cornerWidth = kCornerWidth;
    in.navigationHeight = kStripHeight;
    in.vbarWidth = WindowLayout::PixelsToTwips(m.vbar->width());
    in.hbarHeight = WindowLayout::PixelsToTwips(m.hbar->height());
    in.vbarVisible = !m.vbar->isHidden();
    // The returns view and the portfolio table use the room a wide window gives them; the
    // classic views keep their design's width, centred.
    const bool following = followingFrame() != nullptr;
    const auto compute = [&] {
        in.contentWidth =
            following
                ? WindowLayout::FollowingContentWidth(in.innerWidth, in.windowHeight,
                                                      in.contentHeight, in.vbarWidth, kContentWidth)
                : kContentWidth;
        return WindowLayout::Compute(in);
    };
    WindowLayout::Result r = compute();
    // The home page is as tall as the window makes it: the bars are decided by that height,
    // not by the one it had before the window changed.
    if (!m.home->isHidden() && r.homeFrameHeight - 660 != in.contentHeight) {
        in.contentHeight = r.homeFrameHeight - 660;
        r = compute();
    }
    Trap(3805, [&] {
        m_contentWidth = in.contentWidth;
        const int pixels = WindowLayout::TwipsToPixels(m_contentWidth);
        m.content->resize(pixels, m.content->height());
        // Only the frame shown now is wide; one that stops following (the cards back in place
        // of the table) gets the design's width back.
        for (QObject* child : m.content->children()) {
            auto* frame = qobject_cast<QWidget*>(child);
            if (!frame || !frame->property(ViewFrame::kFollowsWindowWidth).isValid() ||
                frame->isHidden())
                continue;
            const int width = frame->property(ViewFrame::kFollowsWindowWidth).toBool()
                                  ? pixels
                                  : WindowLayout::TwipsToPixels(kContentWidth);
            if (frame->width() != width)
                frame->resize(width, frame->height());
        }
    });

    Trap(3810, [&] {
        m_homeFrameHeight = r.homeFrameHeight;
        m.home->resize(m.home->width(), WindowLayout::TwipsToPixels(r.homeFrameHeight));
        // The home page grows with the window: the content showing it grows along, or the
        // table's lower rows, its totals and its buttons would stay cut off where the window
        // ended when the page came up.
        if (!m.home->isHidden())
            setContentHeightTwips(r.homeFrameHeight - 660);
    });
    Trap(3820, [&] {
        m.navigation->resize(WindowLayout::TwipsToPixels(r.stripWidth), m.navigation->height());
        m.homeNavigation->resize(WindowLayout::TwipsToPixels(r.stripWidth),
                                 m.homeNavigation->height());
    });
    Trap(3830, [&] {
        for (NavigationStrip* strip : {m.navigation, m.homeNavigation}) {
            QFrame* line = strip->bottomLine();
            line->resize(WindowLayout::TwipsToPixels(r.stripWidth), line->height());
        }
    });
    Trap(3840, [&] { m.hbar->setHidden(!r.hbarVisible); });
    Trap(3850, [&] { m.vbar->setHidden(!r.vbarVisible); });
    Trap(3860,
         [&] { PlaceTwips(m.vbar, r.vbar.left(), r.vbar.top(), r.vbar.width(), r.vbar.height()); });
    Trap(3870,
         [&] { PlaceTwips(m.hbar, r.hbar.left(), r.hbar.top(), r.hbar.width(), r.hbar.height()); });
    fitVerticalRange(following);
    Trap(3880, [&] {
        verticalScrolled();
        horizontalScrolled();
    });
    Trap(3890, [&] {
        double left = 0;
        if (following || !WindowLayout::CentredLeft(in.windowWidth, kContentWidth, &left))
            left = 0;
        m_contentLeft = left;
        m.content->move(WindowLayout::TwipsToPixels(left), m.content->y());
    });
    // The horizontal bar was decided against the vertical bar as it was; content as wide as the
    // window needs one more pass when that bar came or went, or a bar would stay for nothing.
    // (The bars only settle: a second pass sees the bar as it stays.)
    if (following && in.vbarVisible == m.vbar->isHidden() && !m_settling) {
        m_settling = true;
        layout();
        m_settling = false;
    }
}

int ContentLayout::visibleHeightTwips() const {
    int visible = innerHeightTwips() - kStripHeight;
    if (!m.hbar->isHidden())
        visible -= WindowLayout::PixelsToTwips(m.hbar->height());
    return visible;
}

void ContentLayout::fitVerticalRange(bool fine) {
    // The classic views keep their bar of four positions. A view of ours that follows the
    // window's width (the returns view, several windows tall with its offer and sensitivity)
    // scrolls a line at a time instead: the four positions jumped over parts of it that no
    // bar position, wheel or Tab could then bring into sight.
    const int overhang = m_contentHeight + 920 - windowHeightTwips();
    const int steps = fine && overhang > 0 ? (overhang + kScrollLine - 1) / kScrollLine : 0;
    const int pageStep = steps > 0 ? qMax(1, visibleHeightTwips() / kScrollLine - 1) : 1;
    if (steps == m_fineSteps) {
        m.vbar->setPageStep(pageStep);
        return;
    }
    // Where the content stood, as near as the new positions come.
    const double share =
        m.vbar->maximum() > 0 ? double(m.vbar->value()) / double(m.vbar->maximum()) : 0.0;
    m_fineSteps = steps;
    const QSignalBlocker blocker(m.vbar);
    m.vbar->setRange(0, steps > 0 ? steps : 3);
    m.vbar->setPageStep(pageStep);
    m.vbar->setValue(int(std::lround(share * m.vbar->maximum())));
}

void ContentLayout::verticalScrolled() {
    if (m.vbar->isHidden() && m.vbar->value() != 0) {
        const QSignalBlocker blocker(m.vbar);
        m.vbar->setValue(0);
    }
    m_contentTop = verticalOffsetTwips(m.vbar->value());
    m.content->move(m.content->x(), WindowLayout::TwipsToPixels(m_contentTop));
}

double ContentLayout::verticalOffsetTwips(int position) const {
    if (m_fineSteps > 0) {
        const int overhang = m_contentHeight + 920 - windowHeightTwips();
        return position <= 0 ? 0.0 : -double(overhang) * qMin(position, m_fineSteps) / m_fineSteps;
    }
    return WindowLayout::ScrollOffset(windowHeightTwips(), 920, m_contentHeight, position);
}

void ContentLayout::horizontalScrolled() {
    if (m.hbar->isHidden() && m.hbar->value() != 0) {
        const QSignalBlocker blocker(m.hbar);
        m.hbar->setValue(0);
    }
    m_contentLeft =
        WindowLayout::ScrollOffset(windowWidthTwips(), 0, m_contentWidth, m.hbar->value());
    m.content->move(WindowLayout::TwipsToPixels(m_contentLeft), m.content->y());
}

void ContentLayout::scrollIntoView(QWidget* field) {
    // Tabbing through a view taller than the window would otherwise leave the caret in a
    // field nobody can see. The bar keeps its positions: take the nearest that shows the
    // whole field, or, for a field taller than the window shows, its top.
    if (!field || m.vbar->isHidden() || !m.content->isAncestorOf(field))
        return;
    const int fieldTop = field->mapTo(m.content, QPoint(0, 0)).y();
    const int visibleTop = WindowLayout::TwipsToPixels(kStripHeight);
    int visibleBottom = m.client->height();
    if (!m.hbar->isHidden())
        visibleBottom -= m.hbar->height();
    const auto fits = [&](int position) {
        const int top = WindowLayout::TwipsToPixels(verticalOffsetTwips(position)) + fieldTop;
        return top >= visibleTop && top + field->height() <= visibleBottom;
    };
    const int current = m.vbar->value();
    if (fits(current))
        return;
    for (int distance = 1; distance <= m.vbar->maximum(); ++distance) {
        for (int position : {current + distance, current - distance}) {
            if (position >= m.vbar->minimum() && position <= m.vbar->maximum() && fits(position)) {
                m.vbar->setValue(position);
                return;
            }
        }
    }
    // The furthest position that keeps its top below the strip, not under it.
    for (int position = m.vbar->maximum(); m_fineSteps > 0 && position >= m.vbar->minimum();
         --position) {
        if (WindowLayout::TwipsToPixels(verticalOffsetTwips(position)) + fieldTop >= visibleTop) {
            m.vbar->setValue(position);
            return;
        }
    }
}

void ContentLayout::resetLeft() {
    m_contentLeft = 0;
    m.content->move(0, m.content->y());
}

bool ContentLayout::wheel(QWheelEvent* wheel) {
    // A wheel or touchpad turned anywhere over the content (a field or caption of it passes
    // the turn on) moves it as the vertical bar does, in the bar's own steps.
    if (m.vbar->isHidden())
        return false;
    // A copy that is not the user's own: sent to the bar, it goes no further.
    QWheelEvent step(wheel->position(), wheel->globalPosition(), wheel->pixelDelta(),
                     wheel->angleDelta(), wheel->buttons(), wheel->modifiers(), wheel->phase(),
                     wheel->inverted(), wheel->source());
    QCoreApplication::sendEvent(m.vbar, &step);
    // A touchpad gesture begins without a distance; taking it keeps the rest coming here.
    wheel->setAccepted(step.isAccepted() || wheel->phase() == Qt::ScrollBegin);
    return true;
}
