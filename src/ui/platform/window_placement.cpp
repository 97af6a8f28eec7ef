#include "ui/platform/window_placement.h"

#include "core/app/app_state.h"
#include "core/layout/twips.h"
#include "core/settings/placement.h"
#include "ui/platform/screen_metrics.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {
// Every screen's area for windows in twips, the one the window is on first.
QList<ScreenArea> availableScreenAreas(const QWidget* window, double tx, double ty)
{
    QList<ScreenArea> areas;
    QScreen* own = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    auto add = [&](const QScreen* screen) {
        const QRect r = screen->availableGeometry();
        areas.append({pixelsToTwips(r.x(), tx), pixelsToTwips(r.y(), ty), pixelsToTwips(r.width(), tx),
                      pixelsToTwips(r.height(), ty)});
    };
    if (own)
        add(own);
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen != own)
            add(screen);
    }
    return areas;
}
} // namespace

void saveWindowPlacement(const QWidget* window)
{
    WindowShowState state = WindowShowState::Normal;
    if (window->isMinimized())
        state = WindowShowState::Minimized;
    else if (window->isMaximized())
        state = WindowShowState::Maximized;
    // Client size with the frame's position: the same pair restore applies, so nothing drifts.
    const double tx = twipsPerPixelX(window);
    const double ty = twipsPerPixelY(window);
    writeStoredPlacement(state, pixelsToTwips(window->width(), tx), pixelsToTwips(window->height(), ty),
                         pixelsToTwips(window->x(), tx), pixelsToTwips(window->y(), ty));
}

void restoreWindowPlacement(QWidget* window)
{
    const double tx = twipsPerPixelX(window);
    const double ty = twipsPerPixelY(window);
    const Placement p = computePlacement(readStoredPlacement(), availableScreenAreas(window, tx, ty));
    window->resize(twipsToPixels(p.width, tx), twipsToPixels(p.height, ty));
    window->move(twipsToPixels(p.left, tx), twipsToPixels(p.top, ty));
    window->setWindowState(p.state == WindowShowState::Maximized ? Qt::WindowMaximized : Qt::WindowNoState);
}
