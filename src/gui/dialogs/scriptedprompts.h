#pragma once

#include "gui/dialogs/prompts.h"

#include <QList>
#include <QStringList>

// Tests: records every question and returns the answers queued in advance. A message with
// no queued answer gets its default button; a name request with none is cancelled.
class ScriptedPrompts : public Prompts {
public:
    PromptAnswer message(const PromptMessage& message) override;
    std::optional<QString> askPropertyName(const PropertyNameRequest& request) override;

    void setNextAnswer(PromptAnswer answer) { m_answers.append(answer); }
    void setNextName(const QString& name) { m_names.append(name); }
    void setNextNameCancelled() { m_names.append(std::nullopt); }

    const QList<PromptMessage>& messages() const { return m_messages; }
    const QList<PropertyNameRequest>& nameRequests() const { return m_requests; }
    QStringList titles() const;
    void clear();

private:
    QList<PromptAnswer> m_answers;
    QList<std::optional<QString>> m_names;
    QList<PromptMessage> m_messages;
    QList<PropertyNameRequest> m_requests;
};
