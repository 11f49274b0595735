// Building the main window: menus, the strips, the content area and the four property views.
#include "gui/mainwindow/mainwindow.h"

#include "gui/widgets/clickableimage.h"
#include "gui/widgets/fieldlimit.h"
#include "gui/widgets/linklabel.h"
#include "gui/widgets/notesedit.h"
#include "gui/widgets/outlookchart.h"
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

constexpr int kRowPitch = 360; // twips between rows of captioned fields
constexpr int kFieldHeight = 315;
constexpr int kBarThickness = 255;
constexpr int kGridRowPitch = 315; // outlook grid rows: 20-pixel cells, 1-pixel rules
constexpr int kGridCellHeight = 300;

const QColor kNavy(0, 0, 128);
const QColor kHeadingColour(0, 0, 128);

// A frame whose text fields form a table: it rules a thin line around every cell and shades
// the header row, so the outlook reads like a spreadsheet.
class GridFrame : public QFrame {
public:
    explicit GridFrame(QWidget* parent) : QFrame(parent) {}
    int headerHeight = 0; // pixels
    int headerLeft = 0;

protected:
    void paintEvent(QPaintEvent* event) override {
        QFrame::paintEvent(event);
        QPainter p(this);
        QRect cells;
        for (QObject* child : children()) {
            auto* cell = qobject_cast<QLineEdit*>(child);
            if (cell && !cell->isHidden())
                cells |= cell->geometry();
        }
        if (headerHeight > 0 && !cells.isEmpty())
            p.fillRect(QRect(headerLeft, 0, cells.right() + 1 - headerLeft, headerHeight),
                       QColor(232, 238, 247));
        p.setPen(QColor(176, 186, 200));
        for (QObject* child : children()) {
            auto* cell = qobject_cast<QLineEdit*>(child);
            if (cell && !cell->isHidden())
                p.drawRect(cell->geometry().adjusted(-1, -1, 0, 0));
        }
    }
};

QFont pixelFont(int pixels, bool bold = false, bool condensed = false) {
    QFont f;
    f.setFamilies(condensed ? QStringList{QStringLiteral("DejaVu Sans Condensed"),
                                          QStringLiteral("Liberation Sans Narrow"),
                                          QStringLiteral("Arial Narrow"), QStringLiteral("Sans")}
                            : QStringList{QStringLiteral("DejaVu Sans"),
                                          QStringLiteral("Liberation Sans"),
                                          QStringLiteral("Arial"), QStringLiteral("Sans")});
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

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
        QFont f = pixelFont(17, true);
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

// Year captions of the outlook grids: the 20-year grid abbreviates from year 10 on.
QString yearCaption(int year, bool twentyYearGrid) {
    if (twentyYearGrid && year >= 10)
        return QStringLiteral("Yr %1").arg(year);
    return QStringLiteral("Year %1").arg(year);
}

struct OutlookRow {
    const char* suffix;
    const char* caption;
};
const OutlookRow kOutlookRows[] = {
    {"TotalGrossIncome", "Total Gross Income"},  {"ExpectedVacancy", "Expected Vacancy"},
    {"OperatingExpenses", "Operating Expenses"}, {"TotalMortgages", "Mortgage Payments"},
    {"IncomeTaxes", "Estimated Income Tax"},     {"NetCashflow", "Annual Cash Flow"},
    {"MonthCashflow", "Monthly Cash Flow"},
};

} // namespace

void MainWindow::placeTwips(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

void MainWindow::registerControl(QWidget* widget, const QString& name, int index,
                                 ControlKind kind) {
    widget->setObjectName(name);
    if (index > 0)
        widget->setProperty("index", index);
    Cell cell;
    cell.widget = widget;
    cell.kind = kind;
    m_cells.insert(keyOf(name, index), cell);
    if (kind != ControlKind::TextField)
        m_otherControls.append({name, index, kind});
}

QLineEdit* MainWindow::addField(QWidget* parent, const QString& name, int index, int left, int top,
                                int width, int height) {
    auto* edit = new QLineEdit(parent);
    new FieldLimit(edit);
    registerControl(edit, name, index, ControlKind::TextField);
    placeTwips(edit, left, top, width, height);
    return edit;
}

QLabel* MainWindow::addCaption(QWidget* parent, const QString& name, const QString& text, int left,
                               int top, int width, int height) {
    auto* label = new QLabel(text, parent);
    registerControl(label, name, 0, ControlKind::Label);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    placeTwips(label, left, top, width, height);
    return label;
}

QLabel* MainWindow::addGroupHeading(QWidget* parent, const QString& text, int left, int top,
                                    int width) {
    QString name = text;
    name.remove(QLatin1Char(' '));
    auto* label = addCaption(parent, QStringLiteral("lbl") + name + QStringLiteral("Heading"), text,
                             left, top, width, 330);
    label->setFont(pixelFont(13, true));
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, kHeadingColour);
    label->setPalette(p);
    return label;
}

QLineEdit* MainWindow::addCaptionedField(QWidget* parent, const QString& field,
                                         const QString& caption, bool percent, int captionLeft,
                                         int captionWidth, int fieldLeft, int fieldWidth, int top) {
    QString base = field;
    base.remove(0, 3); // "txt"
    addCaption(parent, QStringLiteral("lbl") + base, caption, captionLeft, top, captionWidth);
    QLineEdit* edit = addField(parent, field, 0, fieldLeft, top, fieldWidth);
    if (percent)
        addCaption(parent, QStringLiteral("lbl") + base + QStringLiteral("Percent"),
                   QStringLiteral("%"), fieldLeft + fieldWidth + 60, top, 240);
    return edit;
}

QFrame* MainWindow::makeViewFrame(const QString& name, const QString& heading, int heightTwips) {
    auto* frame = new QFrame(m_picScrollable);
    frame->setObjectName(name);
    placeTwips(frame, 0, 0, kContentWidth, heightTwips);
    frame->hide();
    if (!heading.isEmpty()) {
        QString base = name;
        base.remove(0, 5); // "frame"
        auto* label = addCaption(frame, QStringLiteral("lbl") + base + QStringLiteral("Heading"),
                                 heading, 240, 1050, 8000, 450);
        label->setFont(pixelFont(21, true));
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, kHeadingColour);
        label->setPalette(p);
        // A rule under the heading separates it from the fields.
        auto* rule = new QFrame(frame);
        rule->setFrameShape(QFrame::HLine);
        rule->setFrameShadow(QFrame::Plain);
        QPalette rp = rule->palette();
        rp.setColor(QPalette::WindowText, QColor(180, 190, 210));
        rule->setPalette(rp);
        placeTwips(rule, 240, 1515, kContentWidth - 480, 15);
    }
    return frame;
}

void MainWindow::buildWindow() {
    setFont(pixelFont(12));
    buildMenus();

    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("clientArea"));
    m_client->setAutoFillBackground(true);
    setCentralWidget(m_client);
    m_client->installEventFilter(this);

    m_picScrollable = new QWidget(m_client);
    m_picScrollable->setObjectName(QStringLiteral("picScrollable"));
    m_picScrollable->installEventFilter(this); // the wheel
    placeTwips(m_picScrollable, 0, 0, kContentWidth, 8000);

    m_frameHome = new QFrame(m_picScrollable);
    m_frameHome->setObjectName(QStringLiteral("frameHome"));
    // Room for two rows of three cards and the paging links below them.
    placeTwips(m_frameHome, 0, 0, kContentWidth, 8995);

    buildPropertyView();
    buildFinancialView();
    buildQuickView();
    buildOutlookView();
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
    placeTwips(m_VScroll1, 0, 0, kBarThickness, 3000);
    placeTwips(m_HScroll2, 0, 0, 3000, kBarThickness);
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
    placeTwips(m_picUpperLeftCorner, 0, 0, kCornerWidth, kStripHeight);
    m_imgUpperLeftCorner = new QLabel(m_picUpperLeftCorner);
    m_imgUpperLeftCorner->setObjectName(QStringLiteral("imgUpperLeftCorner"));
    m_imgUpperLeftCorner->setScaledContents(true);
    placeTwips(m_imgUpperLeftCorner, 0, 0, kCornerWidth, kStripHeight);

    auto makeStrip = [this](const QString& name, const QString& lineName, QFrame** line) {
        auto* strip = new QFrame(m_client);
        strip->setObjectName(name);
        placeTwips(strip, kCornerWidth, 0, 10110, kStripHeight);
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
    registerControl(banner, QStringLiteral("lblHomeBanner"), 0, ControlKind::Label);
    banner->setFont(pixelFont(19, true));
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
        registerControl(link, QString::fromLatin1(item.linkName), 0, ControlKind::Label);
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

void MainWindow::buildPropertyView() {
    m_frameProperty = makeViewFrame(QStringLiteral("frameProperty"),
                                    QStringLiteral("Property Information"), 8400);
    QFrame* f = m_frameProperty;
    addCaptionedField(f, QStringLiteral("txtPropertyInformation"), QStringLiteral("Property Name"),
                      false, 240, 1860, 2160, 8460, 1680);
    addCaptionedField(f, QStringLiteral("txtAddress"), QStringLiteral("Address"), false, 240, 1860,
                      2160, 8460, 1680 + kRowPitch);
    addCaptionedField(f, QStringLiteral("txtUnits"), QStringLiteral("Number of Units"), false, 240,
                      1860, 2160, 1500, 1680 + 2 * kRowPitch);
    addCaptionedField(f, QStringLiteral("txtSquareFootage"), QStringLiteral("Square Footage"),
                      false, 4560, 1800, 6420, 1500, 1680 + 2 * kRowPitch);

    addGroupHeading(f, QStringLiteral("Miscellaneous Notes"), 240, 3060, 6000);
    // At most 2,500 characters typed or pasted; longer notes from the file stay whole.
    m_txtMiscNotes = new NotesEdit(kMiscNotesLimit, f);
    registerControl(m_txtMiscNotes, QStringLiteral("txtMiscNotes"), 0, ControlKind::TextField);
    placeTwips(m_txtMiscNotes, 240, 3420, 10380, 1860);
    // Tab moves on through the fields, as it does everywhere else in the window.
    m_txtMiscNotes->setTabChangesFocus(true);

    // The picture strip lives here; this frame keeps its place on the view.
    m_framePropertyPictures = new QFrame(f);
    m_framePropertyPictures->setObjectName(QStringLiteral("framePropertyPictures"));
    placeTwips(m_framePropertyPictures, 240, 5700, 8295, 1935);
}

void MainWindow::buildFinancialView() {
    m_frameFinancial = makeViewFrame(QStringLiteral("frameFinancial"),
                                     QStringLiteral("Financial Information"), 10260);
    QFrame* f = m_frameFinancial;

    // Left column: purchase, rental and tax figures.
    const int capL = 240, capW = 3000, fldL = 3300, fldW = 1560;
    struct Row {
        const char* field;
        const char* caption;
        bool percent;
    };
    auto column = [&](const Row* rows, int count, int top, int captionLeft, int captionWidth,
                      int fieldLeft, int fieldWidth) {
        for (int i = 0; i < count; ++i)
            addCaptionedField(f, QString::fromLatin1(rows[i].field),
                              QString::fromLatin1(rows[i].caption), rows[i].percent, captionLeft,
                              captionWidth, fieldLeft, fieldWidth, top + i * kRowPitch);
    };
    addGroupHeading(f, QStringLiteral("Purchase Information"), capL, 1620, 4500);
    const Row purchase[] = {
        {"txtCurrentMarketValue", "Current Market Value", false},
        {"txtPurchasePrice", "Purchase Price", false},
        {"txtDownPayment", "Down Payment", false},
        {"txtClosingCosts", "Closing Costs", false},
        {"txtAppreciation", "Expected Appreciation", true},
        {"txtDepreciateAsImprovements", "Depreciate as Improvements", true},
    };
    column(purchase, 6, 1980, capL, capW, fldL, fldW);
    addGroupHeading(f, QStringLiteral("Rental Information"), capL, 4260, 4500);
    const Row rental[] = {
        {"txtGrossMonthlyIncome", "Gross Monthly Income", false},
        {"txtExpectedVacancyRate", "Expected Vacancy Rate", true},
        {"txtOtherMonthlyIncome", "Other Monthly Income", false},
        {"txtAnnualRateIncrease", "Annual Rate Increase", true},
    };
    column(rental, 4, 4620, capL, capW, fldL, fldW);
    addGroupHeading(f, QStringLiteral("Tax Information"), capL, 6180, 4500);
    const Row taxes[] = {
        {"txtFederalTaxRate", "Federal Tax Rate", true},
        {"txtStateTaxRate", "State Tax Rate", true},
        {"txtLongTermCapitolGainsRate", "Long Term Capitol Gains Rate", true},
    };
    column(taxes, 3, 6540, capL, capW, fldL, fldW);

    // Right column: the operating expenses and their running total.
    addGroupHeading(f, QStringLiteral("Operating Expenses"), 5700, 1620, 4500);
    const Row expenses[] = {
        {"txtAdvertising", "Advertising", false},
        {"txtInsurance", "Insurance", false},
        {"txtMiscellaneousExpenses", "Miscellaneous", false},
        {"txtOfficeSupplies", "Office Supplies", false},
        {"txtProfessionalServices", "Professional Services", false},
        {"txtPropertyManagement", "Property Management", false},
        {"txtPropertyTaxes", "Property Taxes", false},
        {"txtRepairAndMaintenance", "Repair and Maintenance", false},
        {"txtSalaryAndWages", "Salary and Wages", false},
        {"txtUtilities", "Utilities", false},
        {"txtWaterSewerGarbage", "Water/Sewer/Garbage", false},
        {"txtOperatingCostIncrease", "Operating Cost Increase", true},
    };
    column(expenses, 12, 1980, 5700, 2580, 8340, fldW);
    QLabel* total = addCaption(f, QStringLiteral("lblAnnualOperatingExpenses"),
                               QStringLiteral("Annual Operating Expenses"), 5700, 6390, 4920, 330);
    total->setFont(pixelFont(12, true));

    // Mortgages: one row per loan under four column headings.
    addGroupHeading(f, QStringLiteral("Mortgages"), capL, 7620, 4500);
    const int colLeft[] = {1860, 4020, 6180, 8340};
    const int colWidth = 2000;
    const char* headings[] = {"Mortgage Principal", "Annual Interest Rate", "Amortization Term",
                              "Monthly Payment"};
    const char* headingNames[] = {"lblMortgagePrincipalHeading", "lblAnnualInterestRateHeading",
                                  "lblAmortizationTermHeading", "lblMonthlyPaymentHeading"};
    for (int c = 0; c < 4; ++c) {
        QLabel* h =
            addCaption(f, QString::fromLatin1(headingNames[c]), QString::fromLatin1(headings[c]),
                       colLeft[c] - 120, 7995, colWidth + 240, 270);
        h->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        h->setFont(pixelFont(12, true));
    }
    QLabel* months =
        addCaption(f, QStringLiteral("lblAmortizationTermMonths"), QStringLiteral("(months)"),
                   colLeft[2] - 120, 8265, colWidth + 240, 255);
    months->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    for (int row = 1; row <= 4; ++row) {
        const int top = 8580 + (row - 1) * kRowPitch;
        QLabel* caption = addCaption(f, QStringLiteral("lblMortgageRow%1").arg(row),
                                     QStringLiteral("Mortgage %1").arg(row), capL, top, 1500);
        caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        const QString n = QString::number(row);
        addField(f, QStringLiteral("txtMortgagePrincipal") + n, 0, colLeft[0], top, colWidth);
        addField(f, QStringLiteral("txtAnnualInterestRate") + n, 0, colLeft[1], top, colWidth);
        addField(f, QStringLiteral("txtAmortizationTerm") + n, 0, colLeft[2], top, colWidth);
        QLineEdit* payment = addField(f, QStringLiteral("txtMortgageMonthlyPayment") + n, 0,
                                      colLeft[3], top, colWidth);
        // Computed: the user can select the payment but not type over it.
        payment->setReadOnly(true);
        QPalette p = payment->palette();
        p.setColor(QPalette::Base, QColor(0xE0, 0xE0, 0xE0));
        payment->setPalette(p);
    }
}

void MainWindow::buildQuickView() {
    m_frameQuickView =
        makeViewFrame(QStringLiteral("frameQuickView"), QStringLiteral("Investment Summary"), 6300);
    QFrame* f = m_frameQuickView;
    struct Row {
        const char* field;
        const char* caption;
    };
    const Row left[] = {
        {"txtQISPropertyPrice", "Property Price"},
        {"txtQISDownPayment", "Down Payment"},
        {"txtQISClosingCosts", "Closing Costs"},
        {"txtQISTotalAcquisitionCost", "Total Acquisition Cost"},
        {"txtQISTotalCashInvested", "Total Cash Invested"},
        {"txtQISCashInvestedPercentage", "Cash Invested Percentage"},
        {"txtQISPercentageDown", "Percentage Down"},
        {"txtQISNumberOfUnits", "Number of Units"},
        {"txtQISSquareFootage", "Square Footage"},
        {"txtQISCostPerUnit", "Cost Per Unit"},
        {"txtQISCostPerSquareFoot", "Cost Per Square Foot"},
    };
    const Row right[] = {
        {"txtQISScheduledAnnualIncome", "Scheduled Annual Income"},
        {"txtQISAnnualVacancy", "Annual Vacancy "},
        {"txtQISActualAnnualGrossIncome", "Actual Annual Gross Income"},
        {"txtQISAnnualExpenses", "Annual Expenses"},
        {"txtQISAnnualNetOperatingIncome", "Annual Net Operating Income"},
        {"txtQISCapitalizationRate", "Capitalization Rate"},
        {"txtQISAverageRentPerUnit", "Average Rent Per Unit"},
        {"txtQISAnnualDebtService", "Annual Debt Service"},
        {"txtNetAnnualCashflowBeforeTaxes", "Net Annual Cashflow before Taxes"},
        {"txtQISNetAnnualCashflowPerUnitBeforeTaxes", "Net Annual Cashflow per unit before Taxes"},
        {"txtQISNetMonthlyCashflowPerUnitBeforeTaxes",
         "Net Monthly Cashflow per unit before Taxes"},
    };
    addGroupHeading(f, QStringLiteral("Acquisition"), 240, 1620, 4500);
    addGroupHeading(f, QStringLiteral("Income and Cash Flow"), 4860, 1620, 4500);
    for (int i = 0; i < 11; ++i) {
        const int top = 1980 + i * kRowPitch;
        addCaptionedField(f, QString::fromLatin1(left[i].field),
                          QString::fromLatin1(left[i].caption), false, 240, 2820, 3060, 1560, top)
            ->setAlignment(Qt::AlignRight);
        addCaptionedField(f, QString::fromLatin1(right[i].field),
                          QString::fromLatin1(right[i].caption), false, 4860, 4140, 9060, 1560, top)
            ->setAlignment(Qt::AlignRight);
    }
}

void MainWindow::buildOutlookView() {
    m_frame5YearView =
        makeViewFrame(QStringLiteral("frame5YearView"), QStringLiteral("Cash Flow Outlook"), 8820);
    QFrame* f = m_frame5YearView;
    QLabel* prompt =
        addCaption(f, QStringLiteral("lblCFAYears"), QStringLiteral("View Cash Flow Outlook for "),
                   240, 1620, 2640, 330);
    prompt->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_cmbCFAYears = new QComboBox(f);
    registerControl(m_cmbCFAYears, QStringLiteral("cmbCFAYears"), 0, ControlKind::ComboBox);
    m_cmbCFAYears->addItem(QStringLiteral("5 Years"), 5);
    m_cmbCFAYears->addItem(QStringLiteral("10 Years"), 10);
    m_cmbCFAYears->addItem(QStringLiteral("20 Years"), 20);
    m_cmbCFAYears->setCurrentIndex(-1);
    placeTwips(m_cmbCFAYears, 2940, 1605, 1620, 360);
    connect(m_cmbCFAYears, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_lastPeriodIndex = index;
        cmbCFAYears_Click();
    });
    // Picking the period already shown still counts as a choice.
    connect(m_cmbCFAYears, &QComboBox::activated, this, [this](int index) {
        if (index == m_lastPeriodIndex)
            cmbCFAYears_Click();
    });

    const QFont cellFont = pixelFont(11, false, true);
    const QFont headFont = pixelFont(11, true, true);
    auto addGridCaptions = [&](QWidget* parent, const QString& prefix, bool twentyYear,
                               int captionWidth) {
        for (int r = 0; r < 7; ++r) {
            QString caption = QString::fromLatin1(kOutlookRows[r].caption);
            if (twentyYear && r == 4)
                caption = QStringLiteral("Est. Income Tax");
            QLabel* l =
                addCaption(parent, prefix + QString::fromLatin1(kOutlookRows[r].suffix), caption, 0,
                           kGridRowPitch + r * kGridRowPitch, captionWidth, kGridCellHeight);
            l->setFont(r >= 5 ? headFont : cellFont);
        }
    };
    auto addGridColumns = [&](QWidget* parent, const QString& prefix, int firstYear, int lastYear,
                              int left, int pitch, bool twentyYear, const QString& headerName) {
        for (int year = firstYear; year <= lastYear; ++year) {
            const int x = left + (year - firstYear) * pitch;
            auto* header = new QLabel(yearCaption(year, twentyYear), parent);
            registerControl(header, headerName, year, ControlKind::Label);
            header->setFont(headFont);
            header->setAlignment(Qt::AlignCenter);
            placeTwips(header, x, 0, pitch - 15, kGridCellHeight);
            for (int r = 0; r < 7; ++r) {
                QLineEdit* cell =
                    addField(parent, prefix + QString::fromLatin1(kOutlookRows[r].suffix), year, x,
                             kGridRowPitch + r * kGridRowPitch, pitch - 15, kGridCellHeight);
                cell->setFrame(false);
                cell->setFont(cellFont);
                cell->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
                cell->setTextMargins(2, 0, 3, 0);
            }
        }
    };

    // The 5-year grid.
    auto* grid5 = new GridFrame(f);
    grid5->setObjectName(QStringLiteral("frameCFA5Year"));
    m_frameCFA5Year = grid5;
    placeTwips(grid5, 240, 2040, 10380, 2580);
    grid5->headerLeft = toPixels(2145);
    grid5->headerHeight = toPixels(kGridCellHeight);
    addGridCaptions(grid5, QStringLiteral("lbl5CF"), false, 2040);
    addGridColumns(grid5, QStringLiteral("txt5CF"), 1, 5, 2160, 1635, false,
                   QStringLiteral("lbl5CFYear"));

    // The 20-year grid: row captions, then two pages of ten years and the bar between them.
    m_frameCFA10Year = new QFrame(f);
    m_frameCFA10Year->setObjectName(QStringLiteral("frameCFA10Year"));
    placeTwips(m_frameCFA10Year, 240, 2040, 10380, 2940);
    addGridCaptions(m_frameCFA10Year, QStringLiteral("lbl10CF"), true, 1740);
    auto makePage = [&](const QString& name, int firstYear) {
        auto* page = new GridFrame(m_frameCFA10Year);
        page->setObjectName(name);
        placeTwips(page, 1770, 0, 8610, 2580);
        page->headerLeft = 0;
        page->headerHeight = toPixels(kGridCellHeight);
        addGridColumns(page, QStringLiteral("txt10CF"), firstYear, firstYear + 9, 15, 855, true,
                       QStringLiteral("lbl10CFYear"));
        return page;
    };
    m_fraCashflow20Yrs1to10 = makePage(QStringLiteral("fraCashflow20Yrs1to10"), 1);
    m_fraCashflow20Yrs10to20 = makePage(QStringLiteral("fraCashflow20Yrs10to20"), 11);
    m_fraCashflow20Yrs10to20->hide();
    m_hscrollCashFlow10to20 = new QScrollBar(Qt::Horizontal, m_frameCFA10Year);
    m_hscrollCashFlow10to20->setObjectName(QStringLiteral("hscrollCashFlow10to20"));
    m_hscrollCashFlow10to20->setRange(1, 2);
    m_hscrollCashFlow10to20->setPageStep(1);
    m_hscrollCashFlow10to20->setValue(1);
    placeTwips(m_hscrollCashFlow10to20, 1785, 2655, 8595, kBarThickness);
    connect(m_hscrollCashFlow10to20, &QScrollBar::valueChanged, this,
            &MainWindow::hscrollCashFlow10to20_Change);
    m_frameCFA10Year->hide();

    m_chart = new OutlookChart(f);
    m_chart->setObjectName(QStringLiteral("MSChart5Year"));
    placeTwips(m_chart, 240, 5100, 10380, 3600);
}
