#include "gui/widgets/tornadochart.h"

#include "gui/widgets/themecolours.h"

#include <QAbstractItemModel>
#include <QPainter>
#include <QStaticText>
#include <QtMath>

namespace {

const QColor kLowColour(0x9d, 0xbb, 0xdd);
const QColor kHighColour(0x3f, 0x6f, 0xa8);
const QColor kLowBelowColour(0xee, 0xa8, 0xa4);
const QColor kHighBelowColour(0xc9, 0x3a, 0x32);
const QColor kAxisColour(0x60, 0x60, 0x60);

} // namespace

TornadoChart::TornadoChart(QWidget* parent) : QWidget(parent) {
    Theme::Apply(this, Theme::Role::Page);
    m_text = [](double v) { return QString::number(v, 'f', 2); };
}

void TornadoChart::setModel(QAbstractItemModel* model) {
    if (m_model)
        disconnect(m_model, nullptr, this, nullptr);
    m_model = model;
    if (!model)
        return;
    const auto again = [this] { update(); };
    connect(model, &QAbstractItemModel::dataChanged, this, again);
    connect(model, &QAbstractItemModel::modelReset, this, again);
    connect(model, &QAbstractItemModel::headerDataChanged, this, again);
    update();
}

double TornadoChart::value(int row, int column) const {
    const QVariant v = m_model->data(m_model->index(row, column), ValueRole);
    return v.isValid() ? v.toDouble() : qQNaN();
}

bool TornadoChart::belowTarget(double v) const {
    const QVariant target = m_model->headerData(0, Qt::Horizontal, TargetRole);
    return target.isValid() && qIsFinite(v) && v < target.toDouble();
}

QColor TornadoChart::belowTargetColour(bool high) {
    return high ? kHighBelowColour : kLowBelowColour;
}

QColor TornadoChart::sideColour(int row, bool high) const {
    if (!m_model)
        return QColor();
    const bool below = belowTarget(value(row, high ? 3 : 2));
    return high ? (below ? kHighBelowColour : kHighColour) : (below ? kLowBelowColour : kLowColour);
}

void TornadoChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Text in the page's own colour; the grey and the red as dark or light as the page needs.
    const QColor background = palette().color(QPalette::Window);
    const QColor text = palette().color(QPalette::WindowText);
    const QColor axis = Theme::Readable(kAxisColour, background);
    const QColor targetText = Theme::Readable(kHighBelowColour, background);
    painter.setPen(QColor(0xc0, 0xc8, 0xd8));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!m_model || m_model->rowCount() == 0)
        return;
    const int rows = m_model->rowCount();
    const double base = m_model->headerData(0, Qt::Horizontal, ValueRole).toDouble();
    const QVariant targetValue = m_model->headerData(0, Qt::Horizontal, TargetRole);
    const bool hasTarget = targetValue.isValid() && qIsFinite(targetValue.toDouble());
    const double target = hasTarget ? targetValue.toDouble() : qQNaN();

    // The scale takes in every figure drawn: the ends of the bars, the base and the target.
    double low = qIsFinite(base) ? base : qInf();
    double high = qIsFinite(base) ? base : -qInf();
    for (int r = 0; r < rows; ++r) {
        for (int c : {2, 3}) {
            const double v = value(r, c);
            if (qIsFinite(v)) {
                low = qMin(low, v);
                high = qMax(high, v);
            }
        }
    }
    // A target far off the bars would squeeze them into a corner: it then stays at the edge
    // it lies beyond.
    bool targetOff = false;
    if (hasTarget && qIsFinite(low)) {
        const double reach = qMax(high - low, qAbs(base) * 0.1);
        targetOff = target < low - reach || target > high + reach;
        if (!targetOff) {
            low = qMin(low, target);
            high = qMax(high, target);
        }
    }
    const QFontMetrics fm = fontMetrics();
    // The captions keep their text while the rows change places: laid out once, not on every
    // keystroke, where it would be most of a paint.
    int captionWidth = 0;
    QVector<const QStaticText*> captions;
    for (int r = 0; r < rows; ++r) {
        const QString text = m_model->index(r, 0).data().toString();
        auto it = m_captions.find(text);
        if (it == m_captions.end()) {
            QStaticText caption(text);
            caption.setTextFormat(Qt::PlainText);
            caption.prepare(QTransform(), font());
            it = m_captions.insert(text, caption);
        }
        captions.append(&*it);
        captionWidth = qMax(captionWidth, qCeil(it->size().width()));
    }
    const int lineHeight = fm.height();
    const QRect plot(captionWidth + 16, lineHeight + 10, width() - captionWidth - 32,
                     height() - 3 * lineHeight - 24);
    if (!qIsFinite(low) || !qIsFinite(high) || plot.width() < 20 || plot.height() < rows) {
        painter.setPen(axis);
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("n/a"));
        return;
    }
    if (high - low < 1e-12) {
        const double pad = qMax(qAbs(base) * 0.05, 0.01);
        low -= pad;
        high += pad;
    }
    const double pad = (high - low) * 0.04;
    low -= pad;
    high += pad;
    const auto xOf = [&](double v) {
        return plot.left() + (v - low) / (high - low) * plot.width();
    };

    const double pitch = double(plot.height()) / rows;
    const double barHeight = qMin(pitch * 0.7, 22.0);
    for (int r = 0; r < rows; ++r) {
        const double middle = plot.top() + pitch * (r + 0.5);
        painter.setPen(text);
        const QStaticText& caption = *captions.at(r);
        painter.drawStaticText(QPointF(captionWidth + 8 - caption.size().width(),
                                       middle - caption.size().height() / 2),
                               caption);
        for (bool up : {false, true}) {
            const double v = value(r, up ? 3 : 2);
            if (!qIsFinite(v) || !qIsFinite(base))
                continue;
            const double x0 = xOf(base);
            const double x1 = xOf(v);
            // Whole pixels: sharp edges without the cost of antialiasing.
            const QRect bar =
                QRectF(qMin(x0, x1), middle - barHeight / 2, qMax(qAbs(x1 - x0), 1.0), barHeight)
                    .toRect();
            painter.fillRect(bar, sideColour(r, up));
        }
    }

    // The base as a solid line, the target as a dashed one, each labelled above the plot.
    painter.setPen(QPen(text, 1.5));
    if (qIsFinite(base)) {
        const double x = xOf(base);
        painter.drawLine(QPointF(x, plot.top() - 2), QPointF(x, plot.bottom() + 2));
        painter.drawText(QRectF(x - 150, 2, 300, lineHeight), Qt::AlignCenter,
                         QStringLiteral("As typed: ") + m_text(base));
    }
    if (hasTarget && targetOff) {
        painter.setPen(targetText);
        const bool left = target < low;
        painter.drawText(QRectF(plot.left(), plot.bottom() + 4, plot.width(), lineHeight),
                         left ? Qt::AlignLeft : Qt::AlignRight,
                         left ? QStringLiteral("\u25c0 Your target: ") + m_text(target)
                              : QStringLiteral("Your target: ") + m_text(target) +
                                    QStringLiteral(" \u25b6"));
    } else if (hasTarget) {
        const double x = xOf(target);
        painter.setPen(QPen(targetText, 1.5, Qt::DashLine));
        painter.drawLine(QPointF(x, plot.top() - 2), QPointF(x, plot.bottom() + 2));
        painter.drawText(QRectF(x - 150, plot.bottom() + 4, 300, lineHeight), Qt::AlignCenter,
                         QStringLiteral("Your target: ") + m_text(target));
    }

    // What the colours mean.
    int x = plot.left();
    const int legendY = height() - lineHeight - 6;
    const std::pair<QColor, QString> legend[] = {
        {kLowColour, QStringLiteral("Input a step down")},
        {kHighColour, QStringLiteral("Input a step up")},
        {kHighBelowColour, QStringLiteral("Below your target")},
    };
    for (const auto& [colour, meaning] : legend) {
        if (colour == kHighBelowColour && !hasTarget)
            continue;
        painter.fillRect(QRect(x, legendY + 2, lineHeight - 4, lineHeight - 4), colour);
        x += lineHeight + 2;
        painter.setPen(text);
        painter.drawText(QPoint(x, legendY + fm.ascent()), meaning);
        x += fm.horizontalAdvance(meaning) + 18;
    }
}
