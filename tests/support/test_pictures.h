#pragma once

#include <QColor>
#include <QImage>
#include <QString>

// Writes a real picture file of the given pixel size; the format follows the file's ending.
inline bool writePicture(const QString& path, int width, int height, QColor color = QColor(200, 120, 40))
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return image.save(path);
}
