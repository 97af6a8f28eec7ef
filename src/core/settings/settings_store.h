#pragma once

#include <QString>

// The settings key all of the program's values live under.
inline const QString kRegRoot = QStringLiteral("HKLM\\Software\\Quorvel\\Saporina\\");

// Settings are addressed by full paths such as kRegRoot + "language" and stored as text.
// Reading never fails: a missing value, or any failure, reads as empty text.
QString readSetting(const QString& fullPath);

// Stores the text; a store that cannot be written is skipped without a message.
void writeSetting(const QString& fullPath, const QString& value);

// False for an empty path; otherwise whether a file (or, with folder set, a file or folder) exists.
bool pathExists(const QString& path, bool folder = false);
