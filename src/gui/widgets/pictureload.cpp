#include "gui/widgets/pictureload.h"

#include "base/programfolder.h"
#include "gui/widgets/inputhold.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QImageReader>
#include <QPixmapCache>
#include <QThread>
#include <functional>
#include <memory>

const QString kInvalidPictureFile = QStringLiteral("invalidPictureFormat.jpg");

namespace {

// A picture shown whole (the full-size view) is decoded at most this large when it is too
// big for the image reader's memory limit: larger than any screen shows it.
const QSize kLargestShown(4096, 4096);
// How far the reader's limit is raised, in megabytes, for a format that cannot decode
// smaller: beyond it a picture is left unshown rather than risking the memory.
constexpr int kLargestDecodeMb = 2047;

PictureLoad DecodePictureFile(const QString& path, QPixmap* out, const QSize& fitTo);

qint64 ImageBytes(const QSize& size) {
    return qint64(size.width()) * size.height() * 4;
}

// What the reader takes whole, in megabytes: its own limit, also while it is raised for a
// picture decoding beside the window.
int g_readerLimitMb = 0; // 0 while nothing is raised

int ReaderLimitMb() {
    return g_readerLimitMb > 0 ? g_readerLimitMb : QImageReader::allocationLimit();
}

std::function<void()>& decodeHook() {
    static std::function<void()> hook;
    return hook;
}

// Runs a decoding on a thread of its own and waits for it with the event loop turning: a
// picture beyond the reader's limit takes a second or more, during which the window goes on
// drawing. Clicks and keys wait until it is done, so nothing changes what the picture is
// decoded for. (Asked again meanwhile, by what the window draws, a decoding runs here.)
QImage DecodeBesideWindow(const std::function<QImage()>& decode) {
    static bool busy = false;
    if (busy || !qApp || QThread::currentThread() != qApp->thread())
        return decode();
    busy = true;
    QImage image;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        if (decodeHook())
            decodeHook()();
        image = decode();
    }));
    InputHold hold;
    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    if (!worker->isFinished())
        loop.exec();
    worker->wait();
    busy = false;
    return image;
}

// Reads a picture the reader's memory limit refuses whole: decoded smaller where the format
// can (JPEG, full-colour PNG), else whole under a limit raised for this one picture and made
// smaller at once. tooLarge: even that would take more memory than is sensible. Both reads run
// beside the window; the limit is raised and put back on the window's thread, between them.
QImage ReadOversized(const QString& path, const QSize& original, const QSize& target,
                     bool* tooLarge) {
    *tooLarge = false;
    const QImage smaller = DecodeBesideWindow([&] {
        QImageReader reader(path);
        reader.setAutoTransform(true);
        if (!reader.supportsOption(QImageIOHandler::ScaledSize))
            return QImage();
        reader.setScaledSize(target);
        return reader.read();
    });
    if (!smaller.isNull())
        return smaller;
    const qint64 needMb = ImageBytes(original) / (1024 * 1024) + 1;
    if (needMb > kLargestDecodeMb) {
        *tooLarge = true;
        return QImage();
    }
    const int limit = QImageReader::allocationLimit();
    const int outerLimitMb = g_readerLimitMb;
    g_readerLimitMb = ReaderLimitMb();
    QImageReader::setAllocationLimit(int(qMax<qint64>(limit, needMb)));
    QImage image = DecodeBesideWindow([&] {
        QImageReader reader(path);
        reader.setAutoTransform(true);
        QImage whole = reader.read();
        if (whole.isNull())
            return whole;
        // Thinned in its own format first: in full colour at this size it would need up to
        // four times the memory again.
        const QSize between = target * 2;
        if (whole.width() > between.width() && whole.height() > between.height())
            whole = whole.scaled(between, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        return whole
            .convertToFormat(whole.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                     : QImage::Format_RGB32)
            .scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    });
    QImageReader::setAllocationLimit(limit);
    g_readerLimitMb = outerLimitMb;
    return image;
}

} // namespace

PictureLoad LoadPictureFile(const QString& path, QPixmap* out, const QSize& fitTo) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
        // A missing file in an existing folder is "file not found"; anything else is a path
        // that does not exist, which may still be meant relative to the program folder.
        return !path.isEmpty() && info.dir().exists() ? PictureLoad::FileNotFound
                                                      : PictureLoad::PathNotFound;
    }
    if (info.isDir() || !info.isReadable())
        return PictureLoad::OtherFailure;
    // A pipe or a device is no picture, and reading one could wait forever.
    if (!info.isFile())
        return PictureLoad::InvalidPicture;
    // Thumbnails are kept by file, time stamp and size: opening a property again, or the
    // other of two properties in turn, decodes none of its photographs again.
    QString key;
    if (fitTo.isValid()) {
        key = QStringLiteral("qb-thumb|%1|%2|%3|%4x%5")
                  .arg(info.absoluteFilePath())
                  .arg(info.lastModified().toMSecsSinceEpoch())
                  .arg(info.size())
                  .arg(fitTo.width())
                  .arg(fitTo.height());
        if (QPixmapCache::find(key, out))
            return PictureLoad::Loaded;
    }
    const PictureLoad result = DecodePictureFile(path, out, fitTo);
    if (result == PictureLoad::Loaded && !key.isEmpty())
        QPixmapCache::insert(key, *out);
    return result;
}

namespace {

PictureLoad DecodePictureFile(const QString& path, QPixmap* out, const QSize& fitTo) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize original = reader.size();
    QSize smaller;
    if (fitTo.isValid() && original.isValid() && original.width() > fitTo.width() * 2 &&
        original.height() > fitTo.height() * 2)
        smaller = original.scaled(fitTo * 2, Qt::KeepAspectRatioByExpanding);
    // Larger than the reader takes whole: a valid picture all the same.
    const qint64 limitBytes = qint64(ReaderLimitMb()) * 1024 * 1024;
    if (original.isValid() && limitBytes > 0 && ImageBytes(original) > limitBytes) {
        const QSize target = smaller.isValid() ? smaller
                                               : original.scaled(original.boundedTo(kLargestShown),
                                                                 Qt::KeepAspectRatio);
        bool tooLarge = false;
        const QImage image = ReadOversized(path, original, target, &tooLarge);
        if (image.isNull())
            return tooLarge ? PictureLoad::OtherFailure : PictureLoad::InvalidPicture;
        *out = QPixmap::fromImage(image);
        return PictureLoad::Loaded;
    }
    // Only the JPEG decoder scales as it decodes. The others are scaled afterwards in full
    // colour: scaling a 1-bit picture as it stands drops its two colours (a scanned plan
    // shows as black).
    const bool jpeg = reader.format() == "jpeg";
    if (smaller.isValid() && jpeg)
        reader.setScaledSize(smaller);
    QImage image = reader.read();
    if (!image.isNull() && smaller.isValid() && !jpeg) {
        image = image
                    .convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                             : QImage::Format_RGB32)
                    .scaled(smaller, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    if (image.isNull()) {
        switch (reader.error()) {
        case QImageReader::FileNotFoundError:
            return PictureLoad::FileNotFound;
        case QImageReader::DeviceError:
            return PictureLoad::OtherFailure;
        default:
            return PictureLoad::InvalidPicture;
        }
    }
    *out = QPixmap::fromImage(image);
    return PictureLoad::Loaded;
}

} // namespace

bool LoadPictureReference(const QString& reference, QPixmap* out, const QSize& fitTo) {
    QPixmap pixmap;
    PictureLoad result =
        LoadPictureFile(LocatePictureFile(reference, ProgramFolder()), &pixmap, fitTo);
    if (result == PictureLoad::PathNotFound)
        result = LoadPictureFile(ProgramFolder() + reference, &pixmap, fitTo);
    if (result == PictureLoad::InvalidPicture || result == PictureLoad::FileNotFound)
        result = LoadPictureFile(ImagesFile(kInvalidPictureFile), &pixmap, fitTo);
    if (result != PictureLoad::Loaded)
        return false;
    *out = pixmap;
    return true;
}

QString ImagesFile(const QString& name) {
    return ResourcePath(QStringLiteral("_images/") + name);
}

PictureLoad LoadScaledPicture(const QString& path, const QSize& size, QPixmap* out) {
    const QFileInfo info(path);
    QString key;
    if (!path.isEmpty() && info.isFile()) {
        key = QStringLiteral("qb-card|%1|%2|%3|%4x%5")
                  .arg(info.absoluteFilePath())
                  .arg(info.lastModified().toMSecsSinceEpoch())
                  .arg(info.size())
                  .arg(size.width())
                  .arg(size.height());
        if (QPixmapCache::find(key, out))
            return PictureLoad::Loaded;
    }
    QPixmap decoded;
    const PictureLoad result = LoadPictureFile(path, &decoded, size);
    if (result != PictureLoad::Loaded)
        return result;
    *out = decoded.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (!key.isEmpty())
        QPixmapCache::insert(key, *out);
    return result;
}

void SetPictureDecodeHook(std::function<void()> hook) {
    decodeHook() = std::move(hook);
}
