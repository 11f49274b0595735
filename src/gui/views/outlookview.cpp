#include "gui/views/outlookview.h"

#include "gui/mainwindow/windowlayout.h"
#include "gui/views/controltable.h"
#include "gui/widgets/outlookchart.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>

namespace {

using WindowLayout::TwipsToPixels;

constexpr int kBarThickness = 255;
constexpr int kGridRowPitch = 315; // grid rows: 20-pixel cells, 1-pixel rules
constexpr int kGridCellHeight = 300;
constexpr int kGridTop = 2040;

// A frame whose text fields form a table: it rules a thin line around every cell and shades
// the header row, so the outlook reads like a spreadsheet.
class GridFrame : public QFrame {
public:
    explicit GridFrame(QWidget* parent) : QFrame(parent) {}
    int headerHeight = 0; // pixels
    int headerLeft = 0;

protected:
    void paintEvent(QPaintEvent* event) override {
        QFrame::paintEvent(event);
        QPainter p(this);
        QRect cells;
        for (QObject* child : children()) {
            auto* cell = qobject_cast<QLineEdit*>(child);
            if (cell && !cell->isHidden())
                cells |= cell->geometry();
        }
        if (headerHeight > 0 && !cells.isEmpty())
            p.fillRect(QRect(headerLeft, 0, cells.right() + 1 - headerLeft, headerHeight),
                       QColor(232, 238, 247));
        p.setPen(QColor(176, 186, 200));
        for (QObject* child : children()) {
            auto* cell = qobject_cast<QLineEdit*>(child);
            if (cell && !cell->isHidden())
                p.drawRect(cell->geometry().adjusted(-1, -1, 0, 0));
        }
    }
};

// Year captions of the grids: the 20-year grid abbreviates from year 10 on.
QString yearCaption(int year, bool twentyYearGrid) {
    if (twentyYearGrid && year >= 10)
        return QStringLiteral("Yr %1").arg(year);
    return QStringLiteral("Year %1").arg(year);
}

struct OutlookRow {
    const char* suffix;
    const char* caption;
};
const OutlookRow kOutlookRows[] = {
    {"TotalGrossIncome", "Total Gross Income"},  {"ExpectedVacancy", "Expected Vacancy"},
    {"OperatingExpenses", "Operating Expenses"}, {"TotalMortgages", "Mortgage Payments"},
    {"IncomeTaxes", "Estimated Income Tax"},     {"NetCashflow", "Annual Cash Flow"},
    {"MonthCashflow", "Monthly Cash Flow"},
};

} // namespace

OutlookView::OutlookView(QWidget* parent, ControlTable& controls)
    : ViewFrame(parent, controls, QStringLiteral("frame5YearView"),
                QStringLiteral("Cash Flow Outlook"), 8820) {
    QLabel* prompt =
        addCaption(this, QStringLiteral("lblCFAYears"),
                   QStringLiteral("View Cash Flow Outlook for "), 240, 1620, 2640, 330);
    prompt->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_period = new QComboBox(this);
    controls.add(m_period, QStringLiteral("cmbCFAYears"), 0, ControlKind::ComboBox);
    m_period->addItem(QStringLiteral("5 Years"), 5);
    m_period->addItem(QStringLiteral("10 Years"), 10);
    m_period->addItem(QStringLiteral("20 Years"), 20);
    m_period->setCurrentIndex(-1);
    PlaceTwips(m_period, 2940, 1605, 1620, 360);
    connect(m_period, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_lastPeriodIndex = index;
        emit periodChosen();
    });
    // Picking the period already shown still counts as a choice.
    connect(m_period, &QComboBox::activated, this, [this](int index) {
        if (index == m_lastPeriodIndex)
            emit periodChosen();
    });

    buildGrids();

    m_chart = new OutlookChart(this);
    m_chart->setObjectName(QStringLiteral("MSChart5Year"));
    PlaceTwips(m_chart, 240, 5100, 10380, 3600);
}

void OutlookView::buildGrids() {
    const QFont cellFont = PixelFont(11, false, true);
    const QFont headFont = PixelFont(11, true, true);
    auto addGridCaptions = [&](QWidget* parent, const QString& prefix, bool twentyYear,
                               int captionWidth) {
        for (int r = 0; r < 7; ++r) {
            QString caption = QString::fromLatin1(kOutlookRows[r].caption);
            if (twentyYear && r == 4)
                caption = QStringLiteral("Est. Income Tax");
            QLabel* l =
                addCaption(parent, prefix + QString::fromLatin1(kOutlookRows[r].suffix), caption, 0,
                           kGridRowPitch + r * kGridRowPitch, captionWidth, kGridCellHeight);
            l->setFont(r >= 5 ? headFont : cellFont);
        }
    };
    auto addGridColumns = [&](QWidget* parent, const QString& prefix, int firstYear, int lastYear,
                              int left, int pitch, bool twentyYear, const QString& headerName) {
        for (int year = firstYear; year <= lastYear; ++year) {
            const int x = left + (year - firstYear) * pitch;
            auto* header = new QLabel(yearCaption(year, twentyYear), parent);
            controls().add(header, headerName, year, ControlKind::Label);
            header->setFont(headFont);
            header->setAlignment(Qt::AlignCenter);
            PlaceTwips(header, x, 0, pitch - 15, kGridCellHeight);
            for (int r = 0; r < 7; ++r) {
                QLineEdit* cell =
                    addField(parent, prefix + QString::fromLatin1(kOutlookRows[r].suffix), year, x,
                             kGridRowPitch + r * kGridRowPitch, pitch - 15, kGridCellHeight);
                cell->setFrame(false);
                cell->setFont(cellFont);
                cell->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
                cell->setTextMargins(2, 0, 3, 0);
            }
        }
    };

    // The 5-year grid.
    auto* grid5 = new GridFrame(this);
    grid5->setObjectName(QStringLiteral("frameCFA5Year"));
    m_grid5 = grid5;
    PlaceTwips(grid5, 240, kGridTop, 10380, 2580);
    grid5->headerLeft = TwipsToPixels(2145);
    grid5->headerHeight = TwipsToPixels(kGridCellHeight);
    addGridCaptions(grid5, QStringLiteral("lbl5CF"), false, 2040);
    addGridColumns(grid5, QStringLiteral("txt5CF"), 1, 5, 2160, 1635, false,
                   QStringLiteral("lbl5CFYear"));

    // The 20-year grid: row captions, then two pages of ten years and the bar between them.
    m_grid20 = new QFrame(this);
    m_grid20->setObjectName(QStringLiteral("frameCFA10Year"));
    PlaceTwips(m_grid20, 240, kGridTop, 10380, 2940);
    addGridCaptions(m_grid20, QStringLiteral("lbl10CF"), true, 1740);
    auto makePage = [&](const QString& name, int firstYear) {
        auto* page = new GridFrame(m_grid20);
        page->setObjectName(name);
        PlaceTwips(page, 1770, 0, 8610, 2580);
        page->headerLeft = 0;
        page->headerHeight = TwipsToPixels(kGridCellHeight);
        addGridColumns(page, QStringLiteral("txt10CF"), firstYear, firstYear + 9, 15, 855, true,
                       QStringLiteral("lbl10CFYear"));
        return page;
    };
    m_firstDecade = makePage(QStringLiteral("fraCashflow20Yrs1to10"), 1);
    m_secondDecade = makePage(QStringLiteral("fraCashflow20Yrs10to20"), 11);
    m_secondDecade->hide();
    m_decadeBar = new QScrollBar(Qt::Horizontal, m_grid20);
    m_decadeBar->setObjectName(QStringLiteral("hscrollCashFlow10to20"));
    m_decadeBar->setRange(1, 2);
    m_decadeBar->setPageStep(1);
    m_decadeBar->setValue(1);
    PlaceTwips(m_decadeBar, 1785, 2655, 8595, kBarThickness);
    connect(m_decadeBar, &QScrollBar::valueChanged, this, &OutlookView::decadeScrolled);
    m_grid20->hide();
}

void OutlookView::showChosenPeriod() {
    m_grid20->move(m_grid20->x(), TwipsToPixels(kGridTop));
    const QVariant data = m_period->currentData();
    const int years = data.isValid() ? data.toInt() : 5;
    if (years == 5) {
        m_grid5->show();
        m_grid20->hide();
        return;
    }
    m_grid5->hide();
    m_grid20->show();
    if (years == 10) {
        m_firstDecade->show();
        m_secondDecade->hide();
        m_decadeBar->hide();
    } else {
        m_firstDecade->hide();
        m_secondDecade->show();
        m_decadeBar->show();
        m_decadeBar->setValue(2);
    }
}

void OutlookView::showChosenDecade() {
    const bool firstDecade = m_decadeBar->value() == 1;
    m_firstDecade->setVisible(firstDecade);
    m_secondDecade->setVisible(!firstDecade);
    m_period->setFocus();
}

bool OutlookView::choosePeriod(int index) {
    if (m_period->currentIndex() == index)
        return true;
    m_period->setCurrentIndex(index);
    return false;
}
