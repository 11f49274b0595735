#pragma once

#include "analysis/returns.h"

#include <QObject>
#include <QVector>

class FigureExplainer;
class QLabel;
class QLineEdit;
class ViewFrame;

// One figure of the repair and refinance as it is shown: its field, caption and text.
struct RehabFigureText {
    QString name;
    QString caption;
    QString text;
};

// The repair and the refinance on the returns view: what the deal cost all in and the equity
// it made on the left, what the refinance brought back out on the right, every figure read-only
// and explaining itself, and a line when the refinance falls after the holding period.
class RehabPanel : public QObject {
    Q_OBJECT
public:
    // The figures in the order they are laid out: the left column, then the right.
    static QVector<RehabFigureText> FigureTexts(const ReturnsResult& result);
    // How many of them make up the left column.
    static int LeftColumnCount();

    // Builds the group on `view` from `top` down; `explainer` shows each figure's arithmetic.
    RehabPanel(ViewFrame& view, int top, FigureExplainer& explainer);

    // The top of the first row below the group.
    int bottom() const { return m_bottom; }
    void show(const ReturnsInputs& in, const ReturnsResult& result);

private:
    QVector<QLineEdit*> m_fields;
    QLabel* m_note = nullptr;
    int m_bottom = 0;
};
