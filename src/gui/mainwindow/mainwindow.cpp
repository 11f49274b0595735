#include "gui/mainwindow/mainwindow.h"

#include "base/errortrap.h"
#include "base/version.h"
#include "gui/commands/comparepaper.h"
#include "gui/commands/criteriacommand.h"
#include "gui/commands/duplicatecommand.h"
#include "gui/commands/paperanalysiscommand.h"
#include "gui/dialogs/prompts.h"
#include "gui/dialogs/widgetprompts.h"
#include "gui/mainwindow/cornerbox.h"
#include "gui/mainwindow/keyboard.h"
#include "gui/mainwindow/windowhost.h"
#include "gui/mainwindow/windowlayout.h"
#include "gui/views/compareview.h"
#include "gui/views/financialview.h"
#include "gui/views/homepage.h"
#include "gui/views/portfolioview.h"
#include "gui/views/propertyview.h"
#include "gui/views/returnsview.h"
#include "gui/views/summaryview.h"
#include "gui/widgets/figurefit.h"
#include "gui/widgets/focusring.h"
#include "gui/widgets/numbermark.h"
#include "gui/widgets/themecolours.h"
#include "model/fieldtable.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>

int MainWindow::toPixels(double twips) {
    return WindowLayout::TwipsToPixels(twips);
}

// Widgets are built in the order the user tabs through them; the parts that need the
// property commands come after them.
MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), WidgetForm(static_cast<QWidget&>(*this)) {
    setFont(PixelFont(12));
    buildMenus();
    buildClientArea();
    buildViews();
    buildStrips();
    buildScrollBars();
    setSmallestSize();
    setFieldOrder(StoredCells());
    // The design texts are in place before any handler listens, as a freshly loaded window has
    // them: no payment or total is computed until a view or an edit asks for it.
    applyDesignDefaults();
    connectChangeHandlers(*this, this);
    for (const char* name :
         {"txtPropertyInformation", "txtAddress", "txtUnits", "txtSquareFootage", "txtMiscNotes"}) {
        if (QWidget* field = control(QString::fromLatin1(name)))
            field->installEventFilter(this); // their _GotFocus handlers
    }
    buildCommands();
    buildPictureStrip();
    buildEditAndHelpMenus();
    Form_Load();
    m_focusChanged = connect(qApp, &QApplication::focusChanged, this,
                             [this](QWidget*, QWidget* now) { m_layout.scrollIntoView(now); });
    // Last, so their Tools entries come last.
    m_printAnalysis = new PrintAnalysisCommand(*m_host, m_mnuTools, this);
    m_paperAnalysis = new PaperAnalysisCommand(*m_host, m_mnuTools, this);
    m_criteria = new CriteriaCommand(this, m_mnuTools);
    buildCompareEntry();
    InstallKeyboard(*this);
    FocusRing::Install(this);
    NumberMark::WatchFigureFields(this);
    FigureFit::WatchFigureFields(this);
}

MainWindow::~MainWindow() {
    // The widgets are destroyed after this body, by the base class; losing them moves the
    // focus and resizes frames. No handler of this window, nor the home page's, may run on
    // what is left of it by then.
    disconnect(m_focusChanged);
    const QList<QObject*> children = findChildren<QObject*>();
    for (QObject* child : children)
        child->removeEventFilter(this);
    // Its table's layout is saved while the table is still there.
    delete m_portfolio;
    m_portfolio = nullptr;
    delete m_homePage;
    m_homePage = nullptr;
}

void MainWindow::buildMenus() {
    menuBar()->setObjectName(QStringLiteral("menuBar"));
    // In the order users know; each command group fills its own.
    const auto addMenu = [this](const QString& caption, const QString& name) {
        QMenu* menu = menuBar()->addMenu(caption);
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(name);
        return menu;
    };
    m_mnuFile = addMenu(QStringLiteral("&File"), QStringLiteral("mnuFile"));
    m_mnuEdit = addMenu(QStringLiteral("&Edit"), QStringLiteral("mnuEdit"));
    m_mnuTools = addMenu(QStringLiteral("&Tools"), QStringLiteral("mnuTools"));
    m_mnuHelp = addMenu(QStringLiteral("&Help"), QStringLiteral("mnuHelp"));
}

void MainWindow::buildClientArea() {
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("clientArea"));
    m_client->setAutoFillBackground(true);
    setCentralWidget(m_client);
    m_client->installEventFilter(this);

    m_picScrollable = new QWidget(m_client);
    m_picScrollable->setObjectName(QStringLiteral("picScrollable"));
    m_picScrollable->installEventFilter(this); // the wheel
    PlaceTwips(m_picScrollable, 0, 0, ContentLayout::kContentWidth, 8000);

    m_frameHome = new QFrame(m_picScrollable);
    m_frameHome->setObjectName(QStringLiteral("frameHome"));
    // Room for two rows of three cards and the paging links below them.
    PlaceTwips(m_frameHome, 0, 0, ContentLayout::kContentWidth, 8995);
}

// The views in the order they were always built: the focus chain follows it.
void MainWindow::buildViews() {
    m_frameProperty = new PropertyView(m_picScrollable, controls());
    m_frameFinancial = new FinancialView(m_picScrollable, controls());
    m_frameQuickView = new SummaryView(m_picScrollable, controls());
    m_frame5YearView = new OutlookView(m_picScrollable, controls());
    setChart(m_frame5YearView->chart());
    connect(m_frame5YearView, &OutlookView::periodChosen, this, &MainWindow::cmbCFAYears_Click);
    connect(m_frame5YearView, &OutlookView::decadeScrolled, this,
            &MainWindow::hscrollCashFlow10to20_Change);
    m_frameReturnsView = new ReturnsView(m_picScrollable, controls(), *this);
    m_frameQuickView->explainFigures(*this);
}

void MainWindow::buildStrips() {
    m_corner = new CornerBox(m_client, ContentLayout::kCornerWidth, kStripHeight);
    m_corner->installEventFilter(this);
    m_frameHomeNavigation = new NavigationStrip(m_client, QStringLiteral("frameHomeNavigation"),
                                                QStringLiteral("lineHomeNavigationBottom"));
    m_frameNavigation = new NavigationStrip(m_client, QStringLiteral("frameNavigation"),
                                            QStringLiteral("lineNavigationBottom"));
    m_frameHomeNavigation->addBanner(
        controls(), QStringLiteral("   Quillbrook: Real Estate Investment Analyzer"));
    m_frameNavigation->addViewLinks(controls());
    m_views = new ViewSwitcher(
        *this, m_layout,
        {m_frameHome, m_frameProperty, m_frameFinancial, m_frameQuickView, m_frame5YearView,
         m_frameReturnsView, m_frameNavigation, m_frameHomeNavigation, m_corner},
        [this]() -> Prompts& { return prompts(); }, this);
    m_views->connectNavigation(*this);
}

void MainWindow::buildScrollBars() {
    m_layout.attach({m_client, m_picScrollable, m_frameHome, m_frameNavigation,
                     m_frameHomeNavigation, nullptr, nullptr});
    m_layout.addScrollBars();
    connect(m_layout.verticalBar(), &QScrollBar::valueChanged, this, &MainWindow::VScroll1_Change);
    connect(m_layout.horizontalBar(), &QScrollBar::valueChanged, this,
            &MainWindow::HScroll2_Change);

    // The strips and the bars lie over the content, which scrolls beneath them.
    for (QWidget* top :
         std::initializer_list<QWidget*>{m_corner, m_frameNavigation, m_frameHomeNavigation,
                                         m_layout.verticalBar(), m_layout.horizontalBar()})
        top->raise();
}

// The home page inside frameHome, the property commands and the window's own prompts.
void MainWindow::buildCommands() {
    m_homePage = new HomePage(m_frameHome, this);
    m_host = std::make_unique<WindowHost>(*this);
    m_commands = std::make_unique<PropertyCommands>(*m_host);
    m_widgetPrompts = std::make_unique<WidgetPrompts>(this);
    m_homePage->setOpenPropertyHandler(
        [this](qint32 row, const QString&) { m_commands->OpenPropertyAtRow(row); });
    m_homePage->setAddPropertyHandler([this] { m_commands->mnuFileAddNewProperty_Click(); });
    m_duplicate = std::make_unique<DuplicateCommand>(*m_host, *m_commands);
    m_fileMenu = new FileMenu(this, m_mnuFile, *m_commands, *m_duplicate);
    const auto prompts = [this]() -> Prompts& { return this->prompts(); };
    m_portfolio = new PortfolioView(*m_homePage, prompts, this);
    connect(m_portfolio, &PortfolioView::widthFollowingChanged, this, &MainWindow::Form_Resize);
    m_comparePaper = new ComparePaperCommand(*m_portfolio->compare(), prompts, this);
}

void MainWindow::buildCompareEntry() {
    m_mnuTools->addSeparator();
    auto* compare = new QAction(QStringLiteral("&Compare Selected Properties"), this);
    compare->setObjectName(QStringLiteral("mnuToolsCompareSelected"));
    compare->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    m_mnuTools->addAction(compare);
    connect(compare, &QAction::triggered, this, &MainWindow::mnuToolsCompareSelected_Click);
    // Greyed out in the open menu while a property is open; closed, the menu leaves it enabled
    // so that Ctrl+K reaches the command, which checks for itself.
    connect(m_mnuTools, &QMenu::aboutToShow, compare,
            [this, compare] { compare->setEnabled(isHomePageVisible()); });
    connect(m_mnuTools, &QMenu::aboutToHide, compare, [compare] { compare->setEnabled(true); });
}

void MainWindow::mnuToolsCompareSelected_Click() {
    if (isHomePageVisible())
        m_portfolio->cmdCompare_Click();
}

void MainWindow::mnuFileDuplicate_Click() {
    m_duplicate->mnuFileDuplicate_Click();
}

void MainWindow::setPictureClock(std::function<QDateTime()> clock) {
    m_duplicate->setClock(clock);
    m_pictureStrip->setClock(std::move(clock));
}

void MainWindow::buildPictureStrip() {
    m_pictureStrip = new PictureStrip(*m_frameProperty, m_commands->g_sListOfImagesForProperty);
    m_views->setPictureStrip(m_pictureStrip);
    m_pictureStrip->setPrompts([this]() -> Prompts& { return prompts(); });
    connect(m_pictureStrip, &PictureStrip::edited, this, [this] { m_commands->picturesChanged(); });
    connect(m_pictureStrip, &PictureStrip::firstPictureChanged, this,
            [this] { m_corner->showFirstPictureOf(*m_pictureStrip); });
    connect(m_pictureStrip, &PictureStrip::cornerFocusWanted, m_views, &ViewSwitcher::focusCorner);
    m_viewPicture = new ViewPictureCommand(this, m_mnuTools, m_frameProperty, *m_pictureStrip,
                                           *m_homePage, [this] { return windowWidthTwips(); });
}

void MainWindow::buildEditAndHelpMenus() {
    EditMenu::PictureHooks pictures;
    pictures.selected = [this] {
        return m_views->isShown(m_frameProperty) && m_pictureStrip->hasSelection();
    };
    pictures.remove = [this] { DeleteSelectedPicture(); };
    m_editMenu = new EditMenu(this, m_mnuEdit, std::move(pictures));
    m_helpMenu = new HelpMenu(this, m_mnuHelp, [this]() -> Prompts& { return prompts(); });
}

void MainWindow::setWindowSizeTwips(int width, int height) {
    const QSize client(toPixels(width - ContentLayout::kFrameAllowanceWidth),
                       toPixels(height - ContentLayout::kFrameAllowanceHeight));
    resize(client.width(), client.height() + menuBar()->sizeHint().height());
    if (layout())
        layout()->activate();
    // The menu bar's height is only known for sure once it is laid out.
    const QSize error = client - m_client->size();
    if (!error.isNull())
        resize(size() + error);
}

void MainWindow::Form_Load() {
    WindowLayout::Position position;
    Trap(3510, [&] {
        // Field by field: a whole-struct copy here makes GCC 12 warn of an uninitialised read.
        const WindowLayout::Position stored = WindowLayout::StoredPosition();
        position.left = stored.left;
        position.top = stored.top;
    });
    Trap(3520, [&] { setWindowSizeTwips(WindowLayout::kOpenWidth, WindowLayout::kOpenHeight); });
    Trap(3511, [&] {
        // A position saved on a screen that is no longer attached would open the window where
        // nobody can reach it.
        const QRect placed(toPixels(position.left), toPixels(position.top), width(), height());
        if (!WindowLayout::IsOnAttachedScreen(placed))
            position = WindowLayout::Position();
        move(toPixels(position.left), toPixels(position.top));
    });
    Trap(3512, [&] { fitOnScreen(); });
    Trap(3530, [&] { m_layout.resetLeft(); });
    Trap(3531, [&] { m_layout.horizontalBar()->setValue(0); });
    Trap(3532, [&] { Form_Resize(); });
    Trap(3540, [&] {
        m_frameHome->move(0, 0);
        m_frameNavigation->move(m_frameNavigation->x(), 0);
        m_frameHomeNavigation->move(m_frameHomeNavigation->x(), 0);
        m_frameHome->show();
    });
    Trap(3550, [&] { ShowHomePage(); });
    Trap(3560, [&] { ApplyColourScheme(); });
    Trap(3570, [&] {
        for (QFrame* slot : findChildren<QFrame*>(QStringLiteral("frmSelectPropertyImage")))
            slot->setFrameShape(QFrame::NoFrame);
    });
    Trap(3580, [&] { m_homePage->fillFilterEntries(); });
    Trap(3590, [&] { setWindowTitle(ProgramTitle() + QStringLiteral(" v") + VersionText()); });
}

void MainWindow::setSmallestSize() {
    // Narrow enough for a small screen at a large scale, wide enough that every view stays a
    // click away: the links fit beside the corner box, in two rows if they must.
    const int clientWidth =
        toPixels(ContentLayout::kCornerWidth) + m_frameNavigation->narrowestWidth() + toPixels(100);
    const int clientHeight = toPixels(kStripHeight) + 240;
    setMinimumSize(clientWidth, clientHeight + menuBar()->sizeHint().height());
}

void MainWindow::fitOnScreen() {
    // A position kept from a larger screen, another monitor or another scale would leave part
    // of the window, its caption or its scroll bars, where nobody can reach them. The frame
    // around the window is reckoned as the program always has: the outer size's allowance
    // over the client area.
    const QSize frame(
        toPixels(ContentLayout::kFrameAllowanceWidth),
        qMax(0, toPixels(ContentLayout::kFrameAllowanceHeight) - (height() - m_client->height())));
    QVector<QRect> areas;
    for (QScreen* screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    const QRect outer(pos(), size() + frame);
    const QRect fitted = WindowLayout::FitIntoArea(outer, WindowLayout::ScreenAreaFor(outer, areas),
                                                   minimumSize() + frame);
    if (fitted == outer)
        return;
    move(fitted.topLeft());
    resize(fitted.size() - frame);
}

bool MainWindow::confirmUnsavedWork() {
    bool cancel = false;
    m_commands->Form_Unload(cancel);
    return !cancel;
}

void MainWindow::Form_Unload(bool& Cancel) {
    if (m_frameHome->isHidden()) {
        // A property is open: the user may keep working, save or drop the changes.
        if (!confirmUnsavedWork()) {
            Cancel = true;
            return;
        }
        // The question has normally brought the home page back already.
        if (m_frameHome->isHidden())
            Trap(3610, [&] { ShowHomePage(); });
    }
    Trap(3620, [&] {
        const auto windows = QApplication::topLevelWidgets();
        for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
            QWidget* w = *it;
            if (w == this || !w->isVisible() || qobject_cast<QMenu*>(w))
                continue;
            if (w->windowType() == Qt::Window || w->windowType() == Qt::Dialog)
                w->close();
        }
    });
    if (!isMinimized())
        Trap(3630, [&] {
            WindowLayout::StorePosition(WindowLayout::PixelsToTwips(x()),
                                        WindowLayout::PixelsToTwips(y()), windowWidthTwips(),
                                        windowHeightTwips());
        });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    bool cancel = false;
    Form_Unload(cancel);
    if (cancel)
        event->ignore();
    else
        event->accept();
}

// The page colour is the desktop's own (white on a light desktop) and the strips a shade of it,
// so that the desktop's text colour stays readable on them in a dark scheme too; they follow
// the desktop when it changes its scheme.
void MainWindow::ApplyColourScheme() {
    const auto frames = findChildren<QFrame*>();
    for (QFrame* frame : frames) {
        const QString name = frame->objectName(); // frame..., fra..., frm...
        if (name.startsWith(QLatin1String("fra"), Qt::CaseInsensitive) ||
            name.startsWith(QLatin1String("frm"), Qt::CaseInsensitive))
            Theme::Apply(frame, Theme::Role::Page);
    }
    Theme::Apply(m_client, Theme::Role::Page);
    Theme::Apply(this, Theme::Role::Page);
    Theme::Apply(m_frameNavigation, Theme::Role::Strip);
    Theme::Apply(m_frameHomeNavigation, Theme::Role::Strip);
}

void MainWindow::ShowHomePage() {
    m_views->showHome();
    Trap(3770, [&] {
        if (!m_homePage)
            return;
        const QComboBox* filter = m_homePage->filterBox();
        m_homePage->LoadPropertiesOnMainPage(m_iHomePageStart,
                                             filter ? filter->currentText() : QString());
    });
}

void MainWindow::mnuToolsInvestmentCriteria_Click() {
    m_criteria->edit();
}

Prompts& MainWindow::prompts() {
    return m_prompts ? *m_prompts : *m_widgetPrompts;
}

void MainWindow::setFilePicker(FilePicker* picker) {
    m_pictureStrip->setFilePicker(picker);
    m_frameReturnsView->setFilePicker(picker);
    m_paperAnalysis->setFilePicker(picker);
    m_portfolio->setFilePicker(picker);
    m_comparePaper->setFilePicker(picker);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_client && event->type() == QEvent::Resize) {
        Form_Resize();
    } else if (event->type() == QEvent::FocusIn) {
        // A field watched for its focus runs the handler named after it.
        const QByteArray handler = watched->objectName().toLatin1() + "_GotFocus";
        if (metaObject()->indexOfSlot(handler + "()") >= 0)
            QMetaObject::invokeMethod(this, handler.constData());
    } else if (watched == m_picScrollable && event->type() == QEvent::Wheel) {
        return m_layout.wheel(static_cast<QWheelEvent*>(event));
    } else if (watched == m_corner && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        picUpperLeftCorner_KeyDown(key->key(), int(key->modifiers()));
    }
    return QMainWindow::eventFilter(watched, event);
}
