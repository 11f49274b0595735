#pragma once

#include <QFrame>

class ClickableImage;
class ControlTable;
class LinkLabel;

// A strip across the top of the window, right of the corner box, ruled off below: on the home
// page it carries the program's banner, on a property the links to its four views.
class NavigationStrip : public QFrame {
    Q_OBJECT
public:
    static constexpr int kHeight = 900; // twips
    static constexpr int kWidth = 10110;
    enum View { Property, Financial, Summary, CashFlow, Returns, ViewCount };

    NavigationStrip(QWidget* parent, const QString& name, const QString& lineName);

    void addBanner(ControlTable& controls, const QString& text);
    // The icon and link of each view, left to right, spaced by the links' own widths; the
    // outlook has a link only.
    void addViewLinks(ControlTable& controls);

    QFrame* bottomLine() const { return m_line; }
    LinkLabel* link(View view) const { return m_links[view]; }
    void setLinkHovered(View view, bool hovered);
    ClickableImage* icon(View view) const { return m_icons[view]; }

private:
    QFrame* m_line = nullptr;
    LinkLabel* m_links[ViewCount] = {};
    ClickableImage* m_icons[ViewCount] = {};
};
