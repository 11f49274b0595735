#pragma once

#include "analysis/returns.h"

#include <QChartView>

class QCategoryAxis;
class QLineSeries;
class QValueAxis;

// Property value, loan balance and equity at the end of each year of the holding period, with
// a marker and a label on the loan balance in each year a mortgage is paid off, and in the year
// of a refinance ("Refinanced").
class ReturnsChart : public QChartView {
    Q_OBJECT
public:
    explicit ReturnsChart(QWidget* parent = nullptr);

    void setResult(const ReturnsResult& result);
    // The labels of the markers shown, the mortgages' payoffs first ("Mortgage 2 paid off"),
    // then the refinance's.
    QStringList payoffLabels() const;
    // The amount axis's labels, lowest first ("$0", "$100,000", ...).
    QStringList amountLabels() const;

private:
    void setAmountTicks(double low, double high);

    QLineSeries* m_value = nullptr;
    QLineSeries* m_balance = nullptr;
    QLineSeries* m_equity = nullptr;
    QValueAxis* m_years = nullptr;
    QCategoryAxis* m_amounts = nullptr;
    QList<QAbstractSeries*> m_payoffs;
    QString m_payoffKey; // the payoffs the markers show, so unchanged ones are not rebuilt
};
