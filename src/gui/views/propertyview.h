#pragma once

#include "gui/views/viewframe.h"

class QPlainTextEdit;

// The property's name, address, size and notes; the picture strip is placed under the notes.
class PropertyView : public ViewFrame {
    Q_OBJECT
public:
    // Typed or pasted notes stop here; longer notes from the file stay whole.
    static constexpr int kNotesLimit = 2500;

    PropertyView(QWidget* parent, ControlTable& controls);

    QPlainTextEdit* notes() const { return m_notes; }

private:
    QPlainTextEdit* m_notes = nullptr;
};
