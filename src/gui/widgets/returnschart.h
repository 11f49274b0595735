#pragma once

#include "analysis/returns.h"

#include <QChartView>

class QCategoryAxis;
class QLineSeries;

// Property value, loan balance and equity at the end of each year of the holding period, with
// a marker and a label on the loan balance in each year a mortgage is paid off, and in the year
// of a refinance ("Refinanced").
class ReturnsChart : public QChartView {
    Q_OBJECT
public:
    explicit ReturnsChart(QWidget* parent = nullptr);

    // The whole years the year axis marks for a holding period of `years`: every year up to
    // ten; beyond, whole years evenly spaced from the first to the last (a step that divides
    // the span into at most nine), else every year where `mostTicks` labels fit, else the
    // first and the last only.
    static QVector<int> YearTicks(int years, int mostTicks);

    void setResult(const ReturnsResult& result);
    // The labels of the markers shown, the mortgages' payoffs first ("Mortgage 2 paid off"),
    // then the refinance's.
    QStringList payoffLabels() const;
    // The amount axis's labels, lowest first ("$0", "$100,000", ...).
    QStringList amountLabels() const;
    // The years the year axis marks, as its ticks stand now.
    QVector<double> yearTickValues() const;
    // Where each marker sits: its year and the amount.
    QVector<QPointF> markerPositions() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void setAmountTicks(double low, double high);
    void setYearTicks();

    QLineSeries* m_value = nullptr;
    QLineSeries* m_balance = nullptr;
    QLineSeries* m_equity = nullptr;
    QCategoryAxis* m_years = nullptr;
    int m_yearCount = 1;
    QCategoryAxis* m_amounts = nullptr;
    double m_low = 0, m_high = 0; // the amounts drawn, so a resized plot can relabel them
    QList<QAbstractSeries*> m_payoffs;
    QString m_payoffKey; // the payoffs the markers show, so unchanged ones are not rebuilt
};
