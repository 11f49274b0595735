#include "gui/commands/reportcommand.h"

#include "base/errortrap.h"
#include "base/safefile.h"
#include "gui/widgets/outlookchart.h"

#include "gui/widgets/twips.h"
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>

#include <QGraphicsScene>
#include <QPainter>
#include <cmath>

ReportCanvas::ReportCanvas(QObject* parent) : QObject(parent) {}

ReportCanvas::~ReportCanvas() = default;

void ReportCanvas::setSizeTwips(int width, int height) {
    const auto pixels = [](int twips) { return std::max(1, TwipsToPixels(twips)); };
    m_size = QSize(pixels(width), pixels(height));
}

void ReportCanvas::loadPicture(const QString& path) {
    if (!QFileInfo(path).isFile())
        RaiseError(53);
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull())
        RaiseError(481);
    m_picture = image;
}

void ReportCanvas::setPictureFromChart(const OutlookChart& chart) {
    m_picture = chartImage(chart, m_size, 1.0);
}

QImage RenderChartOffScreen(QChartView& chart, QSize size, qreal scale, QSize shown) {
    if (shown.isEmpty())
        shown = size;
    // A chart lays itself out only once its view has been shown; this one never reaches the
    // screen.
    chart.setAttribute(Qt::WA_DontShowOnScreen);
    chart.resize(size);
    chart.show();
    // Let the chart take its size and data into its layout before it is drawn.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCoreApplication::sendPostedEvents(&chart);
    QCoreApplication::sendPostedEvents(chart.scene());

    QImage image(QSize(qRound(shown.width() * scale), qRound(shown.height() * scale)),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    if (image.size() == size)
        chart.render(&painter);
    else
        chart.scene()->render(&painter, QRectF(image.rect()), QRectF(QPointF(), size),
                              Qt::IgnoreAspectRatio);
    painter.end();
    // Hidden again, it cannot keep the program alive after the main window closes.
    chart.hide();
    return image;
}

QImage ReportCanvas::chartImage(const OutlookChart& chart, QSize size, qreal scale, QSize shown) {
    if (!m_chart) {
        m_chart = std::make_unique<OutlookChart>();
        m_chart->setObjectName(QStringLiteral("picGraphPrintingPictureBox"));
    }
    m_chart->setData(chart.values(), chart.labels());
    return RenderChartOffScreen(*m_chart, size, scale, shown);
}

QImage ReportCanvas::rendered() const {
    QImage image(m_size, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (!m_picture.isNull()) {
        QPainter painter(&image);
        painter.drawImage(0, 0, m_picture);
    }
    return image;
}

void ReportCanvas::saveBitmap(const QString& path) const {
    QBuffer bitmap;
    bitmap.open(QIODevice::WriteOnly);
    if (!rendered().save(&bitmap, "BMP"))
        RaiseError(75);
    QString errorText;
    if (!SaveFileBytes(path, bitmap.data(), &errorText))
        RaiseError(QFileInfo(path).dir().exists() ? 75 : 76,
                   errorText + QStringLiteral(": ") + path);
}
