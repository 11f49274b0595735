#include "gui/widgets/figurefit.h"

#include "model/fieldtable.h"

#include <QEvent>
#include <QHelpEvent>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolTip>

namespace FigureFit {

namespace {

// Shows the whole figure on hover where the box cuts it; a figure that explains itself says so
// in its own tooltip (TipFor), which this leaves alone.
class Watcher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (!field || event->type() != QEvent::ToolTip || field->property("explained").toBool() ||
            !IsCut(field))
            return false;
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                           TipFor(field, field->toolTip()), field);
        return true;
    }
};

void ShowStart(QLineEdit* field) {
    // The keyboard's caret may go where the user takes it; a figure written afresh starts at
    // its beginning.
    if (!field->hasFocus() && field->cursorPosition() != 0)
        field->setCursorPosition(0);
}

} // namespace

bool IsCut(const QLineEdit* field) {
    QStyleOptionFrame option;
    option.initFrom(field);
    option.lineWidth = field->hasFrame() ? field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth,
                                                                       &option, field)
                                         : 0;
    const QRect inside =
        field->style()->subElementRect(QStyle::SE_LineEditContents, &option, field) -
        field->textMargins();
    // The line edit keeps two pixels either side of its text.
    return field->fontMetrics().horizontalAdvance(field->text()) > inside.width() - 4;
}

QString TipFor(const QLineEdit* field, const QString& ownTip) {
    if (!IsCut(field))
        return ownTip;
    return ownTip.isEmpty() ? field->text() : field->text() + QStringLiteral("\n\n") + ownTip;
}

void WatchFigureFields(QWidget* window) {
    auto* watcher = new Watcher(window);
    for (QLineEdit* field : window->findChildren<QLineEdit*>()) {
        // The computed figures, and the outlook's cells, which the program writes too.
        const FieldInfo* info = FindField(field->objectName());
        if (!field->isReadOnly() && !(info && info->view == FieldView::Outlook))
            continue;
        ShowStart(field);
        QObject::connect(field, &QLineEdit::textChanged, field, [field] { ShowStart(field); });
        field->installEventFilter(watcher);
    }
}

} // namespace FigureFit
