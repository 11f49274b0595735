// Building the main window: menus, the strips, the content area and the views in it.
#include "gui/mainwindow/mainwindow.h"

#include "gui/views/financialview.h"
#include "gui/views/outlookview.h"
#include "gui/views/propertyview.h"
#include "gui/views/summaryview.h"
#include "gui/widgets/clickableimage.h"
#include "gui/widgets/linklabel.h"
#include "model/fieldtable.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QScrollBar>

namespace {

constexpr int kBarThickness = 255;

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

void MainWindow::buildWindow() {
    setFont(PixelFont(12));
    buildMenus();

    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("clientArea"));
    m_client->setAutoFillBackground(true);
    setCentralWidget(m_client);
    m_client->installEventFilter(this);

    m_picScrollable = new QWidget(m_client);
    m_picScrollable->setObjectName(QStringLiteral("picScrollable"));
    m_picScrollable->installEventFilter(this); // the wheel
    PlaceTwips(m_picScrollable, 0, 0, kContentWidth, 8000);

    m_frameHome = new QFrame(m_picScrollable);
    m_frameHome->setObjectName(QStringLiteral("frameHome"));
    // Room for two rows of three cards and the paging links below them.
    PlaceTwips(m_frameHome, 0, 0, kContentWidth, 8995);

    buildViews();
    buildStrips();

    m_VScroll1 = new QScrollBar(Qt::Vertical, m_client);
    m_VScroll1->setObjectName(QStringLiteral("VScroll1"));
    m_HScroll2 = new QScrollBar(Qt::Horizontal, m_client);
    m_HScroll2->setObjectName(QStringLiteral("HScroll2"));
    for (QScrollBar* bar : {m_VScroll1, m_HScroll2}) {
        bar->setRange(0, 3);
        bar->setPageStep(1);
        bar->setSingleStep(1);
        bar->hide();
    }
    PlaceTwips(m_VScroll1, 0, 0, kBarThickness, 3000);
    PlaceTwips(m_HScroll2, 0, 0, 3000, kBarThickness);
    connect(m_VScroll1, &QScrollBar::valueChanged, this, &MainWindow::VScroll1_Change);
    connect(m_HScroll2, &QScrollBar::valueChanged, this, &MainWindow::HScroll2_Change);

    // The strips and the bars lie over the content, which scrolls beneath them.
    m_picUpperLeftCorner->raise();
    m_frameNavigation->raise();
    m_frameHomeNavigation->raise();
    m_VScroll1->raise();
    m_HScroll2->raise();

    m_fieldOrder = StoredCells();
    // The design texts are in place before any handler listens, as a freshly loaded window has
    // them: no payment or total is computed until a view or an edit asks for it.
    applyDesignDefaults();
    connectFieldHandlers();
}

void MainWindow::buildMenus() {
    menuBar()->setObjectName(QStringLiteral("menuBar"));
    m_mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    m_mnuFile->setObjectName(QStringLiteral("mnuFile"));
    m_mnuFile->menuAction()->setObjectName(QStringLiteral("mnuFile"));
    m_mnuFileExit = new QAction(QStringLiteral("E&xit"), this);
    m_mnuFileExit->setObjectName(QStringLiteral("mnuFileExit"));
    m_mnuFile->addAction(m_mnuFileExit);
    connect(m_mnuFileExit, &QAction::triggered, this, &MainWindow::mnuFileExit_Click);

    // The other menus, in the order users know; each command group fills its own.
    const auto addMenu = [this](const QString& caption, const QString& name) {
        QMenu* menu = menuBar()->addMenu(caption);
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(name);
        return menu;
    };
    m_mnuEdit = addMenu(QStringLiteral("&Edit"), QStringLiteral("mnuEdit"));
    m_mnuTools = addMenu(QStringLiteral("&Tools"), QStringLiteral("mnuTools"));
    m_mnuHelp = addMenu(QStringLiteral("&Help"), QStringLiteral("mnuHelp"));
}

void MainWindow::buildStrips() {
    m_picUpperLeftCorner = new QFrame(m_client);
    m_picUpperLeftCorner->setObjectName(QStringLiteral("picUpperLeftCorner"));
    m_picUpperLeftCorner->setFocusPolicy(Qt::StrongFocus);
    m_picUpperLeftCorner->installEventFilter(this);
    PlaceTwips(m_picUpperLeftCorner, 0, 0, kCornerWidth, kStripHeight);
    m_imgUpperLeftCorner = new QLabel(m_picUpperLeftCorner);
    m_imgUpperLeftCorner->setObjectName(QStringLiteral("imgUpperLeftCorner"));
    m_imgUpperLeftCorner->setScaledContents(true);
    PlaceTwips(m_imgUpperLeftCorner, 0, 0, kCornerWidth, kStripHeight);

    auto makeStrip = [this](const QString& name, const QString& lineName, QFrame** line) {
        auto* strip = new QFrame(m_client);
        strip->setObjectName(name);
        PlaceTwips(strip, kCornerWidth, 0, 10110, kStripHeight);
        *line = new QFrame(strip);
        (*line)->setObjectName(lineName);
        (*line)->setFrameShape(QFrame::HLine);
        (*line)->setFrameShadow(QFrame::Plain);
        QPalette p = (*line)->palette();
        p.setColor(QPalette::WindowText, QColor(128, 128, 128));
        (*line)->setPalette(p);
        (*line)->setGeometry(0, toPixels(kStripHeight) - 1, toPixels(10110), 1);
        return strip;
    };
    m_frameHomeNavigation =
        makeStrip(QStringLiteral("frameHomeNavigation"), QStringLiteral("lineHomeNavigationBottom"),
                  &m_lineHomeNavigationBottom);
    m_frameNavigation = makeStrip(QStringLiteral("frameNavigation"),
                                  QStringLiteral("lineNavigationBottom"), &m_lineNavigationBottom);

    auto* banner = new QLabel(QStringLiteral("   Quillbrook: Real Estate Investment Analyzer"),
                              m_frameHomeNavigation);
    m_controls.add(banner, QStringLiteral("lblHomeBanner"), 0, ControlKind::Label);
    banner->setFont(PixelFont(19, true));
    QPalette bp = banner->palette();
    bp.setColor(QPalette::WindowText, kNavy);
    banner->setPalette(bp);
    banner->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    banner->setGeometry(0, 0, toPixels(10110), toPixels(kStripHeight) - 1);

    // Icon and link pairs, left to right, spaced by the links' own widths.
    struct NavItem {
        const char* icon;
        const char* iconName;
        const char* linkName;
        const char* caption;
        ClickableImage** image;
        LinkLabel** link;
    };
    const NavItem items[] = {
        {"property", "imgProperty", "lblProperty", "Property Information", &m_imgProperty,
         &m_lblProperty},
        {"financial", "imgFinancial", "lblFinancial", "Financial Information", &m_imgFinancial,
         &m_lblFinancial},
        {"summary", "imgQuickView", "lblQuickView", "Investment Summary", &m_imgQuickView,
         &m_lblQuickView},
        {nullptr, nullptr, "lblCashFlow", "Cash Flow Outlook", nullptr, &m_lblCashFlow},
    };
    const int stripPixels = toPixels(kStripHeight);
    int x = 10;
    for (const NavItem& item : items) {
        if (item.icon) {
            auto* image = new ClickableImage(m_frameNavigation);
            image->setObjectName(QString::fromLatin1(item.iconName));
            image->setPixmap(drawIcon(QString::fromLatin1(item.icon)));
            image->setGeometry(x, (stripPixels - 32) / 2, 32, 32);
            *item.image = image;
            x += 36;
        }
        auto* link = new LinkLabel(QString::fromLatin1(item.caption), m_frameNavigation);
        m_controls.add(link, QString::fromLatin1(item.linkName), 0, ControlKind::Label);
        const int width = link->fontMetrics().horizontalAdvance(link->text()) + 6;
        link->setGeometry(x, (stripPixels - 22) / 2, width, 22);
        *item.link = link;
        x += width + 10;
    }
    connect(m_imgProperty, &ClickableImage::clicked, this, &MainWindow::imgProperty_Click);
    connect(m_imgFinancial, &ClickableImage::clicked, this, &MainWindow::imgFinancial_Click);
    connect(m_imgQuickView, &ClickableImage::clicked, this, &MainWindow::imgQuickView_Click);
    auto wireLink = [this](LinkLabel* link, void (MainWindow::*over)(), void (MainWindow::*left)(),
                           void (MainWindow::*drop)()) {
        connect(link, &LinkLabel::pointerEntered, this, over);
        connect(link, &LinkLabel::pointerLeft, this, left);
        connect(link, &LinkLabel::releasedOver, this, drop);
    };
    wireLink(m_lblProperty, &MainWindow::lblProperty_MouseMove, &MainWindow::lblProperty_DragOver,
             &MainWindow::lblProperty_DragDrop);
    wireLink(m_lblFinancial, &MainWindow::lblFinancial_MouseMove,
             &MainWindow::lblFinancial_DragOver, &MainWindow::lblFinancial_DragDrop);
    wireLink(m_lblQuickView, &MainWindow::lblQuickView_MouseMove,
             &MainWindow::lblQuickView_DragOver, &MainWindow::lblQuickView_DragDrop);
    wireLink(m_lblCashFlow, &MainWindow::lblCashFlow_MouseMove, &MainWindow::lblCashFlow_DragOver,
             &MainWindow::lblCashFlow_DragDrop);
}

// The views in the order they were always built: the focus chain follows it.
void MainWindow::buildViews() {
    m_frameProperty = new PropertyView(m_picScrollable, m_controls);
    m_frameFinancial = new FinancialView(m_picScrollable, m_controls);
    m_frameQuickView = new SummaryView(m_picScrollable, m_controls);
    m_frame5YearView = new OutlookView(m_picScrollable, m_controls);
    connect(m_frame5YearView, &OutlookView::periodChosen, this, &MainWindow::cmbCFAYears_Click);
    connect(m_frame5YearView, &OutlookView::decadeScrolled, this,
            &MainWindow::hscrollCashFlow10to20_Change);
}
