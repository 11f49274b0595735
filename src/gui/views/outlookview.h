#pragma once

#include "gui/views/viewframe.h"

class LinkLabel;
class OutlookChart;
class QComboBox;
class QScrollBar;

// The cash flow outlook: a period box (5, 10 or 20 years), the grid for that period (the
// 20-year grid in two pages of ten years with a bar between them) and the chart of the yearly
// cash flows.
class OutlookView : public ViewFrame {
    Q_OBJECT
public:
    OutlookView(QWidget* parent, ControlTable& controls);

    OutlookChart* chart() const { return m_chart; }
    QComboBox* periodBox() const { return m_period; }

    // Shows the grid of the period chosen; twenty years open on the second decade.
    void showChosenPeriod();
    // Shows the decade the bar between the two 20-year pages points at.
    void showChosenDecade();
    // Picks the period at the box's index (0 is five years); true when that period was already
    // chosen, so nothing was signalled.
    bool choosePeriod(int index);

signals:
    // A period picked, the one already shown included.
    void periodChosen();
    void decadeScrolled();
    // The note's link under the grid was followed.
    void returnsWanted();

private:
    int buildGrids();

    QComboBox* m_period = nullptr;
    QFrame* m_grid5 = nullptr;
    QFrame* m_grid20 = nullptr;
    QFrame* m_firstDecade = nullptr;
    QFrame* m_secondDecade = nullptr;
    QScrollBar* m_decadeBar = nullptr;
    OutlookChart* m_chart = nullptr;
    LinkLabel* m_returnsLink = nullptr;
    int m_lastPeriodIndex = -1;
};
