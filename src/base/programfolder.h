#pragma once

#include <QString>

// The folder that holds the executable; everything the program stores lives below it.
// Tests point it at a temporary folder.
QString ProgramFolder();
void SetProgramFolder(const QString& folder);

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

// Start-up's first steps: the logo path, then the working folders "_reports", "_data" and
// "_data/_propertyImages" (created one level at a time when missing). Failures are logged.
void PrepareProgramFolders();
