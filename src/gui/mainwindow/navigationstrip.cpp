#include "gui/mainwindow/navigationstrip.h"

#include "gui/mainwindow/windowlayout.h"
#include "gui/views/controltable.h"
#include "gui/views/viewframe.h"
#include "gui/widgets/clickableimage.h"
#include "gui/widgets/linklabel.h"
#include "gui/widgets/themecolours.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>

namespace {

using WindowLayout::TwipsToPixels;

// The three navigation icons, drawn here so they are our own and crisp at any size.
QPixmap drawIcon(const QString& which) {
    const int size = 32;
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (which == QLatin1String("property")) {
        // A house: roof, walls, door and a window.
        QPainterPath roof;
        roof.moveTo(3, 15);
        roof.lineTo(16, 4);
        roof.lineTo(29, 15);
        roof.closeSubpath();
        p.setPen(QPen(QColor(120, 30, 30), 1.5));
        p.setBrush(QColor(190, 60, 50));
        p.drawPath(roof);
        p.setPen(QPen(QColor(90, 70, 40), 1.2));
        p.setBrush(QColor(245, 225, 170));
        p.drawRect(QRectF(7, 15, 18, 14));
        p.setBrush(QColor(110, 70, 40));
        p.drawRect(QRectF(10, 20, 5, 9));
        p.setBrush(QColor(150, 200, 240));
        p.drawRect(QRectF(18, 18, 5, 5));
    } else if (which == QLatin1String("financial")) {
        // A coin with a dollar sign over a second coin.
        p.setPen(QPen(QColor(30, 90, 40), 1.5));
        p.setBrush(QColor(120, 180, 110));
        p.drawEllipse(QRectF(10, 9, 20, 20));
        p.setBrush(QColor(90, 160, 80));
        p.drawEllipse(QRectF(2, 3, 22, 22));
        QFont f = PixelFont(17, true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(2, 3, 22, 22), Qt::AlignCenter, QStringLiteral("$"));
    } else {
        // A summary sheet with a small bar chart.
        p.setPen(QPen(QColor(60, 70, 90), 1.2));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5, 2, 22, 28));
        p.setPen(QPen(QColor(150, 160, 180), 1.2));
        for (int y : {7, 11, 15})
            p.drawLine(QPointF(9, y), QPointF(23, y));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(70, 110, 170));
        p.drawRect(QRectF(9, 22, 3, 5));
        p.drawRect(QRectF(14, 19, 3, 8));
        p.setBrush(QColor(200, 60, 50));
        p.drawRect(QRectF(19, 24, 3, 3));
    }
    return pm;
}

} // namespace

NavigationStrip::NavigationStrip(QWidget* parent, const QString& name, const QString& lineName)
    : QFrame(parent) {
    setObjectName(name);
    PlaceTwips(this, 1440, 0, kWidth, kHeight);
    m_line = new QFrame(this);
    m_line->setObjectName(lineName);
    m_line->setFrameShape(QFrame::HLine);
    m_line->setFrameShadow(QFrame::Plain);
    QPalette p = m_line->palette();
    p.setColor(QPalette::WindowText, QColor(128, 128, 128));
    m_line->setPalette(p);
    m_line->setGeometry(0, TwipsToPixels(kHeight) - 1, TwipsToPixels(kWidth), 1);
}

void NavigationStrip::addBanner(ControlTable& controls, const QString& text) {
    auto* banner = new QLabel(text, this);
    controls.add(banner, QStringLiteral("lblHomeBanner"), 0, ControlKind::Label);
    banner->setFont(PixelFont(19, true));
    Theme::Apply(banner, Theme::Role::Heading);
    banner->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    banner->setGeometry(0, 0, TwipsToPixels(kWidth), TwipsToPixels(kHeight) - 1);
}

void NavigationStrip::addViewLinks(ControlTable& controls) {
    struct Item {
        const char* icon;
        const char* iconName;
        const char* linkName;
        const char* caption;
    };
    const Item items[ViewCount] = {
        {"property", "imgProperty", "lblProperty", "Property Information"},
        {"financial", "imgFinancial", "lblFinancial", "Financial Information"},
        {"summary", "imgQuickView", "lblQuickView", "Investment Summary"},
        {nullptr, nullptr, "lblCashFlow", "Cash Flow Outlook"},
        {nullptr, nullptr, "lblReturns", "Investment Returns"},
    };
    for (int v = 0; v < ViewCount; ++v) {
        const Item& item = items[v];
        if (item.icon) {
            auto* image = new ClickableImage(this);
            image->setObjectName(QString::fromLatin1(item.iconName));
            image->setPixmap(drawIcon(QString::fromLatin1(item.icon)));
            m_icons[v] = image;
        }
        auto* link = new LinkLabel(QString::fromLatin1(item.caption), this);
        controls.add(link, QString::fromLatin1(item.linkName), 0, ControlKind::Label);
        m_links[v] = link;
    }
    layoutLinks();
}

int NavigationStrip::linkWidth(View view) const {
    return m_links[view]->fontMetrics().horizontalAdvance(m_links[view]->text()) + 6;
}

QVector<QRect> NavigationStrip::arrangeLinks(Arrangement arrangement) const {
    // Icons and links left to right, each link as wide as its text; where links share a column
    // they split the strip's height between them.
    const int stripPixels = TwipsToPixels(kHeight);
    const QRect alone(0, (stripPixels - 22) / 2, 0, 22);
    const QRect upper(0, stripPixels / 2 - 23, 0, 22);
    const QRect lower(0, stripPixels / 2 + 1, 0, 22);
    QVector<QRect> places(2 * ViewCount); // the icon of view v at 2v, its link at 2v + 1
    int x = 10;
    if (arrangement == Narrow) {
        // Columns of two, without the icons: Property over Financial, Summary over Cash Flow,
        // then Returns.
        for (int v = 0; v < ViewCount; v += 2) {
            const bool pair = v + 1 < ViewCount;
            int column = linkWidth(View(v));
            places[2 * v + 1] = QRect(x, pair ? upper.y() : alone.y(), column, 22);
            if (pair) {
                places[2 * v + 3] = QRect(x, lower.y(), linkWidth(View(v + 1)), 22);
                column = qMax(column, linkWidth(View(v + 1)));
            }
            x += column + 10;
        }
        return places;
    }
    for (int v = 0; v < ViewCount; ++v) {
        const int width = linkWidth(View(v));
        if (m_icons[v]) {
            places[2 * v] = QRect(x, (stripPixels - 32) / 2, 32, 32);
            x += 36;
        }
        // The returns link goes under the outlook's, the two sharing the strip's height.
        if (arrangement == Stacked && v == Returns) {
            QRect& above = places[2 * v - 1];
            above.moveTop(upper.y());
            places[2 * v + 1] = QRect(above.x(), lower.y(), width, 22);
            x = qMax(above.right(), places[2 * v + 1].right()) + 11;
            continue;
        }
        places[2 * v + 1] = QRect(x, alone.y(), width, 22);
        x += width + 10;
    }
    return places;
}

int NavigationStrip::neededWidth(Arrangement arrangement) const {
    int right = 0;
    for (const QRect& place : arrangeLinks(arrangement))
        right = qMax(right, place.right() + 1);
    return right;
}

int NavigationStrip::narrowestWidth() const {
    return m_links[0] ? neededWidth(Narrow) : 0;
}

void NavigationStrip::layoutLinks() {
    if (!m_links[0])
        return;
    // The widest arrangement that fits: every link stays in sight and one click away, down to
    // the narrowest window the program allows.
    Arrangement arrangement = Narrow;
    for (Arrangement a : {OneRow, Stacked}) {
        if (neededWidth(a) <= width()) {
            arrangement = a;
            break;
        }
    }
    const QVector<QRect> places = arrangeLinks(arrangement);
    for (int v = 0; v < ViewCount; ++v) {
        if (m_icons[v]) {
            m_icons[v]->setVisible(arrangement != Narrow);
            m_icons[v]->setGeometry(places[2 * v]);
        }
        m_links[v]->setGeometry(places[2 * v + 1]);
    }
}

void NavigationStrip::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    layoutLinks();
}

void NavigationStrip::setLinkHovered(View view, bool hovered) {
    m_links[view]->setHovered(hovered);
}
