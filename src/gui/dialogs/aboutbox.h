#pragma once

#include <QDialog>
#include <QLabel>

#include "gui/widgets/linklabel.h"

class QFrame;
class QPushButton;

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
    // The web link: blue and underlined while the pointer is over it; releasing the mouse
    // button over it opens its address (its tag) in the browser.
    void lblURL_MouseMove();
    void lblURL_DragOverLeave();
    void lblURL_DragDrop();

private:
    void fitToContent();

    QLabel* m_picIcon = nullptr;
    QLabel* m_lblTitle = nullptr;
    QLabel* m_lblCopyright = nullptr;
    LinkLabel* m_lblURL = nullptr;
    QLabel* m_lblEmail = nullptr;
    QFrame* m_Line1 = nullptr;
    QLabel* m_lblSmallPrint = nullptr;
    QPushButton* m_cmdOK = nullptr;
};
