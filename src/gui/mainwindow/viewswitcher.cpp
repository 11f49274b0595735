#include "gui/mainwindow/viewswitcher.h"

#include "analysis/analysis.h"
#include "base/errortrap.h"
#include "gui/mainwindow/contentlayout.h"
#include "gui/mainwindow/cornerbox.h"
#include "gui/mainwindow/mainwindow.h"
#include "gui/mainwindow/windowlayout.h"
#include "gui/pictures/picturestrip.h"
#include "gui/views/financialview.h"
#include "gui/views/outlookview.h"
#include "gui/views/propertyview.h"
#include "gui/views/returnsview.h"
#include "gui/views/summaryview.h"
#include "gui/widgets/clickableimage.h"
#include "gui/widgets/linklabel.h"

ViewSwitcher::ViewSwitcher(Form& form, ContentLayout& layout, const Parts& parts,
                           std::function<Prompts&()> prompts, QObject* parent)
    : QObject(parent), m_form(form), m_layout(layout), m(parts), m_prompts(std::move(prompts)) {
    // The scroll range follows the returns view when it grows on screen.
    connect(m.returns, &ReturnsView::heightChanged, this, [this] {
        if (!isShown(m.returns))
            return;
        m_layout.setContentHeightTwips(WindowLayout::PixelsToTwips(m.returns->height()));
        m_layout.layout();
    });
}

void ViewSwitcher::connectNavigation(MainWindow& window) {
    using Strip = NavigationStrip;
    NavigationStrip* strip = m.navigation;
    connect(strip->icon(Strip::Property), &ClickableImage::clicked, &window,
            &MainWindow::imgProperty_Click);
    connect(strip->icon(Strip::Financial), &ClickableImage::clicked, &window,
            &MainWindow::imgFinancial_Click);
    connect(strip->icon(Strip::Summary), &ClickableImage::clicked, &window,
            &MainWindow::imgQuickView_Click);
    auto wireLink = [&](Strip::View view, void (MainWindow::*over)(), void (MainWindow::*left)(),
                        void (MainWindow::*drop)()) {
        LinkLabel* link = strip->link(view);
        connect(link, &LinkLabel::pointerEntered, &window, over);
        connect(link, &LinkLabel::pointerLeft, &window, left);
        connect(link, &LinkLabel::releasedOver, &window, drop);
    };
    wireLink(Strip::Property, &MainWindow::lblProperty_MouseMove, &MainWindow::lblProperty_DragOver,
             &MainWindow::lblProperty_DragDrop);
    wireLink(Strip::Financial, &MainWindow::lblFinancial_MouseMove,
             &MainWindow::lblFinancial_DragOver, &MainWindow::lblFinancial_DragDrop);
    wireLink(Strip::Summary, &MainWindow::lblQuickView_MouseMove,
             &MainWindow::lblQuickView_DragOver, &MainWindow::lblQuickView_DragDrop);
    wireLink(Strip::CashFlow, &MainWindow::lblCashFlow_MouseMove, &MainWindow::lblCashFlow_DragOver,
             &MainWindow::lblCashFlow_DragDrop);
    LinkLabel* returns = strip->link(Strip::Returns);
    connect(returns, &LinkLabel::pointerEntered, this, [this] { hoverLink(Strip::Returns, true); });
    connect(returns, &LinkLabel::pointerLeft, this, [this] { hoverLink(Strip::Returns, false); });
    connect(returns, &LinkLabel::releasedOver, this, [this] { followLink(Strip::Returns); });
    // The outlook's note leads to the view that deducts what the outlook leaves in.
    connect(m.outlook, &OutlookView::returnsWanted, this, [this] { followLink(Strip::Returns); });
}

bool ViewSwitcher::isShown(const QFrame* frame) const {
    return !frame->isHidden();
}

void ViewSwitcher::hideFrames(std::initializer_list<QFrame*> frames) {
    for (QFrame* frame : frames)
        frame->hide();
}

void ViewSwitcher::showViewFrame(QFrame* frame) {
    frame->show();
    if (frame != m.returns)
        m.returns->hide();
    m_layout.setContentHeightTwips(WindowLayout::PixelsToTwips(frame->height()));
    m_layout.layout();
}

void ViewSwitcher::focusCorner() {
    m.corner->focusIfVisible();
}

void ViewSwitcher::clearPictureSelection() {
    if (m_strip)
        m_strip->clearSelection();
}

void ViewSwitcher::showProperty() {
    if (isShown(m.property))
        return;
    hideFrames({m.home});
    showViewFrame(m.property);
    hideFrames({m.financial, m.summary, m.outlook});
    clearPictureSelection();
    m.property->focusFirstField();
}

void ViewSwitcher::showFinancial() {
    if (isShown(m.financial))
        return;
    hideFrames({m.home, m.property});
    showViewFrame(m.financial);
    hideFrames({m.summary, m.outlook});
    clearPictureSelection();
    m.financial->focusFirstField();
    for (int row = 1; row <= 4; ++row)
        UpdateMortgagePayment(m_form, row);
    RecalculateAnalysis(m_form);
    RefreshOperatingExpenseLine(m_form);
}

void ViewSwitcher::showSummary() {
    if (isShown(m.summary))
        return;
    hideFrames({m.home, m.property, m.financial});
    showViewFrame(m.summary);
    hideFrames({m.outlook});
    RecalculateAnalysis(m_form);
    clearPictureSelection();
    focusCorner();
}

void ViewSwitcher::showOutlook() {
    if (isShown(m.outlook))
        return;
    hideFrames({m.home, m.property, m.financial, m.summary});
    showViewFrame(m.outlook);
    RecalculateAnalysis(m_form);
    clearPictureSelection();
    focusCorner();
}

void ViewSwitcher::showReturns() {
    if (isShown(m.returns))
        return;
    hideFrames({m.home, m.property, m.financial, m.summary, m.outlook});
    // The outlook's figures, which the year table compares with, are brought up to date first.
    RecalculateAnalysis(m_form);
    m.returns->setPrompts(&m_prompts());
    showViewFrame(m.returns);
    clearPictureSelection();
    m.returns->focusFirstField();
}

void ViewSwitcher::showHome() {
    Trap(3710, [&] { m.home->show(); });
    Trap(3720, [&] { m_layout.setContentHeightTwips(m_layout.homeFrameHeight() - 660); });
    Trap(3730, [&] { m_layout.layout(); });
    Trap(3740, [&] {
        hideFrames({m.property, m.financial, m.summary, m.outlook, m.returns, m.navigation});
        m.homeNavigation->show();
    });
    // The layout above still saw the view that was shown, which may take the window's width:
    // the home page is placed by its own width once that view is gone.
    Trap(3745, [&] { m_layout.layout(); });
    Trap(3750, [&] { m.corner->showLogo(); });
    Trap(3760, [&] { focusCorner(); });
}

void ViewSwitcher::showPropertyNavigation() {
    m.navigation->show();
    m.homeNavigation->hide();
}

void ViewSwitcher::hoverLink(NavigationStrip::View link, bool hovered) {
    m.navigation->setLinkHovered(link, hovered);
}

void ViewSwitcher::followLink(NavigationStrip::View link) {
    hoverLink(link, false);
    switch (link) {
    case NavigationStrip::Property:
        showProperty();
        break;
    case NavigationStrip::Financial:
        showFinancial();
        break;
    case NavigationStrip::Summary:
        showSummary();
        break;
    case NavigationStrip::CashFlow:
        // The outlook always comes up on five years, even when it is already on screen.
        if (m.outlook->choosePeriod(0))
            outlookPeriodChosen();
        showOutlook();
        break;
    case NavigationStrip::Returns:
        showReturns();
        break;
    case NavigationStrip::ViewCount:
        break;
    }
}

void ViewSwitcher::outlookPeriodChosen() {
    m.outlook->showChosenPeriod();
    RecalculateAnalysis(m_form);
}

void ViewSwitcher::outlookDecadeScrolled() {
    m.outlook->showChosenDecade();
}
