#pragma once

#include <QLabel>

// A one-line label that elides what does not fit instead of cutting a glyph in half; its
// text stays whole (the home page opens a property by its card's first line), and what was
// cut short shows as the tooltip.
class ElidedLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};
