#pragma once

#include <QPlainTextEdit>

// The notes field. Its limit holds back only what the user types, pastes or drops: notes the
// program puts in (read from the file) stay whole however long, and undo gives back what it
// took away.
class NotesEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    NotesEdit(int limit, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // How many characters may replace the selection: the text may grow up to the limit, and
    // beyond it not at all.
    int room() const;

    int m_limit;
};
