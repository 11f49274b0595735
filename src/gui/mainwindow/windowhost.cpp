#include "gui/mainwindow/windowhost.h"

#include "base/programfolder.h"
#include "gui/mainwindow/cornerbox.h"
#include "gui/mainwindow/mainwindow.h"
#include "gui/mainwindow/navigationstrip.h"
#include "gui/pictures/picturestrip.h"
#include "gui/views/financialview.h"
#include "gui/views/homepage.h"
#include "gui/views/outlookview.h"
#include "gui/views/propertyview.h"
#include "gui/views/returnsview.h"
#include "gui/views/summaryview.h"

#include <QApplication>
#include <QLabel>

Form& WindowHost::form() {
    return m_window;
}
HomePage& WindowHost::homePage() {
    return m_window.homePage();
}
Prompts& WindowHost::prompts() {
    return m_window.prompts();
}
bool WindowHost::isHomePageVisible() const {
    return !m_window.m_frameHome->isHidden();
}
void WindowHost::ShowHomePage() {
    m_window.ShowHomePage();
}
void WindowHost::imgProperty_Click() {
    m_window.imgProperty_Click();
}
void WindowHost::ClearPictureSelection() {
    m_window.ClearPictureSelection();
}
void WindowHost::clearPictureStripImages() {
    m_window.m_pictureStrip->clearImages();
}
void WindowHost::resetPictureStripScroll() {
    m_window.m_pictureStrip->resetScroll();
}
void WindowHost::ShowPictureStrip() {
    m_window.ShowPictureStrip();
}

void WindowHost::showPropertyNavigation() {
    m_window.m_views->showPropertyNavigation();
}

bool WindowHost::showCornerFromFirstStripSlot() {
    PictureStrip* strip = m_window.m_pictureStrip;
    if (!strip->slotFrame(1)->isVisible())
        return false;
    m_window.m_corner->showPicture(strip->slotImage(1)->pixmap());
    return true;
}

void WindowHost::showCornerLogo() {
    m_window.m_corner->showLogo();
}

qint32& WindowHost::homePageStart() {
    return m_window.m_iHomePageStart;
}

void WindowHost::setBusy(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

QWidget* WindowHost::progressParent() {
    return &m_window;
}

PrintAnalysisHost::View WindowHost::shownView() const {
    const MainWindow& w = m_window;
    if (!w.m_frameProperty->isHidden())
        return Property;
    if (!w.m_frameFinancial->isHidden())
        return Financial;
    if (!w.m_frameQuickView->isHidden())
        return Summary;
    if (!w.m_frame5YearView->isHidden())
        return Outlook;
    if (!w.m_frameReturnsView->isHidden())
        return Returns;
    return None;
}

void WindowHost::showView(View view) {
    switch (view) {
    case Property:
        m_window.imgProperty_Click();
        break;
    case Financial:
        m_window.imgFinancial_Click();
        break;
    case Summary:
        m_window.imgQuickView_Click();
        break;
    case Outlook:
        m_window.img5YearView_Click();
        break;
    case Returns:
        m_window.imgReturnsView_Click();
        break;
    case None:
        break;
    }
}

void WindowHost::showOutlookPeriod(int period) {
    // Choosing the period already shown still recomputes it.
    if (m_window.m_frame5YearView->choosePeriod(period))
        m_window.cmbCFAYears_Click();
}

const OutlookChart& WindowHost::chart() const {
    return *m_window.chart();
}

const QStringList& WindowHost::propertyPictures() const {
    return m_window.m_commands->g_sListOfImagesForProperty;
}

void WindowHost::openPage(const QString& path) {
    m_window.m_helpMenu->openPage(path);
}
