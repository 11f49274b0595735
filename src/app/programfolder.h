#pragma once

#include <QString>

// The folder that holds the executable; everything the program stores lives below it.
// Tests point it at a temporary folder.
QString ProgramFolder();
void SetProgramFolder(const QString& folder);

// folder + "/" + relative, without doubling a separator the folder already ends in.
QString JoinProgramPath(const QString& folder, const QString& relative);

// The trimmed program folder joined with a relative path ("_data/991106EB51").
QString ProgramPath(const QString& relative);

// The small logo shown in the corner while no property picture is.
extern QString g_sLogoPicturePath;

// Start-up's first steps: the logo path, then the working folders "_reports", "_data" and
// "_data/_propertyImages" (created one level at a time when missing). Failures are logged.
void PrepareProgramFolders();
