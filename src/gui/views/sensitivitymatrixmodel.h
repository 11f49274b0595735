#pragma once

#include "analysis/sensitivity.h"

#include <QAbstractTableModel>

// The two-way table: the figure over the purchase price (rows) and the gross monthly income
// (columns), each 10 % and 5 % either side of the figure as typed. A cell that meets the user's
// target is green, one that misses it red; the cell as typed is the middle one.
class SensitivityMatrixModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // True on the cell of the figures as typed, which the table outlines.
    static constexpr int BaseCellRole = Qt::UserRole + 10;
    // Light green and red on a light desktop; deeper where the desktop's text is light.
    static QColor metColour();
    static QColor missedColour();

    void setMatrix(const SensitivityMatrix& matrix);
    const SensitivityMatrix& matrix() const { return m_matrix; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The table with the prices down the side and the incomes along the top, as the tornado's
    // text is written.
    QString tableText(QChar separator) const;

private:
    SensitivityMatrix m_matrix;
    bool m_filled = false;
};
