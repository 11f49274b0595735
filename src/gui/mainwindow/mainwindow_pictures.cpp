// The Property view's picture strip and the full-size picture view, as the window's menus,
// handlers and property commands reach them.
#include "base/errortrap.h"
#include "base/programfolder.h"
#include "gui/commands/paperanalysiscommand.h"
#include "gui/mainwindow/cornerbox.h"
#include "gui/mainwindow/mainwindow.h"
#include "gui/pictures/picturestrip.h"
#include "gui/pictures/pictureviewer.h"
#include "gui/views/homepage.h"
#include "gui/views/outlookview.h"
#include "gui/views/propertyview.h"
#include "gui/views/returnsview.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

void MainWindow::buildPictureStrip() {
    m_pictureStrip = new PictureStrip(*m_frameProperty, m_commands->g_sListOfImagesForProperty);
    connect(m_pictureStrip, &PictureStrip::edited, this,
            [this] { m_commands->m_changes.m_bDirty = true; });
    connect(m_pictureStrip, &PictureStrip::firstPictureChanged, this,
            &MainWindow::showCornerForPictureStrip);
    connect(m_pictureStrip, &PictureStrip::cornerFocusWanted, m_views, &ViewSwitcher::focusCorner);
    m_views->setPictureStrip(m_pictureStrip);
    connect(m_pictureStrip, &PictureStrip::pictureOpened, this, &MainWindow::ShowFullSizePicture);

    auto* viewFullSize =
        new QAction(QStringLiteral("&View Full-Size Version of Selected Picture"), this);
    viewFullSize->setObjectName(QStringLiteral("mnuToolsViewImageDetails"));
    m_mnuTools->addAction(viewFullSize);
    connect(viewFullSize, &QAction::triggered, this, &MainWindow::mnuToolsViewImageDetails_Click);
}

QFrame* MainWindow::propertyPicturesFrame() const {
    return m_pictureStrip;
}

void MainWindow::setFilePicker(FilePicker* picker) {
    m_pictureStrip->setFilePicker(picker);
    m_frameReturnsView->setFilePicker(picker);
    m_paperAnalysis->setFilePicker(picker);
}

void MainWindow::showCornerForPictureStrip() {
    if (!m_pictureStrip->slotFrame(1)->isHidden())
        m_corner->showPicture(m_pictureStrip->slotImage(1)->pixmap());
    else
        m_corner->showLogo();
}

void MainWindow::ShowPictureStrip() {
    if (m_pictureStrip)
        m_pictureStrip->refresh();
}

void MainWindow::hScrollPropertImages_Change() {
    if (m_pictureStrip)
        m_pictureStrip->scrolled();
}

void MainWindow::mnuToolsViewImageDetails_Click() {
    Trap(4810, [&] {
        if (!m_frameProperty->isHidden()) {
            if (const int slot = m_pictureStrip->selectedSlot())
                m_pictureStrip->openSlot(slot);
            return;
        }
        // Elsewhere the home page's selected card stands for the property; cards keep their
        // border while a property is open.
        const int card = m_homePage->selectedCard(false);
        if (card > 0)
            ShowFullSizePicture(m_homePage->pictureTag(card));
    });
}

void MainWindow::ShowFullSizePicture(const QString& reference) {
    // Only the width is limited, to three quarters of the main window.
    frmShowImage::showPicture(this, reference, 0.75 * windowWidthTwips());
}
