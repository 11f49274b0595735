#include "gui/commands/backgroundwork.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>

#include <thread>

namespace {

qint64 g_longestGap = 0;

// Swallows what the user does while the work runs; painting and timers go on.
class InputBlocker : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::Drop:
            return true;
        case QEvent::Close:
            event->ignore();
            return true;
        default:
            return QObject::eventFilter(watched, event);
        }
    }
};

} // namespace

void RunWithProgress(QWidget* parent, const QString& label, const std::function<void()>& work,
                     const std::atomic<qint64>& done, qint64 total) {
    InputBlocker blocker;
    qApp->installEventFilter(&blocker);

    QEventLoop loop;
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        work();
        finished.store(true);
        QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
    });

    QProgressDialog progress(label, QString(), 0, int(qMin<qint64>(total, 1 << 30)), parent);
    progress.setObjectName(QStringLiteral("frmProgress"));
    progress.setWindowTitle(QStringLiteral("Quillbrook"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(600);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setValue(0);

    QElapsedTimer sinceTurn;
    sinceTurn.start();
    g_longestGap = 0;
    QTimer tick;
    tick.setInterval(40);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        g_longestGap = qMax(g_longestGap, sinceTurn.restart());
        if (total > 0)
            progress.setValue(int(qMin<qint64>(done.load(std::memory_order_relaxed), total)));
        else
            progress.setValue(0);
    });
    tick.start();
    if (!finished.load())
        loop.exec();
    worker.join();
    tick.stop();
    g_longestGap = qMax(g_longestGap, sinceTurn.elapsed());
    qApp->removeEventFilter(&blocker);
}

qint64 LongestEventLoopGap() {
    return g_longestGap;
}
