#pragma once

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

// Falls back to the defaults for missing, out-of-range or non-numeric values, keeps the window
// on the current screen, and turns a minimised state into a normal one.
Placement computePlacement(const StoredPlacement& stored, int screenWidth, int screenHeight);

StoredPlacement readStoredPlacement(const QString& regRoot);

// Writes the state, and the size and position only for a normal window.
void writeStoredPlacement(const QString& regRoot, WindowShowState state, int width, int height, int left, int top);
