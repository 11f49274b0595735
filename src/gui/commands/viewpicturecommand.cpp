#include "gui/commands/viewpicturecommand.h"

#include "base/errortrap.h"
#include "gui/pictures/picturestrip.h"
#include "gui/pictures/pictureviewer.h"
#include "gui/views/homepage.h"

#include <QAction>
#include <QMenu>

ViewPictureCommand::ViewPictureCommand(QWidget* window, QMenu* tools, QFrame* propertyView,
                                       PictureStrip& strip, HomePage& homePage,
                                       std::function<int()> windowWidthTwips)
    : QObject(window), m_window(window), m_propertyView(propertyView), m_strip(strip),
      m_homePage(homePage), m_windowWidthTwips(std::move(windowWidthTwips)) {
    auto* entry =
        new QAction(QStringLiteral("&View Full-Size Version of Selected Picture"), window);
    entry->setObjectName(QStringLiteral("mnuToolsViewImageDetails"));
    tools->addAction(entry);
    connect(entry, &QAction::triggered, this, &ViewPictureCommand::viewSelected);
    connect(&strip, &PictureStrip::pictureOpened, this, &ViewPictureCommand::show);
}

void ViewPictureCommand::viewSelected() {
    Trap(4810, [&] {
        if (!m_propertyView->isHidden()) {
            if (const int slot = m_strip.selectedSlot())
                m_strip.openSlot(slot);
            return;
        }
        // Cards keep their border while a property is open.
        const int card = m_homePage.selectedCard(false);
        if (card > 0)
            show(m_homePage.pictureTag(card));
    });
}

void ViewPictureCommand::show(const QString& reference) {
    // Only the width is limited.
    frmShowImage::showPicture(m_window, reference, 0.75 * m_windowWidthTwips());
}
