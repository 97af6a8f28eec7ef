#pragma once

#include <QString>

// The help file for the current language: appPath + "/sp.hlp" (English) or "/spEs.hlp".
QString helpFilePath();

// Where an installed program keeps the files it ships (help files, the logo of the print page):
// <prefix>/share/saporina beside <prefix>/bin.
QString installedFilesFolder();

// A shipped file by name: the installed copy when there is one, else the copy built into the program.
QString shippedFilePath(const QString& name);

// Puts the files the program ships into the data folder: the help files and the logo of the print
// page. Copies that differ are replaced.
void installShippedFiles(const QString& appPath);
