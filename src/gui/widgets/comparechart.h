#pragma once

#include <QStringList>
#include <QVector>
#include <QWidget>

// A small bar chart of two rates for each property compared: IRR after tax and cash-on-cash,
// side by side over each property's name, with the rate written on each bar. A rate that
// cannot be computed draws no bar and reads "n/a".
class CompareChart : public QWidget {
    Q_OBJECT
public:
    explicit CompareChart(QWidget* parent = nullptr);

    // Rates as fractions (0.12 for 12 %), NaN for n/a; one of each per name.
    void setRates(const QStringList& names, const QVector<double>& irrAfterTax,
                  const QVector<double>& cashOnCash);
    // The chart as a picture of that size, for paper.
    QImage image(const QSize& size) const;

    static const QString& firstSeriesName();
    static const QString& secondSeriesName();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Text in `text` on a background the caller has filled: the page's colours on screen,
    // black on white on paper.
    void draw(QPainter& painter, const QRect& area, const QColor& text) const;

    QStringList m_names;
    QVector<double> m_first;
    QVector<double> m_second;
};
