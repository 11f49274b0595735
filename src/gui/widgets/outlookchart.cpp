#include "gui/widgets/outlookchart.h"

#include <QBackingStore>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QGraphicsLineItem>
#include <QGraphicsScene>
#include <QLocale>
#include <QPaintEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyleOptionGraphicsItem>
#include <QTimer>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

OutlookChart::OutlookChart(QWidget* parent) : QChartView(parent) {
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Annual Cash Flow"));
    QFont titleFont = chart->titleFont();
    titleFont.setPixelSize(13);
    titleFont.setBold(true);
    chart->setTitleFont(titleFont);
    chart->legend()->hide();
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 4, 8, 4));
    // Animations would turn every keystroke of an expense into a redraw storm.
    chart->setAnimationOptions(QChart::NoAnimation);
    // Axis amounts with digit grouping, as the grids show them.
    chart->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    chart->setLocalizeNumbers(true);

    m_set = new QBarSet(QStringLiteral("Annual Cash Flow"));
    m_set->setColor(QColor(70, 110, 170));
    m_set->setBorderColor(QColor(40, 70, 120));
    m_series = new QBarSeries;
    m_series->append(m_set);
    m_series->setBarWidth(0.6);
    chart->addSeries(m_series);

    QFont axisFont;
    axisFont.setPixelSize(11);
    m_categories = new QBarCategoryAxis;
    m_categories->setLabelsFont(axisFont);
    m_values = new QValueAxis;
    m_values->setLabelsFont(axisFont);
    m_values->setLabelFormat(QStringLiteral("$%.0f"));
    m_values->setRange(-1, 1);
    m_niceScale = std::make_unique<QValueAxis>();
    chart->addAxis(m_categories, Qt::AlignBottom);
    chart->addAxis(m_values, Qt::AlignLeft);
    m_series->attachAxis(m_categories);
    m_series->attachAxis(m_values);

    // The view came with a chart of its own, which it lets go of here without deleting it.
    QChart* builtIn = this->chart();
    setChart(chart);
    delete builtIn;
    setRenderHint(QPainter::Antialiasing);
    setFrameShape(QFrame::NoFrame);
    // The bars, lines and labels keep their antialiasing inside their own bounds, so the
    // view need not widen every repainted area, which draws labels next to the plot again
    // on each new bar.
    setOptimizationFlag(QGraphicsView::DontAdjustForAntialiasing, true);
}

void OutlookChart::setData(const QVector<double>& values, const QStringList& labels) {
    ++m_updates;
    double low = 0;
    double high = 0;
    for (double v : values) {
        low = std::min(low, v);
        high = std::max(high, v);
    }
    // The zero line always shows, so a loss reads as a bar hanging below it.
    if (low == 0 && high == 0)
        high = 1;
    const double pad = (high - low) * 0.08;
    if (low < 0)
        low -= pad;
    if (high > 0)
        high += pad;

    // A keystroke changes a few bars: those change where they stand, and the chart lays
    // itself out again only when the number of years does.
    if (m_set->count() == values.size()) {
        QList<int> moved;
        for (int i = 0; i < values.size(); ++i) {
            if (m_set->at(i) != values.at(i))
                moved.append(i);
        }
        // Each new value lays out every bar again. The set's inner half tells the chart; it
        // hears only of the last value, which lays out all bars from the values as they then
        // are. (Without that half, every value is heard.)
        QObject* inner = nullptr;
        for (QObject* part : m_set->children()) {
            if (part->inherits("QBarSetPrivate"))
                inner = part;
        }
        for (qsizetype k = 0; k < moved.size(); ++k) {
            const QSignalBlocker quiet(k + 1 < moved.size() ? inner : nullptr);
            m_set->replace(moved.at(k), values.at(moved.at(k)));
        }
        // The whole plot is drawn again from the kept chart, so a bar that shrank leaves
        // nothing behind.
        if (!moved.isEmpty()) {
            if (QGraphicsItem* layer = barLayer())
                viewport()->update(plotArea(layer));
        }
    } else {
        m_stillValid = false;
        const QList<qreal> bars(values.begin(), values.end());
        if (m_set->count() > 0)
            m_set->remove(0, m_set->count());
        m_set->append(bars);
    }
    if (labels != m_labels) {
        m_stillValid = false;
        m_labels = labels;
        m_categories->setCategories(labels);
        m_categories->setLabelsAngle(labels.size() > 10 ? -90 : 0);
    }
    // The axis rounds the range out to even steps. Worked out on a spare axis, so the chart's
    // own scale, and with it every label and grid line, moves only when the rounded range does.
    m_niceScale->setTickCount(m_values->tickCount());
    m_niceScale->setRange(low, high);
    m_niceScale->applyNiceNumbers();
    if (m_niceScale->min() != m_values->min() || m_niceScale->max() != m_values->max()) {
        m_stillValid = false;
        m_values->setRange(m_niceScale->min(), m_niceScale->max());
    }
    if (m_niceScale->tickCount() != m_values->tickCount()) {
        m_stillValid = false;
        m_values->setTickCount(m_niceScale->tickCount());
    }
    // Only a new scale or new years bring new lines.
    if (!m_stillValid)
        cacheStillParts();
}

void OutlookChart::cacheStillParts() {
    // A change of the bars repaints the whole plot. The grid lines under them stay where they
    // are, so each keeps its drawing and is only copied back; drawn afresh, antialiased, they
    // cost more than all the bars. A line that moves draws itself again on its own. (The
    // labels are left alone: kept that way, they are not drawn at all.)
    for (QGraphicsItem* item : scene()->items()) {
        if (item->type() == QGraphicsLineItem::Type && item->cacheMode() == QGraphicsItem::NoCache)
            item->setCacheMode(QGraphicsItem::DeviceCoordinateCache);
    }
}

QVector<double> OutlookChart::values() const {
    QVector<double> out;
    for (int i = 0; i < m_set->count(); ++i)
        out.append(m_set->at(i));
    return out;
}

QStringList OutlookChart::labels() const {
    return m_categories->categories();
}

OutlookChart::~OutlookChart() = default;

QGraphicsItem* OutlookChart::barLayer() const {
    // What the kept chart holds under the bars must be the chart's own: its background.
    if (!chart()->isBackgroundVisible() || !chart()->backgroundBrush().isOpaque())
        return nullptr;
    const QList<QGraphicsItem*> parts = chart()->childItems();
    QGraphicsItem* layer = nullptr;
    for (QGraphicsItem* part : parts) {
        if (!(part->flags() & QGraphicsItem::ItemClipsChildrenToShape) || !part->isVisible())
            continue;
        const QList<QGraphicsItem*> bars = part->childItems();
        if (bars.size() != m_set->count() ||
            !std::all_of(bars.begin(), bars.end(), [](const QGraphicsItem* bar) {
                return bar->type() == QGraphicsRectItem::Type;
            }))
            continue;
        layer = part;
    }
    if (!layer)
        return nullptr;
    // Nothing may be drawn over the bars (the legend stays hidden).
    for (QGraphicsItem* part : parts) {
        if (part != layer && part->isVisible() && part->zValue() >= layer->zValue())
            return nullptr;
    }
    return layer;
}

QRect OutlookChart::plotArea(const QGraphicsItem* layer) const {
    // The pixels the view repaints when the bars change: the plot, and one pixel around it.
    return viewportTransform()
        .mapRect(layer->sceneBoundingRect())
        .toAlignedRect()
        .adjusted(-1, -1, 1, 1);
}

void OutlookChart::paintEvent(QPaintEvent* event) {
    if (m_drawingStill || !paintBarsOnly(event))
        QChartView::paintEvent(event);
}

// A keystroke moves the bars and nothing else: the rest of the chart (its background, grid,
// axes and labels) is copied from what was drawn before and the bars are drawn over it as the
// scene would draw them, with the same transform, clip and options. Drawn afresh, the chart
// costs more than all the figures of the grid.
bool OutlookChart::paintBarsOnly(QPaintEvent* event) {
    QGraphicsItem* layer = barLayer();
    const QRect plot = layer ? plotArea(layer) : QRect();
    const QRegion& region = event->region();
    if (!layer || !plot.contains(region.boundingRect())) {
        // Something beside the bars changes: it may have changed under them too.
        m_stillValid = false;
        return false;
    }
    const qreal ratio = viewport()->devicePixelRatio();
    if (!m_stillValid || plot != m_stillPlot || m_still.size() != viewport()->size() * ratio) {
        if (!m_stillQueued) {
            m_stillQueued = true;
            QTimer::singleShot(0, this, &OutlookChart::keepStill);
        }
        return false;
    }
    ++m_barPaints;
    QPainter painter(viewport());
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect& r : region)
        painter.drawImage(r, m_still,
                          QRectF(QPointF(r.topLeft()) * ratio, QSizeF(r.size()) * ratio));
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setRenderHints(painter.renderHints(), false);
    painter.setRenderHints(renderHints(), true);

    const QTransform view = viewportTransform();
    painter.setWorldTransform(layer->sceneTransform() * view);
    const QPainterPath shape = layer->shape();
    QPainterPath box;
    box.addRect(shape.boundingRect());
    if (shape == box)
        painter.setClipRect(shape.boundingRect(), Qt::IntersectClip);
    else
        painter.setClipPath(shape, Qt::IntersectClip);
    for (QGraphicsItem* bar : layer->childItems()) {
        if (!bar->isVisible() || (bar->flags() & QGraphicsItem::ItemHasNoContents))
            continue;
        QStyleOptionGraphicsItem option;
        option.state = QStyle::State_None;
        option.rect = bar->boundingRect().toRect();
        option.exposedRect = bar->boundingRect();
        option.styleObject = viewport();
        if (bar->isSelected())
            option.state |= QStyle::State_Selected;
        if (bar->isEnabled())
            option.state |= QStyle::State_Enabled;
        painter.save();
        painter.setWorldTransform(bar->sceneTransform() * view);
        painter.setOpacity(bar->effectiveOpacity());
        bar->paint(&painter, &option, viewport());
        painter.restore();
    }
    return true;
}

void OutlookChart::keepStill() {
    m_stillQueued = false;
    QGraphicsItem* layer = barLayer();
    if (m_stillValid || !layer || !isVisible())
        return;
    // Drawn as the screen is, pixel for pixel.
    QImage::Format format = QImage::Format_ARGB32_Premultiplied;
    if (QBackingStore* store = viewport()->backingStore()) {
        if (QPaintDevice* device = store->paintDevice();
            device && device->devType() == QInternal::Image)
            format = static_cast<QImage*>(device)->format();
    }
    const qreal ratio = viewport()->devicePixelRatio();
    QImage still(viewport()->size() * ratio, format);
    still.setDevicePixelRatio(ratio);
    still.fill(Qt::transparent);
    cacheStillParts();
    // Hiding and showing the bars again repaints the plot once more, from the kept chart.
    layer->setVisible(false);
    m_drawingStill = true;
    viewport()->render(&still);
    m_drawingStill = false;
    layer->setVisible(true);
    m_still = std::move(still);
    m_stillPlot = plotArea(layer);
    m_stillValid = true;
}

void OutlookChart::resizeEvent(QResizeEvent* event) {
    m_stillValid = false;
    QChartView::resizeEvent(event);
}

void OutlookChart::changeEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
    case QEvent::FontChange:
        m_stillValid = false;
        break;
    default:
        break;
    }
    QChartView::changeEvent(event);
}
