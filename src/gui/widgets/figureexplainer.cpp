#include "gui/widgets/figureexplainer.h"

#include "gui/widgets/figurefit.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolTip>
#include <QWidget>

FigureExplainer::FigureExplainer(QObject* parent, Explain explain)
    : QObject(parent), m_explain(std::move(explain)) {}

void FigureExplainer::watch(QWidget* field) {
    field->installEventFilter(this);
    field->setProperty("explained", true);
}

QString FigureExplainer::tipFor(QWidget* field) const {
    // A figure its box cuts short shows whole above its arithmetic.
    const QString arithmetic = m_explain(field->objectName());
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        return FigureFit::TipFor(edit, arithmetic);
    return arithmetic;
}

bool FigureExplainer::eventFilter(QObject* watched, QEvent* event) {
    auto* field = qobject_cast<QWidget*>(watched);
    if (!field)
        return false;
    if (event->type() == QEvent::ToolTip) {
        const QString text = tipFor(field);
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text, field);
        return true;
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F2) {
        const QString text = tipFor(field);
        if (!text.isEmpty())
            QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), text, field);
        return true;
    }
    return false;
}
