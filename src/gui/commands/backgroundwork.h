#pragma once

#include <QString>

#include <atomic>
#include <functional>

class QWidget;

// Runs work on another thread while the window keeps redrawing, and returns when it is done.
// Until then no key, click or close request reaches the program's windows, so nothing can
// change what the work reads; after a moment a progress box says what is going on (`done` of
// `total` steps, or a busy bar for total 0). work must not touch a widget.
void RunWithProgress(QWidget* parent, const QString& label, const std::function<void()>& work,
                     const std::atomic<qint64>& done, qint64 total);

// The longest time, in milliseconds, the last RunWithProgress left the window without turning
// its event loop: what a benchmark reads.
qint64 LongestEventLoopGap();
