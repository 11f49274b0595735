#pragma once

#include "gui/views/viewframe.h"

#include <QStringList>
#include <QVector>

// Purchase, rental and tax figures on the left, the operating expenses and their total on the
// right, the four mortgages with their computed monthly payments below, and under them the
// repair and the refinance the investment returns work with. Under the mortgages, a line for each
// way the typed figures disagree (financing that does not add up to the price, a negative
// price or expense), only while it applies.
class FinancialView : public ViewFrame {
    Q_OBJECT
public:
    FinancialView(QWidget* parent, ControlTable& controls);

    // The hint lines as shown, empty ones left out.
    QStringList hints() const;

private:
    int buildMortgages(int top);
    int buildHints(int top);
    int buildRehab(int top);
    void updateHints();

    QVector<QLabel*> m_hints;
};
