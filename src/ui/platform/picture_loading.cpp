#include "ui/platform/picture_loading.h"

#include "core/layout/browse_layout.h"
#include "ui/platform/screen_metrics.h"

#include <QImageReader>

LoadedPicture loadPicture(const QString& path)
{
    LoadedPicture picture;
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull())
        return picture;
    picture.pixmap = QPixmap::fromImage(image);
    const double tppX = twipsPerPixelX();
    const double tppY = twipsPerPixelY();
    picture.himetricWidth = pixelsToHimetric(image.width(), 1440.0 / tppX);
    picture.himetricHeight = pixelsToHimetric(image.height(), 1440.0 / tppY);
    picture.twipsWidth = image.width() * tppX;
    picture.twipsHeight = image.height() * tppY;
    return picture;
}
