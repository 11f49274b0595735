#pragma once

#include <QObject>

class QLineEdit;
class QWidget;

// Marks a figure field whose text is no number with a red frame and a tooltip that says the
// figures using it stay as they were; the mark goes as soon as the text reads as a number.
// Only the edited field is looked at, once per change, so typing costs nothing noticeable.
class NumberMark : public QObject {
    Q_OBJECT
public:
    static QString Tooltip();
    // Watches the field from now on (the mark reflects its current text at once).
    static void Watch(QLineEdit* field);
    // Every typed figure field of the window: not the name, address or notes.
    static void WatchFigureFields(QWidget* window);
    static bool IsMarked(const QLineEdit* field);

private:
    explicit NumberMark(QLineEdit* field);
    void check();
    QLineEdit* m_field;
    QString m_tooltip; // the field's own tooltip, back when the mark goes
    bool m_marked = false;
};
