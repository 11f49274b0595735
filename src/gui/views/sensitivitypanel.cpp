#include "gui/views/sensitivitypanel.h"

#include "gui/dialogs/criteriasettings.h"
#include "gui/views/controltable.h"
#include "gui/views/sensitivitymatrixmodel.h"
#include "gui/views/sensitivitytablemodel.h"
#include "gui/widgets/plaincelldelegate.h"
#include "gui/widgets/tornadochart.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTableView>

namespace {

constexpr int kLeft = 240;
constexpr int kInner = ViewFrame::kWidth - 480;
constexpr int kRowPixels = 20;

// Outlines the cell of the figures as typed, whatever colour it has.
class BaseCellDelegate : public PlainCellDelegate {
public:
    using PlainCellDelegate::PlainCellDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        PlainCellDelegate::paint(painter, option, index);
        if (!index.data(SensitivityMatrixModel::BaseCellRole).toBool())
            return;
        painter->save();
        painter->setPen(QPen(option.palette.color(QPalette::Text), 2));
        painter->drawRect(QRectF(option.rect).adjusted(1, 1, -1, -1));
        painter->restore();
    }
};

// A table exactly tall enough for its heading and `rows` rows, in twips.
int TableHeight(QTableView* table, int rows) {
    QHeaderView* heading = table->horizontalHeader();
    const int headingHeight =
        qMax(heading->sizeHint().height(), heading->fontMetrics().height() + 8);
    // Exactly that tall, so the rows fill the rest to the bottom edge.
    heading->setFixedHeight(headingHeight);
    return 15 * (headingHeight + kRowPixels * rows + 2 * table->frameWidth());
}

void SetUpTable(QTableView* table) {
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->setDefaultSectionSize(kRowPixels);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

} // namespace

SensitivityPanel::SensitivityPanel(QWidget* view, ControlTable& controls,
                                   std::function<QString()> propertyName,
                                   std::function<Prompts*()> prompts)
    : ViewFrame(view, controls, QStringLiteral("fraSensitivity"), QString(), 0),
      m_propertyName(std::move(propertyName)), m_prompts(std::move(prompts)) {
    addGroupHeading(QStringLiteral("Sensitivity"), kLeft, 0, 1800);
    addCaption(this, QStringLiteral("lblSensitivityMetric"), QStringLiteral("Figure:"), 2100, 0,
               780);
    m_metric = new QComboBox(this);
    controls.add(m_metric, QStringLiteral("cmbSensitivityMetric"), 0, ControlKind::ComboBox);
    for (Criterion c : SensitivityMetrics())
        m_metric->addItem(CriterionCaption(c), int(c));
    PlaceTwips(m_metric, 2880, -15, 3300, 345);
    connect(m_metric, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &SensitivityPanel::recompute);

    m_copy = new QPushButton(QStringLiteral("Cop&y Tables"), this);
    controls.add(m_copy, QStringLiteral("cmdCopySensitivity"), 0, ControlKind::Label);
    PlaceTwips(m_copy, 6900, -30, 1620, 375);
    m_csv = new QPushButton(QStringLiteral("Export C&SV..."), this);
    controls.add(m_csv, QStringLiteral("cmdExportSensitivityCsv"), 0, ControlKind::Label);
    PlaceTwips(m_csv, 8640, -30, 1980, 375);
    connect(m_copy, &QPushButton::clicked, this, &SensitivityPanel::cmdCopySensitivity_Click);
    connect(m_csv, &QPushButton::clicked, this, &SensitivityPanel::cmdExportSensitivityCsv_Click);

    m_note = addCaption(this, QStringLiteral("lblSensitivityNote"),
                        QStringLiteral("Each input moved one step down and one step up, "
                                       "everything else as typed; the largest swing first."),
                        kLeft, 420, kInner);
    m_note->setFont(PixelFont(12, false));

    m_model = new SensitivityTableModel(this);
    m_table = new QTableView(this);
    controls.add(m_table, QStringLiteral("tblSensitivity"), 0, ControlKind::Label);
    m_table->setModel(m_model);
    m_table->setItemDelegate(new PlainCellDelegate(m_table));
    SetUpTable(m_table);
    m_table->verticalHeader()->hide();
    // The input's caption keeps its width; the figures share what a wide window adds.
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->horizontalHeader()->setMinimumSectionSize(100);
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Fixed);
    m_table->setColumnWidth(0, 250);

    m_chart = new TornadoChart(this);
    controls.add(m_chart, QStringLiteral("chartSensitivity"), 0, ControlKind::Label);
    m_chart->setModel(m_model);

    m_matrixCaption =
        addCaption(this, QStringLiteral("lblSensitivityMatrix"),
                   QStringLiteral("Purchase Price (rows) \u00d7 Gross Monthly Income (columns): "
                                  "green meets your target, red misses it."),
                   kLeft, 0, kInner);
    m_matrixModel = new SensitivityMatrixModel(this);
    m_matrix = new QTableView(this);
    controls.add(m_matrix, QStringLiteral("tblSensitivityMatrix"), 0, ControlKind::Label);
    m_matrix->setModel(m_matrixModel);
    SetUpTable(m_matrix);
    m_matrix->setItemDelegate(new BaseCellDelegate(m_matrix));
    m_matrix->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_matrix->verticalHeader()->setMinimumWidth(130);
    // The tornado has as many rows as inputs (two more with a repair): no empty rows under them.
    connect(m_model, &QAbstractItemModel::modelReset, this, &SensitivityPanel::layoutRows);
    layoutRows();

    connect(&CriteriaSettings::instance(), &CriteriaSettings::changed, this,
            &SensitivityPanel::recompute);
    show();
}

void SensitivityPanel::layoutRows() {
    const int rows = m_model->rowCount() > 0 ? m_model->rowCount() : kSensitivityInputCount;
    if (rows == m_rows)
        return;
    m_rows = rows;
    int top = 780;
    const int tableHeight = TableHeight(m_table, rows);
    PlaceTwips(m_table, kLeft, top, kInner, tableHeight);
    top += tableHeight + 120;
    PlaceTwips(m_chart, kLeft, top, kInner, 4200);
    top += 4200 + 180;
    PlaceTwips(m_matrixCaption, kLeft, top, kInner, 315);
    top += 360;
    const int matrixHeight = TableHeight(m_matrix, kMatrixSize);
    PlaceTwips(m_matrix, kLeft, top, kInner, matrixHeight);
    m_height = top + matrixHeight;
    resize(width(), TwipsToPixels(m_height));
    layoutWidth();
    emit heightChanged();
}

void SensitivityPanel::layoutWidth() {
    // The tables, the chart and the lines above them take the panel's whole width; the
    // buttons stay at its right end.
    const int left = TwipsToPixels(kLeft);
    const int inner = width() - 2 * left;
    for (QWidget* w : {static_cast<QWidget*>(m_table), static_cast<QWidget*>(m_chart),
                       static_cast<QWidget*>(m_matrix), static_cast<QWidget*>(m_note),
                       static_cast<QWidget*>(m_matrixCaption)})
        w->resize(inner, w->height());
    m_csv->move(left + inner - m_csv->width(), m_csv->y());
    m_copy->move(m_csv->x() - 8 - m_copy->width(), m_copy->y());
}

void SensitivityPanel::resizeEvent(QResizeEvent* event) {
    ViewFrame::resizeEvent(event);
    layoutWidth();
}

int SensitivityPanel::placeAt(int top) {
    move(0, TwipsToPixels(top));
    resize(width(), TwipsToPixels(m_height));
    return top + m_height;
}

int SensitivityPanel::heightTwips() const {
    return m_height;
}

Criterion SensitivityPanel::metric() const {
    return Criterion(m_metric->currentData().toInt());
}

void SensitivityPanel::refresh(const ReturnsInputs& in, double units) {
    m_inputs = in;
    m_units = units;
    m_hasInputs = true;
    recompute();
}

void SensitivityPanel::recompute() {
    // The view is hidden: it works everything out again when it comes back.
    if (!m_hasInputs || !isVisibleTo(window()))
        return;
    const Criterion c = metric();
    const std::optional<double> target = CriteriaSettings::instance().criteria().target(c);
    m_chart->setValueText([c](double v) { return CriterionValueText(c, v); });
    m_model->setTornado(ComputeTornado(m_inputs, m_units, c), target);
    m_matrixModel->setMatrix(ComputeSensitivityMatrix(m_inputs, m_units, c, target));
}

QString SensitivityPanel::tablesText(QChar separator) const {
    return m_model->tableText(separator) + QLatin1String("\r\n") +
           m_matrixModel->tableText(separator);
}

void SensitivityPanel::cmdCopySensitivity_Click() {
    QApplication::clipboard()->setText(tablesText(QLatin1Char('\t')));
}

void SensitivityPanel::cmdExportSensitivityCsv_Click() {
    m_export.write(
        this, m_propertyName(), [this] { return tablesText(QLatin1Char(',')).toUtf8(); },
        m_prompts());
}
