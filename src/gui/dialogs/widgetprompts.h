#pragma once

#include "gui/dialogs/prompts.h"

#include <QPointer>

class QWidget;
class frmDialog;

// The running program: modal message boxes and the one property-name dialog, which is
// hidden between uses rather than destroyed.
class WidgetPrompts : public Prompts {
public:
    explicit WidgetPrompts(QWidget* parent);
    ~WidgetPrompts() override;
    PromptAnswer message(const PromptMessage& message) override;
    std::optional<QString> askPropertyName(const PropertyNameRequest& request) override;
    frmDialog* dialog();

private:
    QPointer<QWidget> m_parent;
    QPointer<frmDialog> m_dialog;
};
