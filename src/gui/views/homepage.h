#pragma once

#include "gui/widgets/linklabel.h"

#include <QFrame>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <functional>

class QComboBox;
class QLabel;
class QPixmap;

// The home page: six property cards in two rows of three, the filter drop-down and the two
// paging links, built inside the main window's home frame from the in-memory property
// table. A click selects a card, a double click (or Enter in the filter box) opens it.
class HomePage : public QObject {
    Q_OBJECT
public:
    static constexpr int kCards = 6;
    // The table row on the card and the name shown on it.
    using OpenHandler = std::function<void(qint32 row, const QString& name)>;

    explicit HomePage(QFrame* frameHome, QObject* parent = nullptr);

    // The entries of the filter drop-down, "Show All Properties" first.
    static const QStringList& FilterEntries();
    // Empties the drop-down, adds every entry and shows "Show All Properties".
    void fillFilterEntries();

    // Rebuilds the cards from table index start (below 1 becomes 1, written back).
    void LoadPropertiesOnMainPage(qint32& start, const QString& filter);

    // The search box's text: only properties whose name, address or notes contain it (letter
    // case ignored) pass, together with the filter. Rebuilds the cards from the first, without
    // a selection, as the filter box does.
    void setSearchText(const QString& text);
    const QString& searchText() const { return m_search; }
    // Whether a row's name, address or notes contain the search text; true while it is empty.
    static bool MatchesSearch(qint32 row, const QString& text);
    // What the page says when properties exist but the filter and the search let none through.
    static QString NoMatchText(const QString& filter, const QString& search);
    QLabel* noMatchLabel() const { return m_noMatch; }

    // While the portfolio table is shown the cards, the paging links and the welcome stay
    // hidden, and are built again when they come back.
    void setCardsShown(bool shown);
    bool cardsShown() const { return m_cardsShown; }

    // What File › Open and Remove act on: the selected card, or while the table is shown the
    // table's current row, which `tableChoice` gives (0 for none).
    void setTableChoice(std::function<qint32()> tableChoice) {
        m_tableChoice = std::move(tableChoice);
    }
    bool hasChoice() const;
    // The chosen property's row and name; false when nothing is chosen.
    bool choice(qint32* row, QString* name) const;
    // Opens the chosen property as a double click on it would.
    void openChoice();
    // Opens the property of that row (its name is what the user saw).
    void openProperty(qint32 row, const QString& name);
    // The rows of the visible cards with a border, in card order (Ctrl+click adds cards).
    QVector<qint32> selectedCardRows() const;
    // The name stored for a row, empty when it has none.
    static QString PropertyName(qint32 row);

    // Opening a property by its name belongs to the property commands.
    void setOpenPropertyHandler(OpenHandler handler) { m_openProperty = std::move(handler); }
    // What the welcome link on an empty database runs (adding a property).
    void setAddPropertyHandler(std::function<void()> handler) {
        m_addProperty = std::move(handler);
    }
    LinkLabel* welcomeLink() const { return m_welcome; }

    QFrame* frameHome() const { return m_frameHome; }
    QFrame* card(int k) const { return m_cards.at(k - 1).frame; }
    QLabel* picture(int k) const { return m_cards.at(k - 1).picture; }
    QLabel* line(int k, int n) const { return m_cards.at(k - 1).lines.at(n - 1); }
    QComboBox* filterBox() const { return m_filter; }
    LinkLabel* previousLink() const { return m_previous; }
    LinkLabel* nextLink() const { return m_next; }

    bool hasBorder(int k) const;
    // The first card 1..6 with a border, and visible when asked; 0 when there is none.
    int selectedCard(bool mustBeVisible) const;
    // The table index on card k (its tag as a number, 0 when it holds none).
    qint32 cardTag(int k) const;
    QString pictureTag(int k) const;
    QString filterText() const;

public slots:
    void picSelectProperty_Click(int index);
    // Ctrl+click: the card joins the selection, or leaves it, the others staying as they are.
    void picSelectProperty_CtrlClick(int index);
    void picSelectProperty_DblClick(int index);
    void frameHome_Click();
    void cmbShowProperties_Click();
    void cmbShowProperties_KeyDown(int keyCode);
    // Link behaviour: pointer over, pointer gone, button released over the link.
    void lblNextPage_MouseMove();
    void lblNextPage_DragOver();
    void lblNextPage_DragDrop();
    void lblPreviousPage_MouseMove();
    void lblPreviousPage_DragOver();
    void lblPreviousPage_DragDrop();

signals:
    // The cards were built again (the page came up, was paged or filtered, a property went).
    void pageLoaded();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Card {
        QFrame* frame = nullptr;
        QLabel* picture = nullptr;
        std::array<QLabel*, 4> lines{};
    };

    void buildControls();
    void setBorder(int k, bool on);
    void clearCard(int k, const QPixmap& placeholder);
    void showCardPicture(int k, const QString& reference);
    // Index of the card that owns a widget, 0 for none.
    int cardOf(QObject* widget) const;
    QString imagesFile(const QString& name) const;

    QPointer<QFrame> m_frameHome;
    std::array<Card, kCards> m_cards;
    QComboBox* m_filter = nullptr;
    QLabel* m_filterCaption = nullptr;
    LinkLabel* m_previous = nullptr;
    LinkLabel* m_next = nullptr;
    OpenHandler m_openProperty;
    std::function<void()> m_addProperty;
    QLabel* m_welcomeText = nullptr;
    QLabel* m_noMatch = nullptr;
    LinkLabel* m_welcome = nullptr;
    QString m_search;
    bool m_cardsShown = true;
    bool m_cardsStale = false; // the search changed while the table was shown
    std::function<qint32()> m_tableChoice;
};
