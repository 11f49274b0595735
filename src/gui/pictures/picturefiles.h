#pragma once

#include "gui/dialogs/picker.h"
#include "gui/widgets/pictureload.h"

#include <QDateTime>
#include <QString>
#include <optional>

// The copy an added picture gets in the program's picture folder, and the dialog that picks
// the file.

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
