#pragma once

class NavigationStrip;
class QFrame;
class QScrollBar;
class QWheelEvent;
class QWidget;

// Places the window's content under the strips and scrolls it with the two bars. Sizes follow
// the program's twip layout (15 twips = 1 pixel); the window's "outer" size is its client
// area plus the allowance a classic sizable frame with caption took, so the layout numbers
// place both scroll bars flush against the client edges whatever the window manager draws.
class ContentLayout {
public:
    // Client area to outer size, in twips.
    static constexpr int kFrameAllowanceWidth = 100;
    static constexpr int kFrameAllowanceHeight = 770;
    // The content area's width, and the corner box and strip heights.
    static constexpr int kContentWidth = 10860;
    static constexpr int kCornerWidth = 1440;
    static constexpr int kStripHeight = 900;

    struct Parts {
        QWidget* client = nullptr;  // the window's client area
        QWidget* content = nullptr; // scrolls beneath the strips
        QFrame* home = nullptr;
        NavigationStrip* navigation = nullptr;
        NavigationStrip* homeNavigation = nullptr;
        QScrollBar* vbar = nullptr;
        QScrollBar* hbar = nullptr;
    };
    // The window's parts, once it has built them; the bars may be left to addScrollBars.
    void attach(const Parts& parts) { m = parts; }
    // The two bars over the client area, hidden until the content needs them.
    void addScrollBars();
    QScrollBar* verticalBar() const { return m.vbar; }
    QScrollBar* horizontalBar() const { return m.hbar; }

    // The window's outer size and client area, in twips.
    int windowWidthTwips() const;
    int windowHeightTwips() const;
    int innerWidthTwips() const;
    int innerHeightTwips() const;
    // Exact positions of the content, though the widget sits on whole pixels.
    int contentLeftTwips() const;
    int contentTopTwips() const;

    void setContentHeightTwips(int height);
    // The content's width: the design's, or wider while a frame that follows the window's width
    // is shown (one with the property ViewFrame::kFollowsWindowWidth set true).
    int contentWidthTwips() const { return m_contentWidth; }
    int homeFrameHeight() const { return m_homeFrameHeight; }
    // Back to the left edge, the horizontal bar with it.
    void resetLeft();

    // Sizes the strips, shows the bars the window needs and centres the content.
    void layout();
    int layoutPasses() const { return m_layoutPasses; }
    void verticalScrolled();
    void horizontalScrolled();
    // Scrolls so the focused field shows whole.
    void scrollIntoView(QWidget* field);
    // A wheel turned over the content; true when the bar took it.
    bool wheel(QWheelEvent* wheel);

private:
    // A line of the content scrolled a step at a time.
    static constexpr int kScrollLine = 300;
    // The vertical bar's positions: the classic four, or a line at a time when fine.
    void fitVerticalRange(bool fine);
    double verticalOffsetTwips(int position) const;
    int visibleHeightTwips() const;
    // The shown frame of the content that takes the window's width, if any.
    QWidget* followingFrame() const;

    Parts m;
    int m_contentWidth = kContentWidth;
    bool m_settling = false; // in the second pass of a layout
    double m_contentLeft = 0;
    double m_contentTop = 0;
    int m_contentHeight = 0;
    int m_homeFrameHeight = 8995;
    int m_layoutPasses = 0;
    int m_fineSteps = 0; // the vertical bar's last position when it moves a line at a time
};
