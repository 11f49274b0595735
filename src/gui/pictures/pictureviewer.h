#pragma once

#include <QDialog>

class QLabel;

// The full-size picture view: a modal window sized to its picture. picShowImage shows the
// picture at its natural size; imgShowImage stretches it over the whole window when the
// picture is too wide for the screen the main window leaves it. A click on the picture
// closes the view.
class frmShowImage : public QDialog {
    Q_OBJECT
public:
    static QString caption() { return QStringLiteral("  To close this view, click on the image"); }

    explicit frmShowImage(QWidget* parent = nullptr);

    // Shows the picture a reference names, modal; returns when the view is closed. A picture
    // wider than the limit (in twips) is scaled down to it.
    static void showPicture(QWidget* parent, const QString& reference, double widthLimitTwips);

    QLabel* picShowImage() const { return m_picShowImage; }
    QLabel* imgShowImage() const { return m_imgShowImage; }

public slots:
    void Form_Load() {}
    void imgShowImage_Click();
    void picShowImage_Click();

private:
    QLabel* m_picShowImage = nullptr;
    QLabel* m_imgShowImage = nullptr;
};
