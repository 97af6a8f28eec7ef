#include "core/settings/placement.h"

#include "core/settings/settings_store.h"

#include <algorithm>
#include <optional>

namespace {

std::optional<int> number(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

int sizeOrDefault(const QString& text, int fallback)
{
    const auto value = number(text);
    if (!value || *value < fallback || *value > kMaxStoredWindowSize)
        return fallback;
    return *value;
}

// Positions come from settings anyone can edit: sums are taken in 64 bits, so that a position near the
// integer limit cannot wrap round onto the screen's far side.
bool liesOn(const ScreenArea& screen, qint64 left, qint64 top, qint64 width, qint64 height)
{
    return left >= screen.left && top >= screen.top && left + width <= qint64(screen.left) + screen.width &&
           top + height <= qint64(screen.top) + screen.height;
}

qint64 overlap(const ScreenArea& screen, qint64 left, qint64 top, qint64 width, qint64 height)
{
    const qint64 w = std::min(left + width, qint64(screen.left) + screen.width) - std::max(left, qint64(screen.left));
    const qint64 h = std::min(top + height, qint64(screen.top) + screen.height) - std::max(top, qint64(screen.top));
    return w > 0 && h > 0 ? w * h : 0;
}

// Along one axis: the position when the window fits there on the screen, else centred on it.
int fitAxis(int position, int size, int screenStart, int screenSize)
{
    if (position >= screenStart && qint64(position) + size <= qint64(screenStart) + screenSize)
        return position;
    return screenStart + (screenSize - size) / 2;
}

} // namespace

Placement computePlacement(const StoredPlacement& stored, const QList<ScreenArea>& screens)
{
    const ScreenArea current = screens.isEmpty() ? ScreenArea{0, 0, 15360, 11520} : screens.first();
    Placement p;
    p.width = sizeOrDefault(stored.width, kDefaultWindowWidth);
    p.height = sizeOrDefault(stored.height, kDefaultWindowHeight);
    p.left = number(stored.left).value_or(current.left + (current.width - p.width) / 2);
    p.top = number(stored.top).value_or(current.top + (current.height - p.height) / 2);
    p.state = number(stored.state).value_or(0) == 2 ? WindowShowState::Maximized : WindowShowState::Normal;

    const QList<ScreenArea> areas = screens.isEmpty() ? QList<ScreenArea>{current} : screens;
    for (const ScreenArea& screen : areas) {
        if (liesOn(screen, p.left, p.top, p.width, p.height))
            return p;
    }
    ScreenArea target = current;
    qint64 best = 0;
    for (const ScreenArea& screen : areas) {
        const qint64 shared = overlap(screen, p.left, p.top, p.width, p.height);
        if (shared > best) {
            best = shared;
            target = screen;
        }
    }
    p.width = std::min(p.width, target.width);
    p.height = std::min(p.height, target.height);
    p.left = fitAxis(p.left, p.width, target.left, target.width);
    p.top = fitAxis(p.top, p.height, target.top, target.height);
    return p;
}

StoredPlacement readStoredPlacement()
{
    StoredPlacement s;
    s.width = readSetting(Setting::WindowWidth);
    s.height = readSetting(Setting::WindowHeight);
    s.state = readSetting(Setting::WindowState);
    s.left = readSetting(Setting::WindowLeft);
    s.top = readSetting(Setting::WindowTop);
    return s;
}

void writeStoredPlacement(WindowShowState state, int width, int height, int left, int top)
{
    writeSetting(Setting::WindowState, QString::number(static_cast<int>(state)));
    if (state != WindowShowState::Normal)
        return;
    writeSetting(Setting::WindowWidth, QString::number(width));
    writeSetting(Setting::WindowHeight, QString::number(height));
    writeSetting(Setting::WindowLeft, QString::number(left));
    writeSetting(Setting::WindowTop, QString::number(top));
}
