#pragma once

#include <QString>

class QLineEdit;
class QWidget;

// A computed figure longer than its box: the box shows its start (a line edit would show the
// end, cutting off the dollar sign and the millions) and the pointer finds the whole figure in
// its tooltip, above the field's own tooltip or arithmetic.
namespace FigureFit {

// Whether the field's text is wider than the room inside its frame.
bool IsCut(const QLineEdit* field);
// The tooltip of a figure with `ownTip` (its arithmetic, a note): the whole figure first
// when the box cuts it, else `ownTip` alone.
QString TipFor(const QLineEdit* field, const QString& ownTip);
// Every computed figure of the window and every cell of its outlook, from now on.
void WatchFigureFields(QWidget* window);

} // namespace FigureFit
