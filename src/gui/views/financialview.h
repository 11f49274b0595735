#pragma once

#include "gui/views/viewframe.h"

// Purchase, rental and tax figures on the left, the operating expenses and their total on the
// right, the four mortgages with their computed monthly payments below, and under them the
// repair and the refinance the investment returns work with.
class FinancialView : public ViewFrame {
    Q_OBJECT
public:
    FinancialView(QWidget* parent, ControlTable& controls);

private:
    int buildMortgages(int top);
    int buildRehab(int top);
};
