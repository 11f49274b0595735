#pragma once

#include <QStyledItemDelegate>

// Paints a table cell as its text, aligned as the model asks, on its background colour, and
// the selection: a style's full item painting (icons, check boxes, elision, focus frames) costs
// several times as much, and the returns view repaints its tables on every keystroke.
class PlainCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
