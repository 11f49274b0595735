#pragma once

#include <QObject>

class QMenu;
class QWidget;

// The Tools menu's "Investment Criteria...": the user's targets in a dialog, kept in the
// per-user settings when the user presses OK; every view showing figures against them follows
// at once.
class CriteriaCommand : public QObject {
    Q_OBJECT
public:
    // Adds the entry (mnuToolsInvestmentCriteria) to the Tools menu.
    CriteriaCommand(QWidget* window, QMenu* tools);

    // Modal; returns when the dialog is closed.
    void edit();

private:
    QWidget* m_window;
};
