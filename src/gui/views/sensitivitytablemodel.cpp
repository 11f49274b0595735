#include "gui/views/sensitivitytablemodel.h"

#include "gui/widgets/tornadochart.h"

#include <QtMath>

namespace {
enum Column { Input, Change, AtLow, AtHigh, ColumnCount };
} // namespace

QString PlainFigure(Criterion metric, double value) {
    if (!qIsFinite(value))
        return QStringLiteral("n/a");
    switch (metric) {
    case Criterion::CashOnCash:
    case Criterion::CapRate:
    case Criterion::IrrAfterTax:
        return QString::number(value * 100, 'f', 2);
    case Criterion::DebtServiceCoverage:
        return QString::number(value, 'f', 2);
    case Criterion::CashFlowPerUnit:
        return QString::number(qRound64(value));
    }
    return QStringLiteral("n/a");
}

QString PlainFigureUnit(Criterion metric) {
    if (metric == Criterion::DebtServiceCoverage)
        return QString();
    return metric == Criterion::CashFlowPerUnit ? QStringLiteral(" ($)") : QStringLiteral(" (%)");
}

QString SeparatedCell(const QString& text, QChar separator) {
    if (separator == QLatin1Char('\t') ||
        !(text.contains(separator) || text.contains(QLatin1Char('"')) ||
          text.contains(QLatin1Char('\n'))))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void SensitivityTableModel::setTornado(const Tornado& tornado, std::optional<double> target) {
    const bool reshape = tornado.rows.size() != m_tornado.rows.size();
    // The base and the target live in the heading, which only the chart reads.
    const bool sameHeading = qFuzzyCompare(1 + tornado.base, 1 + m_tornado.base) &&
                             target == m_target && tornado.metric == m_tornado.metric;
    if (reshape)
        beginResetModel();
    m_tornado = tornado;
    m_target = target;
    if (reshape) {
        endResetModel();
        return;
    }
    if (!m_tornado.rows.isEmpty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
    if (!sameHeading)
        emit headerDataChanged(Qt::Horizontal, 0, 0);
}

int SensitivityTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_tornado.rows.size());
}

int SensitivityTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SensitivityTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_tornado.rows.size())
        return {};
    const TornadoRow& row = m_tornado.rows.at(index.row());
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case Input:
            return SensitivityInputCaption(row.input);
        case Change:
            return SensitivityStepText(row.input);
        case AtLow:
            return CriterionValueText(m_tornado.metric, row.low);
        case AtHigh:
            return CriterionValueText(m_tornado.metric, row.high);
        }
    }
    if (role == TornadoChart::ValueRole && (index.column() == AtLow || index.column() == AtHigh))
        return index.column() == AtLow ? row.low : row.high;
    if (role == Qt::TextAlignmentRole && index.column() >= AtLow)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant SensitivityTableModel::headerData(int section, Qt::Orientation orientation,
                                           int role) const {
    if (orientation != Qt::Horizontal)
        return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    if (role == TornadoChart::ValueRole && section == 0)
        return m_tornado.base;
    if (role == TornadoChart::TargetRole && section == 0)
        return m_target ? QVariant(*m_target) : QVariant();
    if (role != Qt::DisplayRole)
        return {};
    static const char* const captions[] = {"Input", "Change", "At Low", "At High"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(captions[section])
                                                 : QVariant();
}

QString SensitivityTableModel::tableText(QChar separator) const {
    const QString metric = CriterionCaption(m_tornado.metric);
    const QString unit = PlainFigureUnit(m_tornado.metric);
    QStringList lines;
    lines << QStringList{headerData(Input, Qt::Horizontal).toString(),
                         headerData(Change, Qt::Horizontal).toString(),
                         metric + QStringLiteral(" at Low") + unit,
                         metric + QStringLiteral(" at High") + unit}
                 .join(separator);
    for (const TornadoRow& row : m_tornado.rows)
        lines << QStringList{SeparatedCell(SensitivityInputCaption(row.input), separator),
                             SeparatedCell(SensitivityStepText(row.input), separator),
                             PlainFigure(m_tornado.metric, row.low),
                             PlainFigure(m_tornado.metric, row.high)}
                     .join(separator);
    return lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n");
}
