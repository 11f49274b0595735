#include "gui/pictures/picturecopy.h"

#include "gui/widgets/inputhold.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cerrno>
#include <cstring>
#include <memory>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr qint64 kPiece = qint64(1) << 20;
// How long a copy may run before its progress box shows; the window draws itself meanwhile.
constexpr int kQuietCopyMs = 200;

const QString kNotAFile = QStringLiteral("it is a pipe, a device or a socket, not a picture file");

std::function<void()>& pieceHook() {
    static std::function<void()> hook;
    return hook;
}

} // namespace

QString PictureSourceRefusal(const QString& source) {
    // QFileInfo only asks the file system about the path; it never opens it.
    const QFileInfo info(source);
    if (source.isEmpty() || !info.exists())
        return QStringLiteral("the file does not exist");
    if (info.isDir())
        return QStringLiteral("it is a folder, not a picture file");
    if (!info.isFile())
        return kNotAFile;
    return QString();
}

PictureCopyResult CopyPictureFile(const QString& source, const QString& copy,
                                  const std::atomic<bool>& cancel,
                                  const std::function<void(qint64, qint64)>& progress) {
    PictureCopyResult result;
    result.reason = PictureSourceRefusal(source);
    if (!result.reason.isEmpty())
        return result;

    QFile in;
#ifdef Q_OS_UNIX
    // Opened without waiting, and checked again once open: a pipe put in the file's place
    // after the look above would otherwise hold the copy until something writes to it.
    const int fd = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        result.reason = QString::fromLocal8Bit(std::strerror(errno));
        return result;
    }
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        result.reason = kNotAFile;
        return result;
    }
    if (!in.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        result.reason = in.errorString();
        return result;
    }
#else
    in.setFileName(source);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        result.reason = in.errorString();
        return result;
    }
#endif
    const qint64 total = in.size();

    // Written beside its name and renamed when whole, so the name never holds half a picture.
    const QString part = copy + QStringLiteral(".part");
    QFile::remove(part);
    QFile out(part);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
        result.reason = out.errorString();
        return result;
    }
    const auto stop = [&](PictureCopyResult::Outcome outcome, const QString& reason) {
        out.close();
        QFile::remove(part);
        result.outcome = outcome;
        result.reason = reason;
        return result;
    };
    QByteArray piece(int(kPiece), Qt::Uninitialized);
    qint64 done = 0;
    for (;;) {
        if (pieceHook())
            pieceHook()();
        if (cancel.load())
            return stop(PictureCopyResult::Cancelled, QString());
        const qint64 n = in.read(piece.data(), kPiece);
        if (n < 0)
            return stop(PictureCopyResult::Failed, in.errorString());
        if (n == 0)
            break;
        // A nearly full disk takes part of a piece without a word; the next write says why.
        for (qint64 written = 0; written < n;) {
            const qint64 w = out.write(piece.constData() + written, n - written);
            if (w <= 0)
                return stop(PictureCopyResult::Failed, out.errorString());
            written += w;
        }
        done += n;
        if (progress)
            progress(done, total);
    }
    if (!out.flush() || out.error() != QFileDevice::NoError)
        return stop(PictureCopyResult::Failed, out.errorString());
    out.close();
    if (out.error() != QFileDevice::NoError)
        return stop(PictureCopyResult::Failed, out.errorString());
    if (!QFile::rename(part, copy))
        return stop(PictureCopyResult::Failed,
                    QStringLiteral("the copy could not be named %1").arg(copy));
    result.outcome = PictureCopyResult::Copied;
    result.reason.clear();
    return result;
}

PictureCopyResult CopyPictureWithProgress(QWidget* window, const QString& source,
                                          const QString& copy) {
    std::atomic<bool> cancel{false};
    std::atomic<qint64> done{0};
    std::atomic<qint64> total{0};
    PictureCopyResult result;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        result = CopyPictureFile(source, copy, cancel, [&](qint64 d, qint64 t) {
            done = d;
            total = t;
        });
    }));

    InputHold hold(window);
    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    QPointer<QProgressDialog> box;
    QTimer showBox;
    showBox.setSingleShot(true);
    QObject::connect(&showBox, &QTimer::timeout, &loop, [&] {
        box = new QProgressDialog(window);
        box->setObjectName(QStringLiteral("pictureCopyProgress"));
        box->setWindowTitle(QStringLiteral("Adding Picture"));
        box->setLabelText(QStringLiteral("Copying %1 into the picture folder...")
                              .arg(QFileInfo(source).fileName()));
        box->setRange(0, 1000);
        box->setAutoClose(false);
        box->setAutoReset(false);
        box->setMinimumDuration(0);
        box->setWindowModality(Qt::WindowModal);
        QObject::connect(box, &QProgressDialog::canceled, &loop, [&] { cancel = true; });
        hold.allow(box);
        box->show();
    });
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        if (box && total > 0)
            box->setValue(int(done * 1000 / total));
    });
    worker->start();
    showBox.start(kQuietCopyMs);
    tick.start(50);
    if (!worker->isFinished())
        loop.exec();
    worker->wait();
    delete box;
    return result;
}

void SetPictureCopyPieceHook(std::function<void()> hook) {
    pieceHook() = std::move(hook);
}
