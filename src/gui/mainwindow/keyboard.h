#pragma once

#include <QKeySequence>
#include <QVector>

class MainWindow;

// The keyboard way through the program: shortcuts for the commands whose menu entries have
// none, focusable navigation links and icons, and the arrow keys over the home-page cards.
struct Shortcut {
    const char* name; // the window action's objectName
    QKeySequence keys;
};
const QVector<Shortcut>& ShortcutMap();

// Adds the shortcut actions to the window and makes its navigation reachable by Tab.
void InstallKeyboard(MainWindow& window);
