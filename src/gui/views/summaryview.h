#pragma once

#include "gui/views/viewframe.h"

// The investment summary: acquisition figures on the left, income and cash flow on the right,
// all computed.
class SummaryView : public ViewFrame {
    Q_OBJECT
public:
    SummaryView(QWidget* parent, ControlTable& controls);
};
