#pragma once

class QWidget;

// The one placement the three main windows share: each restores it when it loads and saves it
// when it unloads.
void saveWindowPlacement(const QWidget* window);
void restoreWindowPlacement(QWidget* window);
