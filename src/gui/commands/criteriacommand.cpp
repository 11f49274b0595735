#include "gui/commands/criteriacommand.h"

#include "gui/dialogs/criteriadialog.h"
#include "gui/dialogs/criteriasettings.h"

#include <QAction>
#include <QMenu>

CriteriaCommand::CriteriaCommand(QWidget* window, QMenu* tools)
    : QObject(window), m_window(window) {
    tools->addSeparator();
    auto* entry = new QAction(QStringLiteral("Investment &Criteria..."), window);
    entry->setObjectName(QStringLiteral("mnuToolsInvestmentCriteria"));
    tools->addAction(entry);
    connect(entry, &QAction::triggered, this, &CriteriaCommand::edit);
}

void CriteriaCommand::edit() {
    CriteriaSettings& settings = CriteriaSettings::instance();
    CriteriaDialog dialog(m_window, settings.texts());
    if (dialog.exec() == QDialog::Accepted)
        settings.store(dialog.texts());
}
