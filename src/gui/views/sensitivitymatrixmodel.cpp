#include "gui/views/sensitivitymatrixmodel.h"

#include "gui/views/sensitivitytablemodel.h"
#include "gui/widgets/themecolours.h"

#include <QColor>
#include <QGuiApplication>
#include <QtMath>

namespace {

QString StepText(int k) {
    const int percent = qRound(MatrixSteps()[size_t(k)] * 100);
    if (percent == 0)
        return QStringLiteral("0 %");
    return (percent > 0 ? QStringLiteral("+%1 %") : QStringLiteral("\u2212%1 %"))
        .arg(qAbs(percent));
}

QString PlainAmount(double v) {
    return qIsFinite(v) ? QString::number(qRound64(v)) : QStringLiteral("n/a");
}

} // namespace

QColor SensitivityMatrixModel::metColour() {
    return Theme::Tint(QColor(0xcd, 0xeb, 0xc5), QGuiApplication::palette());
}

QColor SensitivityMatrixModel::missedColour() {
    return Theme::Tint(QColor(0xf6, 0xc8, 0xc4), QGuiApplication::palette());
}

void SensitivityMatrixModel::setMatrix(const SensitivityMatrix& matrix) {
    if (!m_filled)
        beginResetModel();
    const SensitivityMatrix previous = m_matrix;
    m_matrix = matrix;
    if (!m_filled) {
        m_filled = true;
        endResetModel();
        return;
    }
    emit dataChanged(index(0, 0), index(kMatrixSize - 1, kMatrixSize - 1));
    // The headings name the prices and rents, which most keystrokes leave alone.
    if (matrix.incomes != previous.incomes)
        emit headerDataChanged(Qt::Horizontal, 0, kMatrixSize - 1);
    if (matrix.prices != previous.prices)
        emit headerDataChanged(Qt::Vertical, 0, kMatrixSize - 1);
}

int SensitivityMatrixModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_filled ? 0 : kMatrixSize;
}

int SensitivityMatrixModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_filled ? 0 : kMatrixSize;
}

QVariant SensitivityMatrixModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const size_t r = size_t(index.row());
    const size_t c = size_t(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return CriterionValueText(m_matrix.metric, m_matrix.values[r][c]);
    case Qt::TextAlignmentRole:
        return int(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        if (const std::optional<bool> meets = m_matrix.meets[r][c])
            return *meets ? metColour() : missedColour();
        return {};
    case BaseCellRole:
        return index.row() == kMatrixBase && index.column() == kMatrixBase;
    default:
        return {};
    }
}

QVariant SensitivityMatrixModel::headerData(int section, Qt::Orientation orientation,
                                            int role) const {
    if (role != Qt::DisplayRole || section < 0 || section >= kMatrixSize)
        return {};
    const double amount = orientation == Qt::Vertical ? m_matrix.prices[size_t(section)]
                                                      : m_matrix.incomes[size_t(section)];
    return QStringLiteral("%1 (%2)").arg(StepText(section), ReturnsMoneyText(amount));
}

QString SensitivityMatrixModel::tableText(QChar separator) const {
    QStringList heading{
        SeparatedCell(QStringLiteral("Purchase Price \\ Gross Monthly Income"), separator)};
    for (int c = 0; c < kMatrixSize; ++c)
        heading << PlainAmount(m_matrix.incomes[size_t(c)]);
    QStringList lines{heading.join(separator)};
    for (int r = 0; r < kMatrixSize; ++r) {
        QStringList cells{PlainAmount(m_matrix.prices[size_t(r)])};
        for (int c = 0; c < kMatrixSize; ++c)
            cells << PlainFigure(m_matrix.metric, m_matrix.values[size_t(r)][size_t(c)]);
        lines << cells.join(separator);
    }
    return lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n");
}
