#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <optional>

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
    // Captions for the Ok and Cancel buttons where the plain words would not say what they do.
    QString okText = {};
    QString cancelText = {};
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

// The button Enter presses: the message's default where it offers it, else Yes or Ok.
PromptAnswer DefaultAnswer(const PromptMessage& message);
