#pragma once

#include <QFont>

class QWidget;

// Positions are designed in twips, as the program has always stored them: 15 twips to a pixel
// (96 dots per inch).
constexpr int kTwipsPerPixel = 15;
constexpr int TwipsToPixels(double twips) {
    const double pixels = twips / kTwipsPerPixel;
    return int(pixels < 0 ? pixels - 0.5 : pixels + 0.5);
}
constexpr int PixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

// Places a widget at a rectangle given in twips.
void PlaceTwips(QWidget* widget, int left, int top, int width, int height);

// The program's sans-serif face at a size in pixels (not points), as the design measures it.
QFont PixelFont(int pixels, bool bold = false, bool condensed = false);
