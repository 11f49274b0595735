#pragma once

#include <QDialog>
#include <QLabel>

#include "gui/widgets/linklabel.h"

class QFrame;
class QPushButton;

// The about box's web link: navy at rest; blue and underlined while the pointer is over it;
// releasing the mouse button over it opens its address (its Tag) in the browser.
class AboutLinkLabel : public LinkLabel {
    Q_OBJECT
public:
    static QColor hoverColour() { return QColor(0, 0, 255); }

    explicit AboutLinkLabel(QWidget* parent = nullptr);

    QString tag() const { return m_tag; }
    void setTag(const QString& tag) { m_tag = tag; }

public slots:
    void lblURL_MouseMove();
    void lblURL_DragOverLeave();
    void lblURL_DragDrop();

private:
    QString m_tag;
};

// One small modal box that serves as the about box and as the newsletter box.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    void fillAbout();
    void fillNewsletter();

    // Fill, show modally, and unload when closed.
    static void ShowAbout(QWidget* parent);
    static void ShowNewsletter(QWidget* parent);

public slots:
    void cmdOK_Click();

private:
    void fitToContent();

    QLabel* m_picIcon = nullptr;
    QLabel* m_lblTitle = nullptr;
    QLabel* m_lblCopyright = nullptr;
    AboutLinkLabel* m_lblURL = nullptr;
    QLabel* m_lblEmail = nullptr;
    QFrame* m_Line1 = nullptr;
    QLabel* m_lblSmallPrint = nullptr;
    QPushButton* m_cmdOK = nullptr;
};
