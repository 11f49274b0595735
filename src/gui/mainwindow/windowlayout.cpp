#include "gui/mainwindow/windowlayout.h"

#include "base/errortrap.h"
#include "base/numerictext.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <cmath>
#include <limits>

namespace WindowLayout {

Result Compute(const Input& in) {
    Result r;
    r.homeFrameHeight = in.windowHeight - 560;
    r.stripWidth = in.windowWidth - 100 - in.cornerWidth;

    // The horizontal bar is decided against the vertical bar as it was, then the vertical
    // bar against the horizontal one just decided.
    if (in.vbarVisible)
        r.hbarVisible = in.contentWidth + 100 + in.vbarWidth > in.windowWidth;
    else
        r.hbarVisible = in.contentWidth + 100 > in.windowWidth;
    if (r.hbarVisible)
        r.vbarVisible = in.contentHeight + 700 + in.hbarHeight > in.windowHeight;
    else
        r.vbarVisible = in.contentHeight + 700 > in.windowHeight;

    int vbarHeight = in.innerHeight - in.navigationHeight;
    if (r.hbarVisible)
        vbarHeight -= in.hbarHeight;
    r.vbar =
        QRect(in.windowWidth - in.vbarWidth - 100, in.navigationHeight, in.vbarWidth, vbarHeight);
    int hbarWidth = in.innerWidth;
    if (r.vbarVisible)
        hbarWidth -= in.vbarWidth;
    r.hbar = QRect(0, in.windowHeight - 1025, hbarWidth, in.hbarHeight);
    return r;
}

int FollowingContentWidth(int innerWidth, int windowHeight, int contentHeight, int vbarWidth,
                          int designWidth) {
    // Decided as Compute decides the vertical bar when no horizontal bar is needed.
    const bool vbar = contentHeight + 700 > windowHeight;
    return qMax(designWidth, innerWidth - (vbar ? vbarWidth : 0));
}

double ScrollOffset(int windowExtent, int margin, int contentExtent, int position) {
    if (position <= 0)
        return 0;
    return double(windowExtent - margin - contentExtent) / double(4 - position);
}

bool CentredLeft(int windowWidth, int contentWidth, double* left) {
    if (windowWidth <= kCentreBeyond)
        return false;
    *left = windowWidth / 2.0 - contentWidth / 2.0;
    return true;
}

Position ParseStoredPosition(const QString& left, const QString& top) {
    Position p;
    // A single-precision twip value; one that does not convert leaves the default in place.
    auto convert = [](const QString& text, int* out) {
        const double value = ToNumber(text.trimmed());
        if (std::fabs(value) > double(std::numeric_limits<float>::max()))
            RaiseError(6);
        if (std::fabs(value) > 2e9)
            RaiseError(6);
        *out = int(std::lround(float(value)));
    };
    Trap(3401, [&] { convert(left, &p.left); });
    Trap(3402, [&] { convert(top, &p.top); });
    return p;
}

bool IsOnSomeScreen(const QRect& window, const QVector<QRect>& screens) {
    for (const QRect& screen : screens) {
        if (screen.intersects(window))
            return true;
    }
    return false;
}

bool IsOnAttachedScreen(const QRect& window) {
    QVector<QRect> screens;
    for (QScreen* screen : QGuiApplication::screens())
        screens.append(screen->geometry());
    return screens.isEmpty() || IsOnSomeScreen(window, screens);
}

QRect ScreenAreaFor(const QRect& window, const QVector<QRect>& areas) {
    QRect best;
    qint64 bestShare = 0;
    for (const QRect& area : areas) {
        const QRect common = area.intersected(window);
        const qint64 share = qint64(common.width()) * common.height();
        if (share > bestShare) {
            best = area;
            bestShare = share;
        }
    }
    if (bestShare == 0 && !areas.isEmpty())
        return areas.first();
    return best;
}

QRect FitIntoArea(const QRect& window, const QRect& area, const QSize& minimum) {
    if (area.isEmpty())
        return window;
    const int width = qMin(window.width(), qMax(area.width(), minimum.width()));
    const int height = qMin(window.height(), qMax(area.height(), minimum.height()));
    // Pushed back in from the right and bottom first, so a window larger than the area keeps
    // its top left corner (caption and menu) in it.
    const int left = qMax(area.left(), qMin(window.left(), area.left() + area.width() - width));
    const int top = qMax(area.top(), qMin(window.top(), area.top() + area.height() - height));
    return QRect(left, top, width, height);
}

namespace {
const QString kSettingsApplication = QStringLiteral("Quillbrook");
const QString kSettingsGroup = QStringLiteral("Settings");
} // namespace

Position StoredPosition() {
    QSettings settings(kSettingsApplication);
    settings.beginGroup(kSettingsGroup);
    return ParseStoredPosition(
        settings.value(QStringLiteral("MainLeft"), QStringLiteral("1000")).toString(),
        settings.value(QStringLiteral("MainTop"), QStringLiteral("1000")).toString());
}

void StorePosition(int left, int top, int width, int height) {
    QSettings settings(kSettingsApplication);
    settings.beginGroup(kSettingsGroup);
    settings.setValue(QStringLiteral("MainLeft"), QString::number(left));
    settings.setValue(QStringLiteral("MainTop"), QString::number(top));
    settings.setValue(QStringLiteral("MainWidth"), QString::number(width));
    settings.setValue(QStringLiteral("MainHeight"), QString::number(height));
}

} // namespace WindowLayout
