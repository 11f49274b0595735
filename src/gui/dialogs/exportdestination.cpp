#include "gui/dialogs/exportdestination.h"

#include "base/safefile.h"
#include "gui/dialogs/picker.h"
#include "gui/dialogs/prompts.h"
#include "gui/dialogs/widgetfilepicker.h"

#include <QDir>
#include <QWidget>

ExportDestination::ExportDestination(QString title, QString filter, QString suffix, QString what,
                                     QString contents)
    : m_title(std::move(title)), m_filter(std::move(filter)), m_suffix(std::move(suffix)),
      m_what(std::move(what)), m_contents(std::move(contents)) {}

ExportDestination::~ExportDestination() = default;

bool ExportDestination::write(QWidget* dialogParent, const QString& propertyName,
                              const std::function<QByteArray()>& bytes, Prompts* prompts) {
    if (!m_picker) {
        m_ownPicker =
            std::make_unique<WidgetFilePicker>(dialogParent ? dialogParent->window() : nullptr);
        m_picker = m_ownPicker.get();
    }
    const QString pattern = QStringLiteral("*.") + m_suffix;
    FilePickerRequest request;
    request.title = m_title;
    request.filters = {{m_filter + QStringLiteral(" (") + pattern + QLatin1Char(')'), {pattern}}};
    request.fileName = ExportFileName(propertyName, m_what, m_suffix);
    const std::optional<QString> chosen =
        ChooseExportFile(*m_picker, request, m_suffix, m_lastFolder);
    if (!chosen)
        return false;
    QString error;
    if (SaveFileBytes(*chosen, bytes(), &error))
        return true;
    if (prompts) {
        PromptMessage m;
        m.title = m_title;
        m.text = QStringLiteral("The %1 could not be written to %2.\n%3")
                     .arg(m_contents, QDir::toNativeSeparators(*chosen), error);
        m.icon = PromptIcon::Warning;
        prompts->message(m);
    }
    return false;
}
