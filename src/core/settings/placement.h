#pragma once

#include <QList>
#include <QString>

enum class WindowShowState { Normal = 0, Minimized = 1, Maximized = 2 };

// The five shared placement values as they were read (empty when missing).
struct StoredPlacement {
    QString width, height, state, left, top;
};

// Where a main window opens, in twips. Never minimised.
struct Placement {
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0;
    WindowShowState state = WindowShowState::Normal;
};

inline constexpr int kDefaultWindowWidth = 9700;
inline constexpr int kDefaultWindowHeight = 6900;
inline constexpr int kMaxStoredWindowSize = 50000;

// The part of a screen windows may take (without task bars), in twips on the whole desktop.
struct ScreenArea {
    int left = 0, top = 0, width = 0, height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
};

// Falls back to the defaults for missing, out-of-range or non-numeric values and turns a minimised
// state into a normal one. A window always opens where it can be reached: when its rectangle does
// not lie on one of the `screens` (the first being the one it opens on), it is brought onto the screen
// it overlaps most (or the first), shrunk to that screen where it is larger, and centred on each axis
// along which it does not fit where it was. A monitor that is gone leaves no window out of sight.
Placement computePlacement(const StoredPlacement& stored, const QList<ScreenArea>& screens);

StoredPlacement readStoredPlacement();

// Writes the state, and the size and position only for a normal window.
void writeStoredPlacement(WindowShowState state, int width, int height, int left, int top);
