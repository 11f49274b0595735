#include "gui/views/homepage.h"
#include "gui/widgets/linklabel.h"

#include "base/errortrap.h"
#include "base/numerictext.h"
#include "base/programfolder.h"
#include "gui/views/homefilter.h"
#include "gui/widgets/elidedlabel.h"
#include "gui/widgets/pictureload.h"
#include "gui/widgets/themecolours.h"
#include "gui/widgets/twips.h"
#include "store/propertytable.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <cmath>

namespace {

constexpr int px(int twips) {
    return TwipsToPixels(twips);
}

constexpr int kCardLeft[3] = {240, 3840, 7440};
constexpr int kCardTop[2] = {1680, 4920};
constexpr int kCardWidth = 3372;
constexpr int kCardHeight = 3012;
constexpr int kPictureLeft = 240;
constexpr int kPictureTop = 360;
constexpr int kPictureWidth = 2892;
constexpr int kPictureHeight = 1812;
constexpr int kLineTop[4] = {120, 2240, 2480, 2720};
constexpr int kLineLeft = 30;
constexpr int kLineWidth = 3310;
constexpr int kLineHeight = 240;

const QColor kCardSelectedBackground(234, 241, 250);
const QColor kCardBorder(0, 0, 128);

const QString kNoImage = QStringLiteral("noImageAvailable.jpg");
const QString kInvalidPicture = QStringLiteral("invalidPictureFormat.jpg");
const QString kTagProperty = QStringLiteral("tag");

int TagNumber(const QVariant& tag) {
    bool ok = false;
    const int n = tag.toString().trimmed().toInt(&ok);
    return ok ? n : 0;
}

} // namespace

HomePage::HomePage(QFrame* frameHome, QObject* parent) : QObject(parent), m_frameHome(frameHome) {
    buildControls();
    fillFilterEntries();
}

const QStringList& HomePage::FilterEntries() {
    static const QStringList entries{QStringLiteral("Show All Properties"),
                                     QStringLiteral("1-Unit Only"),
                                     QStringLiteral("Multiple Units"),
                                     QStringLiteral("Purchase Price < $50,000"),
                                     QStringLiteral("Purchase Price < $100,000"),
                                     QStringLiteral("Purchase Price < $150,000"),
                                     QStringLiteral("Purchase Price < $200,000"),
                                     QStringLiteral("Purchase Price < $250,000"),
                                     QStringLiteral("Purchase Price < $300,000"),
                                     QStringLiteral("Purchase Price < $400,000"),
                                     QStringLiteral("Purchase Price < $500,000"),
                                     QStringLiteral("Purchase Price < $750,000"),
                                     QStringLiteral("Purchase Price < $1,000,000"),
                                     QStringLiteral("Purchase Price < $1,250,000"),
                                     QStringLiteral("Purchase Price < $1,500,000"),
                                     QStringLiteral("Purchase Price < $2,000,000"),
                                     QStringLiteral("Purchase Price $2,000,000 +")};
    return entries;
}

void HomePage::fillFilterEntries() {
    const QSignalBlocker quiet(m_filter);
    m_filter->clear();
    m_filter->addItems(FilterEntries());
    m_filter->setCurrentIndex(0);
}

void HomePage::buildControls() {
    QFrame* page = m_frameHome;
    page->installEventFilter(this);

    QFont nameFont = page->font();
    nameFont.setPixelSize(12);
    nameFont.setBold(true);
    QFont figureFont = page->font();
    figureFont.setPixelSize(10);

    for (int k = 1; k <= kCards; ++k) {
        Card& c = m_cards[k - 1];
        c.frame = new QFrame(page);
        c.frame->setObjectName(QStringLiteral("frameSelectProperty"));
        c.frame->setProperty("index", k);
        c.frame->setProperty("tag", QString());
        c.frame->setGeometry(px(kCardLeft[(k - 1) % 3]), px(kCardTop[(k - 1) / 3]), px(kCardWidth),
                             px(kCardHeight));
        c.frame->setAutoFillBackground(true);
        c.frame->setCursor(Qt::PointingHandCursor);
        setBorder(k, false);
        c.frame->installEventFilter(this);

        c.picture = new QLabel(c.frame);
        c.picture->setObjectName(QStringLiteral("picSelectProperty"));
        c.picture->setProperty("index", k);
        c.picture->setProperty("tag", QString());
        c.picture->setGeometry(px(kPictureLeft), px(kPictureTop), px(kPictureWidth),
                               px(kPictureHeight));
        c.picture->setScaledContents(true);
        c.picture->installEventFilter(this);

        for (int n = 1; n <= 4; ++n) {
            QLabel* line = new ElidedLabel(c.frame);
            line->setObjectName(QStringLiteral("lblSelectPropertyLine%1").arg(n));
            line->setProperty("index", k);
            line->setFont(n == 1 ? nameFont : figureFont);
            // Centred over the picture, so the card reads as one block.
            line->setGeometry(px(kLineLeft), px(kLineTop[n - 1]), px(kLineWidth), px(kLineHeight));
            Theme::SetTextColour(line, n == 1 ? QColor(0, 0, 96) : QColor(40, 40, 40));
            line->installEventFilter(this);
            c.lines[n - 1] = line;
        }
        c.frame->hide();
    }

    m_filterCaption = new QLabel(QStringLiteral("Filter Properties "), page);
    m_filterCaption->setObjectName(QStringLiteral("lblShowProperties"));
    m_filterCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_filterCaption->setGeometry(px(2880) - 40, px(1005), px(4800 - 2880) + 40, 22);

    m_filter = new QComboBox(page);
    m_filter->setObjectName(QStringLiteral("cmbShowProperties"));
    m_filter->setGeometry(px(4800), px(1005), px(4455), 22);
    m_filter->setMaxVisibleItems(17);
    m_filter->installEventFilter(this);
    connect(m_filter, &QComboBox::activated, this, [this](int) { cmbShowProperties_Click(); });

    m_previous = new LinkLabel(QStringLiteral("< Previous Page"), page);
    m_previous->setObjectName(QStringLiteral("lblPreviousPage"));
    m_previous->setGeometry(px(240), px(8025), px(1905), 20);
    m_next = new LinkLabel(QStringLiteral("Next Page >"), page);
    m_next->setObjectName(QStringLiteral("lblNextPage"));
    m_next->setGeometry(px(8880), px(8025), px(1905), 20);
    m_next->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (LinkLabel* link : {m_previous, m_next}) {
        QFont f = link->font();
        f.setPixelSize(13);
        link->setFont(f);
        link->setHovered(false);
        link->hide();
    }
    connect(m_next, &LinkLabel::pointerEntered, this, &HomePage::lblNextPage_MouseMove);
    connect(m_next, &LinkLabel::pointerLeft, this, &HomePage::lblNextPage_DragOver);
    connect(m_next, &LinkLabel::releasedOver, this, &HomePage::lblNextPage_DragDrop);
    connect(m_previous, &LinkLabel::pointerEntered, this, &HomePage::lblPreviousPage_MouseMove);
    connect(m_previous, &LinkLabel::pointerLeft, this, &HomePage::lblPreviousPage_DragOver);
    connect(m_previous, &LinkLabel::releasedOver, this, &HomePage::lblPreviousPage_DragDrop);

    m_welcomeText = new QLabel(
        QStringLiteral("Welcome to Quillbrook. Your properties will appear here as cards, six "
                       "to a page; open one to work on its figures."),
        page);
    m_welcomeText->setObjectName(QStringLiteral("lblWelcome"));
    m_welcomeText->setWordWrap(true);
    m_welcomeText->setGeometry(px(240), px(1680), px(10500), 44);
    m_welcome = new LinkLabel(QStringLiteral("Add your first property"), page);
    m_welcome->setObjectName(QStringLiteral("lblAddFirstProperty"));
    m_welcome->setAccessibleName(m_welcome->text());
    m_welcome->setFocusPolicy(Qt::StrongFocus);
    m_welcome->setGeometry(px(240), px(1680) + 52, px(4000), 22);
    QFont f = m_welcome->font();
    f.setPixelSize(15);
    m_welcome->setFont(f);
    m_welcome->setHovered(false);
    connect(m_welcome, &LinkLabel::pointerEntered, this, [this] { m_welcome->setHovered(true); });
    connect(m_welcome, &LinkLabel::pointerLeft, this, [this] { m_welcome->setHovered(false); });
    connect(m_welcome, &LinkLabel::releasedOver, this, [this] {
        m_welcome->setHovered(false);
        if (m_addProperty)
            m_addProperty();
    });
    m_welcomeText->hide();
    m_welcome->hide();

    // Where the cards would be, when the filter and the search leave none.
    m_noMatch = new QLabel(page);
    m_noMatch->setObjectName(QStringLiteral("lblNoMatch"));
    m_noMatch->setWordWrap(true);
    m_noMatch->setGeometry(px(240), px(1680), px(10380), 44);
    QFont noMatchFont = m_noMatch->font();
    noMatchFont.setPixelSize(15);
    m_noMatch->setFont(noMatchFont);
    m_noMatch->hide();
}

QString HomePage::NoMatchText(const QString& filter, const QString& search) {
    const bool everyProperty = filter.isEmpty() || filter == FilterEntries().first();
    if (search.isEmpty())
        return QStringLiteral("No properties match this filter");
    const QString quoted = QStringLiteral("\u201c") + search + QStringLiteral("\u201d");
    if (everyProperty)
        return QStringLiteral("No properties match the search ") + quoted;
    return QStringLiteral("No properties match this filter and the search ") + quoted;
}

QString HomePage::imagesFile(const QString& name) const {
    return ResourcePath(QStringLiteral("_images/") + name);
}

void HomePage::setBorder(int k, bool on) {
    QFrame* f = m_cards[k - 1].frame;
    f->setFrameShape(on ? QFrame::Box : QFrame::NoFrame);
    f->setFrameShadow(QFrame::Plain);
    f->setLineWidth(1);
    // A white card, light blue when selected, as deep as a dark desktop's text needs.
    QPalette pal = f->palette();
    const QColor background = on ? Theme::Tint(kCardSelectedBackground, pal) : Theme::Page(pal);
    pal.setColor(QPalette::Window, background);
    pal.setColor(QPalette::WindowText,
                 Theme::Readable(kCardBorder, background, Theme::kMarkContrast));
    f->setPalette(pal);
}

bool HomePage::hasBorder(int k) const {
    return m_cards[k - 1].frame->frameShape() == QFrame::Box;
}

int HomePage::selectedCard(bool mustBeVisible) const {
    for (int k = 1; k <= kCards; ++k) {
        if (hasBorder(k) && (!mustBeVisible || !m_cards[k - 1].frame->isHidden()))
            return k;
    }
    return 0;
}

qint32 HomePage::cardTag(int k) const {
    return TagNumber(m_cards[k - 1].frame->property("tag"));
}

QString HomePage::pictureTag(int k) const {
    return m_cards[k - 1].picture->property("tag").toString();
}

QString HomePage::filterText() const {
    return m_filter->currentText();
}

void HomePage::clearCard(int k, const QPixmap& placeholder) {
    Card& c = m_cards[k - 1];
    for (QLabel* line : c.lines) {
        if (!line->text().isEmpty())
            line->clear();
    }
    // A filter may clear the same card for hundreds of rejected rows: touch the picture
    // only when it shows something else.
    if (placeholder.isNull())
        c.picture->clear();
    else if (c.picture->pixmap().cacheKey() != placeholder.cacheKey())
        c.picture->setPixmap(placeholder);
    c.picture->setProperty("tag", kNoImage);
}

void HomePage::showCardPicture(int k, const QString& reference) {
    QLabel* pic = m_cards[k - 1].picture;
    // Failures here are settled on the spot: a picture that cannot be shown is no error.
    QPixmap pixmap;
    const QString located = LocatePictureFile(reference, ProgramFolder());
    pic->setProperty("tag", located);
    PictureLoad result = LoadScaledPicture(located, pic->size(), &pixmap);
    if (result == PictureLoad::PathNotFound) {
        // References written relative to the program folder.
        const QString inFolder = ProgramFolder() + reference;
        pic->setProperty("tag", inFolder);
        result = LoadScaledPicture(inFolder, pic->size(), &pixmap);
    }
    if (result == PictureLoad::Loaded) {
        pic->setPixmap(pixmap);
        return;
    }
    if (result == PictureLoad::InvalidPicture || result == PictureLoad::FileNotFound) {
        if (LoadScaledPicture(imagesFile(kInvalidPicture), pic->size(), &pixmap) ==
            PictureLoad::Loaded)
            pic->setPixmap(pixmap);
    }
}

void HomePage::LoadPropertiesOnMainPage(qint32& start, const QString& filter) {
    for (int k = 1; k <= kCards; ++k)
        Trap(3110, [&] { m_cards[k - 1].frame->hide(); });
    if (start < 1)
        start = 1;
    Trap(3120, [&] { m_previous->setVisible(start > 1); });

    const HomeFilter rule(filter);

    // What each key name is to a card, worked out once per page rather than once per slot:
    // a filter that turns away 100,000 rows compares no key text at all.
    enum Kind : uchar { Other, Name, Price, Units, SquareFootage, Income, FirstPicture };
    static const std::pair<const char*, Kind> kKinds[] = {
        {"txtPropertyInformation", Name},
        {"txtPurchasePrice", Price},
        {"txtUnits", Units},
        {"txtSquareFootage", SquareFootage},
        {"txtQISScheduledAnnualIncome", Income},
        {"g_sListOfImagesForProperty(1)", FirstPicture},
    };
    const QVector<QString>& keyNames = g_propertyTable.keyNames();
    std::vector<uchar> kindOf(size_t(keyNames.size()), Other);
    for (qsizetype id = 0; id < keyNames.size(); ++id) {
        for (const auto& [name, kind] : kKinds) {
            if (keyNames.at(id).compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
                kindOf[size_t(id)] = kind;
        }
    }

    const qint32 count = g_propertyTable.propertyCount();
    int k = 1;
    qint32 p = start;
    QPixmap placeholder;
    LoadScaledPicture(imagesFile(kNoImage), m_cards[0].picture->size(), &placeholder);
    while (k <= kCards && p <= count) {
        // The search narrows the page as the filter does: a property it turns away leaves
        // no trace.
        if (!m_search.isEmpty() && !MatchesSearch(p, m_search)) {
            ++p;
            continue;
        }
        // The card is composed first and put on screen only once the row has passed the
        // filter: a filter that turns away hundreds of rows then costs no widget work.
        QString lines[4];
        bool shown = false;
        bool hasPicture = false;
        QString pictureReference;
        bool rejected = false;
        const int slotTotal = g_propertyTable.rowSlots(p);
        for (int j = 1; j <= slotTotal; ++j) {
            const Kind kind = Kind(kindOf[size_t(g_propertyTable.keyIndex(p, j))]);
            if (kind == Other)
                continue;
            // Read once and not kept: the table holds no text for every row walked.
            const QString value = g_propertyTable.valueText(p, j);
            // The filter test: only the rule's own key can turn the property away.
            if ((kind == Units && rule.testsUnits()) || (kind == Price && rule.testsPrice()))
                rejected = rule.rejects(value);
            if (rejected)
                break;
            if (kind == Name) {
                shown = true;
                lines[0] = value;
            } else if (kind == Price) {
                shown = true;
                lines[1].clear();
                Trap(3150, [&] {
                    lines[1] = QStringLiteral("Purchase Price = ") + CurrencyText(value, 0);
                });
            } else if (kind == Units) {
                shown = true;
                lines[2] = QStringLiteral("Units = ") + value + lines[2];
            } else if (kind == SquareFootage) {
                shown = true;
                lines[2] += QStringLiteral("   Square Footage = ") + value;
            } else if (kind == Income) {
                shown = true;
                lines[3].clear();
                Trap(3151, [&] {
                    lines[3] =
                        QStringLiteral("Scheduled Annual Income = ") + CurrencyText(value, 2);
                });
            } else if (kind == FirstPicture) {
                shown = true;
                hasPicture = true;
                pictureReference = value;
            }
        }
        if (rejected) {
            ++p;
            continue;
        }
        Trap(3130, [&] {
            Card& c = m_cards[k - 1];
            clearCard(k, placeholder);
            for (int n = 0; n < 4; ++n) {
                if (!lines[n].isEmpty())
                    c.lines[n]->setText(lines[n]);
            }
            if (hasPicture)
                showCardPicture(k, pictureReference);
            // The tag names the row shown once it has passed the filter: a row turned away
            // leaves no trace, so "< Previous Page" from a page the filter emptied goes
            // back rather than round in a circle, and a row without a name pages right.
            c.frame->setProperty("tag", QString::number(p));
            c.frame->setVisible(shown);
        });
        ++k;
        ++p;
    }
    Trap(3170, [&] { m_next->setVisible(k > kCards); });
    if (!m_cardsShown) {
        // Built all the same, so the cards come back where they were.
        for (const Card& c : m_cards)
            c.frame->hide();
        m_previous->hide();
        m_next->hide();
    }
    // An empty database greets the user instead of showing a blank page, and a filter or
    // search that lets none of the properties through says so.
    m_welcomeText->setVisible(count == 0 && m_cardsShown);
    m_welcome->setVisible(count == 0 && m_cardsShown);
    const bool noMatch = count > 0 && k == 1 && start == 1 && m_cardsShown;
    if (noMatch)
        m_noMatch->setText(NoMatchText(filter, m_search));
    m_noMatch->setVisible(noMatch);
    emit pageLoaded();
}

bool HomePage::MatchesSearch(qint32 row, const QString& text) {
    if (text.isEmpty())
        return true;
    QString name;
    QString address;
    QString notes;
    const int slotTotal = g_propertyTable.rowSlots(row);
    for (int j = 1; j <= slotTotal; ++j) {
        const QString& key = g_propertyTable.key(row, j);
        if (key.compare(QLatin1String("txtPropertyInformation"), Qt::CaseInsensitive) == 0)
            name = g_propertyTable.valueText(row, j);
        else if (key.compare(QLatin1String("txtAddress"), Qt::CaseInsensitive) == 0)
            address = g_propertyTable.valueText(row, j);
        else if (key.compare(QLatin1String("txtMiscNotes"), Qt::CaseInsensitive) == 0)
            notes = g_propertyTable.valueText(row, j);
    }
    return SearchFinds(text, name, address, notes);
}

QString HomePage::PropertyName(qint32 row) {
    QString name;
    TrapSilently([&] {
        const int slotTotal = g_propertyTable.rowSlots(row);
        for (int j = 1; j <= slotTotal; ++j) {
            if (g_propertyTable.key(row, j).compare(QLatin1String("txtPropertyInformation"),
                                                    Qt::CaseInsensitive) == 0)
                name = g_propertyTable.valueText(row, j);
        }
    });
    return name;
}

void HomePage::setSearchText(const QString& text) {
    if (text == m_search)
        return;
    m_search = text;
    if (!m_cardsShown) {
        m_cardsStale = true; // built when they come back
        return;
    }
    cmbShowProperties_Click();
}

void HomePage::setCardsShown(bool shown) {
    if (shown == m_cardsShown)
        return;
    m_cardsShown = shown;
    if (!shown) {
        // Kept as they are, to come back where they were.
        for (const Card& c : m_cards)
            c.frame->hide();
        m_previous->hide();
        m_next->hide();
        m_welcomeText->hide();
        m_welcome->hide();
        m_noMatch->hide();
        return;
    }
    if (m_cardsStale) {
        m_cardsStale = false;
        cmbShowProperties_Click();
        return;
    }
    qint32 start = qMax<qint32>(1, cardTag(1));
    Trap(3171, [&] { LoadPropertiesOnMainPage(start, filterText()); });
}

bool HomePage::hasChoice() const {
    if (!m_cardsShown)
        return m_tableChoice && m_tableChoice() > 0;
    return selectedCard(true) > 0;
}

bool HomePage::choice(qint32* row, QString* name) const {
    if (!m_cardsShown) {
        const qint32 r = m_tableChoice ? m_tableChoice() : 0;
        if (r <= 0)
            return false;
        *row = r;
        *name = PropertyName(r);
        return true;
    }
    const int k = selectedCard(true);
    if (k == 0)
        return false;
    *row = cardTag(k);
    *name = m_cards[k - 1].lines[0]->text();
    return true;
}

void HomePage::openChoice() {
    if (m_cardsShown) {
        const int k = selectedCard(true);
        if (k > 0)
            picSelectProperty_DblClick(k);
        return;
    }
    qint32 row = 0;
    QString name;
    if (choice(&row, &name))
        openProperty(row, name);
}

void HomePage::openProperty(qint32 row, const QString& name) {
    if (m_openProperty)
        m_openProperty(row, name);
}

QVector<qint32> HomePage::selectedCardRows() const {
    QVector<qint32> rows;
    for (int k = 1; k <= kCards; ++k) {
        if (hasBorder(k) && !m_cards[k - 1].frame->isHidden())
            rows.append(cardTag(k));
    }
    return rows;
}

void HomePage::picSelectProperty_Click(int index) {
    for (int k = 1; k <= kCards; ++k) {
        Trap(3280, [&] {
            setBorder(k, k == index);
            // Draw the change now rather than when the handler returns.
            m_cards[k - 1].frame->repaint();
        });
    }
}

void HomePage::picSelectProperty_CtrlClick(int index) {
    if (index < 1 || index > kCards)
        return;
    Trap(3281, [&] {
        setBorder(index, !hasBorder(index));
        m_cards[index - 1].frame->repaint();
    });
}

void HomePage::picSelectProperty_DblClick(int index) {
    if (index < 1 || index > kCards || !m_openProperty)
        return;
    // The card's own row, not a search by name: twins and nameless properties open themselves.
    m_openProperty(cardTag(index), m_cards[index - 1].lines[0]->text());
}

void HomePage::frameHome_Click() {
    picSelectProperty_Click(-1);
}

void HomePage::cmbShowProperties_Click() {
    qint32 start = 1;
    Trap(3390, [&] { LoadPropertiesOnMainPage(start, m_filter->currentText()); });
    for (int k = 1; k <= kCards; ++k)
        Trap(3391, [&] { setBorder(k, false); });
}

void HomePage::cmbShowProperties_KeyDown(int keyCode) {
    if (keyCode != 13)
        return;
    // Only a card the user can see counts as selected: a card hidden by paging keeps its
    // border but no longer shows the property it names.
    const int k = selectedCard(true);
    if (k > 0)
        picSelectProperty_DblClick(k);
}

void HomePage::lblNextPage_MouseMove() {
    m_next->setHovered(true);
}
void HomePage::lblNextPage_DragOver() {
    m_next->setHovered(false);
}
void HomePage::lblNextPage_DragDrop() {
    m_next->setHovered(false);
    qint32 start = cardTag(kCards) + 1;
    LoadPropertiesOnMainPage(start, m_filter->currentText());
}

void HomePage::lblPreviousPage_MouseMove() {
    m_previous->setHovered(true);
}
void HomePage::lblPreviousPage_DragOver() {
    m_previous->setHovered(false);
}
void HomePage::lblPreviousPage_DragDrop() {
    m_previous->setHovered(false);
    qint32 start = cardTag(1) - 6;
    LoadPropertiesOnMainPage(start, m_filter->currentText());
}

int HomePage::cardOf(QObject* widget) const {
    for (int k = 1; k <= kCards; ++k) {
        const Card& c = m_cards[k - 1];
        if (widget == c.frame || widget == c.picture)
            return k;
        for (QLabel* line : c.lines) {
            if (widget == line)
                return k;
        }
    }
    return 0;
}

bool HomePage::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == m_filter) {
        if (type == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                cmbShowProperties_KeyDown(13);
                return true;
            }
        }
        return false;
    }
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick)
        return false;
    if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
        return false;
    if (const int k = cardOf(watched)) {
        const bool ctrl = static_cast<QMouseEvent*>(event)->modifiers() & Qt::ControlModifier;
        if (type == QEvent::MouseButtonPress && ctrl)
            picSelectProperty_CtrlClick(k);
        else if (type == QEvent::MouseButtonPress)
            picSelectProperty_Click(k);
        else
            picSelectProperty_DblClick(k);
        return true;
    }
    if (watched == m_frameHome && type == QEvent::MouseButtonPress) {
        frameHome_Click();
        return false;
    }
    return false;
}
