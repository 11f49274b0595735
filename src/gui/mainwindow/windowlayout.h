#pragma once

#include "gui/widgets/twips.h"

#include <QRect>
#include <QString>
#include <QVector>

// The main window's layout arithmetic, in twips, kept apart from the widgets so the numbers
// can be checked exactly (a pixel is 15 twips, so most twip widths can't be produced by a
// real window).
namespace WindowLayout {

using ::kTwipsPerPixel;
using ::PixelsToTwips;
using ::TwipsToPixels;

// Beyond this width the content is centred.
constexpr int kCentreBeyond = 11440;
// Size the window always opens with, and the position used when none is stored.
constexpr int kOpenWidth = 11650;
constexpr int kOpenHeight = 9555;
constexpr int kDefaultLeft = 1000;
constexpr int kDefaultTop = 1000;

struct Input {
    int windowWidth = 0;
    int windowHeight = 0;
    int innerWidth = 0;
    int innerHeight = 0;
    int contentWidth = 0;
    int contentHeight = 0;
    int cornerWidth = 0;
    int navigationHeight = 0;
    int vbarWidth = 0;
    int hbarHeight = 0;
    bool vbarVisible = false; // as the previous layout pass left it
};

struct Result {
    int homeFrameHeight = 0;
    int stripWidth = 0; // both navigation strips; also the end of their bottom lines
    bool hbarVisible = false;
    bool vbarVisible = false;
    QRect vbar; // left, top, width, height
    QRect hbar;
};

Result Compute(const Input& in);

// The width of content that follows the window's width: all the room beside the vertical bar
// (shown when the content is taller than the window), never less than `designWidth`. The
// content then fits without a horizontal bar.
int FollowingContentWidth(int innerWidth, int windowHeight, int contentHeight, int vbarWidth,
                          int designWidth);

// Top (or left) of the content for a scroll position 0..3: 0 at position 0, then a third, a
// half and all of the overflow. margin is 920 vertically and 0 horizontally.
double ScrollOffset(int windowExtent, int margin, int contentExtent, int position);

// The content's left edge after a layout pass: centred in a wide window, otherwise at 0.
// A window of kCentreBeyond or less keeps what the horizontal bar gave it (returns false).
bool CentredLeft(int windowWidth, int contentWidth, double* left);

// The stored window position as text (twips). Texts that are not numbers keep the default.
struct Position {
    int left = kDefaultLeft;
    int top = kDefaultTop;
};
Position ParseStoredPosition(const QString& left, const QString& top);

// A stored position is used only if some part of the window, placed there, lands on one of
// the screens (all in pixels); a window that would open entirely off screen opens at the
// default position instead.
bool IsOnSomeScreen(const QRect& window, const QVector<QRect>& screens);
// The same for the screens attached now; true when none is known.
bool IsOnAttachedScreen(const QRect& window);

// The free area (pixels) of the screen that shows the most of `window`; the first screen's
// (the primary one) when none shows any of it, an empty rectangle when there are no screens.
QRect ScreenAreaFor(const QRect& window, const QVector<QRect>& areas);
// Where a window whose outer frame is `window` goes so that all of it lies in `area`: moved
// in as far as it sticks out, and made smaller where it is larger than the area, but never
// below `minimum` (a window that cannot fit sits at the area's top left corner). A window
// that lies inside already stays as it is.
QRect FitIntoArea(const QRect& window, const QRect& area, const QSize& minimum);

// The position kept in the user's settings from the last run, and storing it (all in twips).
Position StoredPosition();
void StorePosition(int left, int top, int width, int height);

} // namespace WindowLayout
