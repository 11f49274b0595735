#pragma once

#include <QValidator>

class QLineEdit;

// How much a one-line field lets the user type; the widget's own limit would also cut a
// longer text the program puts in.
constexpr int kFieldTypingLimit = 32767;

// A typing limit that holds back only what the user types, pastes or drops: a longer text the
// program puts into the field (a property read from the file) stays whole, and the user may
// shorten it but not lengthen it.
class FieldLimit : public QValidator {
    Q_OBJECT
public:
    // Installs itself on the field and lifts the field's own cut.
    FieldLimit(QLineEdit* field, int limit = kFieldTypingLimit);

    State validate(QString& input, int& pos) const override;

    // The program's setter: the text goes in whole, whatever its length.
    static void setText(QLineEdit* field, const QString& text);

private:
    int m_limit;
    int m_length = 0; // of the text before the edit being validated
};
