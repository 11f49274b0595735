#pragma once

#include <QString>
#include <atomic>
#include <functional>

class QWidget;

// Copying a chosen picture into the picture folder. A picture is listed only once its copy is
// whole: anything that stops the copy leaves no file under the copy's name.

struct PictureCopyResult {
    enum Outcome { Copied, Failed, Cancelled };
    Outcome outcome = Failed;
    QString reason; // why it failed, in words for the user
};

// Why a chosen path cannot be a picture to copy, without opening it (a pipe would wait for a
// writer forever): a folder, a pipe, a device or a socket, or nothing at all. Empty when it is
// a regular file.
QString PictureSourceRefusal(const QString& source);

// The copy itself, on any thread: the source is opened without waiting and refused unless it
// is a regular file; it is written in pieces beside `copy` and renamed to it when complete.
// `cancel` is looked at between pieces; `progress` (may be empty) hears the bytes done so far
// and the whole size.
PictureCopyResult CopyPictureFile(const QString& source, const QString& copy,
                                  const std::atomic<bool>& cancel,
                                  const std::function<void(qint64, qint64)>& progress = {});

// Runs CopyPictureFile on a worker thread while the window goes on drawing itself. No click or
// key reaches the window meanwhile (the property must stay the one the picture is added to);
// a copy that takes longer than a moment shows a progress box over `window` whose Cancel
// stops it.
PictureCopyResult CopyPictureWithProgress(QWidget* window, const QString& source,
                                          const QString& copy);

// Tests: runs on the worker thread before every piece is written.
void SetPictureCopyPieceHook(std::function<void()> hook);
