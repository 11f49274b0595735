#include "gui/commands/duplicatecommand.h"

#include "base/programfolder.h"
#include "gui/commands/propertycommands.h"
#include "gui/dialogs/prompts.h"
#include "gui/pictures/picturefiles.h"
#include "model/form.h"
#include "store/propertytable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kNameField = QStringLiteral("txtPropertyInformation");
const QString kTitle = QStringLiteral("Duplicate Property");

} // namespace

DuplicateCommand::DuplicateCommand(PropertyCommandHost& host, PropertyCommands& commands)
    : m_host(host), m_commands(commands) {}

bool DuplicateCommand::isEnabled() const {
    return m_commands.mnuFile_Click().duplicate;
}

QString DuplicateCommand::ProposedName(const QString& name) {
    return name + QStringLiteral(" (copy)");
}

bool DuplicateCommand::CopyPictures(const QStringList& pictures, const QDateTime& when,
                                    QStringList* copies, QString* failed) {
    QStringList made{QString()};
    const auto undo = [&] {
        for (const QString& copy : qAsConst(made))
            if (!copy.isEmpty() && !pictures.contains(copy))
                QFile::remove(copy);
    };
    for (int k = 1; k < pictures.size(); ++k) {
        const QString& reference = pictures.at(k);
        const QString source = LocatePictureFile(reference, ProgramFolder());
        if (reference.isEmpty() || !QFileInfo(source).isFile()) {
            made.append(reference);
            continue;
        }
        const QString copy = FreePictureCopyPath(when, source);
        // The picture folder is made again if something removed it since start-up.
        QDir().mkpath(QFileInfo(copy).absolutePath());
        if (!QFile::copy(source, copy)) {
            undo();
            *failed = reference;
            return false;
        }
        made.append(copy);
    }
    *copies = made;
    return true;
}

void DuplicateCommand::mnuFileDuplicate_Click() {
    if (!isEnabled() || m_commands.refusedReadOnly())
        return;
    Prompts& prompts = m_host.prompts();
    Form& form = m_host.form();
    // The duplicate is made from the property as saved, so unsaved edits are saved first.
    m_commands.TakeCurrentSnapshot();
    if (m_commands.HasUnsavedChanges()) {
        PromptMessage m;
        m.title = kTitle;
        m.text = QStringLiteral("\"%1\" has changes that are not saved.\n\nSave them first, then "
                                "duplicate the property?")
                     .arg(form.text(kNameField));
        m.icon = PromptIcon::Question;
        m.buttons = PromptButtons::OkCancel;
        if (prompts.message(m) != PromptAnswer::Ok || !m_commands.saveOpenProperty())
            return;
    }

    PropertyNameRequest request;
    request.label = QStringLiteral("What is the Name of the Duplicate?");
    request.initialText = ProposedName(form.text(kNameField));
    const std::optional<QString> name = prompts.askPropertyName(request);
    if (!name)
        return;

    QStringList& pictures = m_commands.g_sListOfImagesForProperty;
    QStringList copies;
    QString failed;
    if (!CopyPictures(pictures, m_clock ? m_clock() : QDateTime::currentDateTime(), &copies,
                      &failed)) {
        PromptMessage m;
        m.title = kTitle;
        m.text = QStringLiteral("The picture %1 could not be copied, so the property has not "
                                "been duplicated.")
                     .arg(QDir::toNativeSeparators(failed));
        m.icon = PromptIcon::Warning;
        m.buttons = PromptButtons::Ok;
        prompts.message(m);
        return;
    }

    // Saved as a new property, as Save a Copy does, with the copies in place of the pictures.
    const qint32 original = g_lCurrentProperty;
    const QString originalName = form.text(kNameField);
    const QStringList originalPictures = pictures;
    form.setText(kNameField, *name);
    pictures = copies;
    g_lCurrentProperty = 0;
    if (m_commands.saveOpenProperty()) {
        m_commands.OpenPropertyAtRow(g_lCurrentProperty);
        return;
    }
    // Not written (the user has been told): the original stays open as it was, and the copies
    // nothing refers to go.
    for (const QString& copy : qAsConst(copies))
        if (!copy.isEmpty() && !originalPictures.contains(copy))
            QFile::remove(copy);
    pictures = originalPictures;
    g_lCurrentProperty = original;
    form.setText(kNameField, originalName);
    m_host.ShowPictureStrip();
    m_commands.TakeBaselineSnapshot();
}
