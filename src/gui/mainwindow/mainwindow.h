#pragma once

#include "gui/commands/propertycommands.h"
#include "gui/mainwindow/widgetform.h"
#include "model/form.h"

#include <QDateTime>
#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

class ClickableImage;
class PrintAnalysisCommand;
class WindowHost;
class EditMenu;
class FilePicker;
class FinancialView;
class HomePage;
class OutlookView;
class PictureStrip;
class PropertyView;
class ReturnsView;
class SummaryView;
class WidgetPrompts;
class LinkLabel;
class NavigationStrip;
class OutlookChart;
class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QScrollBar;

// The program's one main window. Its named text fields are the open property (the form the
// calculations, the store and the change tracking work on); it shows the home page or one of
// the four property views inside a scrollable content area, under a navigation strip.
//
// Sizes and positions follow the program's twip layout (15 twips = 1 pixel). The window's
// "outer" size is its client area plus the allowance a classic sizable frame with caption
// took, so the layout numbers place both scroll bars flush against the client edges whatever
// the window manager draws around the window.
class MainWindow : public QMainWindow, public Form {
    Q_OBJECT
public:
    // Client area to outer size, in twips.
    static constexpr int kFrameAllowanceWidth = 100;
    static constexpr int kFrameAllowanceHeight = 770;
    // The content area's width, and the corner box and strip heights.
    static constexpr int kContentWidth = 10860;
    static constexpr int kCornerWidth = 1440;
    static constexpr int kStripHeight = 900;

    static int toPixels(double twips);

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // --- Form: the widgets' own (widgetform.h) ---
    QString text(const QString& name, int index = 0) const override {
        return m_form.text(name, index);
    }
    void setText(const QString& name, const QString& value, int index = 0) override {
        m_form.setText(name, value, index);
    }
    bool isEnabled(const QString& name, int index = 0) const override {
        return m_form.isEnabled(name, index);
    }
    void setTextColor(const QString& name, int index, QRgb colour) override {
        m_form.setTextColor(name, index, colour);
    }
    QRgb textColor(const QString& name, int index) const override {
        return m_form.textColor(name, index);
    }
    QVector<ControlRef> controlsInWindowOrder() const override {
        return m_form.controlsInWindowOrder();
    }
    QVariant selectedItemData(const QString& name) const override {
        return m_form.selectedItemData(name);
    }
    void setChartData(const QVector<double>& values, const QStringList& labels) override {
        m_form.setChartData(values, labels);
    }
    void processPendingEvents() override { m_form.processPendingEvents(); }

    // A named control (letter case ignored); array cells by their index 1..n, else 0.
    QWidget* control(const QString& name, int index = 0) const {
        return m_form.control(name, index);
    }
    template <class T> T* control(const QString& name, int index = 0) const {
        return qobject_cast<T*>(control(name, index));
    }

    QFrame* homeFrame() const { return m_frameHome; }
    QFrame* propertyPicturesFrame() const;
    OutlookChart* chart() const;
    QMenu* fileMenu() const { return m_mnuFile; }
    QMenu* editMenu() const { return m_mnuEdit; }
    QMenu* toolsMenu() const { return m_mnuTools; }
    QMenu* helpMenu() const { return m_mnuHelp; }

    // The window's outer size and client area, in twips (see the class comment).
    int windowWidthTwips() const;
    int windowHeightTwips() const;
    int innerWidthTwips() const;
    int innerHeightTwips() const;
    void setWindowSizeTwips(int width, int height);
    int contentLeftTwips() const;
    int contentTopTwips() const;

    // The table index the home page is rebuilt from when the user returns to it.
    qint32 m_iHomePageStart = 0;

    // Rebuilds the home page's cards; installed by whoever owns the home page.
    using HomePageLoader = std::function<void(qint32& start, const QString& filter)>;
    void setHomePageLoader(HomePageLoader loader) { m_homePageLoader = std::move(loader); }

    // How many layout passes ran; a view switch that finds its view up runs none.
    int layoutPasses() const { return m_layoutPasses; }

    // --- The home page and the property commands (propertycommandswindow.cpp) ---
    HomePage& homePage() { return *m_homePage; }
    PropertyCommands& commands() { return *m_commands; }
    // Message boxes and the property-name dialog; nullptr puts the window's own back.
    void setPrompts(Prompts* prompts) { m_prompts = prompts; }
    Prompts& prompts();
    bool isHomePageVisible() const;
    void ShowPictureStrip();

    void OpenPropertyByName(QString& name) { m_commands->OpenPropertyByName(name); }
    void RemovePropertyByName(QString& name) { m_commands->RemovePropertyByName(name); }
    void ClearPropertyFields() { m_commands->ClearPropertyFields(); }
    void TakeBaselineSnapshot() { m_commands->TakeBaselineSnapshot(); }
    void TakeCurrentSnapshot() { m_commands->TakeCurrentSnapshot(); }
    bool HasUnsavedChanges() const { return m_commands->HasUnsavedChanges(); }

public slots:
    void Form_Load();
    void Form_Unload(bool& Cancel);
    void Form_Resize();
    void ShowHomePage();
    void ApplyColourScheme();
    void ClearPictureSelection();

    void imgProperty_Click();
    void imgFinancial_Click();
    void imgQuickView_Click();
    void img5YearView_Click();
    void imgReturnsView_Click();

    void lblProperty_MouseMove();
    void lblProperty_DragOver();
    void lblProperty_DragDrop();
    void lblFinancial_MouseMove();
    void lblFinancial_DragOver();
    void lblFinancial_DragDrop();
    void lblQuickView_MouseMove();
    void lblQuickView_DragOver();
    void lblQuickView_DragDrop();
    void lblCashFlow_MouseMove();
    void lblCashFlow_DragOver();
    void lblCashFlow_DragDrop();

    void VScroll1_Change();
    void HScroll2_Change();
    void cmbCFAYears_Click();
    void hscrollCashFlow10to20_Change();
    void picUpperLeftCorner_KeyDown(int KeyCode, int Shift);

    void txtPropertyInformation_GotFocus() { ClearPictureSelection(); }
    void txtAddress_GotFocus() { ClearPictureSelection(); }
    void txtUnits_GotFocus() { ClearPictureSelection(); }
    void txtSquareFootage_GotFocus() { ClearPictureSelection(); }
    void txtMiscNotes_GotFocus() { ClearPictureSelection(); }

    void txtMortgagePrincipal1_Change() { refreshMortgagePayment(1); }
    void txtMortgagePrincipal2_Change() { refreshMortgagePayment(2); }
    void txtMortgagePrincipal3_Change() { refreshMortgagePayment(3); }
    void txtMortgagePrincipal4_Change() { refreshMortgagePayment(4); }
    void txtAnnualInterestRate1_Change() { txtMortgagePrincipal1_Change(); }
    void txtAnnualInterestRate2_Change() { txtMortgagePrincipal2_Change(); }
    void txtAnnualInterestRate3_Change() { txtMortgagePrincipal3_Change(); }
    void txtAnnualInterestRate4_Change() { txtMortgagePrincipal4_Change(); }
    void txtAmortizationTerm1_Change() { txtMortgagePrincipal1_Change(); }
    void txtAmortizationTerm2_Change() { txtMortgagePrincipal2_Change(); }
    void txtAmortizationTerm3_Change() { txtMortgagePrincipal3_Change(); }
    void txtAmortizationTerm4_Change() { txtMortgagePrincipal4_Change(); }

    void txtAdvertising_Change() { expenseChanged(); }
    void txtInsurance_Change() { expenseChanged(); }
    void txtMiscellaneousExpenses_Change() { expenseChanged(); }
    void txtOfficeSupplies_Change() { expenseChanged(); }
    void txtProfessionalServices_Change() { expenseChanged(); }
    void txtPropertyManagement_Change() { expenseChanged(); }
    void txtPropertyTaxes_Change() { expenseChanged(); }
    void txtRepairAndMaintenance_Change() { expenseChanged(); }
    void txtSalaryAndWages_Change() { expenseChanged(); }
    void txtUtilities_Change() { expenseChanged(); }
    void txtWaterSewerGarbage_Change() { expenseChanged(); }

    void mnuFileExit_Click();
    void mnuFile_Click();
    void mnuFileOpen_Click() { m_commands->mnuFileOpen_Click(); }
    void mnuFileClose_Click() { m_commands->mnuFileClose_Click(); }
    void mnuFileAddNewProperty_Click() { m_commands->mnuFileAddNewProperty_Click(); }
    void mnuFileRemoveSelectedProperty_Click() {
        m_commands->mnuFileRemoveSelectedProperty_Click();
    }
    void mnuFileSave_Click() { m_commands->mnuFileSave_Click(); }
    void mnuFileSaveAs_Click() { m_commands->mnuFileSaveAs_Click(); }

    // The Tools menu's analysis report.
    void mnuTools_Click();
    void mnuToolsmnuPrintAnalysis_Click() { PrintFinancialAnalysisReport(); }
    void PrintFinancialAnalysisReport();

    // --- Edit and Help menus (mainwindow_edit.cpp, mainwindow_help.cpp) ---
public slots:
    void mnuEdit_Click();
    void mnuEditUndo_Click();
    void mnuEditCut_Click();
    void mnuEditCopy_Click();
    void mnuEditPaste_Click();
    void mnuEditDelete_Click();
    void mnuEditSelectAll_Click();
    void mnuHelp_Click();
    void mnuHelpTopics_Click();
    void mnuHelpOnlineHelp_Click();
    void mnuHelpNewsletter_Click();
    void mnuHelpAbout_Click();

private:
    void buildEditAndHelpMenus();
    void buildHelpMenu();
    // Hands a page of the program's own folders to the browser; when the shell refuses it,
    // tells the user where the file is so it can be opened by hand.
    void openPage(const QString& path);
    EditMenu* m_editMenu = nullptr;
    QAction* m_mnuHelpAbout = nullptr;
    // --- end of Edit and Help menus ---

    // --- Property pictures: the strip and the full-size view (mainwindow_pictures.cpp) ---
public:
    // The file dialog and the clock that stamps added pictures; nullptr / an empty clock put
    // the window's own back.
    void setFilePicker(FilePicker* picker);
    void setPictureClock(std::function<QDateTime()> clock);
    // Removes the selected strip picture; callers check that a slot is selected.
    void DeleteSelectedPicture();
    // Modal; returns when the view is closed.
    void ShowFullSizePicture(const QString& reference);
public slots:
    void cmdAddPicture_Click();
    void cmdDeletePicture_Click();
    void hScrollPropertImages_Change();
    void imgPropertyListItem_Click(int Index);
    void imgPropertyListItem_DblClick(int Index);
    void mnuToolsViewImageDetails_Click();

private:
    void buildPictureStrip();
    void showCornerForPictureStrip();
    PictureStrip* m_pictureStrip = nullptr;
    // --- end of property pictures ---

private:
    // The property and report commands reach the window's parts through it.
    friend class WindowHost;
    std::unique_ptr<WindowHost> m_host;
    PrintAnalysisCommand* m_printAnalysis = nullptr;

protected:
    // Asked before the window closes with a property open; false keeps the program running.
    // Change tracking answers it with the unsaved-changes question.
    virtual bool confirmUnsavedWork();

    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Building (mainwindowviews.cpp).
    void buildWindow();
    void buildMenus();
    // The home page inside frameHome, the File menu's property entries, the prompts.
    void buildPropertyCommands();
    void buildStrips();
    void buildViews();
    void connectFieldHandlers();

    // Switching views.
    void showViewFrame(QFrame* frame);
    void hideFrames(std::initializer_list<QFrame*> frames);
    void setContentHeightTwips(int height);
    void focusCorner();
    void scrollIntoView(QWidget* field);
    void refreshMortgagePayment(int row);
    void expenseChanged();
    void setCornerPicture(const QString& path);
    void storeWindowPosition();
    bool frameShown(const QFrame* frame) const;

    WidgetForm m_form{*this};

    QMenu* m_mnuFile = nullptr;
    QMenu* m_mnuEdit = nullptr;
    QMenu* m_mnuTools = nullptr;
    QMenu* m_mnuHelp = nullptr;
    QAction* m_mnuFileExit = nullptr;
    QWidget* m_client = nullptr;
    QWidget* m_picScrollable = nullptr;
    QFrame* m_picUpperLeftCorner = nullptr;
    QLabel* m_imgUpperLeftCorner = nullptr;
    NavigationStrip* m_frameNavigation = nullptr;
    NavigationStrip* m_frameHomeNavigation = nullptr;
    QScrollBar* m_VScroll1 = nullptr;
    QScrollBar* m_HScroll2 = nullptr;

    QFrame* m_frameHome = nullptr;
    PropertyView* m_frameProperty = nullptr;
    FinancialView* m_frameFinancial = nullptr;
    SummaryView* m_frameQuickView = nullptr;
    OutlookView* m_frame5YearView = nullptr;
    ReturnsView* m_frameReturnsView = nullptr;

    HomePageLoader m_homePageLoader;
    HomePage* m_homePage = nullptr;
    QMetaObject::Connection m_focusChanged;
    std::unique_ptr<PropertyCommands> m_commands;
    std::unique_ptr<WidgetPrompts> m_widgetPrompts;
    Prompts* m_prompts = nullptr;
    QAction* m_mnuFileOpen = nullptr;
    QAction* m_mnuFileClose = nullptr;
    QAction* m_mnuFileAddNewProperty = nullptr;
    QAction* m_mnuFileRemoveSelectedProperty = nullptr;
    QAction* m_mnuFileSave = nullptr;
    QAction* m_mnuFileSaveAs = nullptr;
    bool m_loaded = false;
    int m_layoutPasses = 0;
    // Exact twip positions of the content (the widget itself sits on whole pixels).
    double m_contentLeft = 0;
    double m_contentTop = 0;
    int m_contentHeight = 0;
    int m_homeFrameHeight = 8995;
};
