#pragma once

#include <QString>

// "aok" when the file is a well-formed XML document, otherwise "error". Uses a document of its own.
QString checkXmlFile(const QString& path);

// The program's data folder: SAPORINA_HOME when set, else the user's application data folder.
QString defaultAppPath();

// Point size for a stored "textSize": 0 gives 8, 2 gives 12, any other number 10; the value's
// leading numeric part counts, and text without one counts as 0.
int textFontSizeFor(const QString& setting);

// Scheme code for a stored "color"; anything but one of the eight codes 0, 100 ... 700 gives 0.
int colorSchemeFor(const QString& setting);

// Moves a broken book out of the way under a new name in the same folder; returns that name's
// path, or an empty text when it could not be moved.
QString keepBrokenBook(const QString& bookPath);

// Start-up up to the point where the browse window opens: the data folder, the book (offering
// to replace a broken one), the images folder, and the text size, colour and language settings.
// Returns false when the program must end instead.
bool prepareAppData();
