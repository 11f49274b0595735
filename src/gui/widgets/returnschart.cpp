#include "gui/widgets/returnschart.h"

#include "base/numerictext.h"

#include <QCategoryAxis>
#include <QFontMetricsF>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <QtMath>

#include <algorithm>

ReturnsChart::ReturnsChart(QWidget* parent) : QChartView(parent) {
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Value, Loan Balance and Equity"));
    chart->legend()->setAlignment(Qt::AlignBottom);
    // Room right of the plot for a payoff label on the last year.
    chart->setMargins(QMargins(8, 8, 64, 8));
    m_value = new QLineSeries(chart);
    m_value->setName(QStringLiteral("Property Value"));
    m_balance = new QLineSeries(chart);
    m_balance->setName(QStringLiteral("Loan Balance"));
    m_equity = new QLineSeries(chart);
    m_equity->setName(QStringLiteral("Equity"));
    // Whole years only, each tick a category ending on its year, so that a payoff or a
    // refinance marker sits exactly over its year's tick.
    m_years = new QCategoryAxis(chart);
    m_years->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_years->setTitleText(QStringLiteral("Year"));
    // Labels written as the program writes money ("$400,000", "($20,000)"), which a value
    // axis's printf format cannot: each tick is a category ending on its value.
    m_amounts = new QCategoryAxis(chart);
    m_amounts->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    chart->addAxis(m_years, Qt::AlignBottom);
    chart->addAxis(m_amounts, Qt::AlignLeft);
    for (QLineSeries* s : {m_value, m_balance, m_equity}) {
        chart->addSeries(s);
        s->attachAxis(m_years);
        s->attachAxis(m_amounts);
    }
    // The view came with a chart of its own, which it lets go of here without deleting it.
    QChart* builtIn = this->chart();
    setChart(chart);
    delete builtIn;
    setRenderHint(QPainter::Antialiasing);
    // A taller or shorter plot holds more or fewer amount labels.
    connect(chart, &QChart::plotAreaChanged, this, [this] { setAmountTicks(m_low, m_high); });
}

void ReturnsChart::setResult(const ReturnsResult& result) {
    QList<QPointF> value, balance, equity;
    double low = 0, high = 0;
    for (const ReturnsYear& y : result.years) {
        // A figure that is no number leaves a gap rather than a point at zero.
        if (!qIsFinite(y.propertyValue) || !qIsFinite(y.loanBalance) || !qIsFinite(y.equity))
            continue;
        value.append({double(y.year), y.propertyValue});
        balance.append({double(y.year), y.loanBalance});
        equity.append({double(y.year), y.equity});
        low = qMin(low, qMin(y.equity, y.loanBalance));
        high = qMax(high, qMax(y.propertyValue, y.loanBalance));
    }
    m_value->replace(value);
    m_balance->replace(balance);
    m_equity->replace(equity);
    m_yearCount = qMax(1, int(result.years.size()));
    setYearTicks();
    setAmountTicks(low, high > low ? high * 1.05 : low);

    // Each loan paid off, and the refinance with the loan it brought, where they fall within
    // the years drawn.
    QVector<QPair<int, QString>> markers;
    for (int m = 0; m < 4; ++m)
        markers.append({result.payoffYear[m], QStringLiteral("Mortgage %1 paid off").arg(m + 1)});
    const ReturnsRefinance& refinance = result.refinance;
    if (refinance.month > 0) {
        markers.append({refinance.year, QStringLiteral("Refinanced")});
        markers.append({refinance.payoffYear, QStringLiteral("Refinance loan paid off")});
    }
    markers.erase(std::remove_if(markers.begin(), markers.end(),
                                 [&](const QPair<int, QString>& m) {
                                     return m.first < 1 || m.first > result.years.size();
                                 }),
                  markers.end());
    QString key;
    for (const auto& [year, label] : markers)
        key += QString::number(year) + label;
    if (balance.isEmpty())
        key.clear();
    if (key != m_payoffKey) {
        for (QAbstractSeries* s : m_payoffs) {
            chart()->removeSeries(s);
            delete s;
        }
        m_payoffs.clear();
        m_payoffKey = key;
        for (int i = 0; i < markers.size() && !key.isEmpty(); ++i) {
            auto* marker = new QScatterSeries;
            marker->setName(markers.at(i).second);
            marker->setMarkerSize(11);
            // A label is centred over its marker; in the first year that would run over the
            // amounts left of the plot, so (unbreakable) blanks in front start it at the marker.
            const int blanks = markers.at(i).first == 1 ? 2 * int(marker->name().size()) : 0;
            marker->setPointLabelsFormat(QString(blanks, QChar(0x00A0)) + marker->name());
            marker->setPointLabelsVisible(true);
            marker->setPointLabelsClipping(false);
            chart()->addSeries(marker);
            marker->attachAxis(m_years);
            marker->attachAxis(m_amounts);
            for (QLegendMarker* legend : chart()->legend()->markers(marker))
                legend->setVisible(false);
            m_payoffs.append(marker);
        }
    }
    // A marker sits on the loan balance of its year, which moves with every input.
    for (int i = 0; i < m_payoffs.size(); ++i) {
        const int year = markers.at(i).first;
        static_cast<QScatterSeries*>(m_payoffs.at(i))
            ->replace({QPointF(year, result.years.at(year - 1).loanBalance)});
    }
}

QVector<int> ReturnsChart::YearTicks(int years, int mostTicks) {
    years = qMax(1, years);
    const int span = years - 1;
    int step = 1;
    if (years > 10) {
        // The smallest whole step that divides the span into at most nine parts.
        step = 0;
        for (int d = 2; d < span && step == 0; ++d) {
            if (span % d == 0 && span / d <= 9)
                step = d;
        }
        // A span no step divides (11 years, 13, ...): every year where the labels fit.
        if (step == 0)
            step = years <= mostTicks ? 1 : span;
    }
    QVector<int> ticks;
    for (int year = 1; year <= years; year += step)
        ticks.append(year);
    return ticks;
}

void ReturnsChart::setYearTicks() {
    // A year label needs about 24 pixels to stay clear of the next one.
    const int plotWidth = int(chart()->plotArea().width());
    const int mostTicks = plotWidth > 0 ? qMax(2, plotWidth / 24) : 20;
    const QVector<int> ticks = YearTicks(m_yearCount, mostTicks);
    QStringList labels;
    for (int year : ticks)
        labels.append(QString::number(year));
    if (labels == m_years->categoriesLabels())
        return; // the same ticks: relabelling would only cost time on every keystroke
    for (const QString& label : m_years->categoriesLabels())
        m_years->remove(label);
    const int step = ticks.size() > 1 ? ticks[1] - ticks[0] : 1;
    m_years->setStartValue(ticks.first() - step);
    for (int year : ticks)
        m_years->append(QString::number(year), year);
    // A single year sits in the middle of the plot.
    if (m_yearCount == 1)
        m_years->setRange(0.5, 1.5);
    else
        m_years->setRange(1, m_yearCount);
}

void ReturnsChart::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    // Wider, the axis may mark every year.
    setYearTicks();
}

QVector<double> ReturnsChart::yearTickValues() const {
    QVector<double> values;
    for (const QString& label : m_years->categoriesLabels())
        values.append(m_years->endValue(label));
    return values;
}

QVector<QPointF> ReturnsChart::markerPositions() const {
    QVector<QPointF> positions;
    for (QAbstractSeries* s : m_payoffs) {
        for (const QPointF& p : static_cast<QScatterSeries*>(s)->points())
            positions.append(p);
    }
    return positions;
}

void ReturnsChart::setAmountTicks(double low, double high) {
    if (!(high > low)) {
        m_low = m_high = 0;
        // Nothing to draw (a figure is no number): an axis without amounts rather than "$1".
        for (const QString& label : m_amounts->categoriesLabels())
            m_amounts->remove(label);
        m_amounts->setRange(0, 1);
        return;
    }
    m_low = low;
    m_high = high;
    // A step of 1, 2 or 5 times a power of ten that gives at most eight intervals, fewer
    // when the plot is too short for that many labels: the chart would cut them to "...".
    int intervals = 8;
    const qreal plotHeight = chart()->plotArea().height();
    if (plotHeight > 0) {
        const qreal labelHeight = QFontMetricsF(m_amounts->labelsFont()).height() + 8;
        intervals = qBound(1, int(plotHeight / labelHeight) - 1, 8);
    }
    const double rough = (high - low) / intervals;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = 10 * power;
    for (const double m : {1.0, 2.0, 5.0}) {
        if (m * power >= rough) {
            step = m * power;
            break;
        }
    }
    step = qMax(step, 1.0); // whole dollars: finer ticks would share a label

    const double first = std::floor(low / step) * step;
    const double last = std::ceil(high / step) * step;
    if (first == m_amounts->startValue() + step && last == m_amounts->max() &&
        m_amounts->count() > 0)
        return; // the same ticks: relabelling would only cost time on every keystroke
    for (const QString& label : m_amounts->categoriesLabels())
        m_amounts->remove(label);
    // The first category ends on the lowest tick, so that tick is labelled too.
    m_amounts->setStartValue(first - step);
    const int ticks = qRound((last - first) / step);
    for (int i = 0; i <= ticks; ++i)
        m_amounts->append(CurrencyText(first + i * step, 0), first + i * step);
    m_amounts->setRange(first, last);
}

QStringList ReturnsChart::amountLabels() const {
    return m_amounts->categoriesLabels();
}

QStringList ReturnsChart::payoffLabels() const {
    QStringList labels;
    for (QAbstractSeries* s : m_payoffs)
        labels.append(s->name());
    return labels;
}
