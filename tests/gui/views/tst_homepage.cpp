#include "gui/views/homepage.h"
#include "gui/widgets/themecolours.h"
#include "store/propertytable.h"
#include "testsupport.h"

#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QtTest>

namespace {

using Row = QVector<QPair<QString, QString>>;

void SetTable(const QVector<Row>& rows) {
    g_propertyTable.reset(rows.size());
    g_lPropertyCount = rows.size();
    int most = 1;
    for (const Row& r : rows)
        most = qMax(most, int(r.size()));
    g_propertyTable.growSlots(most);
    for (int i = 0; i < rows.size(); ++i) {
        for (int j = 0; j < rows[i].size(); ++j) {
            g_propertyTable.setKey(i + 1, j + 1, rows[i][j].first);
            g_propertyTable.setValue(i + 1, j + 1, rows[i][j].second);
        }
    }
}

// A property as a save writes it: name first, then the figures in window order.
Row Property(const QString& name, const QString& price = QStringLiteral("$100,000"),
             const QString& units = QStringLiteral("1")) {
    Row r{{QStringLiteral("txtPropertyInformation"), name}};
    if (!units.isNull())
        r.append({QStringLiteral("txtUnits"), units});
    if (!price.isNull())
        r.append({QStringLiteral("txtPurchasePrice"), price});
    r.append({QStringLiteral("txtQISScheduledAnnualIncome"), QStringLiteral("$12,000.00")});
    return r;
}

QVector<Row> Numbered(int n) {
    QVector<Row> rows;
    for (int i = 1; i <= n; ++i)
        rows.append(Property(QStringLiteral("House %1").arg(i)));
    return rows;
}

QImage PixelsOf(const QLabel* label) {
    return label->pixmap().toImage();
}

} // namespace

class HomePageTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempProgramFolder> m_folder;
    std::unique_ptr<QFrame> m_frame;
    HomePage* m_page = nullptr;
    QStringList m_opened;

    QStringList shownNames() const {
        QStringList names;
        for (int k = 1; k <= HomePage::kCards; ++k) {
            if (m_page->card(k)->isVisible())
                names.append(m_page->line(k, 1)->text());
        }
        return names;
    }
    void load(qint32 start, const QString& filter = QString()) {
        m_page->LoadPropertiesOnMainPage(start, filter);
    }
    void selectFilter(const QString& entry) {
        m_page->filterBox()->setCurrentText(entry);
        m_page->cmbShowProperties_Click();
    }

private slots:
    void init() {
        m_folder = std::make_unique<TempProgramFolder>(true);
        m_frame = std::make_unique<QFrame>();
        m_frame->resize(740, 600);
        m_page = new HomePage(m_frame.get(), m_frame.get());
        m_opened.clear();
        m_page->setOpenPropertyHandler(
            [this](qint32, const QString& name) { m_opened.append(name); });
        m_frame->show();
    }
    void cleanup() {
        m_frame.reset();
        m_folder.reset();
        SetTable({});
    }

    void controlsCarryTheirNamesAndPlaces() {
        QCOMPARE(m_frame->findChildren<QFrame*>(QStringLiteral("frameSelectProperty")).size(), 6);
        for (int k = 1; k <= 6; ++k) {
            QCOMPARE(m_page->card(k)->property("index").toInt(), k);
            QCOMPARE(m_page->picture(k)->objectName(), QStringLiteral("picSelectProperty"));
            QCOMPARE(m_page->line(k, 4)->objectName(), QStringLiteral("lblSelectPropertyLine4"));
        }
        // 15 twips to the pixel: columns at 240/3840/7440, rows at 1680/4920, 3372 x 3012.
        QCOMPARE(m_page->card(1)->geometry(), QRect(16, 112, 225, 201));
        QCOMPARE(m_page->card(6)->geometry(), QRect(496, 328, 225, 201));
        QCOMPARE(m_page->picture(1)->geometry(), QRect(16, 24, 193, 121));
        QCOMPARE(m_page->line(1, 2)->y(), 149);

        QComboBox* box = m_page->filterBox();
        QCOMPARE(box->objectName(), QStringLiteral("cmbShowProperties"));
        QCOMPARE(box->count(), 17);
        QCOMPARE(box->currentText(), QStringLiteral("Show All Properties"));
        QCOMPARE(box->itemText(16), QStringLiteral("Purchase Price $2,000,000 +"));
        QVERIFY(m_frame->findChild<QLabel*>(QStringLiteral("lblShowProperties"))->text() ==
                QStringLiteral("Filter Properties "));
        QCOMPARE(m_page->previousLink()->text(), QStringLiteral("< Previous Page"));
        QCOMPARE(m_page->nextLink()->text(), QStringLiteral("Next Page >"));
    }

    void anEmptyTableShowsNothing() {
        load(1);
        QVERIFY(shownNames().isEmpty());
        QVERIFY(!m_page->previousLink()->isVisible());
        QVERIFY(!m_page->nextLink()->isVisible());
    }

    void aCardShowsTheStoredFigures() {
        SetTable({
            {{QStringLiteral("TXTPROPERTYINFORMATION"), QStringLiteral("Elm Court")},
             {QStringLiteral("txtSquareFootage"), QStringLiteral("15000")},
             {QStringLiteral("txtUnits"), QStringLiteral("8")},
             {QStringLiteral("txtPurchasePrice"), QStringLiteral("190000")},
             {QStringLiteral("txtQISScheduledAnnualIncome"), QStringLiteral("17500")}},
            // Only a price: the card shows, with an empty name line.
            {{QStringLiteral("txtAddress"), QStringLiteral("1 Main St")},
             {QStringLiteral("txtPurchasePrice"), QStringLiteral("$0")}},
            // None of the card's keys: hidden, but it still takes its place.
            {{QStringLiteral("txtAddress"), QStringLiteral("nowhere")}},
            Property(QStringLiteral("Fourth")),
        });
        load(1);
        QCOMPARE(m_page->line(1, 1)->text(), QStringLiteral("Elm Court"));
        QCOMPARE(m_page->line(1, 2)->text(), QStringLiteral("Purchase Price = $190,000"));
        QCOMPARE(m_page->line(1, 3)->text(), QStringLiteral("Units = 8   Square Footage = 15000"));
        QCOMPARE(m_page->line(1, 4)->text(),
                 QStringLiteral("Scheduled Annual Income = $17,500.00"));
        QCOMPARE(m_page->cardTag(1), 1);
        QVERIFY(m_page->card(2)->isVisible());
        QCOMPARE(m_page->line(2, 1)->text(), QString());
        QCOMPARE(m_page->line(2, 2)->text(), QStringLiteral("Purchase Price = $0"));
        QVERIFY(!m_page->card(3)->isVisible());
        QCOMPARE(m_page->line(4, 1)->text(), QStringLiteral("Fourth"));
        QCOMPARE(m_page->cardTag(4), 4);
        QVERIFY(m_folder->logLines().isEmpty());
    }

    void aFigureThatIsNoAmountLeavesItsLineEmpty() {
        SetTable({{{QStringLiteral("txtPropertyInformation"), QStringLiteral("Odd")},
                   {QStringLiteral("txtPurchasePrice"), QStringLiteral("about 90k")},
                   {QStringLiteral("txtUnits"), QStringLiteral("2")}}});
        load(1);
        QVERIFY(m_page->card(1)->isVisible());
        QCOMPARE(m_page->line(1, 2)->text(), QString());
        QCOMPARE(m_page->line(1, 3)->text(), QStringLiteral("Units = 2"));
        QCOMPARE(m_folder->logLines().size(), 1);
    }

    void aRebuildStartsEveryCardAfresh() {
        SetTable({Property(QStringLiteral("A"), QStringLiteral("5"), QStringLiteral("3"))});
        load(1);
        load(1);
        QCOMPARE(m_page->line(1, 3)->text(), QStringLiteral("Units = 3"));
        SetTable({{{QStringLiteral("txtPropertyInformation"), QStringLiteral("B")}}});
        load(1);
        QCOMPARE(m_page->line(1, 2)->text(), QString());
    }

    void paging_data() {
        QTest::addColumn<int>("properties");
        QTest::addColumn<QStringList>("page1");
        QTest::addColumn<bool>("next1");
        QTest::addColumn<QStringList>("page2");
        QTest::addColumn<bool>("next2");
        const auto names = [](int from, int to) {
            QStringList l;
            for (int i = from; i <= to; ++i)
                l.append(QStringLiteral("House %1").arg(i));
            return l;
        };
        // The page does not look ahead: a full sixth card always offers a next page.
        QTest::newRow("six") << 6 << names(1, 6) << true << QStringList() << false;
        QTest::newRow("seven") << 7 << names(1, 6) << true << names(7, 7) << false;
        QTest::newRow("thirteen") << 13 << names(1, 6) << true << names(7, 12) << true;
    }
    void paging() {
        QFETCH(int, properties);
        QFETCH(QStringList, page1);
        QFETCH(bool, next1);
        QFETCH(QStringList, page2);
        QFETCH(bool, next2);
        SetTable(Numbered(properties));
        load(1);
        QCOMPARE(shownNames(), page1);
        QVERIFY(!m_page->previousLink()->isVisible());
        QCOMPARE(m_page->nextLink()->isVisible(), next1);
        m_page->lblNextPage_DragDrop();
        QCOMPARE(shownNames(), page2);
        QVERIFY(m_page->previousLink()->isVisible());
        QCOMPARE(m_page->nextLink()->isVisible(), next2);
        m_page->lblPreviousPage_DragDrop();
        QCOMPARE(shownNames(), page1);
        QVERIFY(!m_page->previousLink()->isVisible());
    }

    void thirteenPropertiesPageToTheEndAndBack() {
        SetTable(Numbered(13));
        load(1);
        m_page->lblNextPage_DragDrop();
        m_page->lblNextPage_DragDrop();
        QCOMPARE(shownNames(), QStringList{QStringLiteral("House 13")});
        QCOMPARE(m_page->cardTag(1), 13);
        QVERIFY(!m_page->nextLink()->isVisible());
        m_page->lblPreviousPage_DragDrop();
        QCOMPARE(m_page->cardTag(1), 7);
        QCOMPARE(m_page->cardTag(6), 12);
    }

    void aStartBelowOneIsCorrectedForTheCaller() {
        SetTable(Numbered(3));
        qint32 start = -4;
        m_page->LoadPropertiesOnMainPage(start, QString());
        QCOMPARE(start, qint32(1));
        QCOMPARE(shownNames().size(), 3);
    }

    void filters_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<int>("logged");
        const QStringList all{"u0", "u2", "abc", "none", "p100k", "p2m"};
        QTest::newRow("all") << "Show All Properties" << all << 0;
        // Units "abc" cannot be read: rejected, and one line logged.
        QTest::newRow("one unit") << "1-Unit Only" << QStringList{"u0", "none", "p100k", "p2m"}
                                  << 1;
        QTest::newRow("multiple") << "Multiple Units" << QStringList{"u2", "none"} << 1;
        // The limit comes from the entry text and a price equal to it passes; a property
        // without a price is never tested.
        QTest::newRow("below 100k")
            << "Purchase Price < $100,000" << QStringList{"u0", "u2", "abc", "none", "p100k"} << 0;
        QTest::newRow("below 50k")
            << "Purchase Price < $50,000" << QStringList{"u0", "u2", "abc", "none"} << 0;
        QTest::newRow("typed limit")
            << "purchase price < $99,999" << QStringList{"u0", "u2", "abc", "none"} << 0;
        QTest::newRow("two million up")
            << "Purchase Price $2,000,000 +" << QStringList{"none", "p2m"} << 0;
        // A text that names no rule shows everything.
        QTest::newRow("empty") << "" << all << 0;
        QTest::newRow("unknown") << "Only the good ones" << all << 0;
    }
    void filters() {
        QFETCH(QString, filter);
        QFETCH(QStringList, shown);
        QFETCH(int, logged);
        SetTable({Property("u0", "$40,000", "0"), Property("u2", "$40,000", "2"),
                  Property("abc", "$40,000", "abc"), Property("none", QString(), QString()),
                  Property("p100k", "$100,000", "1.4"), Property("p2m", "$2,000,000", "0.5")});
        load(1, filter);
        QCOMPARE(shownNames(), shown);
        QCOMPARE(m_folder->logLines().size(), logged);
    }

    void halvesRoundToEvenUnderTheUnitFilters() {
        SetTable(
            {Property("a", "$1", "1.5"), Property("b", "$1", "2.5"), Property("c", "$1", "0.5")});
        load(1, QStringLiteral("1-Unit Only"));
        QCOMPARE(shownNames(), (QStringList{"c"}));
        load(1, QStringLiteral("Multiple Units"));
        QCOMPARE(shownNames(), (QStringList{"a", "b"}));
    }

    // Properties that the filter turns away all: the page says so, from the first page only.
    void aFilterThatLetsNoneThroughSaysSo() {
        SetTable(Numbered(3));
        selectFilter(QStringLiteral("Multiple Units"));
        QVERIFY(shownNames().isEmpty());
        QVERIFY(m_page->noMatchLabel()->isVisible());
        QCOMPARE(m_page->noMatchLabel()->text(), QStringLiteral("No properties match this filter"));
        selectFilter(QStringLiteral("1-Unit Only"));
        QVERIFY(!m_page->noMatchLabel()->isVisible());
        SetTable({});
        load(1);
        QVERIFY(!m_page->noMatchLabel()->isVisible()); // the welcome instead
    }

    void aFilterFillsThePageFromLaterProperties() {
        QVector<Row> rows;
        for (int i = 1; i <= 10; ++i)
            rows.append(Property(QStringLiteral("P%1").arg(i), i <= 3 ? "$900,000" : "$90,000"));
        SetTable(rows);
        selectFilter(QStringLiteral("Purchase Price < $100,000"));
        QCOMPARE(shownNames(), (QStringList{"P4", "P5", "P6", "P7", "P8", "P9"}));
        QCOMPARE(m_page->cardTag(1), 4);
        m_page->lblNextPage_DragDrop();
        QCOMPARE(shownNames(), (QStringList{"P10"}));
        // Back goes six table rows before the first card, not six shown cards.
        m_page->lblPreviousPage_DragDrop();
        QCOMPARE(shownNames(), (QStringList{"P4", "P5", "P6", "P7", "P8", "P9"}));
    }

    void previousFromAPageTheFilterEmptiedGoesBack() {
        QVector<Row> rows;
        for (int i = 1; i <= 13; ++i)
            rows.append(Property(QStringLiteral("P%1").arg(i), i <= 6 ? "$90,000" : "$900,000"));
        SetTable(rows);
        selectFilter(QStringLiteral("Purchase Price < $100,000"));
        m_page->lblNextPage_DragDrop();
        QVERIFY(shownNames().isEmpty());
        QVERIFY(m_page->previousLink()->isVisible());
        m_page->lblPreviousPage_DragDrop();
        QCOMPARE(shownNames().size(), 6);
        QCOMPARE(m_page->line(1, 1)->text(), QStringLiteral("P1"));
    }

    void choosingAFilterRebuildsFromTheStartAndClearsTheSelection() {
        SetTable(Numbered(13));
        load(7);
        m_page->picSelectProperty_Click(2);
        QVERIFY(m_page->hasBorder(2));
        // Arrow keys on the closed drop-down choose the next entry, as a click would.
        m_page->filterBox()->setFocus();
        QTest::keyClick(m_page->filterBox(), Qt::Key_Down);
        QCOMPARE(m_page->filterText(), QStringLiteral("1-Unit Only"));
        QCOMPARE(m_page->cardTag(1), 1);
        QCOMPARE(m_page->selectedCard(false), 0);
    }

    void cardPictures() {
        const QString pictures = m_folder->file(QStringLiteral("pics"));
        QDir().mkpath(pictures);
        QImage red(40, 30, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(red.save(pictures + QStringLiteral("/red.png")));
        WriteFile(pictures + QStringLiteral("/notes.jpg"), "this is not a picture");
        const auto withPicture = [](const QString& name, const QString& ref) {
            Row r = Property(name);
            r.append({QStringLiteral("g_sListOfImagesForProperty(1)"), ref});
            return r;
        };
        SetTable(
            {Property(QStringLiteral("none")),
             withPicture(QStringLiteral("full path"), pictures + QStringLiteral("/red.png")),
             withPicture(QStringLiteral("in folder"), QStringLiteral("/pics/red.png")),
             withPicture(QStringLiteral("deleted"), pictures + QStringLiteral("/gone.jpg")),
             withPicture(QStringLiteral("not a picture"), pictures + QStringLiteral("/notes.jpg")),
             withPicture(QStringLiteral("lost folder"), QStringLiteral("/no/such/x.jpg"))});
        load(1);

        const QImage noImage =
            QImage(m_folder->file(QStringLiteral("_images/noImageAvailable.jpg")));
        QVERIFY(!noImage.isNull());
        QCOMPARE(m_page->pictureTag(1), QStringLiteral("noImageAvailable.jpg"));
        const QImage placeholder = PixelsOf(m_page->picture(1));
        QCOMPARE(placeholder.size(), QSize(193, 121)); // stretched to 2892 x 1812 twips

        QCOMPARE(m_page->pictureTag(2), pictures + QStringLiteral("/red.png"));
        QCOMPARE(PixelsOf(m_page->picture(2)).pixelColor(96, 60), QColor(Qt::red));
        // A reference relative to the program folder is found there.
        QCOMPARE(m_page->pictureTag(3), m_folder->path() + QStringLiteral("/pics/red.png"));
        QCOMPARE(PixelsOf(m_page->picture(3)).pixelColor(10, 10), QColor(Qt::red));

        const QImage invalid = PixelsOf(m_page->picture(4));
        QVERIFY(invalid != placeholder);
        QCOMPARE(PixelsOf(m_page->picture(5)), invalid);
        // A folder that is gone altogether keeps the placeholder.
        QCOMPARE(PixelsOf(m_page->picture(6)), placeholder);
        QVERIFY(m_folder->logLines().isEmpty());

        // The next build puts the placeholder back before looking at the picture keys.
        SetTable({Property(QStringLiteral("x")), Property(QStringLiteral("y"))});
        load(1);
        QCOMPARE(PixelsOf(m_page->picture(2)), placeholder);
        QCOMPARE(m_page->pictureTag(2), QStringLiteral("noImageAvailable.jpg"));
    }

    void selection() {
        SetTable(Numbered(13));
        load(1);
        QTest::mouseClick(m_page->picture(2), Qt::LeftButton);
        QCOMPARE(m_page->selectedCard(true), 2);
        QTest::mouseClick(m_page->line(5, 3), Qt::LeftButton);
        QCOMPARE(m_page->selectedCard(true), 5);
        QVERIFY(!m_page->hasBorder(2));
        QCOMPARE(m_page->card(5)->frameShape(), QFrame::Box);
        // Paging keeps the border where it was.
        m_page->lblNextPage_DragDrop();
        QVERIFY(m_page->hasBorder(5));
        // A click on the page outside the cards selects nothing.
        QTest::mouseClick(m_frame.get(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(m_page->selectedCard(false), 0);
        QVERIFY(m_opened.isEmpty());
    }

    void doubleClickAndEnterOpenTheCardsProperty() {
        SetTable(Numbered(13));
        load(1);
        QTest::mouseDClick(m_page->picture(3), Qt::LeftButton);
        QTest::mouseDClick(m_page->line(4, 2), Qt::LeftButton);
        QCOMPARE(m_opened, (QStringList{"House 3", "House 4"}));

        m_opened.clear();
        m_page->picSelectProperty_Click(-1);
        QTest::keyClick(m_page->filterBox(), Qt::Key_Return);
        QVERIFY(m_opened.isEmpty());
        m_page->picSelectProperty_Click(3);
        QTest::keyClick(m_page->filterBox(), Qt::Key_Return);
        QTest::keyClick(m_page->filterBox(), Qt::Key_Tab);
        QCOMPARE(m_opened, QStringList{"House 3"});

        // A selected card that paging hid no longer counts.
        m_opened.clear();
        m_page->picSelectProperty_Click(6);
        m_page->lblNextPage_DragDrop();
        m_page->lblNextPage_DragDrop();
        QVERIFY(!m_page->card(6)->isVisible());
        QTest::keyClick(m_page->filterBox(), Qt::Key_Enter);
        QVERIFY(m_opened.isEmpty());
    }

    void linksLightUpUnderThePointerAndActOnRelease() {
        SetTable(Numbered(13));
        load(1);
        QLabel* next = m_page->nextLink();
        QCOMPARE(next->palette().color(QPalette::WindowText), QColor(0, 0, 128));
        QVERIFY(!next->font().underline());
        QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), QPointF(3, 3));
        QApplication::sendEvent(next, &enter);
        // The light blue, as dark as the page needs to keep it readable.
        const QColor hovered = next->palette().color(QPalette::WindowText);
        QVERIFY(qAbs(hovered.hue() - QColor(102, 153, 204).hue()) <= 3);
        QVERIFY(Theme::Contrast(hovered, Theme::BackgroundOf(next)) >= Theme::kTextContrast);
        QVERIFY(next->font().underline());
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(next, &leave);
        QCOMPARE(next->palette().color(QPalette::WindowText), QColor(0, 0, 128));
        QVERIFY(!next->font().underline());

        // Released outside the link: nothing happens.
        QTest::mousePress(next, Qt::LeftButton, {}, QPoint(3, 3));
        QTest::mouseRelease(next, Qt::LeftButton, {}, QPoint(-20, 3));
        QCOMPARE(m_page->cardTag(1), 1);
        QTest::mouseClick(next, Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(m_page->cardTag(1), 7);
        QVERIFY(!next->font().underline());
        QTest::mouseClick(m_page->previousLink(), Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(m_page->cardTag(1), 1);
    }

    void aPressOnALinkLeavesTheSelectionAlone() {
        // The page behind the links clears the selection when pressed; a link keeps its
        // presses to itself.
        SetTable(Numbered(13));
        load(1);
        m_page->picSelectProperty_Click(2);
        QVERIFY(m_page->hasBorder(2));
        QTest::mousePress(m_page->nextLink(), Qt::LeftButton, {}, QPoint(3, 3));
        QTest::mouseRelease(m_page->nextLink(), Qt::LeftButton, {}, QPoint(-20, 3));
        QTest::mouseDClick(m_page->previousLink(), Qt::LeftButton, {}, QPoint(3, 3));
        QVERIFY(m_page->hasBorder(2));
    }
};

QTEST_MAIN(HomePageTest)
#include "tst_homepage.moc"
