#include "gui/views/compareview.h"

#include "gui/dialogs/criteriasettings.h"
#include "gui/dialogs/prompts.h"
#include "gui/views/comparemodel.h"
#include "gui/views/homepage.h"
#include "gui/views/portfoliotablemodel.h"
#include "gui/widgets/comparechart.h"
#include "gui/widgets/themecolours.h"
#include "store/propertytable.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

namespace {

constexpr int kMargin = 16;
constexpr int kChartHeight = 150;
constexpr int kButtonHeight = 26;

} // namespace

CompareView::CompareView(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("frameCompare"));
    Theme::Apply(this, Theme::Role::Page);

    m_heading = new QLabel(this);
    m_heading->setObjectName(QStringLiteral("lblCompareHeading"));
    QFont headingFont = font();
    headingFont.setPixelSize(14);
    headingFont.setBold(true);
    m_heading->setFont(headingFont);

    m_onlyDiffering = new QCheckBox(QStringLiteral("Show only rows that &differ"), this);
    m_onlyDiffering->setObjectName(QStringLiteral("chkCompareDifferent"));
    connect(m_onlyDiffering, &QCheckBox::toggled, this, &CompareView::chkCompareDifferent_Click);
    m_close = addButton(QStringLiteral("cmdCompareClose"), QStringLiteral("Close"));
    m_close->setToolTip(QStringLiteral("Back to the list (Escape)"));
    connect(m_close, &QPushButton::clicked, this, &CompareView::cmdCompareClose_Click);

    m_model = new CompareModel(this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("tblCompare"));
    m_table->setModel(m_model);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->setDefaultSectionSize(20);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // The properties share the width; with six each still shows its money.
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->horizontalHeader()->setMinimumSectionSize(84);
    m_table->horizontalHeader()->setToolTip(QStringLiteral("Double-click a name to open it"));
    // A double click or Enter opens the column's property; a single click only chooses it,
    // whatever the desktop's click setting.
    m_table->installEventFilter(this);
    connect(m_table, &QTableView::doubleClicked, this, &CompareView::cmdCompareOpen_Click);
    connect(m_table->horizontalHeader(), &QHeaderView::sectionDoubleClicked, this, [this](int c) {
        m_table->setCurrentIndex(m_model->index(0, c));
        cmdCompareOpen_Click();
    });

    m_chart = new CompareChart(this);
    m_chart->setObjectName(QStringLiteral("chartCompare"));

    m_open = addButton(QStringLiteral("cmdCompareOpen"), QStringLiteral("&Open"));
    m_open->setToolTip(QStringLiteral("Open the property of the chosen column"));
    m_csv = addButton(QStringLiteral("cmdCompareExportCsv"), QStringLiteral("Export &CSV..."));
    m_pdf = addButton(QStringLiteral("cmdCompareExportPdf"), QStringLiteral("Export PDF..."));
    m_print = addButton(QStringLiteral("cmdComparePrint"), QStringLiteral("Print..."));
    connect(m_open, &QPushButton::clicked, this, &CompareView::cmdCompareOpen_Click);
    connect(m_csv, &QPushButton::clicked, this, &CompareView::cmdCompareExportCsv_Click);
    connect(m_pdf, &QPushButton::clicked, this, &CompareView::pdfRequested);
    connect(m_print, &QPushButton::clicked, this, &CompareView::printRequested);
    hide();
}

QPushButton* CompareView::addButton(const QString& name, const QString& text) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    return button;
}

void CompareView::layoutTo(int width, int height) {
    resize(width, height);
    m_heading->setGeometry(kMargin, 6, 300, 24);
    m_onlyDiffering->setGeometry(330, 6, 230, 24);
    m_close->setGeometry(width - kMargin - 90, 5, 90, kButtonHeight);
    const int buttonsTop = height - kButtonHeight - 4;
    const int chartTop = buttonsTop - 6 - kChartHeight;
    m_table->setGeometry(kMargin, 36, width - 2 * kMargin, qMax(60, chartTop - 6 - 36));
    m_chart->setGeometry(kMargin, chartTop, width - 2 * kMargin, kChartHeight);
    int left = kMargin;
    for (QPushButton* button : {m_open, m_csv, m_pdf, m_print}) {
        const int w = button == m_open || button == m_print ? 90 : 112;
        button->setGeometry(left, buttonsTop, w, kButtonHeight);
        left += w + 8;
    }
}

void CompareView::showRows(const QVector<qint32>& rows) {
    m_generation = g_propertyTable.generation();
    QVector<CompareColumn> columns;
    for (qint32 row : rows) {
        CompareColumn c;
        c.tableRow = row;
        c.name = HomePage::PropertyName(row);
        c.property = ComputePortfolioProperty(StoredInputs(row));
        c.criteria = ComputePortfolioCriteria(c.property.inputs, c.property.units,
                                              CriteriaSettings::instance().criteria(), true);
        columns.append(c);
    }
    m_model->setColumns(columns);
    m_heading->setText(QStringLiteral("Side by side: %1 properties").arg(columns.size()));

    QStringList names;
    QVector<double> irr;
    QVector<double> cashOnCash;
    for (const CompareColumn& c : qAsConst(columns)) {
        names.append(c.name);
        irr.append(c.property.value(PortfolioFigure::IrrAfterTax));
        cashOnCash.append(c.property.value(PortfolioFigure::CashOnCash));
    }
    m_chart->setRates(names, irr, cashOnCash);
    // The first column current, so Open and Enter have something to act on.
    if (!columns.isEmpty())
        m_table->selectionModel()->setCurrentIndex(m_model->index(0, 0),
                                                   QItemSelectionModel::NoUpdate);
    show();
    raise();
    m_table->setFocus();
}

int CompareView::currentColumn() const {
    const QModelIndex current = m_table->currentIndex();
    return current.isValid() ? current.column() : -1;
}

void CompareView::cmdCompareOpen_Click() {
    const int c = currentColumn();
    if (c < 0 || c >= m_model->columns().size())
        return;
    const CompareColumn& column = m_model->columns().at(c);
    emit openRequested(column.tableRow, column.name);
}

void CompareView::cmdCompareExportCsv_Click() {
    m_export.write(
        this, QStringLiteral("Portfolio"),
        [this] { return m_model->tableText(QLatin1Char(',')).toUtf8(); },
        m_prompts ? &m_prompts() : nullptr);
}

void CompareView::cmdCompareClose_Click() {
    hide();
    emit closed();
}

void CompareView::chkCompareDifferent_Click() {
    m_model->setOnlyDiffering(m_onlyDiffering->isChecked());
}

void CompareView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        cmdCompareClose_Click();
        return;
    }
    QFrame::keyPressEvent(event);
}

bool CompareView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_table && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            cmdCompareOpen_Click();
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}
