#pragma once

#include <QFrame>
#include <QRect>
#include <QVector>

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
    // outlook and the returns have a link only. A strip too narrow for one row puts the returns
    // link under the outlook's, and a narrower one every link in columns of two without icons.
    void addViewLinks(ControlTable& controls);
    // The narrowest strip that shows every link whole, in pixels.
    int narrowestWidth() const;

    QFrame* bottomLine() const { return m_line; }
    LinkLabel* link(View view) const { return m_links[view]; }
    void setLinkHovered(View view, bool hovered);
    ClickableImage* icon(View view) const { return m_icons[view]; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    enum Arrangement { OneRow, Stacked, Narrow };
    int linkWidth(View view) const;
    // Where each icon (at 2 * view) and link (at 2 * view + 1) goes.
    QVector<QRect> arrangeLinks(Arrangement arrangement) const;
    int neededWidth(Arrangement arrangement) const;
    void layoutLinks();

    QFrame* m_line = nullptr;
    LinkLabel* m_links[ViewCount] = {};
    ClickableImage* m_icons[ViewCount] = {};
};
