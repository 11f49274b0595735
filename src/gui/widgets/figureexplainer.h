#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Shows a figure's own arithmetic as its tooltip: on hover, and on F2 while the figure has the
// keyboard. The text is built only then, never while the figures are computed.
class FigureExplainer : public QObject {
    Q_OBJECT
public:
    // The text for the field of that name; an empty text shows no tooltip.
    using Explain = std::function<QString(const QString& fieldName)>;

    FigureExplainer(QObject* parent, Explain explain);
    void watch(QWidget* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString tipFor(QWidget* field) const;
    Explain m_explain;
};
