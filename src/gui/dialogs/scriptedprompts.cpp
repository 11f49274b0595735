#include "gui/dialogs/scriptedprompts.h"

PromptAnswer ScriptedPrompts::message(const PromptMessage& m) {
    m_messages.append(m);
    if (m_answers.isEmpty())
        return DefaultAnswer(m);
    return m_answers.takeFirst();
}

std::optional<QString> ScriptedPrompts::askPropertyName(const PropertyNameRequest& request) {
    m_requests.append(request);
    if (m_names.isEmpty())
        return std::nullopt;
    return m_names.takeFirst();
}

QStringList ScriptedPrompts::titles() const {
    QStringList t;
    for (const PromptMessage& m : m_messages)
        t.append(m.title);
    return t;
}

void ScriptedPrompts::clear() {
    m_answers.clear();
    m_names.clear();
    m_messages.clear();
    m_requests.clear();
}
