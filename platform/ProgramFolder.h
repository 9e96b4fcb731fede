#pragma once

#include <QString>

// The folder of the program's own file, with a trailing "/". Data files are found
// below it ("DATA/Lib.RUS", "Vorda2000.ini"). Tests point it at a temporary folder.
QString ProgramFolder();
void SetProgramFolder(const QString& folderWithTrailingSlash);
