#include "gui/views/homekeys.h"

#include "gui/views/homepage.h"
#include "store/propertytable.h"

#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>

HomeKeys::HomeKeys(HomePage& page, std::initializer_list<QWidget*> focusHolders)
    : QObject(&page), m_page(page) {
    for (QWidget* w : focusHolders) {
        if (!w)
            continue;
        w->setFocusPolicy(Qt::StrongFocus);
        w->installEventFilter(this);
    }
}

bool HomeKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && watched == m_page.frameHome()) {
        // The page marks only its chosen card: tabbed into with none chosen, it would hold the
        // keyboard with nothing to show for it.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if ((reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) &&
            m_page.frameHome()->isVisible() && m_page.selectedCard(true) == 0 &&
            !m_page.card(1)->isHidden())
            m_page.picSelectProperty_Click(1);
        return false;
    }
    if (event->type() != QEvent::KeyPress || !m_page.frameHome()->isVisible())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    return press(key->key());
}

bool HomeKeys::press(int key) {
    switch (key) {
    case Qt::Key_Left:
        move(-1);
        return true;
    case Qt::Key_Right:
        move(1);
        return true;
    case Qt::Key_Up:
        move(-3);
        return true;
    case Qt::Key_Down:
        move(3);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (const int k = m_page.selectedCard(true))
            m_page.picSelectProperty_DblClick(k);
        return true;
    default:
        return false;
    }
}

void HomeKeys::move(int step) {
    constexpr int n = HomePage::kCards;
    const int k = m_page.selectedCard(true);
    if (k == 0) {
        if (!m_page.card(1)->isHidden())
            m_page.picSelectProperty_Click(1);
        return;
    }
    int target = k + step;
    if (target < 1) {
        if (m_page.previousLink()->isHidden())
            return;
        m_page.lblPreviousPage_DragDrop();
        target += n;
    } else if (target > n) {
        // No page past the last property: the link would lead to an empty page.
        if (m_page.nextLink()->isHidden() || m_page.cardTag(n) >= g_propertyTable.propertyCount())
            return;
        m_page.lblNextPage_DragDrop();
        target -= n;
    }
    // A short last page: the move lands on its last card.
    while (target > 1 && m_page.card(target)->isHidden())
        --target;
    if (!m_page.card(target)->isHidden())
        m_page.picSelectProperty_Click(target);
}
