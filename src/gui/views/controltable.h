#pragma once

#include "model/form.h"

#include <QHash>
#include <QRgb>
#include <QString>
#include <QVector>

class QWidget;

// The window's named controls: every widget a view builds is entered here under its name and
// array index, so the form and the tests find it the way the user knows it. Names are looked
// up ignoring letter case.
class ControlTable {
public:
    struct Cell {
        QWidget* widget = nullptr;
        ControlKind kind = ControlKind::TextField;
        QRgb colour = 0xff000000;
    };

    // Names the widget (and numbers it, for an array cell) and enters it.
    void add(QWidget* widget, const QString& name, int index, ControlKind kind);
    Cell* find(const QString& name, int index);
    const Cell* find(const QString& name, int index) const;
    // The captions and drop-downs entered, in the order they were built.
    const QVector<ControlRef>& others() const { return m_others; }

private:
    static QString keyOf(const QString& name, int index);

    QHash<QString, Cell> m_cells; // lower-cased name + '#' + index
    QVector<ControlRef> m_others;
};
