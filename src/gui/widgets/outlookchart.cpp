#include "gui/widgets/outlookchart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
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
}

void OutlookChart::setData(const QVector<double>& values, const QStringList& labels) {
    ++m_updates;
    QList<qreal> bars;
    bars.reserve(values.size());
    double low = 0;
    double high = 0;
    for (double v : values) {
        bars.append(v);
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

    if (m_set->count() > 0)
        m_set->remove(0, m_set->count());
    m_set->append(bars);
    if (labels != m_labels) {
        m_labels = labels;
        m_categories->setCategories(labels);
        m_categories->setLabelsAngle(labels.size() > 10 ? -90 : 0);
    }
    m_values->setRange(low, high);
    m_values->applyNiceNumbers();
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
