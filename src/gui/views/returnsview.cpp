#include "gui/views/returnsview.h"

#include "base/numerictext.h"
#include "gui/views/controltable.h"
#include "gui/views/offerpanel.h"
#include "gui/views/rehabpanel.h"
#include "gui/views/returnstablemodel.h"
#include "gui/views/sensitivitypanel.h"
#include "gui/widgets/figureexplainer.h"
#include "gui/widgets/plaincelldelegate.h"
#include "gui/widgets/returnschart.h"
#include "model/fieldtable.h"

#include <QApplication>
#include <QClipboard>
#include <QGraphicsView>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QtMath>

namespace {

constexpr int kLeftCaption = 240;
constexpr int kLeftField = 3300;
constexpr int kRightCaption = 5700;
constexpr int kRightField = 8340;
constexpr int kFieldWidth = 1560;

enum class Shown { Money, Percent, Ratio, Multiple };

struct Figure {
    const char* name;
    const char* caption;
    Shown shown;
};

// The computed figures in the order they are laid out: the ratios, then the sale.
const Figure kFigures[] = {
    {"txtRetCashOnCash", "Cash-on-Cash Return", Shown::Percent},
    {"txtRetDSCR", "Debt Service Coverage", Shown::Ratio},
    {"txtRetGRM", "Gross Rent Multiplier", Shown::Ratio},
    {"txtRetBreakEven", "Break-Even Occupancy", Shown::Percent},
    {"txtRetExpenseRatio", "Operating Expense Ratio", Shown::Percent},
    {"txtRetLoanToValue", "Loan-to-Value", Shown::Percent},
    {"txtRetRentToPrice", "Monthly Rent-to-Price", Shown::Percent},
    {"txtRetSalePrice", "Sale Price", Shown::Money},
    {"txtRetSellingCostAmount", "Selling Costs", Shown::Money},
    {"txtRetLoanPayoff", "Loan Payoff", Shown::Money},
    {"txtRetTaxOnSale", "Tax on Sale", Shown::Money},
    {"txtRetSaleProceeds", "Sale Proceeds after Tax", Shown::Money},
    {"txtRetIRRBeforeTax", "IRR before Tax", Shown::Percent},
    {"txtRetIRRAfterTax", "IRR after Tax", Shown::Percent},
    {"txtRetEquityMultiple", "Equity Multiple", Shown::Multiple},
};
constexpr int kRatioCount = 7;
constexpr int kFigureCount = int(std::size(kFigures));

// What a blank input means, shown in it as a hint.
const char* placeholderOf(const QString& field) {
    if (field == kHoldingPeriodField)
        return "10";
    if (field == kSellingCostsField)
        return "6";
    if (field == kDepreciationYearsField)
        return "27.5";
    if (field == kRecaptureRateField)
        return "25";
    return "";
}

QString shownText(Shown shown, double value) {
    switch (shown) {
    case Shown::Money:
        return ReturnsMoneyText(value);
    case Shown::Percent:
        return ReturnsPercentText(value);
    case Shown::Ratio:
        return ReturnsRatioText(value);
    case Shown::Multiple:
        return ReturnsMultipleText(value);
    }
    return kNotAvailable;
}

// Figure values in the order of kFigures.
std::array<double, kFigureCount> figureValues(const ReturnsResult& r) {
    const ReturnsRatios& y = r.yearOne;
    const ReturnsSale& s = r.sale;
    return {y.cashOnCash,   y.debtServiceCoverage, y.grossRentMultiplier, y.breakEvenOccupancy,
            y.expenseRatio, y.loanToValue,         y.rentToPrice,         s.price,
            s.sellingCosts, s.loanPayoff,          s.taxOnSale,           s.proceedsAfterTax,
            r.irrBeforeTax, r.irrAfterTax,         r.equityMultiple};
}

} // namespace

QVector<ReturnsFigureText> ReturnsFigureTexts(const ReturnsResult& result) {
    const auto values = figureValues(result);
    QVector<ReturnsFigureText> texts;
    texts.reserve(kFigureCount);
    for (int i = 0; i < kFigureCount; ++i)
        texts.append({QString::fromLatin1(kFigures[i].caption),
                      shownText(kFigures[i].shown, values[size_t(i)])});
    return texts;
}

int ReturnsRatioCount() {
    return kRatioCount;
}

ReturnsView::ReturnsView(QWidget* parent, ControlTable& controls, Form& form)
    : ViewFrame(parent, controls, QStringLiteral("frameReturnsView"),
                QStringLiteral("Investment Returns"), 0),
      m_form(form) {
    auto* explainer =
        new FigureExplainer(this, [this](const QString& name) { return explain(name); });

    // Left column: the inputs, then the year-one ratios; right column: the sale.
    const QString inputs = QStringLiteral("Holding Period and Sale");
    addGroupHeading(inputs, kLeftCaption, 1620, 4500);
    int top = 1980;
    for (const FieldInfo* field : FieldsOf(FieldView::Returns, inputs)) {
        QLineEdit* edit = addFieldRow(*field, kLeftCaption, 3000, kLeftField, kFieldWidth, top);
        edit->setPlaceholderText(QString::fromLatin1(placeholderOf(field->name)));
        edit->setAlignment(Qt::AlignRight);
        connect(edit, &QLineEdit::textChanged, this, &ReturnsView::refresh);
        // The two periods count years; the percentages have their "%" already.
        if (field->name == kHoldingPeriodField || field->name == kDepreciationYearsField)
            addCaption(this, QStringLiteral("lbl") + field->name.mid(3) + QStringLiteral("Unit"),
                       QStringLiteral("years"), kLeftField + kFieldWidth + 60, top, 720);
        top += kRowPitch;
    }
    const int ratiosBottom =
        buildFigures(QStringLiteral("Year-One Ratios"), 0, kRatioCount, kLeftCaption, top + 120);
    const int saleBottom = buildFigures(QStringLiteral("Sale and Returns"), kRatioCount,
                                        kFigureCount, kRightCaption, 1620);
    for (QLineEdit* figure : m_figures)
        explainer->watch(figure);

    top = qMax(ratiosBottom, saleBottom) + 60;
    QLabel* note = addCaption(
        this, QStringLiteral("lblReturnsTaxNote"),
        QStringLiteral("A negative income tax is a loss: it lowers the tax due on other income."),
        kLeftCaption, top, kWidth - 480);
    note->setFont(PixelFont(12, false));

    m_rehab = new RehabPanel(*this, top + kRowPitch + 120, *explainer);
    top = m_rehab->bottom();

    top += kRowPitch + 120;
    addGroupHeading(QStringLiteral("Year by Year"), kLeftCaption, top, 3000);
    m_copy = addButton(QStringLiteral("cmdCopyTable"), QStringLiteral("&Copy Table"), 6900,
                       top - 30, 1620);
    m_csv = addButton(QStringLiteral("cmdExportCsv"), QStringLiteral("E&xport CSV..."), 8640,
                      top - 30, 1980);
    connect(m_copy, &QPushButton::clicked, this, &ReturnsView::cmdCopyTable_Click);
    connect(m_csv, &QPushButton::clicked, this, &ReturnsView::cmdExportCsv_Click);

    top += 420;
    m_model = new ReturnsTableModel(this);
    m_table = new QTableView(this);
    controls.add(m_table, QStringLiteral("tblReturnsByYear"), 0, ControlKind::Label);
    m_table->setModel(m_model);
    m_table->verticalHeader()->setDefaultSectionSize(20);
    // The rows share the table's height, whether or not a scroll bar takes some of it, so no
    // empty band shows under the last one.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->horizontalHeader()->setDefaultSectionSize(82);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tall enough for the heading row, every row and a scroll bar, and no taller.
    QHeaderView* heading = m_table->horizontalHeader();
    const int headingHeight =
        qMax(heading->sizeHint().height(), heading->fontMetrics().height() + 8);
    const int tableHeight =
        15 *
        (headingHeight + 20 * int(ReturnsTableModel::rowCaptions().size()) +
         m_table->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2 * m_table->frameWidth());
    PlaceTwips(m_table, kLeftCaption, top, kWidth - 480, tableHeight);

    top += tableHeight + 180;
    m_chart = new ReturnsChart(this);
    controls.add(m_chart, QStringLiteral("chartReturns"), 0, ControlKind::Label);
    PlaceTwips(m_chart, kLeftCaption, top, kWidth - 480, 4800);
    top += 4800 + 360;

    // Every keystroke repaints the year table: its cells paint their text alone.
    m_table->setItemDelegate(new PlainCellDelegate(m_table));
    // What to offer, and how far the guesses may be off, below the returns they build on.
    m_offer = new OfferPanel(
        this, controls, m_form, [this] { return m_prompts; }, [this] { refresh(); });
    top = m_offer->placeAt(top) + 360;
    m_sensitivity = new SensitivityPanel(
        this, controls, [this] { return m_form.text(QStringLiteral("txtPropertyInformation")); },
        [this] { return m_prompts; });
    top = m_sensitivity->placeAt(top);
    PlaceTwips(this, 0, 0, kWidth, top + 360);
    connect(m_sensitivity, &SensitivityPanel::heightChanged, this, &ReturnsView::followPanels);
    // The year table, the chart and the groups under them take the window's width.
    setProperty(kFollowsWindowWidth, true);
    keepTabToInputs();
}

// Tab goes from input to input, button and table: the dozens of computed figures between them
// are still there to click, select, point at and explain with F2, but not to Tab through. A
// table is one stop, its cells reached with the arrow keys; a chart, which takes no key, none.
void ReturnsView::keepTabToInputs() {
    for (QLineEdit* figure : findChildren<QLineEdit*>()) {
        if (figure->isReadOnly())
            figure->setFocusPolicy(Qt::ClickFocus);
    }
    for (QTableView* table : findChildren<QTableView*>())
        table->setTabKeyNavigation(false);
    for (QGraphicsView* chart : findChildren<QGraphicsView*>())
        chart->setFocusPolicy(Qt::NoFocus);
}

void ReturnsView::followPanels() {
    const int bottom = m_sensitivity->y() + m_sensitivity->height() + TwipsToPixels(360);
    if (bottom == height())
        return;
    resize(width(), bottom);
    emit heightChanged();
}

void ReturnsView::resizeEvent(QResizeEvent* event) {
    ViewFrame::resizeEvent(event);
    // A wider window shows more years at once, and the chart spreads them out.
    const int left = TwipsToPixels(kLeftCaption);
    const int inner = width() - 2 * left;
    m_table->resize(inner, m_table->height());
    m_chart->resize(inner, m_chart->height());
    m_csv->move(left + inner - m_csv->width(), m_csv->y());
    m_copy->move(m_csv->x() - 8 - m_copy->width(), m_copy->y());
    m_offer->resize(width(), m_offer->height());
    m_sensitivity->resize(width(), m_sensitivity->height());
}

void ReturnsView::setFilePicker(FilePicker* picker) {
    m_export.setFilePicker(picker);
    m_sensitivity->setFilePicker(picker);
}

int ReturnsView::buildFigures(const QString& group, int firstFigure, int lastFigure, int left,
                              int top) {
    addGroupHeading(group, left, top, 4500);
    top += kRowPitch;
    const int field = left == kLeftCaption ? kLeftField : kRightField;
    for (int i = firstFigure; i < lastFigure; ++i, top += kRowPitch) {
        QLineEdit* edit = addCaptionedField(QString::fromLatin1(kFigures[i].name),
                                            QString::fromLatin1(kFigures[i].caption), false, left,
                                            field - left - 60, field, kFieldWidth, top);
        markComputed(edit);
        edit->setAlignment(Qt::AlignRight);
        m_figures.append(edit);
    }
    return top;
}

QPushButton* ReturnsView::addButton(const QString& name, const QString& text, int left, int top,
                                    int width) {
    auto* button = new QPushButton(text, this);
    controls().add(button, name, 0, ControlKind::Label);
    PlaceTwips(button, left, top, width, 375);
    return button;
}

void ReturnsView::showEvent(QShowEvent* event) {
    ViewFrame::showEvent(event);
    refresh();
}

void ReturnsView::refresh() {
    if (isHidden())
        return; // a keystroke elsewhere pays nothing for this view
    m_inputs = ReadReturnsInputs(m_form).inputs;
    m_result = ComputeReturns(m_inputs);
    const QVector<ReturnsFigureText> figures = ReturnsFigureTexts(m_result);
    for (int i = 0; i < kFigureCount; ++i)
        m_figures[i]->setText(figures.at(i).text);

    m_model->setResult(m_result, OutlookCashFlows(m_form, int(m_result.years.size())));
    m_chart->setResult(m_result);
    m_rehab->show(m_inputs, m_result);
    const double units = UnitCount(m_form);
    m_offer->refresh(m_inputs, units);
    m_sensitivity->refresh(m_inputs, units);
}

QString ReturnsView::explain(const QString& fieldName) const {
    return ExplainReturnsField(fieldName, m_inputs, m_result);
}

void ReturnsView::cmdCopyTable_Click() {
    QApplication::clipboard()->setText(m_model->tableText(QLatin1Char('\t')));
}

void ReturnsView::cmdExportCsv_Click() {
    m_export.write(
        this, m_form.text(QStringLiteral("txtPropertyInformation")),
        [this] { return m_model->tableText(QLatin1Char(',')).toUtf8(); }, m_prompts);
}
