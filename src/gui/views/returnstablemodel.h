#pragma once

#include "analysis/returns.h"

#include <QAbstractTableModel>
#include <QVector>

// The holding period year by year: one column a year, one row a figure, with the classic
// outlook's annual cash flow beside the fuller model's and the difference between them. A
// refinance adds its cash out under the cash flows.
class ReturnsTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // The captions of every row the table can show, top to bottom; "Refinance Cash Out" is shown
    // only with a refinance month.
    static const QStringList& rowCaptions();

    // outlookCashFlow[y-1] is the outlook's figure for year y (NaN where it is no number).
    void setResult(const ReturnsResult& result, const QVector<double>& outlookCashFlow);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The figure as a number (NaN for "n/a").
    double value(int row, int column) const;
    // The whole table with its headings, cells split by `separator` and lines by CR LF;
    // amounts as plain whole numbers (no "$", no grouping, "-" for a negative) so that a
    // spreadsheet takes them as numbers.
    QString tableText(QChar separator) const;

private:
    int rowShown(int row) const; // the row of the full list shown at that place

    QVector<ReturnsYear> m_years;
    bool m_cashOutShown = false;
    QVector<double> m_outlook;
};
