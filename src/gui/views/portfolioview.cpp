#include "gui/views/portfolioview.h"

#include "gui/dialogs/criteriasettings.h"
#include "gui/dialogs/prompts.h"
#include "gui/views/comparemodel.h"
#include "gui/views/compareview.h"
#include "gui/views/homepage.h"
#include "gui/views/portfoliotablemodel.h"
#include "gui/views/viewframe.h"
#include "gui/widgets/twips.h"
#include "store/propertytable.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTableView>

namespace {

constexpr int px(int twips) {
    return TwipsToPixels(twips);
}

// The cards' page: its filter row and its paging row (the links), in pixels.
const int kTopRow = px(1005);
const int kLinkRow = px(8025);
constexpr int kMargin = 16;
constexpr int kTableTop = 100;
// The home page's frame is taller than the content area that shows it: 660 twips of it lie
// below, out of sight.
const int kOutOfSight = px(660);
constexpr int kStripBottom = 60;

const QString kSettingsGroup = QStringLiteral("Portfolio");
const QString kShowAsKey = QStringLiteral("ShowAs");
const QString kHeaderKey = QStringLiteral("TableHeader");

// Initial widths of the columns, in the model's order.
const int kColumnWidths[] = {150, 170, 44, 86, 96, 90, 112, 70, 88, 50, 50, 76, 92, 104, 80, 64};

} // namespace

PortfolioView::PortfolioView(HomePage& home, std::function<Prompts&()> prompts, QObject* parent)
    : QObject(parent), m_home(home), m_prompts(std::move(prompts)) {
    build();
    m_home.setTableChoice([this] { return currentRow(); });
    connect(&m_home, &HomePage::pageLoaded, this, &PortfolioView::sync);
    connect(m_home.filterBox(), &QComboBox::currentTextChanged, this, [this](const QString& text) {
        m_proxy->setFilterText(text);
        updateTotals();
    });
    m_settingsWriter.setMaxThreadCount(1);
    m_saveLayout.setSingleShot(true);
    m_saveLayout.setInterval(300);
    connect(&m_saveLayout, &QTimer::timeout, this, &PortfolioView::saveLayout);
    restoreSettings();
    layout();
}

PortfolioView::~PortfolioView() {
    if (m_saveLayout.isActive())
        saveLayout();
    m_settingsWriter.waitForDone();
}

void PortfolioView::build() {
    QFrame* page = m_home.frameHome();
    page->installEventFilter(this);
    page->setProperty(ViewFrame::kFollowsWindowWidth, false);
    // The page shows only as far as the content area that holds it, which a taller window
    // may grow later than the page.
    if (page->parentWidget())
        page->parentWidget()->installEventFilter(this);

    m_showAs = new QLabel(QStringLiteral("Show as"), page);
    m_showAs->setObjectName(QStringLiteral("lblShowAs"));
    m_cardsOption = new QRadioButton(QStringLiteral("Cards"), page);
    m_cardsOption->setObjectName(QStringLiteral("optHomeCards"));
    m_tableOption = new QRadioButton(QStringLiteral("Table"), page);
    m_tableOption->setObjectName(QStringLiteral("optHomeTable"));
    m_cardsOption->setChecked(true);
    connect(m_cardsOption, &QRadioButton::clicked, this, &PortfolioView::optHomeCards_Click);
    connect(m_tableOption, &QRadioButton::clicked, this, &PortfolioView::optHomeTable_Click);

    m_compareButton = new QPushButton(QStringLiteral("Compare"), page);
    m_compareButton->setObjectName(QStringLiteral("cmdCompare"));
    m_compareButton->setToolTip(
        QStringLiteral("Compare the selected properties side by side (Ctrl+K): Ctrl+click two "
                       "to six cards or table rows"));
    connect(m_compareButton, &QPushButton::clicked, this, &PortfolioView::cmdCompare_Click);

    m_search = new QLineEdit(page);
    m_search->setObjectName(QStringLiteral("txtHomeSearch"));
    m_search->setPlaceholderText(QStringLiteral("Search name, address, notes"));
    m_search->setClearButtonEnabled(true);
    m_search->setToolTip(QStringLiteral("Ctrl+F to search, Escape to clear"));
    m_search->installEventFilter(this);
    connect(m_search, &QLineEdit::textChanged, this, &PortfolioView::txtHomeSearch_Change);

    m_model = new PortfolioTableModel(this);
    // The Criteria and Max Offer columns follow the user's criteria as they change.
    m_model->setCriteria(CriteriaSettings::instance().criteria());
    connect(&CriteriaSettings::instance(), &CriteriaSettings::changed, m_model,
            [this] { m_model->setCriteria(CriteriaSettings::instance().criteria()); });
    m_proxy = new PortfolioSortProxy(this);
    m_proxy->setSourceModel(m_model);
    m_table = new QTableView(page);
    m_table->setObjectName(QStringLiteral("tblPortfolio"));
    m_table->setModel(m_proxy);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setAlternatingRowColors(true);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(20);
    m_table->installEventFilter(this);
    QHeaderView* header = m_table->horizontalHeader();
    header->setSectionsMovable(true);
    header->setHighlightSections(false);
    // A third click on a heading puts the database's own order back.
    header->setSortIndicatorClearable(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    for (int c = 0; c < int(std::size(kColumnWidths)); ++c)
        header->resizeSection(c, kColumnWidths[c]);
    connect(header, &QHeaderView::customContextMenuRequested, this, &PortfolioView::headerMenu);
    for (auto signal : {&QHeaderView::sectionMoved, &QHeaderView::sectionResized})
        connect(header, signal, &m_saveLayout, qOverload<>(&QTimer::start));
    connect(header, &QHeaderView::sortIndicatorChanged, &m_saveLayout, qOverload<>(&QTimer::start));
    connect(m_table, &QTableView::doubleClicked, this, &PortfolioView::openIndex);

    // A new filter or search keeps the selected properties selected where they are still shown.
    // Rows of a table loaded since may hold other properties: then nothing stays selected.
    connect(m_proxy, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        m_keptSelection = selectedTableRows();
        m_keptGeneration = m_selectionGeneration;
    });
    connect(m_proxy, &QAbstractItemModel::modelReset, this, [this] {
        m_selectionGeneration = g_propertyTable.generation();
        if (m_keptGeneration == m_selectionGeneration)
            reselect(m_keptSelection);
        updateTotals();
    });
    connect(m_model, &PortfolioTableModel::filled, this, &PortfolioView::updateTotals);
    connect(m_model, &PortfolioTableModel::progress, this, [this](int computed, int total) {
        m_progress->setRange(0, qMax(1, total));
        m_progress->setValue(computed);
        if (computed < total)
            updateTotals();
    });

    // Over the empty table, as the cards' page says it.
    m_noMatch = new QLabel(m_table->viewport());
    m_noMatch->setObjectName(QStringLiteral("lblTableNoMatch"));
    m_noMatch->setAlignment(Qt::AlignCenter);
    m_noMatch->setWordWrap(true);
    m_noMatch->hide();
    m_table->viewport()->installEventFilter(this);

    m_totals = new QLabel(page);
    m_totals->setObjectName(QStringLiteral("lblPortfolioTotals"));
    m_totals->setWordWrap(true);
    m_totals->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_progress = new QProgressBar(page);
    m_progress->setObjectName(QStringLiteral("prgPortfolio"));
    m_progress->setTextVisible(false);
    m_export = new QPushButton(QStringLiteral("E&xport CSV..."), page);
    m_export->setObjectName(QStringLiteral("cmdPortfolioExportCsv"));
    connect(m_export, &QPushButton::clicked, this, &PortfolioView::cmdPortfolioExportCsv_Click);

    m_compare = new CompareView(page);
    m_compare->setPrompts(m_prompts);
    connect(m_compare, &CompareView::openRequested, this,
            [this](qint32 row, const QString& name) { m_home.openProperty(row, name); });
    connect(m_compare, &CompareView::closed, this, [this] {
        followWidth();
        if (isTableShown())
            m_table->setFocus();
        else
            m_home.frameHome()->setFocus();
    });

    for (QWidget* w : {static_cast<QWidget*>(m_table), static_cast<QWidget*>(m_totals),
                       static_cast<QWidget*>(m_progress), static_cast<QWidget*>(m_export)})
        w->hide();
    for (QWidget* w : {static_cast<QWidget*>(m_showAs), static_cast<QWidget*>(m_cardsOption),
                       static_cast<QWidget*>(m_tableOption), static_cast<QWidget*>(m_compareButton),
                       static_cast<QWidget*>(m_search)})
        w->raise(); // over the filter caption's empty left part
}

bool PortfolioView::isTableShown() const {
    return m_tableOption->isChecked();
}

void PortfolioView::setFilePicker(FilePicker* picker) {
    m_csv.setFilePicker(picker);
    m_compare->setFilePicker(picker);
}

void PortfolioView::optHomeCards_Click() {
    showTable(false);
}

void PortfolioView::optHomeTable_Click() {
    showTable(true);
}

void PortfolioView::showTable(bool table) {
    m_cardsOption->setChecked(!table);
    m_tableOption->setChecked(table);
    if (table) {
        m_model->refresh();
        m_proxy->setFilterText(m_home.filterText());
        m_proxy->setSearchText(m_search->text());
    }
    m_home.setCardsShown(!table);
    m_table->setVisible(table);
    m_totals->setVisible(table);
    m_export->setVisible(table);
    m_progress->setVisible(table && !m_model->isFilled());
    updateTotals();
    followWidth();
    layout();
    // Written a moment later with the column layout: a settings file written on the click
    // would keep the window waiting for the disk.
    m_saveLayout.start();
}

void PortfolioView::txtHomeSearch_Change() {
    const QString text = m_search->text();
    m_home.setSearchText(text);
    // The table follows when it comes up.
    if (isTableShown())
        m_proxy->setSearchText(text);
    updateTotals();
}

void PortfolioView::focusSearch() {
    // The search narrows the list, which the comparison covers with the box itself.
    if (!m_compare->isHidden())
        m_compare->cmdCompareClose_Click();
    m_search->setFocus(Qt::ShortcutFocusReason);
    m_search->selectAll();
}

void PortfolioView::sync() {
    // A comparison made from a table that was loaded since may name rows that moved.
    if (!m_compare->isHidden() && m_compare->generation() != g_propertyTable.generation())
        m_compare->cmdCompareClose_Click();
    if (!isTableShown())
        return;
    m_model->refresh();
    m_proxy->setFilterText(m_home.filterText());
    m_progress->setVisible(!m_model->isFilled());
    updateTotals();
}

void PortfolioView::updateTotals() {
    if (!isTableShown())
        return;
    const bool noMatch = m_model->rowCount() > 0 && m_proxy->rowCount() == 0;
    if (noMatch)
        m_noMatch->setText(HomePage::NoMatchText(m_home.filterText(), m_search->text()));
    m_noMatch->setVisible(noMatch);
    m_progress->setVisible(!m_model->isFilled());
    if (!m_model->isFilled()) {
        m_totals->setText(
            QStringLiteral("%1 properties shown; working out the figures: %2 of %3 done")
                .arg(m_proxy->rowCount())
                .arg(m_model->computedRows())
                .arg(m_model->rowCount()));
        return;
    }
    m_totals->setText(PortfolioTotalsText(SumPortfolio(*m_model, m_proxy->shownRows())));
}

void PortfolioView::followWidth() {
    // The table and the comparison use a wide window's room; the cards keep their design.
    QFrame* page = m_home.frameHome();
    const bool wide = isTableShown() || !m_compare->isHidden();
    if (page->property(ViewFrame::kFollowsWindowWidth) == QVariant(wide))
        return;
    page->setProperty(ViewFrame::kFollowsWindowWidth, wide);
    emit widthFollowingChanged();
}

void PortfolioView::layout() {
    QFrame* page = m_home.frameHome();
    const int width = page->width();
    m_showAs->setGeometry(kMargin, kTopRow, 54, 22);
    m_cardsOption->setGeometry(kMargin + 56, kTopRow, 62, 22);
    m_tableOption->setGeometry(kMargin + 120, kTopRow, 62, 22);
    m_compareButton->setGeometry(width - kMargin - 88, kTopRow - 1, 88, 24);

    int visibleBottom = page->height() - kOutOfSight;
    if (const QWidget* holder = page->parentWidget())
        visibleBottom = qMin(visibleBottom, holder->height() - page->y());
    if (!isTableShown()) {
        // Between the paging links, where the cards leave room.
        m_search->setGeometry(180, kLinkRow, 364, 20);
    } else {
        // The bottom row where the cards have theirs, lower in a taller window.
        const int bottomRow = qMax(kLinkRow, visibleBottom - 22);
        m_table->setGeometry(kMargin, kTableTop, width - 2 * kMargin,
                             qMax(80, bottomRow - 36 - kTableTop));
        m_totals->setGeometry(kMargin, bottomRow - 34, width - 2 * kMargin, 32);
        m_progress->setGeometry(kMargin, bottomRow + 2, 150, 16);
        m_search->setGeometry(180, bottomRow, 364, 20);
        m_export->setGeometry(width - kMargin - 112, bottomRow - 2, 112, 24);
    }
    m_compare->layoutTo(width, qMax(200, visibleBottom - kStripBottom));
    m_compare->move(0, kStripBottom);
}

QVector<qint32> PortfolioView::selectedTableRows() const {
    QVector<qint32> rows;
    const QModelIndexList selected = m_table->selectionModel()->selectedRows();
    QVector<int> proxyRows;
    for (const QModelIndex& i : selected)
        proxyRows.append(i.row());
    std::sort(proxyRows.begin(), proxyRows.end());
    for (int r : proxyRows)
        rows.append(m_model->row(m_proxy->sourceRow(r)).tableRow);
    return rows;
}

void PortfolioView::reselect(const QVector<qint32>& tableRows) {
    if (tableRows.isEmpty())
        return;
    QItemSelection selection;
    for (qint32 row : tableRows) {
        const QModelIndex source = m_model->index(row - 1, 0);
        const QModelIndex shown = m_proxy->mapFromSource(source);
        if (shown.isValid())
            selection.select(shown, m_proxy->index(shown.row(), m_proxy->columnCount() - 1));
    }
    m_table->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

QVector<qint32> PortfolioView::pickedRows() const {
    return isTableShown() ? selectedTableRows() : m_home.selectedCardRows();
}

qint32 PortfolioView::currentRow() const {
    if (!isTableShown() || m_table->isHidden())
        return 0;
    const QModelIndex current = m_table->currentIndex();
    if (!current.isValid() || !m_table->selectionModel()->isRowSelected(current.row()))
        return 0;
    return m_model->row(m_proxy->sourceRow(current.row())).tableRow;
}

void PortfolioView::cmdCompare_Click() {
    const QVector<qint32> rows = pickedRows();
    if (rows.size() < CompareView::kFewest || rows.size() > CompareView::kMost) {
        PromptMessage m;
        m.title = QStringLiteral("Compare Properties");
        m.text = QStringLiteral("Select two to six properties to compare: Ctrl+click their cards, "
                                "or their rows in the table (Shift+click selects a run of "
                                "rows).\n\nSelected now: %1.")
                     .arg(rows.size());
        m.icon = PromptIcon::Information;
        m.buttons = PromptButtons::Ok;
        m_prompts().message(m);
        return;
    }
    m_compare->showRows(rows);
    followWidth();
    layout();
}

void PortfolioView::openIndex(const QModelIndex& proxyIndex) {
    if (!proxyIndex.isValid())
        return;
    const PortfolioRow& row = m_model->row(m_proxy->sourceRow(proxyIndex.row()));
    // The row's own property, as a card opens its own: never a search by its name.
    m_home.openProperty(row.tableRow, row.name);
}

QString PortfolioView::tableText(QChar separator) const {
    const QHeaderView* header = m_table->horizontalHeader();
    QVector<int> columns;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (!header->isSectionHidden(logical))
            columns.append(logical);
    }
    QString text;
    for (int k = 0; k < columns.size(); ++k)
        text += (k ? QString(separator) : QString()) +
                CsvCell(PortfolioTableModel::headers().at(columns[k]), separator);
    text += QLatin1String("\r\n");
    for (int r : m_proxy->shownRows()) {
        for (int k = 0; k < columns.size(); ++k) {
            const int c = columns[k];
            text += (k ? QString(separator) : QString()) +
                    CsvCell(m_model->text(r, c), separator,
                            !PortfolioTableModel::isNumeric(c) || c == PortfolioTableModel::Units);
        }
        text += QLatin1String("\r\n");
    }
    return text;
}

void PortfolioView::cmdPortfolioExportCsv_Click() {
    m_csv.write(
        m_table, QStringLiteral("Portfolio"),
        [this] { return tableText(QLatin1Char(',')).toUtf8(); }, &m_prompts());
}

void PortfolioView::headerMenu(const QPoint& at) {
    QHeaderView* header = m_table->horizontalHeader();
    QMenu menu(m_table);
    int shown = 0;
    for (int c = 0; c < header->count(); ++c)
        shown += header->isSectionHidden(c) ? 0 : 1;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int c = header->logicalIndex(visual);
        QAction* action = menu.addAction(PortfolioTableModel::headers().at(c));
        action->setCheckable(true);
        action->setChecked(!header->isSectionHidden(c));
        // The last column shown stays: a table without columns could not be given any back.
        action->setEnabled(header->isSectionHidden(c) || shown > 1);
        connect(action, &QAction::toggled, this, [this, header, c](bool on) {
            header->setSectionHidden(c, !on);
            m_saveLayout.start();
        });
    }
    menu.exec(header->mapToGlobal(at));
}

void PortfolioView::restoreSettings() {
    QSettings settings(QStringLiteral("Quillbrook"));
    settings.beginGroup(kSettingsGroup);
    const QByteArray state = settings.value(kHeaderKey).toByteArray();
    QHeaderView* header = m_table->horizontalHeader();
    if (!state.isEmpty() && !header->restoreState(state))
        header->setSortIndicator(-1, Qt::AscendingOrder);
    // Sorts by the heading the layout remembers.
    m_table->setSortingEnabled(true);
    if (settings.value(kShowAsKey).toString() == QLatin1String("Table"))
        showTable(true);
}

void PortfolioView::saveLayout() {
    const QString showAs = isTableShown() ? QStringLiteral("Table") : QStringLiteral("Cards");
    const QByteArray header = m_table->horizontalHeader()->saveState();
    // The settings file is flushed to the disk, which on a busy disk keeps its writer waiting
    // for hundreds of milliseconds: the window hands the write to a thread of its own, one
    // write after the other.
    m_settingsWriter.start([showAs, header] {
        QSettings settings(QStringLiteral("Quillbrook"));
        settings.beginGroup(kSettingsGroup);
        settings.setValue(kShowAsKey, showAs);
        settings.setValue(kHeaderKey, header);
    });
}

bool PortfolioView::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::Resize &&
        (watched == m_home.frameHome() || watched == m_home.frameHome()->parentWidget())) {
        layout();
    } else if (type == QEvent::Resize && watched == m_table->viewport()) {
        // The viewport takes its size when the table is first shown, after the page's layout.
        m_noMatch->setGeometry(m_table->viewport()->rect().adjusted(8, 8, -8, -8));
    } else if (watched == m_search && type == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape && !m_search->text().isEmpty()) {
            m_search->clear();
            return true;
        }
        // Enter goes on to what was found, rather than opening a card chosen before.
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (isTableShown()) {
                if (!m_table->currentIndex().isValid() && m_proxy->rowCount() > 0)
                    m_table->selectRow(0);
                m_table->setFocus();
            } else if (!m_home.card(1)->isHidden()) {
                m_home.picSelectProperty_Click(1);
                m_home.frameHome()->setFocus();
            }
            return true;
        }
    } else if (watched == m_table && type == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            openIndex(m_table->currentIndex());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
