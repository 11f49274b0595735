#include "gui/commands/editcommands.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace EditCommands {

namespace {

const QLineEdit* asLine(const QWidget* widget) {
    return qobject_cast<const QLineEdit*>(widget);
}
const QPlainTextEdit* asNotes(const QWidget* widget) {
    return qobject_cast<const QPlainTextEdit*>(widget);
}

void runOnLine(QLineEdit* line, Command command) {
    if (command == Command::Copy) {
        line->copy();
        return;
    }
    if (command == Command::SelectAll) {
        line->selectAll();
        return;
    }
    // QLineEdit's own cut, paste and del do not look at the read-only flag; a read-only field
    // (the computed payments) ignores them, as a read-only edit control does.
    if (line->isReadOnly())
        return;
    switch (command) {
    case Command::Undo:
        line->undo();
        break;
    case Command::Cut:
        line->cut();
        break;
    case Command::Paste:
        line->paste();
        break;
    case Command::Clear:
        if (line->hasSelectedText())
            line->del();
        break;
    default:
        break;
    }
}

void runOnNotes(QPlainTextEdit* notes, Command command) {
    if (command == Command::Copy) {
        notes->copy();
        return;
    }
    if (command == Command::SelectAll) {
        notes->selectAll();
        return;
    }
    if (notes->isReadOnly())
        return;
    switch (command) {
    case Command::Undo:
        notes->undo();
        break;
    case Command::Cut:
        notes->cut();
        break;
    case Command::Paste:
        notes->paste();
        break;
    case Command::Clear: {
        QTextCursor cursor = notes->textCursor();
        if (cursor.hasSelection()) {
            cursor.removeSelectedText();
            notes->setTextCursor(cursor);
        }
        break;
    }
    default:
        break;
    }
}

} // namespace

bool IsTextBox(const QWidget* widget) {
    return asLine(widget) || asNotes(widget);
}

QString SelectedText(const QWidget* textBox) {
    if (const QLineEdit* line = asLine(textBox))
        return line->selectedText();
    if (const QPlainTextEdit* notes = asNotes(textBox))
        return notes->textCursor().selectedText();
    return QString();
}

EditState TextBoxState(const QWidget* textBox, const QString& clipboardText) {
    EditState state;
    const QLineEdit* line = asLine(textBox);
    const QPlainTextEdit* notes = asNotes(textBox);
    if (!line && !notes)
        return state;
    const bool editable = line ? !line->isReadOnly() : !notes->isReadOnly();
    const bool selection = !SelectedText(textBox).isEmpty();
    state.undo =
        editable && (line ? line->isUndoAvailable() : notes->document()->isUndoAvailable());
    state.cut = editable && selection;
    state.copy = selection;
    state.del = editable && selection;
    state.paste = editable && !clipboardText.isEmpty();
    state.selectAll = line ? !line->text().isEmpty() : !notes->document()->isEmpty();
    return state;
}

void Run(QWidget* textBox, Command command) {
    if (auto* line = qobject_cast<QLineEdit*>(textBox))
        runOnLine(line, command);
    else if (auto* notes = qobject_cast<QPlainTextEdit*>(textBox))
        runOnNotes(notes, command);
}

} // namespace EditCommands
