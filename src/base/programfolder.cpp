#include "base/programfolder.h"

#include "base/errortrap.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString g_sLogoPicturePath;

namespace {
QString& folderOverride() {
    static QString folder;
    return folder;
}

QString& resourceOverride() {
    static QString folder;
    return folder;
}

bool HoldsResources(const QString& folder) {
    return QFileInfo(JoinProgramPath(folder, QStringLiteral("_images"))).isDir();
}
} // namespace

QString ProgramFolder() {
    if (!folderOverride().isEmpty())
        return folderOverride();
    return QCoreApplication::applicationDirPath();
}

void SetProgramFolder(const QString& folder) {
    folderOverride() = folder;
    resourceOverride() = folder;
}

void SetDataFolder(const QString& folder) {
    folderOverride() = folder;
}

QString LocateResourceFolder(const QString& executableFolder) {
    if (HoldsResources(executableFolder))
        return executableFolder;
    // bin/quillbrook finds share/quillbrook/ under the same prefix.
    const QString installed =
        QDir::cleanPath(executableFolder + QStringLiteral("/../share/quillbrook"));
    return HoldsResources(installed) ? installed : executableFolder;
}

QString ResourceFolder() {
    if (!resourceOverride().isEmpty())
        return resourceOverride();
    static const QString located = LocateResourceFolder(QCoreApplication::applicationDirPath());
    return located;
}

QString ResourcePath(const QString& relative) {
    return JoinProgramPath(ResourceFolder(), relative);
}

QString ChooseDataFolder(const QString& explicitFolder, const QString& executableFolder,
                         const QString& perUserFolder) {
    if (!explicitFolder.isEmpty())
        return explicitFolder;
    // Writability alone would let root's data land in /usr/bin: an installed program is
    // recognised by its resources living elsewhere.
    if (HoldsResources(executableFolder) && QFileInfo(executableFolder).isWritable())
        return executableFolder;
    return perUserFolder;
}

QString JoinProgramPath(const QString& folder, const QString& relative) {
    if (folder.endsWith(QLatin1Char('/')))
        return folder + relative;
    return folder + QLatin1Char('/') + relative;
}

QString ProgramPath(const QString& relative) {
    // Never trimmed: a folder whose name ends in a space is another folder than the one
    // without it.
    return JoinProgramPath(ProgramFolder(), relative);
}

QString PictureFolderPath(const QString& folder) {
    return JoinProgramPath(folder.trimmed(), QStringLiteral("_data/_propertyImages/"));
}

QString LocatePictureFile(const QString& reference, const QString& folder) {
    if (reference.isEmpty() || QFileInfo::exists(reference))
        return reference;
    // A database written on Windows separates its folders with backslashes.
    const qsizetype cut =
        qMax(reference.lastIndexOf(QLatin1Char('/')), reference.lastIndexOf(QLatin1Char('\\')));
    const QString moved = PictureFolderPath(folder) + reference.mid(cut + 1);
    return QFileInfo(moved).isFile() ? moved : reference;
}

void PrepareProgramFolders() {
    // No separator is added or removed here: the folder is used exactly as reported.
    Trap(2510, [] {
        g_sLogoPicturePath = ResourceFolder() + QStringLiteral("/_images/hgtLogoSmall4.bmp");
    });
    // The per-user folder of a first run, or one named on the command line, may not exist yet.
    Trap(2515, [] {
        if (!QFileInfo(ProgramFolder()).isDir() && !QDir().mkpath(ProgramFolder()))
            RaiseError(76);
    });
    const QStringList suffixes{QStringLiteral("/_reports/"), QStringLiteral("/_data/"),
                               QStringLiteral("/_data/_propertyImages/")};
    int location = 2520;
    for (const QString& suffix : suffixes) {
        Trap(location++, [&suffix] {
            const QString path = ProgramFolder() + suffix;
            if (QFileInfo(path).isDir())
                return;
            QDir parent;
            if (!parent.mkdir(path))
                RaiseError(QFileInfo(path).dir().exists() ? 75 : 76);
        });
    }
}
