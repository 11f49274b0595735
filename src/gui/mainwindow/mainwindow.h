#pragma once

#include "analysis/analysis.h"
#include "gui/commands/printanalysiscommand.h"
#include "gui/commands/propertycommands.h"
#include "gui/commands/viewpicturecommand.h"
#include "gui/mainwindow/contentlayout.h"
#include "gui/mainwindow/editmenu.h"
#include "gui/mainwindow/filemenu.h"
#include "gui/mainwindow/helpmenu.h"
#include "gui/mainwindow/navigationstrip.h"
#include "gui/mainwindow/viewswitcher.h"
#include "gui/mainwindow/widgetform.h"
#include "gui/pictures/picturestrip.h"
#include "gui/views/outlookview.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class ComparePaperCommand;
class CornerBox;
class CriteriaCommand;
class DuplicateCommand;
class FilePicker;
class FinancialView;
class HomePage;
class OutlookChart;
class PaperAnalysisCommand;
class PortfolioView;
class PropertyView;
class ReturnsView;
class SummaryView;
class WidgetPrompts;
class WindowHost;
class QFrame;
class QMenu;

// The program's one main window. Its named text fields are the open property (the form the
// calculations, the store and the change tracking work on, through WidgetForm); it shows the
// home page or one of the property views inside a scrollable content area, under a navigation
// strip. It builds its parts and hands the work to them (ViewSwitcher, ContentLayout, the
// menus' own classes, the picture strip and the commands); its slots, named after the handlers
// the outside knows, forward in one line. Sizes follow the twip layout (see ContentLayout).
class MainWindow : public QMainWindow, public WidgetForm {
    Q_OBJECT
public:
    static constexpr int kStripHeight = ContentLayout::kStripHeight;
    static int toPixels(double twips);

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The Form over the window's widgets (widgetform.h).
    using WidgetForm::isEnabled;
    // A named control (letter case ignored); array cells by their index 1..n, else 0.
    using WidgetForm::control;
    template <class T> T* control(const QString& name, int index = 0) const {
        return qobject_cast<T*>(control(name, index));
    }

    QFrame* homeFrame() const { return m_frameHome; }
    QFrame* propertyPicturesFrame() const { return m_pictureStrip; }
    OutlookChart* chart() const { return m_frame5YearView->chart(); }
    QMenu* fileMenu() const { return m_mnuFile; }
    QMenu* editMenu() const { return m_mnuEdit; }
    QMenu* toolsMenu() const { return m_mnuTools; }
    QMenu* helpMenu() const { return m_mnuHelp; }

    // The window's outer size and the content's place, in twips.
    int windowWidthTwips() const { return m_layout.windowWidthTwips(); }
    int windowHeightTwips() const { return m_layout.windowHeightTwips(); }
    void setWindowSizeTwips(int width, int height);
    int contentLeftTwips() const { return m_layout.contentLeftTwips(); }
    int contentTopTwips() const { return m_layout.contentTopTwips(); }
    // How many layout passes ran; a view switch that finds its view up runs none.
    int layoutPasses() const { return m_layout.layoutPasses(); }

    // The table index the home page is rebuilt from when the user returns to it.
    qint32 m_iHomePageStart = 0;

    HomePage& homePage() { return *m_homePage; }
    // The cards or table choice, the search, the portfolio table and the comparison.
    PortfolioView& portfolio() { return *m_portfolio; }
    PropertyCommands& commands() { return *m_commands; }
    DuplicateCommand& duplicate() { return *m_duplicate; }
    ComparePaperCommand& comparePaper() { return *m_comparePaper; }
    // Message boxes and the property-name dialog; nullptr puts the window's own back.
    void setPrompts(Prompts* prompts) { m_prompts = prompts; }
    Prompts& prompts();
    bool isHomePageVisible() const { return !m_frameHome->isHidden(); }
    void ShowPictureStrip() {
        if (m_pictureStrip)
            m_pictureStrip->refresh();
    }
    // The file dialog and the clock that stamps added pictures; nullptr / an empty clock put
    // the window's own back.
    void setFilePicker(FilePicker* picker);
    void setPictureClock(std::function<QDateTime()> clock);
    // Removes the selected strip picture; callers check that a slot is selected.
    void DeleteSelectedPicture() { m_pictureStrip->deleteSelected(); }
    // Modal; returns when the view is closed.
    void ShowFullSizePicture(const QString& reference) { m_viewPicture->show(reference); }

    void OpenPropertyByName(QString& name) { m_commands->OpenPropertyByName(name); }
    void TakeCurrentSnapshot() { m_commands->TakeCurrentSnapshot(); }
    bool HasUnsavedChanges() const { return m_commands->HasUnsavedChanges(); }

public slots:
    void Form_Load();
    void Form_Unload(bool& Cancel);
    void Form_Resize() { m_layout.layout(); }
    void ShowHomePage();
    void ApplyColourScheme();
    void ClearPictureSelection() { m_views->clearPictureSelection(); }

    void imgProperty_Click() { m_views->showProperty(); }
    void imgFinancial_Click() { m_views->showFinancial(); }
    void imgQuickView_Click() { m_views->showSummary(); }
    void img5YearView_Click() { m_views->showOutlook(); }
    void imgReturnsView_Click() { m_views->showReturns(); }

    // Links: hover look while the pointer is over them, the view's action on release.
    void lblProperty_MouseMove() { m_views->hoverLink(NavigationStrip::Property, true); }
    void lblProperty_DragOver() { m_views->hoverLink(NavigationStrip::Property, false); }
    void lblProperty_DragDrop() { m_views->followLink(NavigationStrip::Property); }
    void lblFinancial_MouseMove() { m_views->hoverLink(NavigationStrip::Financial, true); }
    void lblFinancial_DragOver() { m_views->hoverLink(NavigationStrip::Financial, false); }
    void lblFinancial_DragDrop() { m_views->followLink(NavigationStrip::Financial); }
    void lblQuickView_MouseMove() { m_views->hoverLink(NavigationStrip::Summary, true); }
    void lblQuickView_DragOver() { m_views->hoverLink(NavigationStrip::Summary, false); }
    void lblQuickView_DragDrop() { m_views->followLink(NavigationStrip::Summary); }
    void lblCashFlow_MouseMove() { m_views->hoverLink(NavigationStrip::CashFlow, true); }
    void lblCashFlow_DragOver() { m_views->hoverLink(NavigationStrip::CashFlow, false); }
    void lblCashFlow_DragDrop() { m_views->followLink(NavigationStrip::CashFlow); }

    void VScroll1_Change() { m_layout.verticalScrolled(); }
    void HScroll2_Change() { m_layout.horizontalScrolled(); }
    void cmbCFAYears_Click() { m_views->outlookPeriodChosen(); }
    void hscrollCashFlow10to20_Change() { m_views->outlookDecadeScrolled(); }
    // A key pressed while the corner box has the focus does nothing.
    void picUpperLeftCorner_KeyDown(int /*KeyCode*/, int /*Shift*/) {}

    void txtPropertyInformation_GotFocus() { ClearPictureSelection(); }
    void txtAddress_GotFocus() { ClearPictureSelection(); }
    void txtUnits_GotFocus() { ClearPictureSelection(); }
    void txtSquareFootage_GotFocus() { ClearPictureSelection(); }
    void txtMiscNotes_GotFocus() { ClearPictureSelection(); }

    void txtMortgagePrincipal1_Change() { UpdateMortgagePayment(*this, 1); }
    void txtMortgagePrincipal2_Change() { UpdateMortgagePayment(*this, 2); }
    void txtMortgagePrincipal3_Change() { UpdateMortgagePayment(*this, 3); }
    void txtMortgagePrincipal4_Change() { UpdateMortgagePayment(*this, 4); }
    void txtAnnualInterestRate1_Change() { txtMortgagePrincipal1_Change(); }
    void txtAnnualInterestRate2_Change() { txtMortgagePrincipal2_Change(); }
    void txtAnnualInterestRate3_Change() { txtMortgagePrincipal3_Change(); }
    void txtAnnualInterestRate4_Change() { txtMortgagePrincipal4_Change(); }
    void txtAmortizationTerm1_Change() { txtMortgagePrincipal1_Change(); }
    void txtAmortizationTerm2_Change() { txtMortgagePrincipal2_Change(); }
    void txtAmortizationTerm3_Change() { txtMortgagePrincipal3_Change(); }
    void txtAmortizationTerm4_Change() { txtMortgagePrincipal4_Change(); }

    void txtAdvertising_Change() { OperatingExpenseChanged(*this); }
    void txtInsurance_Change() { OperatingExpenseChanged(*this); }
    void txtMiscellaneousExpenses_Change() { OperatingExpenseChanged(*this); }
    void txtOfficeSupplies_Change() { OperatingExpenseChanged(*this); }
    void txtProfessionalServices_Change() { OperatingExpenseChanged(*this); }
    void txtPropertyManagement_Change() { OperatingExpenseChanged(*this); }
    void txtPropertyTaxes_Change() { OperatingExpenseChanged(*this); }
    void txtRepairAndMaintenance_Change() { OperatingExpenseChanged(*this); }
    void txtSalaryAndWages_Change() { OperatingExpenseChanged(*this); }
    void txtUtilities_Change() { OperatingExpenseChanged(*this); }
    void txtWaterSewerGarbage_Change() { OperatingExpenseChanged(*this); }

    void mnuFileExit_Click() { close(); }
    void mnuFile_Click() { m_fileMenu->refresh(); }
    void mnuFileOpen_Click() { m_commands->mnuFileOpen_Click(); }
    void mnuFileClose_Click() { m_commands->mnuFileClose_Click(); }
    void mnuFileAddNewProperty_Click() { m_commands->mnuFileAddNewProperty_Click(); }
    void mnuFileRemoveSelectedProperty_Click() {
        m_commands->mnuFileRemoveSelectedProperty_Click();
    }
    void mnuFileSave_Click() { m_commands->mnuFileSave_Click(); }
    void mnuFileSaveAs_Click() { m_commands->mnuFileSaveAs_Click(); }
    void mnuFileDuplicate_Click();

    void mnuEdit_Click() { m_editMenu->refresh(); }
    void mnuEditUndo_Click() { m_editMenu->run(EditCommands::Command::Undo); }
    void mnuEditCut_Click() { m_editMenu->run(EditCommands::Command::Cut); }
    void mnuEditCopy_Click() { m_editMenu->run(EditCommands::Command::Copy); }
    void mnuEditPaste_Click() { m_editMenu->run(EditCommands::Command::Paste); }
    void mnuEditDelete_Click() { m_editMenu->deleteSelection(); }
    void mnuEditSelectAll_Click() { m_editMenu->run(EditCommands::Command::SelectAll); }

    void mnuTools_Click() { m_printAnalysis->updateEntry(); }
    void mnuToolsmnuPrintAnalysis_Click() { PrintFinancialAnalysisReport(); }
    void PrintFinancialAnalysisReport() { m_printAnalysis->print(); }
    void mnuToolsViewImageDetails_Click() { m_viewPicture->viewSelected(); }
    void mnuToolsInvestmentCriteria_Click();
    // Compares the properties picked on the home page (Ctrl+K); nothing while one is open.
    void mnuToolsCompareSelected_Click();

    void mnuHelp_Click() { m_helpMenu->refresh(); }
    void mnuHelpTopics_Click() { m_helpMenu->showTopics(); }
    void mnuHelpOnlineHelp_Click() { m_helpMenu->showOnlineHelp(); }
    void mnuHelpNewsletter_Click() { m_helpMenu->showNewsletter(); }
    void mnuHelpAbout_Click() { m_helpMenu->showAbout(); }

    void cmdAddPicture_Click() { m_pictureStrip->addPicture(); }
    void cmdDeletePicture_Click() { m_pictureStrip->deleteSelectionIfAny(); }
    void hScrollPropertImages_Change() { m_pictureStrip->scrolled(); }
    void imgPropertyListItem_Click(int Index) { m_pictureStrip->select(Index); }
    void imgPropertyListItem_DblClick(int Index) { m_pictureStrip->openSlot(Index); }

protected:
    // Asked before the window closes with a property open; false keeps the program running.
    // Change tracking answers it with the unsaved-changes question.
    virtual bool confirmUnsavedWork();

    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The property and report commands reach the window's parts through it.
    friend class WindowHost;

    // Building, in the order the constructor runs them.
    void buildMenus();
    void buildClientArea();
    void buildViews();
    void buildStrips();
    void buildScrollBars();
    void setSmallestSize();
    // Moves and shrinks the window into the free area of the screen that shows most of it.
    void fitOnScreen();
    void buildCommands();
    void buildPictureStrip();
    void buildEditAndHelpMenus();
    void buildCompareEntry();

    ContentLayout m_layout;

    QMenu* m_mnuFile = nullptr;
    QMenu* m_mnuEdit = nullptr;
    QMenu* m_mnuTools = nullptr;
    QMenu* m_mnuHelp = nullptr;
    FileMenu* m_fileMenu = nullptr;
    EditMenu* m_editMenu = nullptr;
    HelpMenu* m_helpMenu = nullptr;

    QWidget* m_client = nullptr;
    QWidget* m_picScrollable = nullptr;
    CornerBox* m_corner = nullptr;
    NavigationStrip* m_frameNavigation = nullptr;
    NavigationStrip* m_frameHomeNavigation = nullptr;

    QFrame* m_frameHome = nullptr;
    PropertyView* m_frameProperty = nullptr;
    FinancialView* m_frameFinancial = nullptr;
    SummaryView* m_frameQuickView = nullptr;
    OutlookView* m_frame5YearView = nullptr;
    ReturnsView* m_frameReturnsView = nullptr;
    ViewSwitcher* m_views = nullptr;
    PictureStrip* m_pictureStrip = nullptr;

    HomePage* m_homePage = nullptr;
    PortfolioView* m_portfolio = nullptr;
    std::unique_ptr<WindowHost> m_host;
    std::unique_ptr<PropertyCommands> m_commands;
    std::unique_ptr<DuplicateCommand> m_duplicate;
    ComparePaperCommand* m_comparePaper = nullptr;
    std::unique_ptr<WidgetPrompts> m_widgetPrompts;
    Prompts* m_prompts = nullptr;
    PrintAnalysisCommand* m_printAnalysis = nullptr;
    PaperAnalysisCommand* m_paperAnalysis = nullptr;
    ViewPictureCommand* m_viewPicture = nullptr;
    CriteriaCommand* m_criteria = nullptr;
    QMetaObject::Connection m_focusChanged;
};
