#pragma once

#include "gui/commands/printanalysiscommand.h"
#include "gui/commands/propertycommands.h"

class MainWindow;

// The window as the property and report commands see it: the routines they call on the
// window, kept out of the window's own interface.
class WindowHost : public PropertyCommandHost, public PrintAnalysisHost {
public:
    explicit WindowHost(MainWindow& window) : m_window(window) {}

    Form& form() override;
    HomePage& homePage() override;
    Prompts& prompts() override;
    bool isHomePageVisible() const override;
    void ShowHomePage() override;
    void imgProperty_Click() override;
    void ClearPictureSelection() override;
    void clearPictureStripImages() override;
    void resetPictureStripScroll() override;
    void ShowPictureStrip() override;
    void showPropertyNavigation() override;
    bool showCornerFromFirstStripSlot() override;
    void showCornerLogo() override;
    qint32& homePageStart() override;
    void setBusy(bool busy) override;
    QWidget* progressParent() override;

    View shownView() const override;
    void showView(View view) override;
    void showOutlookPeriod(int period) override;
    const OutlookChart& chart() const override;
    const QStringList& propertyPictures() const override;
    void openPage(const QString& path) override;

private:
    MainWindow& m_window;
};
