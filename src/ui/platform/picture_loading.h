#pragma once

#include <QPixmap>
#include <QString>

// A picture file decoded for display, with its natural size in the units the windows compare.
struct LoadedPicture {
    QPixmap pixmap;
    double himetricWidth = 0, himetricHeight = 0; // hundredths of a millimetre at screen resolution
    double twipsWidth = 0, twipsHeight = 0;       // natural size on screen
    bool isNull() const { return pixmap.isNull(); }
};

// Decodes the file; a null picture when it is missing or not a picture.
LoadedPicture loadPicture(const QString& path);
