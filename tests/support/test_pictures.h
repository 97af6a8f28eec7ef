#pragma once

#include <QColor>
#include <QFile>
#include <QImage>
#include <QString>

// Writes a real picture file of the given pixel size; the format follows the file's ending.
inline bool writePicture(const QString& path, int width, int height, QColor color = QColor(200, 120, 40))
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return image.save(path);
}

// A one-pixel GIF (Qt reads GIF but does not write it).
inline bool writeGif(const QString& path)
{
    static const unsigned char gif[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80,
                                        0x00, 0x00, 0xff, 0xff, 0xff, 0x00, 0x00, 0x00, 0x21, 0xf9, 0x04,
                                        0x01, 0x00, 0x00, 0x00, 0x00, 0x2c, 0x00, 0x00, 0x00, 0x00, 0x01,
                                        0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3b};
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(reinterpret_cast<const char*>(gif), sizeof gif) == static_cast<qint64>(sizeof gif);
}
