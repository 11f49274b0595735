#pragma once

#include "gui/views/viewframe.h"

class Form;

// The investment summary: acquisition figures on the left, income and cash flow on the right,
// all computed.
class SummaryView : public ViewFrame {
    Q_OBJECT
public:
    SummaryView(QWidget* parent, ControlTable& controls);

    // Each figure shows its arithmetic on the form's figures when pointed at or asked with F2,
    // as the returns view's do.
    void explainFigures(const Form& form);
};
