// Every caption, field, button, menu entry and table cell a user reads stands out from what is
// really painted behind it, in the default colours and in a dark desktop scheme: on every view,
// the home page's cards, table and comparison, the strips, the menus and the program's boxes.
#include "base/programfolder.h"
#include "gui/dialogs/aboutbox.h"
#include "gui/dialogs/criteriadialog.h"
#include "gui/mainwindow/mainwindow.h"
#include "gui/views/portfoliotablemodel.h"
#include "gui/views/portfolioview.h"
#include "gui/widgets/themecolours.h"
#include "store/propertydatabase.h"
#include "store/propertytable.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTableView>
#include <QTest>

namespace {

// A dark scheme as desktops ship them: light text on dark greys.
QPalette DarkPalette() {
    QPalette p(QColor(0x40, 0x40, 0x40), QColor(0x35, 0x35, 0x35));
    const QColor text(0xee, 0xee, 0xee);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
                                     QPalette::ToolTipText, QPalette::HighlightedText})
        p.setColor(role, text);
    p.setColor(QPalette::Base, QColor(0x24, 0x24, 0x24));
    p.setColor(QPalette::AlternateBase, QColor(0x2e, 0x2e, 0x2e));
    p.setColor(QPalette::ToolTipBase, QColor(0x24, 0x24, 0x24));
    p.setColor(QPalette::Highlight, QColor(0x2a, 0x62, 0xaa));
    p.setColor(QPalette::Link, QColor(0x6a, 0xa9, 0xff));
    p.setColor(QPalette::PlaceholderText, QColor(0x90, 0x90, 0x90));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, QColor(0x80, 0x80, 0x80));
    return p;
}

// The colour most pixels of the area have: what is painted behind the text in it.
QColor Background(const QImage& image, const QRect& area) {
    QHash<QRgb, int> counts;
    const QRect inside = area.adjusted(1, 1, -1, -1).intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb most = 0;
    int best = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > best) {
            most = it.key();
            best = it.value();
        }
    }
    return QColor::fromRgb(most);
}

// Grabs `root` as it paints and checks the text of everything shown in it against the colour
// painted behind it.
class Checker {
public:
    QStringList failures;
    int checked = 0;

    void check(QWidget* root, const QString& where) {
        QCoreApplication::processEvents();
        m_image = root->grab().toImage();
        m_root = root;
        m_where = where;
        QList<QWidget*> widgets = root->findChildren<QWidget*>();
        widgets.prepend(root);
        for (QWidget* w : widgets) {
            // Disabled controls are greyed on purpose; hidden ones nobody reads.
            if ((w != root && !w->isVisibleTo(root)) || !w->isEnabled())
                continue;
            const QPalette::ColorGroup group =
                w->isActiveWindow() ? QPalette::Active : QPalette::Inactive;
            const QPalette& p = w->palette();
            if (auto* label = qobject_cast<QLabel*>(w); label && !label->text().isEmpty()) {
                text(w, w->rect(), p.color(group, w->foregroundRole()), label->text());
            } else if (auto* edit = qobject_cast<QLineEdit*>(w); edit && !edit->text().isEmpty()) {
                text(w, w->rect(), p.color(group, QPalette::Text), edit->text());
            } else if (auto* button = qobject_cast<QPushButton*>(w)) {
                text(w, w->rect(), p.color(group, QPalette::ButtonText), button->text());
            } else if (auto* other = qobject_cast<QAbstractButton*>(w)) {
                text(w, w->rect(), p.color(group, QPalette::WindowText), other->text());
            } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
                text(w, w->rect(), p.color(group, QPalette::ButtonText), combo->currentText());
            } else if (auto* table = qobject_cast<QTableView*>(w)) {
                cells(table, group);
            } else if (auto* bar = qobject_cast<QMenuBar*>(w)) {
                for (QAction* a : bar->actions())
                    menuText(bar, bar->actionGeometry(a), p, group, a->text());
            }
        }
    }

    // An open menu: each entry that can be chosen.
    void checkMenu(QMenu* menu) {
        m_image = menu->grab().toImage();
        m_root = menu;
        m_where = menu->objectName();
        for (QAction* a : menu->actions()) {
            if (a->isSeparator() || !a->isVisible() || !a->isEnabled())
                continue;
            menuText(menu, menu->actionGeometry(a), menu->palette(), QPalette::Active, a->text());
        }
    }

private:
    void text(QWidget* w, const QRect& area, const QColor& colour, const QString& shown) {
        if (shown.trimmed().isEmpty())
            return;
        const QRect inRoot(w->mapTo(m_root, area.topLeft()), area.size());
        if (!inRoot.intersects(m_image.rect()))
            return;
        // Under another widget (the table under the comparison) it is not what shows.
        if (QWidget* top = m_root->childAt(inRoot.center());
            top && top != w && !w->isAncestorOf(top) && !top->isAncestorOf(w))
            return;
        ++checked;
        const QColor behind = Background(m_image, inRoot);
        const double ratio = Theme::Contrast(colour, behind);
        if (ratio < Theme::kTextContrast)
            failures << QStringLiteral("%1: %2 \"%3\" %4 on %5 = %6")
                            .arg(m_where, w->objectName(), shown.left(30), colour.name(),
                                 behind.name())
                            .arg(ratio, 0, 'f', 2);
    }

    void menuText(QWidget* menu, const QRect& area, const QPalette& p, QPalette::ColorGroup group,
                  const QString& shown) {
        // Styles draw menu entries in one of these; each must read.
        for (QPalette::ColorRole role :
             {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
            text(menu, area, p.color(group, role), shown);
    }

    void cells(QTableView* table, QPalette::ColorGroup group) {
        const QAbstractItemModel* model = table->model();
        QWidget* viewport = table->viewport();
        const QPalette& p = table->palette();
        for (int r = 0; r < model->rowCount(); ++r) {
            for (int c = 0; c < model->columnCount(); ++c) {
                const QModelIndex index = model->index(r, c);
                const QRect cell = table->visualRect(index);
                if (table->isRowHidden(r) || table->isColumnHidden(c) ||
                    !viewport->rect().intersects(cell))
                    continue;
                const bool selected = table->selectionModel()->isSelected(index);
                const QVariant foreground = index.data(Qt::ForegroundRole);
                const QColor colour = selected ? p.color(group, QPalette::HighlightedText)
                                      : foreground.isValid() ? foreground.value<QBrush>().color()
                                                             : p.color(group, QPalette::Text);
                text(viewport, cell, colour, index.data().toString());
            }
        }
        QHeaderView* headers[] = {table->horizontalHeader(), table->verticalHeader()};
        for (QHeaderView* header : headers) {
            if (header->isHidden())
                continue;
            for (int s = 0; s < header->count(); ++s) {
                if (header->isSectionHidden(s))
                    continue;
                const int at = header->sectionViewportPosition(s);
                const QRect area = header->orientation() == Qt::Horizontal
                                       ? QRect(at, 0, header->sectionSize(s), header->height())
                                       : QRect(0, at, header->width(), header->sectionSize(s));
                if (!header->viewport()->rect().intersects(area))
                    continue;
                text(header->viewport(), area, header->palette().color(group, QPalette::ButtonText),
                     model->headerData(s, header->orientation()).toString());
            }
        }
    }

    QImage m_image;
    QWidget* m_root = nullptr;
    QString m_where;
};

} // namespace

class TestReadability : public QObject {
    Q_OBJECT
    std::unique_ptr<TempProgramFolder> m_folder;
    QPalette m_original;

private slots:
    void initTestCase() { m_original = QApplication::palette(); }
    void init() {
        m_folder = std::make_unique<TempProgramFolder>(true);
        PrepareProgramFolders();
    }
    void cleanup() {
        QApplication::setPalette(m_original);
        m_folder.reset();
        ResetPropertyTable();
    }

    void contrastArithmetic() {
        QCOMPARE(Theme::Contrast(Qt::white, Qt::black), 21.0);
        QCOMPARE(Theme::Contrast(Qt::white, Qt::white), 1.0);
        // Pure red on white reads at 4.0 : 1, below the mark; made readable it stays red.
        QVERIFY(qAbs(Theme::Contrast(Qt::red, Qt::white) - 4.0) < 0.01);
        for (const QColor& background : {QColor(Qt::white), QColor(0x24, 0x24, 0x24),
                                         QColor(0xe0, 0xe0, 0xe0), QColor(0x80, 0x80, 0x80)}) {
            const QColor red = Theme::Readable(Qt::red, background);
            QVERIFY(Theme::Contrast(red, background) >= Theme::kTextContrast);
            QCOMPARE(red.hue(), 0);
        }
        // A colour that reads already is left as it is.
        QCOMPARE(Theme::Readable(Theme::Navy(), Qt::white), Theme::Navy());
    }

    void everythingReadsOnItsBackground_data() {
        QTest::addColumn<bool>("dark");
        QTest::newRow("default colours") << false;
        QTest::newRow("dark scheme") << true;
    }

    void everythingReadsOnItsBackground() {
        QFETCH(bool, dark);
        if (dark)
            QApplication::setPalette(DarkPalette());
        QByteArray database = SampleDatabaseBytes(8, 0);
        WriteFile(PropertyDatabasePath(), database);
        QVERIFY(LoadPropertyDatabase());
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.activateWindow();
        Checker checker;

        // The home page: the cards, then the table and a comparison, and the banner.
        auto* home = w.findChild<QFrame*>(QStringLiteral("frameHome"));
        w.ShowHomePage();
        checker.check(home, QStringLiteral("cards"));
        checker.check(w.findChild<QWidget*>(QStringLiteral("frameHomeNavigation")),
                      QStringLiteral("banner"));
        checker.check(w.menuBar(), QStringLiteral("menu bar"));
        auto* portfolio = w.findChild<PortfolioView*>();
        portfolio->optHomeTable_Click();
        QTRY_VERIFY(portfolio->model()->isFilled());
        portfolio->table()->selectRow(0);
        checker.check(home, QStringLiteral("table"));
        portfolio->table()->selectionModel()->select(portfolio->table()->model()->index(1, 0),
                                                     QItemSelectionModel::Select |
                                                         QItemSelectionModel::Rows);
        portfolio->cmdCompare_Click();
        QVERIFY(w.findChild<QWidget*>(QStringLiteral("frameCompare"))->isVisible());
        checker.check(home, QStringLiteral("comparison"));
        portfolio->optHomeCards_Click();

        // Each view of an open property, the strip of links above them, and the outlook with
        // losses (red) and with gains (green).
        w.commands().OpenPropertyAtRow(1);
        const char* const views[] = {"frameProperty", "frameFinancial", "frameQuickView",
                                     "frame5YearView", "frameReturnsView"};
        for (int v = 0; v < 5; ++v) {
            QTest::keySequence(&w, QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + v)));
            auto* view = w.findChild<QWidget*>(QString::fromLatin1(views[v]));
            QVERIFY2(view->isVisible(), views[v]);
            checker.check(view, QString::fromLatin1(views[v]));
        }
        checker.check(w.findChild<QWidget*>(QStringLiteral("frameNavigation")),
                      QStringLiteral("links"));
        for (const char* rent : {"100", "90000"}) {
            w.setText(QStringLiteral("txtGrossMonthlyIncome"), QString::fromLatin1(rent));
            w.img5YearView_Click();
            checker.check(w.findChild<QWidget*>(QStringLiteral("frame5YearView")),
                          QStringLiteral("outlook at %1").arg(rent));
        }

        // The menus, opened as a click opens them, and the program's own boxes.
        for (QMenu* menu : w.menuBar()->findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) {
            menu->popup(w.mapToGlobal(QPoint(0, 0)));
            QTRY_VERIFY(menu->isVisible());
            checker.checkMenu(menu);
            menu->hide();
        }
        frmAbout about;
        about.fillAbout();
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        checker.check(&about, QStringLiteral("about box"));
        CriteriaDialog criteria(&w, {"8", "1.25", "100", "", "x"});
        criteria.show();
        QVERIFY(QTest::qWaitForWindowExposed(&criteria));
        checker.check(&criteria, QStringLiteral("criteria"));

        QVERIFY2(checker.failures.isEmpty(), qPrintable(checker.failures.join('\n')));
        QVERIFY2(checker.checked > 600, qPrintable(QString::number(checker.checked)));
    }
};

QTEST_MAIN(TestReadability)
#include "tst_readability.moc"
