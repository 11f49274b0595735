#include "gui/widgets/outlookchart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QGraphicsLineItem>
#include <QGraphicsScene>
#include <QLocale>
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
        for (int i = 0; i < values.size(); ++i) {
            if (m_set->at(i) != values.at(i))
                m_set->replace(i, values.at(i));
        }
    } else {
        const QList<qreal> bars(values.begin(), values.end());
        if (m_set->count() > 0)
            m_set->remove(0, m_set->count());
        m_set->append(bars);
    }
    if (labels != m_labels) {
        m_labels = labels;
        m_categories->setCategories(labels);
        m_categories->setLabelsAngle(labels.size() > 10 ? -90 : 0);
    }
    // The axis rounds the range out to even steps. Worked out on a spare axis, so the chart's
    // own scale, and with it every label and grid line, moves only when the rounded range does.
    m_niceScale->setTickCount(m_values->tickCount());
    m_niceScale->setRange(low, high);
    m_niceScale->applyNiceNumbers();
    if (m_niceScale->min() != m_values->min() || m_niceScale->max() != m_values->max())
        m_values->setRange(m_niceScale->min(), m_niceScale->max());
    if (m_niceScale->tickCount() != m_values->tickCount())
        m_values->setTickCount(m_niceScale->tickCount());
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
