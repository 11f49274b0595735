#pragma once

#include <QFrame>

class PictureStrip;
class QLabel;
class QPixmap;

// The box in the window's top left corner, beside the strips: the program's logo on the home
// page, the property's first picture on its views. It takes the keyboard where no field
// should have it (the summary and the outlook).
class CornerBox : public QFrame {
    Q_OBJECT
public:
    CornerBox(QWidget* parent, int widthTwips, int heightTwips);

    // The logo, read from the program's pictures; a missing or unreadable file raises 53 or
    // 481 and leaves the box as it was.
    void showLogo();
    void showPicture(const QPixmap& picture);
    // The strip's first picture while its slot is in use, else the logo.
    void showFirstPictureOf(const PictureStrip& strip);
    // Takes the focus when the box is on screen.
    void focusIfVisible();

private:
    QLabel* m_image = nullptr;
};
