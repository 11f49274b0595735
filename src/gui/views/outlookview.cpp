#include "gui/views/outlookview.h"

#include "gui/views/controltable.h"
#include "gui/widgets/figurefont.h"
#include "gui/widgets/linklabel.h"
#include "gui/widgets/outlookchart.h"
#include "gui/widgets/themecolours.h"
#include "gui/widgets/twips.h"
#include "model/fieldtable.h"
#include "report/analysisreport.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace {

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
                       Theme::Tint(QColor(232, 238, 247), palette()));
        p.setPen(QColor(176, 186, 200));
        // A new figure repaints only its cell, inside the rules: a rule is drawn again only
        // where the area to paint touches it.
        const QRegion& dirty = event->region();
        for (QObject* child : children()) {
            auto* cell = qobject_cast<QLineEdit*>(child);
            if (!cell || cell->isHidden())
                continue;
            const QRect rule = cell->geometry().adjusted(-1, -1, 0, 0);
            // The pixels the outline covers: one column and one row around the cell.
            const QRect outline = rule.adjusted(0, 0, 1, 1);
            if (!dirty.intersects(outline))
                continue;
            if (dirty.intersects(QRect(outline.left(), outline.top(), outline.width(), 1)) ||
                dirty.intersects(QRect(outline.left(), outline.bottom(), outline.width(), 1)) ||
                dirty.intersects(QRect(outline.left(), outline.top(), 1, outline.height())) ||
                dirty.intersects(QRect(outline.right(), outline.top(), 1, outline.height())))
                p.drawRect(rule);
        }
    }
};

// Whether the field draws every pixel of its own, with no background under it: a new figure
// then repaints its cell alone, not the grid and the view under it as well.
bool PaintsEveryPixel(QWidget* field) {
    QImage probe(field->size(), QImage::Format_ARGB32_Premultiplied);
    probe.fill(Qt::transparent);
    field->render(&probe, QPoint(), QRegion(), QWidget::RenderFlags());
    for (int y = 0; y < probe.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(probe.constScanLine(y));
        for (int x = 0; x < probe.width(); ++x) {
            if (qAlpha(line[x]) != 255)
                return false;
        }
    }
    return true;
}

// Year captions of the grids: the 20-year grid abbreviates from year 10 on.
QString yearCaption(int year, bool twentyYearGrid) {
    if (twentyYearGrid && year >= 10)
        return QStringLiteral("Yr %1").arg(year);
    return QStringLiteral("Year %1").arg(year);
}

// A grid's rows as the field table lists them: the 5-year grid's fields have five cells, the
// 20-year grid's twenty.
QVector<const FieldInfo*> gridRows(int years) {
    QVector<const FieldInfo*> rows;
    for (const FieldInfo* field : FieldsOf(FieldView::Outlook, QString())) {
        if (field->cells == years)
            rows.append(field);
    }
    return rows;
}

// A grid of n rows under its header row: its height, in twips.
int gridHeight(qsizetype rows) {
    // The header row and the rows, 20-pixel cells on 21-pixel pitch, and a margin below.
    return int(rows + 1) * kGridRowPitch + 60;
}

} // namespace

OutlookView::OutlookView(QWidget* parent, ControlTable& controls)
    : ViewFrame(parent, controls, QStringLiteral("frame5YearView"),
                QStringLiteral("Cash Flow Outlook"), 0) {
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

    // Under the grids, what the outlook leaves out on purpose, and the way to the view that
    // does not.
    // Two lines, what the outlook does and what the returns do, the link after the second.
    const int noteTop = kGridTop + buildGrids() + 60;
    QString words = ClassicOutlookNote();
    words.replace(words.indexOf(QLatin1String(". ")) + 1, 1, QLatin1Char('\n'));
    QLabel* note =
        addCaption(this, QStringLiteral("lblOutlookNote"), words, 240, noteTop, 10380, 480);
    note->setFont(PixelFont(11, false, true));
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_returnsLink = new LinkLabel(QStringLiteral("Open Investment Returns"), this);
    controls.add(m_returnsLink, QStringLiteral("lblOutlookReturnsLink"), 0, ControlKind::Label);
    m_returnsLink->setFont(PixelFont(11, true, true));
    m_returnsLink->adjustSize();
    const QFontMetrics metrics(note->font());
    m_returnsLink->move(note->x() + metrics.horizontalAdvance(words.section(QLatin1Char('\n'), 1)) +
                            metrics.horizontalAdvance(QLatin1Char(' ')) * 2,
                        note->y() + metrics.lineSpacing());
    connect(m_returnsLink, &LinkLabel::pointerEntered, m_returnsLink,
            [this] { m_returnsLink->setHovered(true); });
    connect(m_returnsLink, &LinkLabel::pointerLeft, m_returnsLink,
            [this] { m_returnsLink->setHovered(false); });
    connect(m_returnsLink, &LinkLabel::releasedOver, this, [this] {
        m_returnsLink->setHovered(false);
        emit returnsWanted();
    });
    const int chartTop = noteTop + 480 + 60;

    m_chart = new OutlookChart(this);
    m_chart->setObjectName(QStringLiteral("MSChart5Year"));
    PlaceTwips(m_chart, 240, chartTop, 10380, 3600);
    PlaceTwips(this, 0, 0, kWidth, chartTop + 3600 + 120);
}

void OutlookView::markOpaqueCells() {
    // The cells share one style, palette and frame: one on screen tells for all. (Drawn off
    // screen, a cell would first lay out the whole window.)
    const auto shown = std::find_if(m_cells.cbegin(), m_cells.cend(),
                                    [](const QLineEdit* cell) { return cell->isVisible(); });
    if (shown == m_cells.cend())
        return;
    m_opaqueKnown = true;
    const bool opaque = PaintsEveryPixel(*shown);
    for (QLineEdit* cell : std::as_const(m_cells))
        cell->setAttribute(Qt::WA_OpaquePaintEvent, opaque);
}

void OutlookView::showEvent(QShowEvent* event) {
    ViewFrame::showEvent(event);
    if (!m_opaqueKnown)
        markOpaqueCells();
}

void OutlookView::changeEvent(QEvent* event) {
    ViewFrame::changeEvent(event);
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::PaletteChange) {
        m_opaqueKnown = false;
        if (isVisible())
            markOpaqueCells();
    }
}

// Returns the height of the taller grid, the 20-year one with its bar.
int OutlookView::buildGrids() {
    const QFont cellFont = PixelFont(11, false, true);
    const QFont headFont = PixelFont(11, true, true);
    const QVector<const FieldInfo*> rows5 = gridRows(5);
    const QVector<const FieldInfo*> rows20 = gridRows(20);
    // Each row's caption is named after its cells: txt5CFNetCashflow has lbl5CFNetCashflow.
    auto addGridCaptions = [&](QWidget* parent, const QVector<const FieldInfo*>& rows,
                               int captionWidth) {
        int top = kGridRowPitch;
        for (const FieldInfo* row : rows) {
            QLabel* l = addCaption(parent, QStringLiteral("lbl") + row->name.mid(3), row->caption,
                                   0, top, captionWidth, kGridCellHeight);
            // The cash flow rows stand out: they are what the grid is for.
            l->setFont(row->name.endsWith(QLatin1String("Cashflow")) ? headFont : cellFont);
            top += kGridRowPitch;
        }
    };
    auto addGridColumns = [&](QWidget* parent, const QVector<const FieldInfo*>& rows, int firstYear,
                              int lastYear, int left, int pitch, bool twentyYear,
                              const QString& headerName) {
        for (int year = firstYear; year <= lastYear; ++year) {
            const int x = left + (year - firstYear) * pitch;
            auto* header = new QLabel(yearCaption(year, twentyYear), parent);
            controls().add(header, headerName, year, ControlKind::Label);
            header->setFont(headFont);
            header->setAlignment(Qt::AlignCenter);
            PlaceTwips(header, x, 0, pitch - 15, kGridCellHeight);
            int top = kGridRowPitch;
            for (const FieldInfo* row : rows) {
                QLineEdit* cell =
                    addField(parent, row->name, year, x, top, pitch - 15, kGridCellHeight);
                top += kGridRowPitch;
                cell->setFrame(false);
                cell->setFont(cellFont);
                cell->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
                cell->setTextMargins(2, 0, 3, 0);
                new FigureFont(cell);
                m_cells.append(cell);
            }
        }
    };

    // The 5-year grid.
    auto* grid5 = new GridFrame(this);
    grid5->setObjectName(QStringLiteral("frameCFA5Year"));
    m_grid5 = grid5;
    PlaceTwips(grid5, 240, kGridTop, 10380, gridHeight(rows5.size()));
    grid5->headerLeft = TwipsToPixels(2145);
    grid5->headerHeight = TwipsToPixels(kGridCellHeight);
    addGridCaptions(grid5, rows5, 2040);
    addGridColumns(grid5, rows5, 1, 5, 2160, 1635, false, QStringLiteral("lbl5CFYear"));

    // The 20-year grid: row captions, then two pages of ten years and the bar between them.
    m_grid20 = new QFrame(this);
    m_grid20->setObjectName(QStringLiteral("frameCFA10Year"));
    const int pageHeight = gridHeight(rows20.size());
    const int barTop = pageHeight + 75;
    const int height20 = barTop + 285;
    PlaceTwips(m_grid20, 240, kGridTop, 10380, height20);
    addGridCaptions(m_grid20, rows20, 1740);
    auto makePage = [&](const QString& name, int firstYear) {
        auto* page = new GridFrame(m_grid20);
        page->setObjectName(name);
        PlaceTwips(page, 1770, 0, 8610, pageHeight);
        page->headerLeft = 0;
        page->headerHeight = TwipsToPixels(kGridCellHeight);
        addGridColumns(page, rows20, firstYear, firstYear + 9, 15, 855, true,
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
    PlaceTwips(m_decadeBar, 1785, barTop, 8595, kBarThickness);
    connect(m_decadeBar, &QScrollBar::valueChanged, this, &OutlookView::decadeScrolled);
    m_grid20->hide();
    return height20;
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
