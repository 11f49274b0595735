#pragma once

#include <QFont>
#include <QObject>
#include <QStringView>

class QLineEdit;

// Lays out a field's figures without the text shaper. A grid of figures is laid out again on
// every keystroke, and the shaper is most of that cost, yet it leaves digits, currency signs,
// separators and brackets exactly as they are in the fonts the window uses. The field shows a
// text of those characters alone in its font with the shaper skipped, and any other text (a
// word the user typed, "n/a") in its font as it was. Fonts whose shaper would move or join
// figures keep it for every text.
class FigureFont : public QObject {
public:
    // Installs itself on the field, whose font is the one every text must look set in.
    explicit FigureFont(QLineEdit* field);

    // Digits, "$", ",", ".", "(", ")", "-" and "%" alone (nothing at all counts too).
    static bool isFigures(QStringView text);
    // Whether the shaper leaves every pair of those characters as it found them in this font.
    static bool shaperKeepsFigures(const QFont& font);

private:
    void follow(const QString& text);

    QLineEdit* m_field;
    QFont m_shaped;
    QFont m_unshaped;
    bool m_showsUnshaped = false;
};
