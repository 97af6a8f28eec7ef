#include "settings/window_placement.h"

#include "app/app_state.h"
#include "platform/screen_metrics.h"
#include "platform/twips.h"
#include "settings/placement.h"

#include <QWidget>

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
    writeStoredPlacement(app().regRoot, state, pixelsToTwips(window->width(), tx), pixelsToTwips(window->height(), ty),
                         pixelsToTwips(window->x(), tx), pixelsToTwips(window->y(), ty));
}

void restoreWindowPlacement(QWidget* window)
{
    const QSize screen = screenSizeTwips(window);
    const Placement p = computePlacement(readStoredPlacement(app().regRoot), screen.width(), screen.height());
    const double tx = twipsPerPixelX(window);
    const double ty = twipsPerPixelY(window);
    window->resize(twipsToPixels(p.width, tx), twipsToPixels(p.height, ty));
    window->move(twipsToPixels(p.left, tx), twipsToPixels(p.top, ty));
    window->setWindowState(p.state == WindowShowState::Maximized ? Qt::WindowMaximized : Qt::WindowNoState);
}
