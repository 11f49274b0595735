#pragma once

#include <QString>

class QWidget;

// The Edit menu's text commands, carried out by the focused text box itself: its own undo,
// cut, copy, paste, clear and select-all, so the field behaves exactly as when the user types
// the keys into it (its change handler runs, its undo history is kept).
namespace EditCommands {

enum class Command { Undo, Cut, Copy, Paste, Clear, SelectAll };

// Which Edit entries apply.
struct EditState {
    bool undo = false;
    bool cut = false;
    bool copy = false;
    bool paste = false;
    bool del = false;
    bool selectAll = false;

    bool operator==(const EditState& other) const {
        return undo == other.undo && cut == other.cut && copy == other.copy &&
               paste == other.paste && del == other.del && selectAll == other.selectAll;
    }
};

// A one-line field or the notes box.
bool IsTextBox(const QWidget* widget);

// The text the user has selected in a text box, read from the box itself (the clipboard is
// never used as a go-between, so whatever the user copied stays there).
QString SelectedText(const QWidget* textBox);

// The entries that apply to a text box, given the clipboard's text. A read-only field offers
// no command that would change it.
EditState TextBoxState(const QWidget* textBox, const QString& clipboardText);

// Runs a command on a text box; a widget that is no text box is left alone. Clear removes the
// selection only, never the character after the cursor.
void Run(QWidget* textBox, Command command);

} // namespace EditCommands
