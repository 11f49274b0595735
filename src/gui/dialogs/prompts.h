#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;
class frmDialog;

// Every question the property commands put to the user goes through this interface: the
// running program shows modal boxes, tests answer from a script.
enum class PromptButtons { Ok, OkCancel, YesNoCancel };
enum class PromptIcon { None, Information, Warning, Critical, Question };
enum class PromptAnswer { Ok, Cancel, Yes, No };

struct PromptMessage {
    QString title;
    QString text;
    PromptIcon icon = PromptIcon::None;
    PromptButtons buttons = PromptButtons::Ok;
    // The button that Enter presses; Ok / Yes when left unset.
    std::optional<PromptAnswer> defaultButton;
};

struct PropertyNameRequest {
    QString label;       // the question above the text box
    QString initialText; // what the text box holds when the dialog opens
};

class Prompts {
public:
    virtual ~Prompts() = default;
    // Shows a message box and returns the button pressed. A box closed without a button
    // answers Cancel where there is one, otherwise Ok.
    virtual PromptAnswer message(const PromptMessage& message) = 0;
    // The property-name dialog: the text as typed on OK, nothing on Cancel, Escape or close.
    virtual std::optional<QString> askPropertyName(const PropertyNameRequest& request) = 0;
};

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
