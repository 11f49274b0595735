#include "gui/views/portfoliotablemodel.h"

#include "base/errortrap.h"
#include "base/numerictext.h"
#include "gui/views/homefilter.h"
#include "store/propertytable.h"

#include <QElapsedTimer>
#include <QFutureWatcher>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QThread>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Rows handed to a worker at once (small enough to share a thousand properties evenly among
// the workers), and how long one turn of the event loop may spend taking texts from the
// property table before the window answers again.
constexpr int kBatchRows = 64;
constexpr int kSliceMilliseconds = 8;

// An offer is five price searches: fewer rows to a batch keep the workers evenly loaded.
constexpr int kOfferBatchRows = 8;

PortfolioFigure FigureOf(int column) {
    if (column >= PortfolioTableModel::Price && column <= PortfolioTableModel::EquityMultiple)
        return PortfolioFigure(column - PortfolioTableModel::Price);
    return PortfolioFigure::Count;
}

// The green tick of a row that meets every target in force.
QIcon TickIcon() {
    static const QIcon icon = [] {
        QPixmap pixmap(14, 14);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(0, 150, 60), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(QPolygonF{QPointF(2.5, 7.5), QPointF(5.5, 10.5), QPointF(11.5, 3.5)});
        return QIcon(pixmap);
    }();
    return icon;
}

bool Is(const QString& key, QLatin1String name) {
    return key.compare(name, Qt::CaseInsensitive) == 0;
}

// A row's texts and the inputs its figures are worked out from, taken on the window's thread.
StoredProperty ReadRow(PortfolioRow& row) {
    StoredProperty stored;
    TrapSilently([&] {
        const int slotTotal = g_propertyTable.rowSlots(row.tableRow);
        for (int j = 1; j <= slotTotal; ++j) {
            const QString& key = g_propertyTable.key(row.tableRow, j);
            if (key.isEmpty())
                continue;
            const bool input = IsPortfolioInput(key);
            if (!input && !Is(key, QLatin1String("txtPropertyInformation")))
                continue;
            // Decoded for the row and not kept by the table: a hundred thousand properties
            // would otherwise leave millions of texts behind in it.
            const QString value = g_propertyTable.valueText(row.tableRow, j);
            if (Is(key, QLatin1String("txtPropertyInformation"))) {
                row.name = value;
            } else if (Is(key, QLatin1String("txtAddress"))) {
                row.address = value;
            } else if (Is(key, QLatin1String("txtMiscNotes"))) {
                row.notes = value;
            } else if (Is(key, QLatin1String("txtUnits"))) {
                row.units = value;
                row.unitTexts.append(value);
            } else if (Is(key, QLatin1String("txtPurchasePrice"))) {
                row.priceTexts.append(value);
            }
            if (input)
                stored.append({key, value});
        }
    });
    row.unitsNumber = kNaN;
    if (!row.units.trimmed().isEmpty())
        TrapSilently([&] { row.unitsNumber = FieldNumber(row.units); });
    row.read = true;
    return stored;
}

} // namespace

StoredProperty StoredInputs(qint32 tableRow) {
    PortfolioRow row;
    row.tableRow = tableRow;
    return ReadRow(row);
}

const QStringList& PortfolioTableModel::headers() {
    static const QStringList names{QStringLiteral("Property"),
                                   QStringLiteral("Address"),
                                   QStringLiteral("Units"),
                                   QStringLiteral("Price"),
                                   QStringLiteral("Price per Unit"),
                                   QStringLiteral("Cash Invested"),
                                   QStringLiteral("Monthly Cash Flow"),
                                   QStringLiteral("Cap Rate"),
                                   QStringLiteral("Cash-on-Cash"),
                                   QStringLiteral("DSCR"),
                                   QStringLiteral("GRM"),
                                   QStringLiteral("Break-Even"),
                                   QStringLiteral("IRR After Tax"),
                                   QStringLiteral("Equity Multiple"),
                                   QStringLiteral("Max Offer"),
                                   QStringLiteral("Criteria")};
    return names;
}

bool PortfolioTableModel::isNumeric(int column) {
    return column >= Units && column < ColumnCount;
}

PortfolioTableModel::PortfolioTableModel(QObject* parent) : QAbstractTableModel(parent) {
    m_pool.setMaxThreadCount(qMax(1, QThread::idealThreadCount()));
    m_reader.setSingleShot(true);
    m_reader.setInterval(0);
    connect(&m_reader, &QTimer::timeout, this, &PortfolioTableModel::readSlice);
}

PortfolioTableModel::~PortfolioTableModel() {
    m_reader.stop();
    m_pool.clear();
    m_pool.waitForDone();
}

bool PortfolioTableModel::refresh() {
    const quint64 generation = g_propertyTable.generation();
    if (m_started && generation == m_generation)
        return false;
    m_pool.clear(); // batches of the old table that have not started yet
    ++m_passSerial;
    m_pass = Pass::None;
    m_offersIn = false;
    beginResetModel();
    m_started = true;
    m_generation = generation;
    const int n = qMax(0, g_propertyTable.propertyCount());
    m_rows.assign(size_t(n), PortfolioRow());
    for (int i = 0; i < n; ++i) {
        m_rows[size_t(i)].tableRow = i + 1;
        m_rows[size_t(i)].figures.fill(kNaN);
    }
    m_nextRead = 0;
    m_computed = 0;
    m_inFlight = 0;
    endResetModel();
    emit progress(0, n);
    if (n == 0) {
        emit allRead();
        emit filled();
    } else {
        m_reader.start();
    }
    return true;
}

void PortfolioTableModel::readSlice() {
    QElapsedTimer clock;
    clock.start();
    const int n = int(m_rows.size());
    // Enough batches queued to keep every worker busy, not the whole table read ahead.
    const int mostInFlight = 4 * m_pool.maxThreadCount() + 2;
    const int firstRead = m_nextRead;
    while (m_nextRead < n && m_inFlight < mostInFlight) {
        const int first = m_nextRead;
        const int end = qMin(n, first + kBatchRows);
        std::vector<StoredProperty> batch;
        batch.reserve(size_t(end - first));
        for (int i = first; i < end; ++i)
            batch.push_back(ReadRow(m_rows[size_t(i)]));
        m_nextRead = end;
        ++m_inFlight;
        const quint64 generation = m_generation;
        const quint64 criteriaGeneration = m_criteriaGeneration;
        auto* watcher = new QFutureWatcher<std::vector<Figures>>(this);
        connect(watcher, &QFutureWatcherBase::finished, this,
                [this, watcher, generation, criteriaGeneration, first] {
                    apply(generation, criteriaGeneration, first, watcher->result());
                    watcher->deleteLater();
                });
        watcher->setFuture(
            QtConcurrent::run(&m_pool, [batch = std::move(batch), criteria = m_criteria] {
                std::vector<Figures> figures;
                figures.reserve(batch.size());
                for (const StoredProperty& stored : batch) {
                    Figures f;
                    f.property = ComputePortfolioProperty(stored);
                    f.criteria = ComputePortfolioCriteria(f.property.inputs, f.property.units,
                                                          criteria, false);
                    figures.push_back(std::move(f));
                }
                return figures;
            }));
        if (clock.elapsed() >= kSliceMilliseconds)
            break;
    }
    if (m_nextRead > firstRead)
        emit dataChanged(index(firstRead, Property), index(m_nextRead - 1, Units));
    if (m_nextRead == n && firstRead < n)
        emit allRead();
    if (m_nextRead < n && m_inFlight < mostInFlight)
        m_reader.start();
}

void PortfolioTableModel::apply(quint64 generation, quint64 criteriaGeneration, int first,
                                const std::vector<Figures>& results) {
    if (generation != m_generation)
        return; // worked out for a table that is gone
    --m_inFlight;
    for (size_t i = 0; i < results.size(); ++i) {
        PortfolioRow& row = m_rows[size_t(first) + i];
        row.figures = results[i].property.figures;
        row.inputs = results[i].property.inputs;
        row.unitCount = results[i].property.units;
        row.criteria = results[i].criteria;
        row.criteriaKnown = criteriaGeneration == m_criteriaGeneration;
        row.computed = true;
    }
    const int count = int(results.size());
    m_computed += count;
    if (count > 0)
        emit dataChanged(index(first, Price), index(first + count - 1, ColumnCount - 1));
    emit progress(m_computed, int(m_rows.size()));
    if (isFilled()) {
        emit filled();
        // Criteria that changed while the figures came in are counted again first.
        const bool stale = std::any_of(m_rows.begin(), m_rows.end(),
                                       [](const PortfolioRow& r) { return !r.criteriaKnown; });
        if (!stale)
            emit criteriaIn();
        startPass(stale ? Pass::Counts : Pass::Offers);
    }
    if (m_nextRead < int(m_rows.size()) && !m_reader.isActive())
        m_reader.start();
}

void PortfolioTableModel::setCriteria(const InvestmentCriteria& criteria) {
    m_criteria = criteria;
    ++m_criteriaGeneration;
    m_offersIn = false;
    for (PortfolioRow& row : m_rows)
        row.criteriaKnown = row.offerKnown = false;
    if (!m_rows.empty())
        emit dataChanged(index(0, MaxOffer), index(int(m_rows.size()) - 1, Criteria));
    if (m_started && isFilled())
        startPass(Pass::Counts);
    else
        ++m_passSerial; // the figures' own batches count them with these criteria
}

bool PortfolioTableModel::areOffersIn() const {
    return m_offersIn;
}

void PortfolioTableModel::startPass(Pass pass) {
    ++m_passSerial;
    m_pass = pass;
    m_nextPass = 0;
    m_passInFlight = 0;
    m_offersIn = false;
    if (m_rows.empty()) {
        m_pass = Pass::None;
        m_offersIn = true;
        emit offersIn();
        return;
    }
    dispatchPass();
}

void PortfolioTableModel::dispatchPass() {
    const int n = int(m_rows.size());
    const bool offers = m_pass == Pass::Offers;
    const int batchRows = offers ? kOfferBatchRows : kBatchRows;
    const int mostInFlight = 2 * m_pool.maxThreadCount();
    while (m_nextPass < n && m_passInFlight < mostInFlight) {
        const int first = m_nextPass;
        const int end = qMin(n, first + batchRows);
        std::vector<std::pair<ReturnsInputs, double>> items;
        items.reserve(size_t(end - first));
        for (int i = first; i < end; ++i)
            items.emplace_back(m_rows[size_t(i)].inputs, m_rows[size_t(i)].unitCount);
        m_nextPass = end;
        ++m_passInFlight;
        const quint64 serial = m_passSerial;
        auto* watcher = new QFutureWatcher<std::vector<PortfolioCriteria>>(this);
        connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, serial, first] {
            applyPass(serial, first, watcher->result());
            watcher->deleteLater();
        });
        watcher->setFuture(
            QtConcurrent::run(&m_pool, [items = std::move(items), criteria = m_criteria, offers] {
                std::vector<PortfolioCriteria> results;
                results.reserve(items.size());
                for (const auto& [inputs, units] : items)
                    results.push_back(ComputePortfolioCriteria(inputs, units, criteria, offers));
                return results;
            }));
    }
}

void PortfolioTableModel::applyPass(quint64 serial, int first,
                                    const std::vector<PortfolioCriteria>& results) {
    if (serial != m_passSerial)
        return; // a pass given up for new criteria or a new table
    --m_passInFlight;
    const bool offers = m_pass == Pass::Offers;
    for (size_t i = 0; i < results.size(); ++i) {
        PortfolioRow& row = m_rows[size_t(first) + i];
        row.criteria = results[i];
        row.criteriaKnown = true;
        row.offerKnown = offers;
    }
    if (!results.empty())
        emit dataChanged(index(first, MaxOffer), index(first + int(results.size()) - 1, Criteria));
    if (m_nextPass < int(m_rows.size())) {
        dispatchPass();
        return;
    }
    if (m_passInFlight > 0)
        return;
    if (!offers) {
        emit criteriaIn();
        startPass(Pass::Offers);
        return;
    }
    m_pass = Pass::None;
    m_offersIn = true;
    emit offersIn();
}

double PortfolioTableModel::number(int sourceRow, int column) const {
    const PortfolioRow& r = m_rows[size_t(sourceRow)];
    if (column == Units)
        return r.read ? r.unitsNumber : kNaN;
    if (column == MaxOffer)
        return r.offerKnown ? r.criteria.offerSort : kNaN;
    if (column == Criteria)
        return r.criteriaKnown && r.criteria.priceable ? double(r.criteria.met) : kNaN;
    const PortfolioFigure figure = FigureOf(column);
    if (figure == PortfolioFigure::Count || !r.computed)
        return kNaN;
    return r.figures[size_t(figure)];
}

QString PortfolioTableModel::text(int sourceRow, int column) const {
    const PortfolioRow& r = m_rows[size_t(sourceRow)];
    switch (column) {
    case Property:
        return r.name;
    case Address:
        return r.address;
    case Units:
        return r.units;
    case MaxOffer:
        return r.offerKnown ? r.criteria.offerText : QStringLiteral("…");
    case Criteria:
        return r.criteriaKnown ? r.criteria.criteriaText() : QStringLiteral("…");
    default:
        break;
    }
    if (!r.computed)
        return QStringLiteral("…");
    const PortfolioFigure figure = FigureOf(column);
    return PortfolioFigureText(figure, r.figures[size_t(figure)]);
}

int PortfolioTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int PortfolioTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PortfolioTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(m_rows.size()))
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return int((isNumeric(index.column()) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    case Qt::UserRole:
        return number(index.row(), index.column());
    case Qt::DecorationRole: {
        const PortfolioRow& r = m_rows[size_t(index.row())];
        if (index.column() == Criteria && r.criteriaKnown && r.criteria.meetsEvery())
            return TickIcon();
        return QVariant();
    }
    case Qt::ToolTipRole: {
        const PortfolioRow& r = m_rows[size_t(index.row())];
        if (index.column() == Criteria && r.criteriaKnown && r.criteria.meetsEvery())
            return QStringLiteral("Meets every investment criterion in force");
        return QVariant();
    }
    default:
        return QVariant();
    }
}

QVariant PortfolioTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return headers().at(section);
    if (role == Qt::TextAlignmentRole)
        return int((isNumeric(section) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return QVariant();
}

// ---------------------------------------------------------------------------------------------

PortfolioSortProxy::PortfolioSortProxy(QObject* parent) : QAbstractProxyModel(parent) {}

PortfolioTableModel* PortfolioSortProxy::model() const {
    return static_cast<PortfolioTableModel*>(sourceModel());
}

void PortfolioSortProxy::setSourceModel(QAbstractItemModel* source) {
    beginResetModel();
    for (const QMetaObject::Connection& c : qAsConst(m_connections))
        disconnect(c);
    m_connections.clear();
    QAbstractProxyModel::setSourceModel(source);
    auto* table = qobject_cast<PortfolioTableModel*>(source);
    Q_ASSERT(table || !source);
    if (table) {
        // A column whose figures come in last is sorted again once they are all in.
        const auto resortOn = [this, table](auto signal, int column) {
            m_connections << connect(table, signal, this, [this, column] {
                if (m_sortColumn == column)
                    sort(m_sortColumn, m_sortOrder);
            });
        };
        m_connections << connect(table, &QAbstractItemModel::modelAboutToBeReset, this,
                                 [this] { beginResetModel(); });
        m_connections << connect(table, &QAbstractItemModel::modelReset, this, [this] {
            order();
            endResetModel();
        });
        m_connections << connect(table, &QAbstractItemModel::dataChanged, this,
                                 &PortfolioSortProxy::sourceDataChanged);
        // The filter and the search see a property once its texts are taken.
        m_connections << connect(table, &PortfolioTableModel::allRead, this, [this] {
            if (!m_search.isEmpty() || m_rule.isActive())
                rebuild();
        });
        // Rows are not moved while their figures come in: the order is settled once they are.
        m_connections << connect(table, &PortfolioTableModel::filled, this, [this] {
            if (m_sortColumn >= 0)
                sort(m_sortColumn, m_sortOrder);
        });
        resortOn(&PortfolioTableModel::criteriaIn, PortfolioTableModel::Criteria);
        resortOn(&PortfolioTableModel::offersIn, PortfolioTableModel::MaxOffer);
    }
    order();
    endResetModel();
}

void PortfolioSortProxy::setFilterText(const QString& filter) {
    if (filter == m_filter)
        return;
    m_filter = filter;
    m_rule = HomeFilter(filter);
    rebuild();
}

void PortfolioSortProxy::setSearchText(const QString& search) {
    if (search == m_search)
        return;
    m_search = search;
    rebuild();
}

bool PortfolioSortProxy::accepts(const PortfolioRow& row) const {
    const HomeFilter& rule = m_rule;
    if (!row.read)
        return m_search.isEmpty() && !rule.isActive();
    if (!SearchFinds(m_search, row.name, row.address, row.notes))
        return false;
    if (rule.tests(QStringLiteral("txtUnits"))) {
        for (const QString& units : row.unitTexts) {
            if (rule.rejects(units, true))
                return false;
        }
    }
    if (rule.tests(QStringLiteral("txtPurchasePrice"))) {
        for (const QString& price : row.priceTexts) {
            if (rule.rejects(price, true))
                return false;
        }
    }
    return true;
}

void PortfolioSortProxy::order() {
    const PortfolioTableModel* table = model();
    const int n = table ? table->rowCount() : 0;
    m_order.clear();
    m_position.fill(-1, n);
    if (!table)
        return;
    const bool all = m_search.isEmpty() && !m_rule.isActive();
    m_order.reserve(n);
    for (int r = 0; r < n; ++r) {
        if (all || accepts(table->row(r)))
            m_order.append(r);
    }
    const int column = m_sortColumn;
    const bool up = m_sortOrder == Qt::AscendingOrder;
    if (column >= 0 && PortfolioTableModel::isNumeric(column)) {
        // Each row's number taken once: a hundred thousand rows sort in a few milliseconds.
        std::vector<std::pair<double, int>> keyed;
        keyed.reserve(size_t(m_order.size()));
        for (int r : qAsConst(m_order))
            keyed.emplace_back(table->number(r, column), r);
        std::stable_sort(keyed.begin(), keyed.end(), [up](const auto& a, const auto& b) {
            const bool noA = std::isnan(a.first);
            const bool noB = std::isnan(b.first);
            if (noA || noB)
                return !noA && noB; // n/a last, whichever way
            return up ? a.first < b.first : a.first > b.first;
        });
        for (size_t i = 0; i < keyed.size(); ++i)
            m_order[qsizetype(i)] = keyed[i].second;
    } else if (column >= 0) {
        const auto textOf = [&](int r) -> const QString& {
            return column == PortfolioTableModel::Property ? table->row(r).name
                                                           : table->row(r).address;
        };
        std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) {
            const QString& x = textOf(a);
            const QString& y = textOf(b);
            if (x.isEmpty() || y.isEmpty())
                return !x.isEmpty() && y.isEmpty(); // nameless last
            const int c = x.compare(y, Qt::CaseInsensitive);
            return up ? c < 0 : c > 0;
        });
    }
    for (int i = 0; i < m_order.size(); ++i)
        m_position[m_order[i]] = i;
}

void PortfolioSortProxy::rebuild() {
    beginResetModel();
    order();
    endResetModel();
}

void PortfolioSortProxy::sort(int column, Qt::SortOrder order) {
    m_sortColumn = column >= 0 && column < PortfolioTableModel::ColumnCount ? column : -1;
    m_sortOrder = order;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // The selection and the current row stay on their properties.
    const QModelIndexList before = persistentIndexList();
    QVector<int> sources;
    sources.reserve(before.size());
    for (const QModelIndex& i : before)
        sources.append(i.isValid() ? m_order.value(i.row(), -1) : -1);
    this->order();
    QModelIndexList after;
    after.reserve(before.size());
    for (int k = 0; k < before.size(); ++k) {
        const int position = sources[k] >= 0 ? m_position.value(sources[k], -1) : -1;
        after.append(position >= 0 ? index(position, before[k].column()) : QModelIndex());
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void PortfolioSortProxy::sourceDataChanged(const QModelIndex& topLeft,
                                           const QModelIndex& bottomRight,
                                           const QList<int>& roles) {
    int low = std::numeric_limits<int>::max();
    int high = -1;
    for (int r = topLeft.row(); r <= bottomRight.row(); ++r) {
        const int p = m_position.value(r, -1);
        if (p >= 0) {
            low = qMin(low, p);
            high = qMax(high, p);
        }
    }
    if (high >= 0)
        emit dataChanged(index(low, topLeft.column()), index(high, bottomRight.column()), roles);
}

QModelIndex PortfolioSortProxy::mapToSource(const QModelIndex& proxyIndex) const {
    if (!proxyIndex.isValid() || !sourceModel() || proxyIndex.row() >= m_order.size())
        return QModelIndex();
    return sourceModel()->index(m_order[proxyIndex.row()], proxyIndex.column());
}

QModelIndex PortfolioSortProxy::mapFromSource(const QModelIndex& sourceIndex) const {
    if (!sourceIndex.isValid())
        return QModelIndex();
    const int p = m_position.value(sourceIndex.row(), -1);
    return p < 0 ? QModelIndex() : index(p, sourceIndex.column());
}

QModelIndex PortfolioSortProxy::index(int row, int column, const QModelIndex& parent) const {
    if (parent.isValid() || row < 0 || row >= m_order.size() || column < 0 ||
        column >= PortfolioTableModel::ColumnCount)
        return QModelIndex();
    return createIndex(row, column);
}

QModelIndex PortfolioSortProxy::parent(const QModelIndex&) const {
    return QModelIndex();
}

int PortfolioSortProxy::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_order.size());
}

int PortfolioSortProxy::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : PortfolioTableModel::ColumnCount;
}

bool PortfolioSortProxy::hasChildren(const QModelIndex& parent) const {
    return !parent.isValid() && !m_order.isEmpty();
}

// ---------------------------------------------------------------------------------------------

double PortfolioTotals::capRate() const {
    return price > 0 ? yearOneNoi / price : kNaN;
}

double PortfolioTotals::cashOnCash() const {
    return cashInvested > 0 ? yearOneCashFlow / cashInvested : kNaN;
}

PortfolioTotals SumPortfolio(const PortfolioTableModel& model, const QVector<int>& sourceRows) {
    PortfolioTotals t;
    t.shown = int(sourceRows.size());
    for (int r : sourceRows) {
        const PortfolioRow& row = model.row(r);
        const auto value = [&](PortfolioFigure f) { return row.figures[size_t(f)]; };
        const double figures[] = {
            value(PortfolioFigure::Price), value(PortfolioFigure::CashInvested),
            value(PortfolioFigure::MonthlyCashFlow), value(PortfolioFigure::YearOneNoi),
            value(PortfolioFigure::YearOneCashFlow)};
        if (!row.computed || std::any_of(std::begin(figures), std::end(figures),
                                         [](double v) { return std::isnan(v); })) {
            ++t.leftOut;
            continue;
        }
        t.price += figures[0];
        t.cashInvested += figures[1];
        t.monthlyCashFlow += figures[2];
        t.yearOneNoi += figures[3];
        t.yearOneCashFlow += figures[4];
    }
    return t;
}

QString PortfolioTotalsText(const PortfolioTotals& t) {
    const QString middle = QStringLiteral(" \u00b7 ");
    QString text =
        t.shown == 1 ? QStringLiteral("1 property") : QStringLiteral("%1 properties").arg(t.shown);
    text += middle + QStringLiteral("Price ") + ReturnsMoneyText(t.price);
    text += middle + QStringLiteral("Cash invested ") + ReturnsMoneyText(t.cashInvested);
    text += middle + QStringLiteral("Monthly cash flow ") + ReturnsMoneyText(t.monthlyCashFlow);
    text += middle + QStringLiteral("Cap rate ") + ReturnsPercentText(t.capRate());
    text += middle + QStringLiteral("Cash-on-cash ") + ReturnsPercentText(t.cashOnCash());
    if (t.leftOut > 0)
        text += middle + QStringLiteral("%1 with n/a left out of the sums").arg(t.leftOut);
    return text;
}
