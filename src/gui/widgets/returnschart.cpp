#include "gui/widgets/returnschart.h"

#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <QtMath>

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
    m_years = new QValueAxis(chart);
    m_years->setLabelFormat(QStringLiteral("%d"));
    m_years->setTitleText(QStringLiteral("Year"));
    m_amounts = new QValueAxis(chart);
    m_amounts->setLabelFormat(QStringLiteral("$%.0f"));
    chart->addAxis(m_years, Qt::AlignBottom);
    chart->addAxis(m_amounts, Qt::AlignLeft);
    for (QLineSeries* s : {m_value, m_balance, m_equity}) {
        chart->addSeries(s);
        s->attachAxis(m_years);
        s->attachAxis(m_amounts);
    }
    setChart(chart);
    setRenderHint(QPainter::Antialiasing);
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
    const int years = qMax(1, int(result.years.size()));
    m_years->setRange(1, qMax(2, years));
    m_years->setTickCount(qMin(years, 10) + (years < 2 ? 1 : 0));
    m_amounts->setRange(low, high > low ? high * 1.05 : low + 1);
    m_amounts->applyNiceNumbers();

    QString key;
    for (int m = 0; m < 4; ++m)
        key += QString::number(result.payoffYear[m]) + QLatin1Char(',');
    if (balance.isEmpty())
        key.clear();
    for (QAbstractSeries* s : m_payoffs) {
        if (key == m_payoffKey)
            break;
        chart()->removeSeries(s);
        delete s;
    }
    if (key != m_payoffKey) {
        m_payoffs.clear();
        m_payoffKey = key;
        for (int m = 0; m < 4 && !key.isEmpty(); ++m) {
            const int year = result.payoffYear[m];
            if (year < 1 || year > result.years.size())
                continue;
            auto* marker = new QScatterSeries;
            marker->setName(QStringLiteral("Mortgage %1 paid off").arg(m + 1));
            marker->setMarkerSize(11);
            marker->setPointLabelsFormat(marker->name());
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
    // The marker sits on the loan balance of its year, which moves with every input.
    int i = 0;
    for (int m = 0; m < 4 && i < m_payoffs.size(); ++m) {
        const int year = result.payoffYear[m];
        if (year < 1 || year > result.years.size())
            continue;
        auto* marker = static_cast<QScatterSeries*>(m_payoffs.at(i++));
        marker->replace({QPointF(year, result.years.at(year - 1).loanBalance)});
    }
}

QStringList ReturnsChart::payoffLabels() const {
    QStringList labels;
    for (QAbstractSeries* s : m_payoffs)
        labels.append(static_cast<QScatterSeries*>(s)->pointLabelsFormat());
    return labels;
}
