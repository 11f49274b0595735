#include "gui/commands/propertycommands.h"

#include "analysis/analysis.h"
#include "base/blanks.h"
#include "base/errortrap.h"
#include "gui/commands/backgroundwork.h"
#include "gui/dialogs/prompts.h"
#include "gui/dialogs/propertydialog.h"
#include "gui/views/homepage.h"
#include "model/form.h"
#include "store/propertydatabase.h"
#include "store/propertytable.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>

PropertyCommands::PropertyCommands(PropertyCommandHost& host) : m_host(host) {}

QString PropertyCommands::UnsavedChangesText() {
    return QStringLiteral("You have made changes that have not been saved.\r\n\r\n"
                          "Do you want to save the changes before closing?");
}

QString PropertyCommands::RemoveQuestionText(const QString& name) {
    return QStringLiteral("Are you sure you want to permanently remove:\r\n\r\n   \"") + name +
           QStringLiteral("\" ?");
}

FileMenuState PropertyCommands::mnuFile_Click() const {
    FileMenuState s;
    const bool open = !m_host.isHomePageVisible();
    s.close = s.save = s.saveAs = open;
    if (!open) {
        s.addNew = true;
        // The selected card, or the table's current row while the table is shown.
        if (m_host.homePage().hasChoice())
            s.open = s.remove = true;
    } else if (g_lCurrentProperty == 0) {
        // A copy needs a stored original.
        s.saveAs = false;
    }
    s.duplicate = s.saveAs;
    return s;
}

void PropertyCommands::mnuFileAddNewProperty_Click() {
    Trap(5200, [&] { g_sListOfImagesForProperty = QStringList{QString()}; });
    Trap(5201, [&] { m_host.ClearPictureSelection(); });
    Trap(5202, [&] { m_host.clearPictureStripImages(); });
    Trap(5203, [&] { ClearPropertyFields(); });
    Trap(5204, [&] { TakeBaselineSnapshot(); });
    m_changes.m_bDirty = false;
    Trap(5205, [&] { m_host.imgProperty_Click(); });
    Trap(5206, [&] { m_host.showPropertyNavigation(); });
    Trap(5207, [&] { m_host.showCornerLogo(); });
    g_lCurrentProperty = 0;
}

void PropertyCommands::mnuFileOpen_Click() {
    Trap(5310, [&] { m_host.homePage().openChoice(); });
}

qint32 PropertyCommands::FindPropertyRow(const QString& upperName) {
    qint32 row = 0;
    const qint32 count = qMin<qint32>(g_lPropertyCount, g_propertyTable.propertyCount());
    const int slotCount = g_propertyTable.slotCount();
    for (qint32 i = 1; i <= count; ++i) {
        for (int j = 1; j <= slotCount; ++j) {
            if (g_propertyTable.key(i, j).toUpper() == QLatin1String("TXTPROPERTYINFORMATION") &&
                g_propertyTable.value(i, j).toUpper() == upperName)
                row = i;
        }
    }
    return row;
}

bool PropertyCommands::isTableRow(qint32 row) {
    return row >= 1 && row <= qMin<qint32>(g_lPropertyCount, g_propertyTable.propertyCount());
}

void PropertyCommands::OpenPropertyByName(QString& name) {
    name = TrimBlanks(name).toUpper();
    qint32 row = 0;
    Trap(5425, [&] { row = FindPropertyRow(name); });
    // A name that matches nothing leaves the row that was open before.
    openRow(row ? row : g_lCurrentProperty);
}

void PropertyCommands::OpenPropertyAtRow(qint32 row) {
    if (isTableRow(row))
        openRow(row);
}

void PropertyCommands::openRow(qint32 row) {
    Trap(5520, [&] { m_host.homePageStart() = m_host.homePage().cardTag(1); });
    Trap(5521, [&] { g_sListOfImagesForProperty = QStringList{QString()}; });
    Trap(5522, [&] { m_host.ClearPictureSelection(); });
    Trap(5523, [&] { m_host.clearPictureStripImages(); });
    {
        // Emptying and loading run every field's handler as before; the window shows only
        // where they end.
        FormUpdate update(m_host.form());
        Trap(5524, [&] { ClearPropertyFields(); });
        g_lCurrentProperty = row;
        Trap(5526, [&] { LoadPropertyIntoFields(m_host.form(), g_sListOfImagesForProperty); });
    }
    Trap(5527, [&] { m_host.resetPictureStripScroll(); });
    Trap(5528, [&] { m_host.ShowPictureStrip(); });
    Trap(5529, [&] { TakeBaselineSnapshot(); });
    m_changes.m_bDirty = false;
    Trap(5530, [&] { m_host.imgProperty_Click(); });
    Trap(5531, [&] { m_host.showPropertyNavigation(); });
    Trap(5532, [&] {
        if (!m_host.showCornerFromFirstStripSlot())
            m_host.showCornerLogo();
    });
}

SaveOutcome PropertyCommands::save(qint32 omit) {
    SaveHooks hooks;
    hooks.recalculate = RecalculateAnalysis;
    hooks.takeBaselineSnapshot = [this] { TakeBaselineSnapshot(); };
    hooks.setBusy = [this](bool busy) { m_host.setBusy(busy); };
    if (QWidget* window = m_host.progressParent()) {
        hooks.runWork = [window](const std::function<void()>& work, const std::atomic<qint64>& done,
                                 qint64 total) {
            RunWithProgress(window, QStringLiteral("Saving the property database..."), work, done,
                            total);
        };
    }
    hooks.confirm = [this](const QString& title, const QString& text, const QString& goAhead) {
        PromptMessage m;
        m.title = title;
        m.text = text;
        m.icon = PromptIcon::Warning;
        m.buttons = PromptButtons::OkCancel;
        m.defaultButton = PromptAnswer::Cancel;
        m.okText = goAhead;
        return m_host.prompts().message(m) == PromptAnswer::Ok;
    };
    return SavePropertyDatabase(m_host.form(), omit, g_sListOfImagesForProperty, hooks);
}

PromptMessage PropertyCommands::ReadOnlyMessage() {
    PromptMessage m;
    m.title = QStringLiteral("Database Read-Only");
    m.text = g_sPropertyDatabaseReadOnly;
    m.icon = PromptIcon::Critical;
    m.buttons = PromptButtons::Ok;
    return m;
}

bool PropertyCommands::refusedReadOnly() {
    if (g_sPropertyDatabaseReadOnly.isEmpty())
        return false;
    Trap(5644, [&] { m_host.prompts().message(ReadOnlyMessage()); });
    return true;
}

bool PropertyCommands::saveOpenProperty() {
    if (refusedReadOnly())
        return false;
    const SaveOutcome outcome = save(-1);
    // The user chose to keep another program's change: the edits stay open, nothing to report.
    if (outcome == SaveOutcome::Cancelled)
        return false;
    // The file turned into something that is no database since it was read.
    if (outcome == SaveOutcome::ReadOnly) {
        refusedReadOnly();
        return false;
    }
    // A written database retakes the baseline; without it the edits are still unsaved.
    TakeCurrentSnapshot();
    if (outcome == SaveOutcome::Saved && !HasUnsavedChanges())
        return true;
    Trap(5743, [&] {
        PromptMessage m;
        m.title = QStringLiteral("Save Failed");
        m.text = QStringLiteral("The property could not be saved.  Your changes are still open; "
                                "the error log holds the details.");
        m.icon = PromptIcon::Critical;
        m.buttons = PromptButtons::Ok;
        m_host.prompts().message(m);
    });
    return false;
}

void PropertyCommands::mnuFileSave_Click() {
    saveOpenProperty();
}

void PropertyCommands::mnuFileSaveAs_Click() {
    if (refusedReadOnly())
        return;
    g_bDialogCancelled = true;
    std::optional<QString> newName;
    Trap(5840, [&] {
        PropertyNameRequest request;
        request.label = QStringLiteral("What is the New Property Name?");
        request.initialText = QStringLiteral("Copy of ") +
                              m_host.form().text(QStringLiteral("txtPropertyInformation"));
        newName = m_host.prompts().askPropertyName(request);
        g_bDialogCancelled = !newName.has_value();
    });
    if (g_bDialogCancelled) {
        Trap(5841, [&] {
            PromptMessage m;
            m.title = QStringLiteral("Command Aborted");
            m.text = QStringLiteral("Copy of Property Aborted.  The property has not been copied");
            m.buttons = PromptButtons::Ok;
            m_host.prompts().message(m);
        });
        return;
    }
    // The name as typed; the save trims it.
    TrapSilently(
        [&] { m_host.form().setText(QStringLiteral("txtPropertyInformation"), *newName); });
    g_lCurrentProperty = 0;
    Trap(5842, [&] { saveOpenProperty(); });
}

bool PropertyCommands::settleUnsavedWork() {
    bool keepOpen = false;
    Trap(5950, [&] { TakeCurrentSnapshot(); });
    bool changed = false;
    Trap(5951, [&] { changed = HasUnsavedChanges(); });
    if (!changed) {
        Trap(5952, [&] { m_host.ShowHomePage(); });
        return true;
    }
    PromptMessage m;
    m.title = QStringLiteral("Unsaved Changes");
    m.text = UnsavedChangesText();
    m.icon = PromptIcon::Warning;
    m.buttons = PromptButtons::YesNoCancel;
    PromptAnswer answer = PromptAnswer::Cancel;
    Trap(5953, [&] { answer = m_host.prompts().message(m); });
    switch (answer) {
    case PromptAnswer::Yes: {
        // Closing over a save that failed would throw the edits away.
        bool saved = false;
        Trap(5954, [&] { saved = saveOpenProperty(); });
        if (!saved)
            return false;
        Trap(5955, [&] { m_host.ShowHomePage(); });
        break;
    }
    case PromptAnswer::No:
        Trap(5956, [&] { m_host.ShowHomePage(); });
        break;
    default:
        keepOpen = true;
        break;
    }
    return !keepOpen;
}

void PropertyCommands::mnuFileClose_Click() {
    settleUnsavedWork();
}

void PropertyCommands::Form_Unload(bool& cancel) {
    if (m_host.isHomePageVisible())
        return;
    if (!settleUnsavedWork())
        cancel = true;
}

void PropertyCommands::mnuFileRemoveSelectedProperty_Click() {
    if (refusedReadOnly())
        return;
    Trap(6060, [&] { ClearPropertyFields(); });
    // The name only tells the user what goes; the card's (or the table row's) own row says
    // which property.
    QString name;
    qint32 row = 0;
    bool chosen = false;
    Trap(6061, [&] { chosen = m_host.homePage().choice(&row, &name); });
    if (!chosen)
        return; // nothing selected: there is nothing to remove
    PromptMessage m;
    m.title = QStringLiteral("Delete Property");
    m.text = RemoveQuestionText(name);
    m.icon = PromptIcon::Warning;
    m.buttons = PromptButtons::OkCancel;
    m.defaultButton = PromptAnswer::Cancel;
    PromptAnswer answer = PromptAnswer::Cancel;
    Trap(6063, [&] { answer = m_host.prompts().message(m); });
    if (answer == PromptAnswer::Ok) {
        Trap(6064, [&] { RemovePropertyAtRow(row); });
        return;
    }
    Trap(6065, [&] {
        PromptMessage aborted;
        aborted.title = QStringLiteral("Command Aborted");
        aborted.text =
            QStringLiteral("Removal of Property Aborted.  The property has not been deleted");
        aborted.buttons = PromptButtons::Ok;
        m_host.prompts().message(aborted);
    });
}

void PropertyCommands::RemovePropertyByName(QString& name) {
    name = TrimBlanks(name).toUpper();
    qint32 row = 0;
    Trap(6170, [&] { row = FindPropertyRow(name); });
    RemovePropertyAtRow(row);
}

void PropertyCommands::RemovePropertyAtRow(qint32 row) {
    // Row 0 removes nothing; the file is still rewritten as it stands.
    if (!isTableRow(row))
        row = 0;
    // The table follows the file as written; when it could not be written, it stays whole.
    SaveOutcome outcome = SaveOutcome::Failed;
    Trap(6271, [&] { outcome = save(row); });
    if (outcome == SaveOutcome::ReadOnly)
        refusedReadOnly();
    Trap(6273, [&] {
        qint32 start = 1;
        m_host.homePage().LoadPropertiesOnMainPage(start, QString());
    });
    // The page now shows every property from the first: the filter box says so too, and
    // no card stays selected, since the card the user chose is gone (a border left behind
    // would put another property under Open and Remove).
    Trap(6274, [&] {
        HomePage& page = m_host.homePage();
        page.filterBox()->setCurrentIndex(0);
        page.picSelectProperty_Click(-1);
    });
}

void PropertyCommands::ClearPropertyFields() {
    Form& form = m_host.form();
    FormUpdate update(form);
    const QVector<ControlRef> controls = form.controlsInWindowOrder();
    for (const ControlRef& c : controls) {
        if (c.kind != ControlKind::TextField)
            continue;
        Trap(6380, [&] {
            if (form.isEnabled(c.name, c.index))
                form.setText(c.name, QString(), c.index);
        });
    }
}

void PropertyCommands::TakeBaselineSnapshot() {
    m_changes.TakeBaselineSnapshot(m_host.form());
}

void PropertyCommands::TakeCurrentSnapshot() {
    m_changes.TakeCurrentSnapshot(m_host.form());
}
