#include "gui/widgets/twips.h"

#include <QStringList>
#include <QWidget>

QFont PixelFont(int pixels, bool bold, bool condensed) {
    QFont f;
    f.setFamilies(condensed ? QStringList{QStringLiteral("DejaVu Sans Condensed"),
                                          QStringLiteral("Liberation Sans Narrow"),
                                          QStringLiteral("Arial Narrow"), QStringLiteral("Sans")}
                            : QStringList{QStringLiteral("DejaVu Sans"),
                                          QStringLiteral("Liberation Sans"),
                                          QStringLiteral("Arial"), QStringLiteral("Sans")});
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

void PlaceTwips(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                        TwipsToPixels(height));
}
