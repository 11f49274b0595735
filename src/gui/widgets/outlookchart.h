#pragma once

#include <QChartView>
#include <QStringList>
#include <QVector>
#include <memory>

class QBarCategoryAxis;
class QBarSeries;
class QBarSet;
class QValueAxis;

// The bar chart of the yearly cash flow on the outlook view: one bar per year, labelled
// "Year 1".."Year n", losses drawn below the zero line.
class OutlookChart : public QChartView {
    Q_OBJECT
public:
    explicit OutlookChart(QWidget* parent = nullptr);
    ~OutlookChart() override;

    // Shows these years. Years beyond ten get upright labels so twenty stay legible.
    void setData(const QVector<double>& values, const QStringList& labels);

    QVector<double> values() const;
    QStringList labels() const;
    int updateCount() const { return m_updates; }

private:
    void cacheStillParts();

    QBarSeries* m_series = nullptr;
    QBarSet* m_set = nullptr;
    QBarCategoryAxis* m_categories = nullptr;
    QValueAxis* m_values = nullptr;
    std::unique_ptr<QValueAxis> m_niceScale; // never shown: rounds a range as m_values would
    QStringList m_labels;
    int m_updates = 0;
};
