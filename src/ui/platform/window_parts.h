#pragma once

#include "core/layout/twips.h"

class QFrame;
class QLabel;
class QMainWindow;
class QObject;
class QWidget;

// Pieces the main windows build alike.

// The window's central widget; its resizes go to `resizeWatcher`.
QWidget* makeCentralWidget(QMainWindow* window, QObject* resizeWatcher);

// The two labels of a heading, the second drawn over the first a little right and down.
void makeHeading(QWidget* parent, QLabel* (&labels)[2]);

QFrame* newFrame(QWidget* parent, bool border = false);

// Places a widget at a rectangle given in twips, converted with its screen's twips per pixel.
void placeTwips(QWidget* widget, const TwipRect& rect);
