#pragma once

#include <QColor>
#include <QPalette>

class QWidget;

// Colours that stay readable in whatever colour scheme the desktop uses. The pages take their
// background and text from the palette; the program's own colours (navy headings, red and green
// cash flows, the red frame of a figure that is no number, the shaded computed fields) keep
// their hue and move lighter or darker only as far as the background they sit on needs. On a
// light desktop they are the colours the program always had.
namespace Theme {

// Contrast ratios of the accessibility guidelines: text, and marks that are no text.
constexpr double kTextContrast = 4.5;
constexpr double kMarkContrast = 3.0;

// Relative luminance (0 black .. 1 white) and the contrast ratio of two colours (1 .. 21).
double Luminance(const QColor& colour);
double Contrast(const QColor& a, const QColor& b);
// `wanted`, made lighter or darker (its hue kept) until it stands out from `against` by at least
// `ratio`; unchanged when it already does. Works both ways: a text colour on a background, or a
// background tint under a text colour.
QColor Readable(const QColor& wanted, const QColor& against, double ratio = kTextContrast);
// `share` of the way from a to b.
QColor Mix(const QColor& a, const QColor& b, double share);
bool IsDark(const QPalette& palette);

// The background of the pages and its text: the palette's own Base and Text (white and black on
// a light desktop).
QColor Page(const QPalette& palette);
QColor PageText(const QPalette& palette);
// The grey of the navigation strips and of computed fields: the page a little toward its text
// (E0E0E0 on white).
QColor Shade(const QPalette& palette);
// A background tint (a green "met", a red "missed") under which the palette's text stays
// readable: the tint itself on a light desktop, a deeper one on a dark desktop.
QColor Tint(const QColor& lightTint, const QPalette& palette);

// The program's own colours as they were designed for a white page.
QColor Navy();
QColor Gain(); // a cash flow of zero or more
QColor Loss(); // a negative cash flow
QColor MarkRed();

// What the widget's text is drawn on: its own background where it fills one (a field's Base),
// else that of the nearest widget behind it that fills its background.
QColor BackgroundOf(const QWidget* widget);

// What a widget is to the colour scheme. The colours are applied now and again whenever the
// palette changes (a desktop switched to dark while the program runs).
enum class Role {
    Page,     // fills its background with the page colour, its text in the page's text colour
    Strip,    // fills its background with the shade
    Heading,  // navy text
    Computed, // a read-only field on the shade
    Muted,    // small print, grey
};
void Apply(QWidget* widget, Role role);
// Text of `wanted` colour (a link, a cash flow), kept readable on the widget's background.
void SetTextColour(QWidget* widget, const QColor& wanted);
// The colour last asked for with SetTextColour; invalid when none was.
QColor WantedTextColour(const QWidget* widget);

} // namespace Theme
