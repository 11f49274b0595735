#pragma once

#include <QObject>
#include <functional>

class HomePage;
class PictureStrip;
class QAction;
class QFrame;
class QMenu;
class QWidget;

// The Tools menu's "View Full-Size Version of Selected Picture" and the full-size view a
// double click on a strip picture opens. On the Property view it shows the strip's selected
// picture; elsewhere the picture of the home page's selected card stands for the property.
class ViewPictureCommand : public QObject {
    Q_OBJECT
public:
    // Adds the entry to the Tools menu. The viewer is limited to three quarters of the
    // window's width, which windowWidthTwips reports.
    ViewPictureCommand(QWidget* window, QMenu* tools, QFrame* propertyView, PictureStrip& strip,
                       HomePage& homePage, std::function<int()> windowWidthTwips);

    void viewSelected();
    // Modal; returns when the view is closed.
    void show(const QString& reference);

private:
    QWidget* m_window;
    QFrame* m_propertyView;
    PictureStrip& m_strip;
    HomePage& m_homePage;
    std::function<int()> m_windowWidthTwips;
};
