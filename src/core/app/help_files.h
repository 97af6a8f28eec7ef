#pragma once

#include <QString>

// The help file for the current language: appPath + "/sp.hlp" (English) or "/spEs.hlp".
QString helpFilePath();

// Puts the files the program ships into the data folder: the help files and the logo of the print
// page, each the installed copy in <prefix>/share/saporina beside <prefix>/bin when there is one, else
// the copy built into the program. Copies that differ are replaced.
void installShippedFiles(const QString& appPath);
