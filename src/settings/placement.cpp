#include "settings/placement.h"

#include "settings/settings_store.h"

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

// A position too close to (or past) the screen's far edge is replaced by a centred one.
int positionOnScreen(const QString& text, int screen, int window)
{
    const int centred = (screen - window) / 2;
    const int value = number(text).value_or(centred);
    return value < screen - 500 ? value : centred;
}

} // namespace

Placement computePlacement(const StoredPlacement& stored, int screenWidth, int screenHeight)
{
    Placement p;
    p.width = sizeOrDefault(stored.width, kDefaultWindowWidth);
    p.height = sizeOrDefault(stored.height, kDefaultWindowHeight);
    p.left = positionOnScreen(stored.left, screenWidth, p.width);
    p.top = positionOnScreen(stored.top, screenHeight, p.height);
    p.state = number(stored.state).value_or(0) == 2 ? WindowShowState::Maximized : WindowShowState::Normal;
    return p;
}

StoredPlacement readStoredPlacement(const QString& regRoot)
{
    StoredPlacement s;
    s.width = readSetting(regRoot + QStringLiteral("width"));
    s.height = readSetting(regRoot + QStringLiteral("height"));
    s.state = readSetting(regRoot + QStringLiteral("state"));
    s.left = readSetting(regRoot + QStringLiteral("left"));
    s.top = readSetting(regRoot + QStringLiteral("top"));
    return s;
}

void writeStoredPlacement(const QString& regRoot, WindowShowState state, int width, int height, int left, int top)
{
    writeSetting(regRoot + QStringLiteral("state"), QString::number(static_cast<int>(state)));
    if (state != WindowShowState::Normal)
        return;
    writeSetting(regRoot + QStringLiteral("width"), QString::number(width));
    writeSetting(regRoot + QStringLiteral("height"), QString::number(height));
    writeSetting(regRoot + QStringLiteral("left"), QString::number(left));
    writeSetting(regRoot + QStringLiteral("top"), QString::number(top));
}
