#pragma once

#include "analysis/portfolio.h"
#include "gui/views/homefilter.h"

#include <QAbstractProxyModel>
#include <QAbstractTableModel>
#include <QThreadPool>
#include <QTimer>

#include <array>
#include <vector>

// The inputs of the property at a row of the property table (1..N), as its figures are worked
// out from; read on the window's thread.
StoredProperty StoredInputs(qint32 tableRow);

// One property of the portfolio table: the texts the filter and the search look at, taken from
// the property table, and its figures, worked out in the background.
struct PortfolioRow {
    qint32 tableRow = 0;
    bool read = false;     // its texts are taken
    bool computed = false; // its figures are in
    QString name;
    QString address;
    QString units;          // as stored
    QString notes;          // as stored, line breaks as "~|"
    double unitsNumber = 0; // NaN when the units do not convert
    QStringList unitTexts;  // every txtUnits and txtPurchasePrice value: what the filter tests
    QStringList priceTexts;
    std::array<double, kPortfolioFigureCount> figures{}; // NaN for n/a
    ReturnsInputs inputs; // what the criteria and the offer are worked out from
    double unitCount = 1; // what a figure per unit divides by
    PortfolioCriteria criteria;
    bool criteriaKnown = false; // met / in force, for the criteria in force now
    bool offerKnown = false;
};

// Every property of the database as a row of figures. The rows follow the property table: a
// table loaded or reset since (its generation moved on) drops them all and fills them again.
// Filling takes each property's texts on this thread a slice at a time, between which the
// window answers, and works the figures out on worker threads, which see plain copies only:
// the property table decodes its values as they are asked for and may not be read from two
// threads. Figures are computed once per property and kept until the table changes.
//
// The criteria column counts the user's targets met along with the figures; the offer, five
// price searches per property, comes in a pass of its own once every other figure is in, and
// both are worked out again when the user changes the criteria.
class PortfolioTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Property,
        Address,
        Units,
        Price,
        PricePerUnit,
        CashInvested,
        MonthlyCashFlow,
        CapRate,
        CashOnCash,
        DebtServiceCoverage,
        GrossRentMultiplier,
        BreakEven,
        IrrAfterTax,
        EquityMultiple,
        MaxOffer,
        Criteria,
        ColumnCount
    };
    static const QStringList& headers();
    // Whether a column sorts by number (a figure, the units) rather than by text.
    static bool isNumeric(int column);

    explicit PortfolioTableModel(QObject* parent = nullptr);
    ~PortfolioTableModel() override;

    // Follows the property table; starts the fill over when its generation moved on. True when
    // it started over.
    bool refresh();
    // The user's criteria the Criteria and Max Offer columns are measured against; new ones
    // work those two columns out again.
    void setCriteria(const InvestmentCriteria& criteria);
    // Every row's offer is in, for the criteria in force.
    bool areOffersIn() const;
    bool isFilled() const { return m_computed == int(m_rows.size()); }
    bool isRead() const { return m_nextRead == int(m_rows.size()); }
    int computedRows() const { return m_computed; }

    const PortfolioRow& row(int sourceRow) const { return m_rows[size_t(sourceRow)]; }
    // The number a cell sorts by; NaN for n/a and for figures not in yet.
    double number(int sourceRow, int column) const;
    // The cell's text as the table shows it.
    QString text(int sourceRow, int column) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

signals:
    void progress(int computed, int total);
    // Every row's texts are taken: the filter and the search see every property.
    void allRead();
    // Every row's figures are in.
    void filled();
    // The Criteria column, then the Max Offer column, are in for every row.
    void criteriaIn();
    void offersIn();

private:
    struct Figures {
        PortfolioProperty property;
        PortfolioCriteria criteria;
    };
    // The criteria over the rows already worked out: the counts alone, then with the offer.
    enum class Pass { None, Counts, Offers };

    void readSlice();
    void apply(quint64 generation, quint64 criteriaGeneration, int first,
               const std::vector<Figures>& results);
    void startPass(Pass pass);
    void dispatchPass();
    void applyPass(quint64 serial, int first, const std::vector<PortfolioCriteria>& results);

    std::vector<PortfolioRow> m_rows;
    quint64 m_generation = 0;
    bool m_started = false;
    int m_nextRead = 0;
    int m_computed = 0;
    int m_inFlight = 0;
    InvestmentCriteria m_criteria;
    quint64 m_criteriaGeneration = 0;
    Pass m_pass = Pass::None;
    quint64 m_passSerial = 0; // what comes back from an abandoned pass is dropped
    int m_nextPass = 0;
    int m_passInFlight = 0;
    bool m_offersIn = false;
    QTimer m_reader;
    QThreadPool m_pool;
};

// The table's order and selection of rows: the filter box's rule and the search text decide
// which properties are shown, a column and direction how they are sorted. Figures sort by
// number and "n/a" last whichever way; text sorts alphabetically, letter case ignored; equal
// rows keep the database's order. Sorting works on the rows' own numbers, so a hundred
// thousand properties sort in a few milliseconds.
class PortfolioSortProxy : public QAbstractProxyModel {
    Q_OBJECT
public:
    explicit PortfolioSortProxy(QObject* parent = nullptr);

    void setSourceModel(QAbstractItemModel* source) override;
    void setFilterText(const QString& filter);
    void setSearchText(const QString& search);
    // column -1: the database's order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }

    // The source row shown at a row, and the shown source rows in order.
    int sourceRow(int proxyRow) const { return m_order.at(proxyRow); }
    const QVector<int>& shownRows() const { return m_order; }

    QModelIndex mapToSource(const QModelIndex& proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex& sourceIndex) const override;
    QModelIndex index(int row, int column,
                      const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;

private:
    PortfolioTableModel* model() const;
    bool accepts(const PortfolioRow& row) const;
    // The shown rows, filtered and sorted afresh, as a reset of the proxy.
    void rebuild();
    void order();
    void sourceDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                           const QList<int>& roles);

    QString m_filter;
    HomeFilter m_rule{QString()};
    QString m_search;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    QVector<int> m_order;    // proxy row -> source row
    QVector<int> m_position; // source row -> proxy row, -1 when not shown
    QVector<QMetaObject::Connection> m_connections;
};

// The line under the table: how many properties are shown, what they add up to and the
// portfolio's own ratios (cap rate = the sum of year-one NOI over the sum of prices, cash-on-cash
// = the sum of year-one cash flow before tax over the sum of cash invested). A row counts in the
// sums only with every figure they need, so each ratio is over the same properties as its sums;
// the others are counted apart.
struct PortfolioTotals {
    int shown = 0;
    int leftOut = 0; // shown, but a figure the sums need is n/a or not in yet
    double price = 0;
    double cashInvested = 0;
    double monthlyCashFlow = 0;
    double yearOneNoi = 0;
    double yearOneCashFlow = 0;
    double capRate() const;
    double cashOnCash() const;
};
PortfolioTotals SumPortfolio(const PortfolioTableModel& model, const QVector<int>& sourceRows);
QString PortfolioTotalsText(const PortfolioTotals& totals);
