// Building the main window: menus, the strips, the content area and the views in it.
#include "gui/mainwindow/mainwindow.h"

#include "gui/mainwindow/contentlayout.h"
#include "gui/mainwindow/cornerbox.h"
#include "gui/mainwindow/filemenu.h"
#include "gui/mainwindow/navigationstrip.h"
#include "gui/pictures/picturestrip.h"

#include "analysis/summaryexplain.h"
#include "gui/views/financialview.h"
#include "gui/views/outlookview.h"
#include "gui/views/propertyview.h"
#include "gui/views/returnsview.h"
#include "gui/views/summaryview.h"
#include "gui/widgets/clickableimage.h"
#include "gui/widgets/figureexplainer.h"
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
    m_views = new ViewSwitcher(
        *this, m_layout,
        {m_frameHome, m_frameProperty, m_frameFinancial, m_frameQuickView, m_frame5YearView,
         m_frameReturnsView, m_frameNavigation, m_frameHomeNavigation, m_corner},
        [this]() -> Prompts& { return prompts(); }, this);
    m_views->connectNavigation(*this);

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
    m_layout.attach({m_client, m_picScrollable, m_frameHome, m_frameNavigation,
                     m_frameHomeNavigation, m_VScroll1, m_HScroll2});
    connect(m_VScroll1, &QScrollBar::valueChanged, this, &MainWindow::VScroll1_Change);
    connect(m_HScroll2, &QScrollBar::valueChanged, this, &MainWindow::HScroll2_Change);

    // The strips and the bars lie over the content, which scrolls beneath them.
    m_corner->raise();
    m_frameNavigation->raise();
    m_frameHomeNavigation->raise();
    m_VScroll1->raise();
    m_HScroll2->raise();

    m_form.setFieldOrder(StoredCells());
    // The design texts are in place before any handler listens, as a freshly loaded window has
    // them: no payment or total is computed until a view or an edit asks for it.
    m_form.applyDesignDefaults();
    connectFieldHandlers();
}

void MainWindow::buildMenus() {
    menuBar()->setObjectName(QStringLiteral("menuBar"));
    m_mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    m_mnuFile->setObjectName(QStringLiteral("mnuFile"));
    m_mnuFile->menuAction()->setObjectName(QStringLiteral("mnuFile"));
    m_fileMenu = new FileMenu(this, m_mnuFile,
                              {[this] { mnuFileOpen_Click(); }, [this] { mnuFileClose_Click(); },
                               [this] { mnuFileAddNewProperty_Click(); },
                               [this] { mnuFileRemoveSelectedProperty_Click(); },
                               [this] { mnuFileSave_Click(); }, [this] { mnuFileSaveAs_Click(); },
                               [this] { mnuFileExit_Click(); }},
                              [this] { return m_commands->mnuFile_Click(); });
    connect(m_mnuFile, &QMenu::aboutToShow, this, &MainWindow::mnuFile_Click);

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
    m_corner = new CornerBox(m_client, kCornerWidth, kStripHeight);
    m_corner->installEventFilter(this);

    m_frameHomeNavigation = new NavigationStrip(m_client, QStringLiteral("frameHomeNavigation"),
                                                QStringLiteral("lineHomeNavigationBottom"));
    m_frameNavigation = new NavigationStrip(m_client, QStringLiteral("frameNavigation"),
                                            QStringLiteral("lineNavigationBottom"));
    m_frameHomeNavigation->addBanner(
        m_form.controls(), QStringLiteral("   Quillbrook: Real Estate Investment Analyzer"));
    m_frameNavigation->addViewLinks(m_form.controls());
}

// The views in the order they were always built: the focus chain follows it.
void MainWindow::buildViews() {
    m_frameProperty = new PropertyView(m_picScrollable, m_form.controls());
    m_frameFinancial = new FinancialView(m_picScrollable, m_form.controls());
    m_frameQuickView = new SummaryView(m_picScrollable, m_form.controls());
    m_frame5YearView = new OutlookView(m_picScrollable, m_form.controls());
    m_form.setChart(m_frame5YearView->chart());
    connect(m_frame5YearView, &OutlookView::periodChosen, this, &MainWindow::cmbCFAYears_Click);
    connect(m_frame5YearView, &OutlookView::decadeScrolled, this,
            &MainWindow::hscrollCashFlow10to20_Change);
    m_frameReturnsView = new ReturnsView(m_picScrollable, m_form.controls(), *this);
    // The summary's figures show their arithmetic as the returns view's do.
    auto* explainer = new FigureExplainer(
        m_frameQuickView, [this](const QString& name) { return ExplainSummaryField(*this, name); });
    for (const FieldInfo& field : FieldTable()) {
        if (field.view == FieldView::Summary)
            explainer->watch(control(field.name));
    }
}

void MainWindow::buildEditAndHelpMenus() {
    EditMenu::PictureHooks pictures;
    pictures.selected = [this] {
        return m_views->isShown(m_frameProperty) && m_pictureStrip->hasSelection();
    };
    pictures.remove = [this] { DeleteSelectedPicture(); };
    m_editMenu = new EditMenu(this, m_mnuEdit, std::move(pictures));
    const struct {
        QAction* action;
        void (MainWindow::*slot)();
    } entries[] = {
        {m_editMenu->undoAction(), &MainWindow::mnuEditUndo_Click},
        {m_editMenu->cutAction(), &MainWindow::mnuEditCut_Click},
        {m_editMenu->copyAction(), &MainWindow::mnuEditCopy_Click},
        {m_editMenu->pasteAction(), &MainWindow::mnuEditPaste_Click},
        {m_editMenu->deleteAction(), &MainWindow::mnuEditDelete_Click},
        {m_editMenu->selectAllAction(), &MainWindow::mnuEditSelectAll_Click},
    };
    for (const auto& entry : entries)
        connect(entry.action, &QAction::triggered, this, entry.slot);
    connect(m_mnuEdit, &QMenu::aboutToShow, this, &MainWindow::mnuEdit_Click);
    m_helpMenu = new HelpMenu(this, m_mnuHelp, [this]() -> Prompts& { return prompts(); });
}
