#pragma once

#include <QObject>

class QLineEdit;
class QWidget;

// Marks a figure field whose text is no number (or a number out of the field's range) with a red
// frame and a tooltip that says what becomes of the figures using it; the mark goes as soon as the
// text reads as a number. Only the edited field is looked at, once per change, so typing costs
// nothing noticeable.
class NumberMark : public QObject {
    Q_OBJECT
public:
    // For a field the classic figures read: the recalculation leaves those figures as they were.
    static QString Tooltip();
    // For a field only the investment returns read: what depends on it shows "n/a".
    static QString NotAvailableTooltip();
    // For a number the returns cannot work with ("whole years from 1 to 20").
    static QString OutOfRangeTooltip(const QString& range);
    // For a blank field that another one's text makes necessary ("Refinance in Month").
    static QString NeededTooltip(const QString& otherCaption);
    // For a loan's term of 0 (or blank) under a principal above $0.
    static QString NoTermTooltip();
    // For an amount of money typed with a "%": how it was read ("$8 per year").
    static QString AmountNotPercentTooltip(const QString& readAs);
    // Watches the field from now on (the mark reflects its current text at once).
    static void Watch(QLineEdit* field, const QString& tooltip = Tooltip());
    // The same for a field whose reader refuses a number too large for a double, which the
    // figure fields take as a number that is only too large.
    static void WatchFinite(QLineEdit* field, const QString& tooltip);
    // Every typed figure field of the window, the returns view's inputs included: not the name,
    // address or notes. A field needed with another is watched with that one too.
    static void WatchFigureFields(QWidget* window);
    static bool IsMarked(const QLineEdit* field);
    // An amount typed with a "%": framed in amber, the figure as read (not a fault).
    static bool IsCautioned(const QLineEdit* field);

private:
    NumberMark(QLineEdit* field, const QString& tooltip);
    void check();
    // The red mark's words, or empty; value is the text as the calculations read it.
    QString fault(bool converts, double value) const;
    // The amber mark's words, or empty.
    QString caution(bool converts, double value) const;
    QLineEdit* m_field;
    QString m_markTooltip;
    QString m_range;                   // the numbers the field takes, in words; empty: any number
    QString m_tooltip;                 // the field's own tooltip, back when the mark goes
    QString m_shown;                   // the mark's tooltip while marked, else empty
    bool m_shownRed = false;           // which of the two frames is shown
    QLineEdit* m_neededWith = nullptr; // whose text makes a blank here a fault
    QLineEdit* m_principal = nullptr;  // a loan's principal, which needs this term above 0
    int m_amount = 0;                  // a money field's FieldAmount, 0 for none
    bool m_finiteOnly = false;         // an overflow is no number either
};
