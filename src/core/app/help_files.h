#pragma once

#include <QString>

// The help file for the current language: appPath + "/sp.hlp" (English) or "/spEs.hlp".
QString helpFilePath();

// Puts the files the program ships into the data folder: the help files and the logo of the print
// page. Copies that differ are replaced.
void installShippedFiles(const QString& appPath);
