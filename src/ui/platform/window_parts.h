#pragma once

#include "core/layout/twips.h"

class QFrame;
class QLabel;
class QMainWindow;
class QObject;
class QWidget;

#include <QString>

// Pieces the main windows build alike.

// Gives a widget or action the name tests and style sheets find it by, and returns it.
template <typename T> T* named(T* object, const char* name)
{
    object->setObjectName(QLatin1String(name));
    return object;
}

// Multi-line fields read back with LF line ends; the boxes show them with CR LF as they are stored.
QString withCrLfLineEnds(const QString& text);

// The window's central widget; its resizes go to `resizeWatcher`.
QWidget* makeCentralWidget(QMainWindow* window, QObject* resizeWatcher);

// The two labels of a heading, the second drawn over the first a little right and down.
void makeHeading(QWidget* parent, QLabel* (&labels)[2]);

QFrame* newFrame(QWidget* parent, bool border = false);

// The framed picture box of the browse, add and edit windows: the thumbnail inside the frame (hidden
// until there is a picture; its clicks are the frame's) and the "click to view image" label. Clicks
// on the frame and the label go to `clickWatcher`.
struct PictureBox {
    QFrame* frame;
    QLabel* thumbnail;
    QLabel* viewLabel;
};
PictureBox makePictureBox(QWidget* parent, QObject* clickWatcher);

// Places a widget at a rectangle given in twips, converted with its screen's twips per pixel.
void placeTwips(QWidget* widget, const TwipRect& rect);

// Screen readers name a text box after its caption (a label whose buddy it is) by themselves, but not a
// list, a tree, a spin box or the text box of an editable combo box. These name such a control after a
// caption as the label shows it (no access marks, no closing colon), the second for every captioned
// control of a window; call again when the captions change language.
void nameAfterCaption(QWidget* control, const QString& caption);
void nameControlsAfterCaptions(QWidget* window);

// A text as a label shows it: "&" marks an access key in menus and buttons but is no character
// there ("&&" stands for one "&").
QString withoutAccessMarks(const QString& text);
