#include "gui/widgets/notesedit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>

NotesEdit::NotesEdit(int limit, QWidget* parent) : QPlainTextEdit(parent), m_limit(limit) {}

int NotesEdit::room() const {
    const int length = document()->characterCount() - 1; // without the closing paragraph mark
    const QTextCursor cursor = textCursor();
    const int selected = cursor.selectionEnd() - cursor.selectionStart();
    return qMax(m_limit, length) - length + selected;
}

void NotesEdit::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    int adds = 0;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        adds = 1;
    else if (!typed.isEmpty() && typed.at(0).isPrint())
        adds = int(typed.size());
    if (adds > room()) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void NotesEdit::inputMethodEvent(QInputMethodEvent* event) {
    const int fits = qMax(0, room());
    if (event->commitString().size() <= fits) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent cut(event->preeditString(), event->attributes());
    cut.setCommitString(event->commitString().left(fits), event->replacementStart(),
                        event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&cut);
}

void NotesEdit::insertFromMimeData(const QMimeData* source) {
    // A paste or drop brings what fits of its text.
    const int fits = qMax(0, room());
    if (!source->hasText() || source->text().size() <= fits) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    QMimeData cut;
    cut.setText(source->text().left(fits));
    QPlainTextEdit::insertFromMimeData(&cut);
}
