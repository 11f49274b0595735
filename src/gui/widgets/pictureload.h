#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>
#include <functional>

// Reading picture files for display: a stored reference with its fallbacks, photographs
// decoded only as large as they are shown, and the program's own images.

enum class PictureLoad { Loaded, PathNotFound, FileNotFound, InvalidPicture, OtherFailure };

// Loads one picture file. A non-empty fitTo decodes a large photograph only as large as a
// box of that size needs (the strip's thumbnails).
PictureLoad LoadPictureFile(const QString& path, QPixmap* out, const QSize& fitTo = QSize());
// A picture file scaled to exactly that size (the home page's cards). Decoded pictures are
// kept by path, time stamp and size, so paging through the same properties decodes nothing
// twice.
PictureLoad LoadScaledPicture(const QString& path, const QSize& size, QPixmap* out);

// A stored picture reference, tried as it stands, then below the program folder when its
// path does not exist, then as the "invalid picture" replacement when the file is missing or
// no picture. False (and out untouched) on any other failure. Nothing here is logged.
bool LoadPictureReference(const QString& reference, QPixmap* out, const QSize& fitTo = QSize());

// Tests: runs on the thread that decodes a picture beyond the image reader's limit, before
// it decodes.
void SetPictureDecodeHook(std::function<void()> hook);

// A file of the program's images folder.
QString ImagesFile(const QString& name);
extern const QString kInvalidPictureFile;
