#pragma once

#include "analysis/changetracking.h"
#include "gui/dialogs/prompts.h"
#include "store/propertydatabase.h"

#include <QStringList>

class Form;
class HomePage;
class Prompts;
class QWidget;

// What the property commands need from the main window: its fields, the home page, the
// prompts, and the view routines that belong to the window itself.
class PropertyCommandHost {
public:
    virtual ~PropertyCommandHost() = default;
    virtual Form& form() = 0;
    virtual HomePage& homePage() = 0;
    virtual Prompts& prompts() = 0;

    // A property is open exactly while the home frame is hidden.
    virtual bool isHomePageVisible() const = 0;
    virtual void ShowHomePage() = 0;
    virtual void imgProperty_Click() = 0;
    virtual void ClearPictureSelection() = 0;
    // The picture strip: empty its four images; put its scroll bar back to the left end;
    // redraw it from the picture list.
    virtual void clearPictureStripImages() = 0;
    virtual void resetPictureStripScroll() = 0;
    virtual void ShowPictureStrip() = 0;
    // The property strip with the view links replaces the home banner.
    virtual void showPropertyNavigation() = 0;
    // The corner box: the picture of the strip's first slot when that slot is showing;
    // returns false (and changes nothing) when it is not.
    virtual bool showCornerFromFirstStripSlot() = 0;
    virtual void showCornerLogo() = 0;
    // The table index the home page is rebuilt from when the user comes back to it.
    virtual qint32& homePageStart() = 0;
    // Hourglass while the database is written.
    virtual void setBusy(bool busy) { (void)busy; }
    // The window a long save shows its progress over, and keeps answering meanwhile; none:
    // the save runs straight through.
    virtual QWidget* progressParent() { return nullptr; }
};

// Which File menu entries are enabled; Exit is always left as it is.
struct FileMenuState {
    bool open = false;
    bool close = false;
    bool addNew = false;
    bool remove = false;
    bool save = false;
    bool saveAs = false;
    bool duplicate = false;
};

// The life cycle of a property: new, open, save, save a copy, close, remove, and the
// unsaved-work question when the program closes. The open property's picture list and its
// change snapshots live here.
class PropertyCommands {
public:
    explicit PropertyCommands(PropertyCommandHost& host);

    FileMenuState mnuFile_Click() const;
    // The box that says why a database cannot be written (start-up, Save, Save a Copy, Remove).
    static PromptMessage ReadOnlyMessage();
    void mnuFileAddNewProperty_Click();
    void mnuFileOpen_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuFileClose_Click();
    void mnuFileRemoveSelectedProperty_Click();

    // name is replaced by its trimmed, upper-cased form; the last property of that name wins.
    void OpenPropertyByName(QString& name);
    void RemovePropertyByName(QString& name);
    // What a card opens and removes: its own row. A row outside the table opens nothing and
    // removes nothing.
    void OpenPropertyAtRow(qint32 row);
    void RemovePropertyAtRow(qint32 row);
    void ClearPropertyFields();

    void TakeBaselineSnapshot();
    void TakeCurrentSnapshot();
    bool HasUnsavedChanges() const { return m_changes.HasUnsavedChanges(); }
    // A picture was added or removed: no watched field shows it, so it is counted apart.
    void picturesChanged() { m_changes.m_bDirty = true; }

    // The program is closing: with a property open and unsaved work, asks whether to save.
    // Sets cancel when the user chose to keep the program running.
    void Form_Unload(bool& cancel);

    // The open property's pictures: element 0 empty, then the references in order.
    QStringList g_sListOfImagesForProperty{QString()};
    ChangeTracker m_changes;

    // Texts the user sees, kept in one place.
    static QString UnsavedChangesText();
    static QString RemoveQuestionText(const QString& name);

    // Stores the open property; false (after telling the user) when it could not be written.
    bool saveOpenProperty();
    // A database that is not ours to replace: says so and returns true; nothing is written.
    bool refusedReadOnly();

private:
    SaveOutcome save(qint32 omit);
    void openRow(qint32 row);
    static bool isTableRow(qint32 row);
    // Index 1..n of the last row whose name matches (trimmed, upper-cased), 0 for none.
    static qint32 FindPropertyRow(const QString& upperName);
    // Asks about unsaved work; returns false when the user cancelled.
    bool settleUnsavedWork();

    PropertyCommandHost& m_host;
};
