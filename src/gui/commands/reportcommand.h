#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <memory>

class OutlookChart;
class QChartView;

// The chart laid out off screen at `size` and drawn into an image of `shown` × `scale` pixels
// (`shown` empty: `size`), stretched as a browser stretches a bitmap to its tag's size. Text and
// lines are drawn afresh at that grain rather than enlarged from a screen-sized bitmap. The view
// must not be on screen; it is hidden again afterwards.
QImage RenderChartOffScreen(QChartView& chart, QSize size, qreal scale, QSize shown = QSize());

// The report's off-screen picture box: a canvas of settable size holding one picture, whose
// rendered image is saved as a Windows BMP file. A picture that fails to load leaves the one
// it held before, so the bitmap is still written from whatever the box shows.
class ReportCanvas : public QObject {
    Q_OBJECT
public:
    explicit ReportCanvas(QObject* parent = nullptr);
    ~ReportCanvas() override;

    void setSizeTwips(int width, int height);
    QSize size() const { return m_size; }

    // Raises 53 for a missing file, 481 for one that is not a picture.
    void loadPicture(const QString& path);
    // The chart as it stands (its yearly values and labels), drawn afresh at the canvas size
    // so its text stays sharp.
    void setPictureFromChart(const OutlookChart& chart);
    // The chart laid out at `size` and drawn `scale` times finer into `shown` (empty: `size`),
    // for paper.
    QImage chartImage(const OutlookChart& chart, QSize size, qreal scale, QSize shown = QSize());

    // The box as shown: its picture at natural size from the top left, on white.
    QImage rendered() const;
    // Raises 75 when the file cannot be written.
    void saveBitmap(const QString& path) const;

private:
    QSize m_size{1, 1};
    QImage m_picture;
    std::unique_ptr<OutlookChart> m_chart; // drawn off screen, never mapped
};
