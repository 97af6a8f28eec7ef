#pragma once

#include <QSize>

class QWidget;

// Twips per pixel of the screen the widget is on (1440 / logical DPI; 15 at 96 DPI).
double twipsPerPixelX(const QWidget* widget = nullptr);
double twipsPerPixelY(const QWidget* widget = nullptr);

// The size of the widget's screen (or the primary screen) in twips.
QSize screenSizeTwips(const QWidget* widget = nullptr);
