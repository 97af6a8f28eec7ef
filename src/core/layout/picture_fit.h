#pragma once

#include "core/layout/browse_layout.h"

// The add and edit windows' thumbnail: like the browse window's, with their own margins.
ThumbPlacement fitEditorThumbnail(double frameWidth, double frameHeight, double pictureWidth, double pictureHeight,
                                  double naturalWidthTwips, double naturalHeightTwips);

// The full-size viewer: the picture's own size, or scaled to the screen less 2200 twips when it
// does not fit, centred on the screen. All in twips; PW x PH only gives the aspect ratio.
struct ViewerGeometry {
    double width = 0, height = 0;
    int left = 0, top = 0;
    bool stretched = false;
};
ViewerGeometry fitImageViewer(double screenWidth, double screenHeight, double imageWidth, double imageHeight,
                              double pictureWidth, double pictureHeight);

// Whether the chooser accepts a file by its name: the last three characters, lower-cased, are one
// of gif, jpg, bmp, peg, jpe.
bool isAcceptedPictureName(const QString& fileName);
