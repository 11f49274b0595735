#include "gui/mainwindow/navigationstrip.h"

#include "gui/mainwindow/windowlayout.h"
#include "gui/views/controltable.h"
#include "gui/views/viewframe.h"
#include "gui/widgets/clickableimage.h"
#include "gui/widgets/linklabel.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>

namespace {

using WindowLayout::TwipsToPixels;

const QColor kNavy(0, 0, 128);

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
    QPalette bp = banner->palette();
    bp.setColor(QPalette::WindowText, kNavy);
    banner->setPalette(bp);
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
    const int stripPixels = TwipsToPixels(kHeight);
    int x = 10;
    for (int v = 0; v < ViewCount; ++v) {
        const Item& item = items[v];
        if (item.icon) {
            auto* image = new ClickableImage(this);
            image->setObjectName(QString::fromLatin1(item.iconName));
            image->setPixmap(drawIcon(QString::fromLatin1(item.icon)));
            image->setGeometry(x, (stripPixels - 32) / 2, 32, 32);
            m_icons[v] = image;
            x += 36;
        }
        auto* link = new LinkLabel(QString::fromLatin1(item.caption), this);
        controls.add(link, QString::fromLatin1(item.linkName), 0, ControlKind::Label);
        const int width = link->fontMetrics().horizontalAdvance(link->text()) + 6;
        link->setGeometry(x, (stripPixels - 22) / 2, width, 22);
        // A link past the strip's end goes under the text link before it, the two sharing the
        // strip's height, so every view stays one click away in the narrowest window.
        LinkLabel* previous = v > 0 && !item.icon ? m_links[v - 1] : nullptr;
        if (previous && x + width > TwipsToPixels(kWidth)) {
            previous->move(previous->x(), stripPixels / 2 - 23);
            link->setGeometry(previous->x(), stripPixels / 2 + 1, width, 22);
        } else {
            x += width + 10;
        }
        m_links[v] = link;
    }
}

void NavigationStrip::setLinkHovered(View view, bool hovered) {
    m_links[view]->setHovered(hovered);
}
