#pragma once

#include <QString>

// The folder everything the program stores lives below: "_data", "_reports" and the error
// log. The executable's own folder unless start-up chose another (see ChooseDataFolder).
QString ProgramFolder();
// Points both the stored data and the program's own pictures and help page at one folder, as
// in a portable program folder; tests use it with a temporary folder. Empty restores both.
void SetProgramFolder(const QString& folder);
// Points only the stored data elsewhere; the pictures and help page stay where they are.
void SetDataFolder(const QString& folder);

// The folder that holds "_images" and "_reference": beside the executable when they are
// there (the build folder, a portable copy), otherwise the installed share folder.
QString ResourceFolder();
QString ResourcePath(const QString& relative);
// The same choice for a given executable folder.
QString LocateResourceFolder(const QString& executableFolder);

// Where the data goes. An explicit folder wins. A writable program folder that holds its
// resources keeps its data beside the executable (portable); an installed program, whose
// resources sit in a share folder, or a read-only one uses the per-user folder.
QString ChooseDataFolder(const QString& explicitFolder, const QString& executableFolder,
                         const QString& perUserFolder);

// folder + "/" + relative, without doubling a separator the folder already ends in.
QString JoinProgramPath(const QString& folder, const QString& relative);

// The program folder, exactly as reported, joined with a relative path ("_data/991106EB51").
QString ProgramPath(const QString& relative);

// The folder that holds the copies of added pictures, below the trimmed folder.
QString PictureFolderPath(const QString& folder);

// The file a stored picture reference is read from. References are full paths, so after the
// program folder was moved or renamed they name a folder that is gone; then a file of the same
// name in the current picture folder is the picture. The reference itself when it exists or
// when no such file is there (the caller's own fallbacks then apply). Only reading uses this:
// the stored reference is never rewritten.
QString LocatePictureFile(const QString& reference, const QString& folder);

// The small logo shown in the corner while no property picture is.
extern QString g_sLogoPicturePath;

// Start-up's first steps: the logo path, then the data folder itself when it is missing,
// then the working folders "_reports", "_data" and
// "_data/_propertyImages" (created one level at a time when missing). Failures are logged.
void PrepareProgramFolders();
