#pragma once

#include <QChartView>
#include <QImage>
#include <QStringList>
#include <QVector>
#include <memory>

class QBarCategoryAxis;
class QBarSeries;
class QBarSet;
class QGraphicsItem;
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
    // Paints that drew only the bars over the chart kept from before.
    int barPaints() const { return m_barPaints; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void cacheStillParts();
    // The item that holds the bars and clips them to the plot; null when a paint cannot be
    // left to the bars alone (no bars, or something drawn over them).
    QGraphicsItem* barLayer() const;
    QRect plotArea(const QGraphicsItem* layer) const;
    bool paintBarsOnly(QPaintEvent* event);
    void keepStill();

    QBarSeries* m_series = nullptr;
    QBarSet* m_set = nullptr;
    QBarCategoryAxis* m_categories = nullptr;
    QValueAxis* m_values = nullptr;
    std::unique_ptr<QValueAxis> m_niceScale; // never shown: rounds a range as m_values would
    QStringList m_labels;
    int m_updates = 0;
    // The chart as last drawn without its bars, and the plot it holds.
    QImage m_still;
    QRect m_stillPlot;
    bool m_stillValid = false;
    bool m_stillQueued = false;
    bool m_drawingStill = false;
    int m_barPaints = 0;
};
