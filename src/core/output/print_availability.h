#pragma once

#include <QString>

// Whether the print engine's version ("major.minor...") is recent enough: major and minor taken
// from the first and third characters; (major >= 5 and minor >= 5) or major > 5.
bool printingAvailable(const QString& version);
