#include "ui/platform/screen_metrics.h"

#include "core/layout/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

QScreen* screenOf(const QWidget* widget)
{
    QScreen* screen = widget ? widget->screen() : nullptr;
    return screen ? screen : QGuiApplication::primaryScreen();
}

double perPixel(double dpi)
{
    return dpi > 0 ? 1440.0 / dpi : kDefaultTwipsPerPixel;
}

} // namespace

double twipsPerPixelX(const QWidget* widget)
{
    QScreen* screen = screenOf(widget);
    return screen ? perPixel(screen->logicalDotsPerInchX()) : kDefaultTwipsPerPixel;
}

double twipsPerPixelY(const QWidget* widget)
{
    QScreen* screen = screenOf(widget);
    return screen ? perPixel(screen->logicalDotsPerInchY()) : kDefaultTwipsPerPixel;
}

QSize screenSizeTwips(const QWidget* widget)
{
    QScreen* screen = screenOf(widget);
    const QSize px = screen ? screen->geometry().size() : QSize(1024, 768);
    return {pixelsToTwips(px.width(), twipsPerPixelX(widget)), pixelsToTwips(px.height(), twipsPerPixelY(widget))};
}
