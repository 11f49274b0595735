#include "gui/dialogs/prompts.h"

namespace {

bool offers(PromptButtons buttons, PromptAnswer answer) {
    switch (buttons) {
    case PromptButtons::Ok:
        return answer == PromptAnswer::Ok;
    case PromptButtons::OkCancel:
        return answer == PromptAnswer::Ok || answer == PromptAnswer::Cancel;
    case PromptButtons::YesNoCancel:
        return answer != PromptAnswer::Ok;
    }
    return false;
}

} // namespace

PromptAnswer DefaultAnswer(const PromptMessage& m) {
    if (m.defaultButton && offers(m.buttons, *m.defaultButton))
        return *m.defaultButton;
    return m.buttons == PromptButtons::YesNoCancel ? PromptAnswer::Yes : PromptAnswer::Ok;
}
