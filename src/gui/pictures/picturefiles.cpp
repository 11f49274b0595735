#include "gui/pictures/picturefiles.h"

#include "base/programfolder.h"

#include <QFileInfo>
#include <QStandardPaths>

QString PictureStamp(const QDateTime& when) {
    return when.toString(QStringLiteral("yyyyMMddHHmmss"));
}

QString PictureCopyPath(const QString& stamp, const QString& chosenFile) {
    // The ending is the file's own extension with its dot, whatever its length, so a
    // ".jpeg" or ".tiff" copy still opens as what it is; a name without one adds nothing.
    const QString suffix = QFileInfo(chosenFile).suffix();
    return JoinProgramPath(ProgramFolder(), QStringLiteral("_data/_propertyImages/")) + stamp +
           (suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix);
}

QString FreePictureCopyPath(const QDateTime& when, const QString& chosenFile) {
    QDateTime stampTime = when;
    QString path = PictureCopyPath(PictureStamp(stampTime), chosenFile);
    while (QFileInfo::exists(path)) {
        stampTime = stampTime.addSecs(1);
        path = PictureCopyPath(PictureStamp(stampTime), chosenFile);
    }
    return path;
}

std::optional<QString> ChoosePictureFile(FilePicker& picker, QString& lastFolder) {
    FilePickerRequest request = AddPictureRequest();
    request.folder = lastFolder.isEmpty()
                         ? QStandardPaths::writableLocation(QStandardPaths::PicturesLocation)
                         : lastFolder;
    const std::optional<QString> chosen = picker.openFile(request);
    if (chosen && !chosen->isEmpty())
        lastFolder = QFileInfo(*chosen).absolutePath();
    return chosen;
}

FilePickerRequest AddPictureRequest() {
    FilePickerRequest request;
    request.title = QStringLiteral("Add File");
    const auto split = [](const char* patterns) {
        return QString::fromLatin1(patterns).split(QLatin1Char(';'));
    };
    request.filters = {
        {QStringLiteral("All Picture Files"),
         split("*.JPG;*.JPEG;*.JPE;*.JFIF;*.GIF;*.TIF;*.TIFF;*.BMP;*.PNG")},
        {QStringLiteral("JPEG (*.JPG;*.JPEG;*.JPE;*.JFIF)"), split("*.JPG;*.JPEG;*.JPE;*.JFIF")},
        {QStringLiteral("GIF (*.GIF)"), split("*.GIF")},
        {QStringLiteral("TIFF (*.TIF;*.TIFF)"), split("*.TIF;*.TIFF")},
        {QStringLiteral("BMP (*.BMP)"), split("*.BMP")},
        {QStringLiteral("PNG (*.PNG)"), split("*.PNG")},
        {QStringLiteral("All Files (*.*)"), split("*.*")},
    };
    return request;
}
