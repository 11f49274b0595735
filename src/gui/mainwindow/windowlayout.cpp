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
