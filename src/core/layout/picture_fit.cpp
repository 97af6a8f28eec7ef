#include "core/layout/picture_fit.h"

#include <QStringList>
#include <cmath>

ThumbPlacement fitEditorThumbnail(double fw, double fh, double pw, double ph, double naturalWidth, double naturalHeight)
{
    return showThumbnail({120, 160, 0, 0}, fw, fh, pw, ph, naturalWidth, naturalHeight);
}

ViewerGeometry fitImageViewer(double sw, double sh, double iw, double ih, double pw, double ph)
{
    ViewerGeometry g;
    if (sw - 2200 < iw || sh - 2200 < ih) {
        g.stretched = true;
        if (iw <= ih) {
            g.height = sh - 2200;
            g.width = g.height * pw / ph;
        } else {
            g.width = sw - 2200;
            g.height = g.width * ph / pw;
        }
    } else {
        g.width = iw;
        g.height = ih;
    }
    g.left = static_cast<int>(std::nearbyint(sw - g.width)) / 2;
    g.top = static_cast<int>(std::nearbyint(sh - g.height)) / 2;
    return g;
}

bool isAcceptedPictureName(const QString& fileName)
{
    static const QStringList accepted = {QStringLiteral("gif"), QStringLiteral("jpg"), QStringLiteral("bmp"),
                                         QStringLiteral("peg"), QStringLiteral("jpe")};
    return accepted.contains(fileName.right(3).toLower());
}
