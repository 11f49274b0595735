#include "gui/widgets/plaincelldelegate.h"

#include <QPainter>

void PlainCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const bool selected = option.state & QStyle::State_Selected;
    if (selected) {
        painter->fillRect(option.rect, option.palette.brush(QPalette::Highlight));
    } else {
        const QVariant background = index.data(Qt::BackgroundRole);
        if (background.isValid())
            painter->fillRect(option.rect, background.value<QBrush>());
    }
    const QVariant alignment = index.data(Qt::TextAlignmentRole);
    const int flags =
        alignment.isValid() ? alignment.toInt() : int(Qt::AlignLeft | Qt::AlignVCenter);
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(option.font);
    painter->drawText(option.rect.adjusted(4, 0, -4, 0), flags | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
}
