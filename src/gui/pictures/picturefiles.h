#pragma once

#include "gui/dialogs/picker.h"

#include <QDateTime>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>

// Picture files of a property: loading a stored reference with its fallbacks, and naming the
// copy an added picture gets in the program's picture folder.

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

// A file of the program's images folder.
QString ImagesFile(const QString& name);
extern const QString kInvalidPictureFile;

// The copy's time stamp: year, month, day, hour (24-hour), minute, second, 14 digits.
QString PictureStamp(const QDateTime& when);

// The copy's path: the picture folder, the stamp, then the chosen file's extension with its
// dot ("house.jpeg" gives "...20051106143012.jpeg").
QString PictureCopyPath(const QString& stamp, const QString& chosenFile);

// A copy path that names no existing file: the stamp of when, moved on a second at a time
// while the path is taken. Two pictures added within one second would otherwise share one
// file, the second replacing the first under both references.
QString FreePictureCopyPath(const QDateTime& when, const QString& chosenFile);

// What the "Add File" dialog asks.
FilePickerRequest AddPictureRequest();
// Asks for a picture file. The dialog opens in `lastFolder`, or in the user's Pictures folder
// while that is empty; a chosen file's folder becomes `lastFolder`.
std::optional<QString> ChoosePictureFile(FilePicker& picker, QString& lastFolder);
