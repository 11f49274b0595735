#pragma once

#include <QLabel>

// One thumbnail of the Property view's picture strip: answers a click and a double click.
class PictureSlotImage : public QLabel {
    Q_OBJECT
public:
    explicit PictureSlotImage(QWidget* parent = nullptr);

signals:
    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
