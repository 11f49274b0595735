#pragma once

#include "gui/mainwindow/navigationstrip.h"

#include <QObject>
#include <functional>
#include <initializer_list>

class ContentLayout;
class CornerBox;
class FinancialView;
class Form;
class MainWindow;
class OutlookView;
class PictureStrip;
class Prompts;
class PropertyView;
class QFrame;
class ReturnsView;
class SummaryView;

// Shows the home page or one property view at a time: hides the others, sizes the content to
// the view, brings its figures up to date and puts the keyboard where the user starts on it.
// A view already on screen is left alone (no layout pass, the focus where it is).
class ViewSwitcher : public QObject {
    Q_OBJECT
public:
    struct Parts {
        QFrame* home = nullptr;
        PropertyView* property = nullptr;
        FinancialView* financial = nullptr;
        SummaryView* summary = nullptr;
        OutlookView* outlook = nullptr;
        ReturnsView* returns = nullptr;
        NavigationStrip* navigation = nullptr;     // the views' links
        NavigationStrip* homeNavigation = nullptr; // the banner
        CornerBox* corner = nullptr;
    };

    // form is the window's, which the views' figures are computed on.
    ViewSwitcher(Form& form, ContentLayout& layout, const Parts& parts,
                 std::function<Prompts&()> prompts, QObject* parent);

    // The strip whose selection a view switch drops; it is built after the views.
    void setPictureStrip(PictureStrip* strip) { m_strip = strip; }

    // Connects the navigation strip's icons and links to the window's handlers.
    void connectNavigation(MainWindow& window);

    void showProperty();
    void showFinancial();
    void showSummary();
    void showOutlook();
    void showReturns();
    // The home page's frame, banner and logo, the views hidden; the cards are not reloaded.
    void showHome();
    // The views' links in place of the banner, as when a property is opened.
    void showPropertyNavigation();

    // A link under the pointer looks pressed; following one shows its view.
    void hoverLink(NavigationStrip::View link, bool hovered);
    void followLink(NavigationStrip::View link);
    // The outlook's period box and decade bar moved.
    void outlookPeriodChosen();
    void outlookDecadeScrolled();

    bool isShown(const QFrame* frame) const;
    void focusCorner();
    void clearPictureSelection();

private:
    void showViewFrame(QFrame* frame);
    static void hideFrames(std::initializer_list<QFrame*> frames);

    Form& m_form;
    ContentLayout& m_layout;
    Parts m;
    std::function<Prompts&()> m_prompts;
    PictureStrip* m_strip = nullptr;
};
