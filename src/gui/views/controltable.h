#pragma once

#include "model/form.h"

#include <QHash>
#include <QRgb>
#include <QString>
#include <QVector>
#include <deque>

class QWidget;

// The window's named controls: every widget a view builds is entered here under its name and
// array index, so the form and the tests find it the way the user knows it. Names are looked
// up ignoring letter case.
class ControlTable {
public:
    struct Cell {
        QWidget* widget = nullptr;
        ControlKind kind = ControlKind::TextField;
        int index = 0; // the cell's number in its array, 0 for a single control
        QRgb colour = 0xff000000;
        // A text and colour the form has taken but not yet put on the widget (widgetform.h).
        QString pendingText;
        bool textPending = false;
        bool colourPending = false;
        bool queued = false;
    };

    // Names the widget (and numbers it, for an array cell) and enters it.
    void add(QWidget* widget, const QString& name, int index, ControlKind kind);
    // Cells never move once entered.
    Cell* find(const QString& name, int index);
    const Cell* find(const QString& name, int index) const;
    // The captions and drop-downs entered, in the order they were built.
    const QVector<ControlRef>& others() const { return m_others; }

private:
    // A recalculation looks up hundreds of cells: the spelling as entered is found without
    // building a key, any other spelling through its lower case.
    int nameId(const QString& name) const;

    std::deque<Cell> m_store;
    QVector<QVector<Cell*>> m_byName; // name id -> cells by index
    QHash<QString, int> m_ids;        // spelling as entered and lower-cased name -> id
    QVector<ControlRef> m_others;
};
