#pragma once

#include <QString>

// The help file for the current language: appPath + "/sp.hlp" (English) or "/spEs.hlp".
QString helpFilePath();

// Puts the help files the program ships into the data folder, replacing copies that differ.
void installHelpFiles(const QString& appPath);
