#include "gui/mainwindow/keyboard.h"

#include "gui/mainwindow/mainwindow.h"
#include "gui/views/homekeys.h"
#include "gui/views/homepage.h"
#include "gui/views/portfolioview.h"
#include "gui/widgets/clickableimage.h"
#include "gui/widgets/linklabel.h"

#include <QAction>
#include <QHash>
#include <QKeyEvent>

namespace {

// The menu entries carry their own keys, so the menu shows them and a greyed-out entry's key
// does nothing; the views and the search box have no entry and get window actions.
const Shortcut kMap[] = {
    {"mnuFileAddNewProperty", QKeySequence(Qt::CTRL | Qt::Key_N)},
    {"mnuFileOpen", QKeySequence(Qt::CTRL | Qt::Key_O)},
    {"mnuFileSave", QKeySequence(Qt::CTRL | Qt::Key_S)},
    {"mnuFileClose", QKeySequence(Qt::CTRL | Qt::Key_W)},
    {"mnuHelpTopics", QKeySequence(Qt::Key_F1)},
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
    const auto propertyOpen = [&w] { return !w.isHomePageVisible(); };
    // The window actions by name: what each does, and only where it applies.
    const QHash<QString, std::function<void()>> actions = {
        {QStringLiteral("keyPropertyView"),
         [&w, propertyOpen] {
             if (propertyOpen())
                 w.imgProperty_Click();
         }},
        {QStringLiteral("keyFinancialView"),
         [&w, propertyOpen] {
             if (propertyOpen())
                 w.imgFinancial_Click();
         }},
        {QStringLiteral("keySummaryView"),
         [&w, propertyOpen] {
             if (propertyOpen())
                 w.imgQuickView_Click();
         }},
        {QStringLiteral("keyCashFlowView"),
         [&w, propertyOpen] {
             if (propertyOpen())
                 w.lblCashFlow_DragDrop();
         }},
        {QStringLiteral("keyReturnsView"),
         [&w, propertyOpen] {
             if (propertyOpen())
                 w.imgReturnsView_Click();
         }},
        // Only from the home page itself: an open property is left by Close, with its question.
        {QStringLiteral("keyHomePage"),
         [&w, propertyOpen] {
             if (!propertyOpen())
                 w.ShowHomePage();
         }},
        {QStringLiteral("keyHomePageAlt"),
         [&w, propertyOpen] {
             if (!propertyOpen())
                 w.ShowHomePage();
         }},
        // The home page's search box.
        {QStringLiteral("keyFindProperty"),
         [&w, propertyOpen] {
             if (!propertyOpen())
                 w.portfolio().focusSearch();
         }},
    };
    for (const Shortcut& key : kMap) {
        const QString name = QString::fromLatin1(key.name);
        if (auto* entry = w.findChild<QAction*>(name)) {
            entry->setShortcut(key.keys);
            continue;
        }
        auto* action = new QAction(&w);
        action->setObjectName(name);
        action->setShortcut(key.keys);
        action->setShortcutContext(Qt::WindowShortcut);
        w.addAction(action);
        QObject::connect(action, &QAction::triggered, &w, actions.value(name));
    }

    auto* activate = new ActivateOnKey(&w);
    const struct {
        const char* name;
        const char* accessible;
    } navigation[] = {
        {"imgProperty", "Property Information"},
        {"lblProperty", "Property Information"},
        {"imgFinancial", "Financial Information"},
        {"lblFinancial", "Financial Information"},
        {"imgQuickView", "Investment Summary"},
        {"lblQuickView", "Investment Summary"},
        {"lblCashFlow", "Cash Flow Outlook"},
        {"lblReturns", "Investment Returns"},
        {"lblPreviousPage", "Previous Page"},
        {"lblNextPage", "Next Page"},
        {"lblOutlookReturnsLink", "Open Investment Returns"},
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
    // The page takes the arrow keys as a whole and marks the chosen card itself.
    w.homeFrame()->setProperty("noFocusRing", true);
}
