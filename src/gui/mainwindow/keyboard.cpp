#include "gui/mainwindow/keyboard.h"

#include "gui/mainwindow/mainwindow.h"
#include "gui/views/homekeys.h"
#include "gui/views/homepage.h"
#include "gui/views/portfolioview.h"
#include "gui/widgets/clickableimage.h"
#include "gui/widgets/linklabel.h"

#include <QAction>
#include <QKeyEvent>

namespace {

const Shortcut kMap[] = {
    {"keyAddNewProperty", QKeySequence(Qt::CTRL | Qt::Key_N)},
    {"keyOpenSelected", QKeySequence(Qt::CTRL | Qt::Key_O)},
    {"keySave", QKeySequence(Qt::CTRL | Qt::Key_S)},
    {"keyClose", QKeySequence(Qt::CTRL | Qt::Key_W)},
    {"keyGeneralHelp", QKeySequence(Qt::Key_F1)},
    {"keyPropertyView", QKeySequence(Qt::CTRL | Qt::Key_1)},
    {"keyFinancialView", QKeySequence(Qt::CTRL | Qt::Key_2)},
    {"keySummaryView", QKeySequence(Qt::CTRL | Qt::Key_3)},
    {"keyCashFlowView", QKeySequence(Qt::CTRL | Qt::Key_4)},
    {"keyReturnsView", QKeySequence(Qt::CTRL | Qt::Key_5)},
    {"keyHomePage", QKeySequence(Qt::CTRL | Qt::Key_Home)},
    {"keyHomePageAlt", QKeySequence(Qt::ALT | Qt::Key_Home)},
    {"keyFindProperty", QKeySequence(Qt::CTRL | Qt::Key_F)},
};

// Enter or Space on a focused link or icon does what a click does.
class ActivateOnKey : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Space)
            return false;
        if (auto* link = qobject_cast<LinkLabel*>(watched))
            emit link->releasedOver();
        else if (auto* icon = qobject_cast<ClickableImage*>(watched))
            emit icon->clicked();
        else
            return false;
        return true;
    }
};

} // namespace

const QVector<Shortcut>& ShortcutMap() {
    static const QVector<Shortcut> map(std::begin(kMap), std::end(kMap));
    return map;
}

void InstallKeyboard(MainWindow& w) {
    // The commands check what the File menu would allow, so a shortcut never does what the
    // greyed-out entry would refuse.
    const auto fileState = [&w] { return w.commands().mnuFile_Click(); };
    const auto propertyOpen = [&w] { return !w.isHomePageVisible(); };
    const std::function<void()> actions[] = {
        [&w, fileState] {
            if (fileState().addNew)
                w.mnuFileAddNewProperty_Click();
        },
        [&w, fileState] {
            if (fileState().open)
                w.mnuFileOpen_Click();
        },
        [&w, fileState] {
            if (fileState().save)
                w.mnuFileSave_Click();
        },
        [&w, fileState] {
            if (fileState().close)
                w.mnuFileClose_Click();
        },
        [&w] { w.mnuHelpTopics_Click(); },
        [&w, propertyOpen] {
            if (propertyOpen())
                w.imgProperty_Click();
        },
        [&w, propertyOpen] {
            if (propertyOpen())
                w.imgFinancial_Click();
        },
        [&w, propertyOpen] {
            if (propertyOpen())
                w.imgQuickView_Click();
        },
        [&w, propertyOpen] {
            if (propertyOpen())
                w.lblCashFlow_DragDrop();
        },
        [&w, propertyOpen] {
            if (propertyOpen())
                w.imgReturnsView_Click();
        },
        // Only from the home page itself: an open property is left by Close, with its question.
        [&w, propertyOpen] {
            if (!propertyOpen())
                w.ShowHomePage();
        },
        [&w, propertyOpen] {
            if (!propertyOpen())
                w.ShowHomePage();
        },
        // The home page's search box.
        [&w, propertyOpen] {
            if (!propertyOpen())
                w.portfolio().focusSearch();
        },
    };
    static_assert(std::size(kMap) == std::size(actions));
    for (size_t i = 0; i < std::size(kMap); ++i) {
        auto* action = new QAction(&w);
        action->setObjectName(QString::fromLatin1(kMap[i].name));
        action->setShortcut(kMap[i].keys);
        action->setShortcutContext(Qt::WindowShortcut);
        w.addAction(action);
        QObject::connect(action, &QAction::triggered, &w, actions[i]);
    }

    auto* activate = new ActivateOnKey(&w);
    const struct {
        const char* name;
        const char* accessible;
    } navigation[] = {
        {"imgProperty", "Property Information"},   {"lblProperty", "Property Information"},
        {"imgFinancial", "Financial Information"}, {"lblFinancial", "Financial Information"},
        {"imgQuickView", "Investment Summary"},    {"lblQuickView", "Investment Summary"},
        {"lblCashFlow", "Cash Flow Outlook"},      {"lblReturns", "Investment Returns"},
        {"lblPreviousPage", "Previous Page"},      {"lblNextPage", "Next Page"},
    };
    for (const auto& n : navigation) {
        QWidget* widget = w.control(QString::fromLatin1(n.name));
        if (!widget)
            continue;
        widget->setFocusPolicy(Qt::StrongFocus);
        widget->setAccessibleName(QString::fromLatin1(n.accessible));
        widget->installEventFilter(activate);
    }

    new HomeKeys(w.homePage(), {w.homeFrame(), w.control(QStringLiteral("picUpperLeftCorner"))});
}
