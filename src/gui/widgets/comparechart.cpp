#include "gui/widgets/comparechart.h"

#include "analysis/returns.h"
#include "gui/widgets/themecolours.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const QColor kFirstColour(47, 94, 152);
const QColor kSecondColour(232, 150, 48);
const QColor kAxisColour(120, 120, 120);
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

} // namespace

CompareChart::CompareChart(QWidget* parent) : QWidget(parent) {
    Theme::Apply(this, Theme::Role::Page);
}

const QString& CompareChart::firstSeriesName() {
    static const QString name = QStringLiteral("IRR After Tax");
    return name;
}

const QString& CompareChart::secondSeriesName() {
    static const QString name = QStringLiteral("Cash-on-Cash");
    return name;
}

void CompareChart::setRates(const QStringList& names, const QVector<double>& irrAfterTax,
                            const QVector<double>& cashOnCash) {
    m_names = names;
    m_first = irrAfterTax;
    m_second = cashOnCash;
    update();
}

QImage CompareChart::image(const QSize& size) const {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setFont(font());
    draw(painter, picture.rect(), Qt::black);
    return picture;
}

void CompareChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    draw(painter, rect(), palette().color(QPalette::WindowText));
}

void CompareChart::draw(QPainter& painter, const QRect& area, const QColor& text) const {
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QFontMetrics metrics(painter.font());
    const int line = metrics.height();

    // The legend along the top.
    int x = area.left() + 8;
    const int legendTop = area.top() + 4;
    for (const auto& [name, colour] : {std::pair{firstSeriesName(), kFirstColour},
                                       std::pair{secondSeriesName(), kSecondColour}}) {
        painter.fillRect(QRect(x, legendTop + 2, 12, line - 4), colour);
        painter.setPen(text);
        painter.drawText(QPoint(x + 16, legendTop + metrics.ascent()), name);
        x += 16 + metrics.horizontalAdvance(name) + 18;
    }

    // The scale runs from the lowest rate (or 0) to the highest (or 0), so zero is on it.
    double low = 0;
    double high = 0;
    for (const QVector<double>* series : {&m_first, &m_second}) {
        for (double v : *series) {
            if (std::isfinite(v)) {
                low = std::min(low, v);
                high = std::max(high, v);
            }
        }
    }
    if (high - low <= 0)
        high = low + 0.01;

    const int n = int(m_names.size());
    // Room above for the legend and the labels of the highest bars, below for the names and,
    // under a bar below zero, its label.
    const int plotTop = legendTop + 2 * line + 6;
    const int plotBottom = area.bottom() - line - 6 - (low < 0 ? line + 2 : 0);
    const QRect plot(area.left() + 8, plotTop, area.width() - 16, plotBottom - plotTop);
    if (n == 0 || plot.height() < 2 * line)
        return;
    const auto yOf = [&](double v) {
        return plot.bottom() - int(std::lround((v - low) / (high - low) * plot.height()));
    };
    const int zero = yOf(0);
    painter.setPen(kAxisColour);
    painter.drawLine(plot.left(), zero, plot.right(), zero);

    const double group = double(plot.width()) / n;
    const int barWidth = std::max(4, int(group * 0.3));
    for (int k = 0; k < n; ++k) {
        const int centre = plot.left() + int(group * k + group / 2);
        const double values[2] = {m_first.value(k, kNaN), m_second.value(k, kNaN)};
        const QColor colours[2] = {kFirstColour, kSecondColour};
        for (int s = 0; s < 2; ++s) {
            const int left = s == 0 ? centre - barWidth - 1 : centre + 1;
            const double v = values[s];
            const QString label = ReturnsPercentText(v);
            painter.setPen(text);
            if (!std::isfinite(v)) {
                painter.drawText(QRect(left - 20, zero - line - 2, barWidth + 40, line),
                                 Qt::AlignHCenter | Qt::AlignBottom, label);
                continue;
            }
            const int y = yOf(v);
            const QRect bar = QRect(QPoint(left, std::min(y, zero)),
                                    QPoint(left + barWidth - 1, std::max(y, zero)));
            painter.fillRect(bar, colours[s]);
            const QRect text = v >= 0 ? QRect(left - 30, bar.top() - line - 1, barWidth + 60, line)
                                      : QRect(left - 30, bar.bottom() + 1, barWidth + 60, line);
            painter.drawText(text, Qt::AlignHCenter | Qt::AlignVCenter, label);
        }
        const QRect nameBox(int(plot.left() + group * k) + 2, area.bottom() - line - 2,
                            int(group) - 4, line);
        painter.drawText(nameBox, Qt::AlignHCenter | Qt::AlignTop,
                         metrics.elidedText(m_names.at(k), Qt::ElideRight, nameBox.width()));
    }
}
