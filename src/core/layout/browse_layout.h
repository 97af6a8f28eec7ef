#pragma once

#include "core/layout/twips.h"

#include <QString>

// Design sizes the layout keeps.
namespace BrowseDesign {
constexpr double kBorderHeight = 560;
constexpr double kBorderShadow = 30; // the second heading label sits this far right and down
constexpr double kTopLeftWidth = 3242;
constexpr double kBotLeftHeight = 1185;
constexpr double kIngLabelHeight = 390;
constexpr double kPrepLabelHeight = 375;
constexpr double kOtherLabelHeight = 375;
constexpr double kButtonStripHeight = 630;
constexpr double kCatsTop = 60;
constexpr double kCatsHeight = 330;
constexpr double kListLeft = 60;
constexpr double kListWidth = 3100;
constexpr double kListTop = 450;
constexpr double kClickLabelHeight = 255;
constexpr double kButtonLefts[3] = {180, 1530, 2850};
constexpr double kButtonTop = 120;
constexpr double kButtonWidth = 1215;
constexpr double kButtonHeight = 390;
} // namespace BrowseDesign

// Geometry of the browse window, in twips. Child rectangles are relative to their frame.
struct BrowseLayout {
    TwipRect heading[2];
    TwipRect backPanel;
    // inside m_backPanel
    TwipRect listPanel, textPanel, detailsPanel;
    // inside m_listPanel
    TwipRect categoryCombo, recipeList, pictureFrame, viewPictureLabel;
    // inside m_textPanel
    TwipRect ingredientsCaption, ingredientsBox, preparationCaption, preparationBox, notesCaption, notesBox,
        buttonPanel;
};

// The spare height of the right-hand column that the three text boxes share.
double browseExtraSpace(double backHeight);

// Lays the window out for an inner width and height (twips).
BrowseLayout layOutBrowseWindow(double width, double height);

// Where a picture goes in the picture frame: unstretched at its natural size when it fits with
// room to spare, otherwise stretched to fit. Frame and natural sizes in twips; the picture's
// size in HIMETRIC (hundredths of a millimetre), compared with the frame as the window always has.
struct ThumbPlacement {
    double left = 0, top = 0, width = 0, height = 0;
    bool stretched = false;
};
// How far a stretched picture stays from the frame's edges, and when the other side takes over.
struct ThumbMargins {
    double width, height, widthLimit, heightLimit;
};
ThumbPlacement showThumbnail(const ThumbMargins& margins, double frameWidth, double frameHeight, double pictureWidth,
                             double pictureHeight, double naturalWidthTwips, double naturalHeightTwips);
ThumbPlacement fitBrowseThumbnail(double frameWidth, double frameHeight, double pictureWidth, double pictureHeight,
                                  double naturalWidthTwips, double naturalHeightTwips);

// HIMETRIC size of a picture of so many pixels shown at the screen's resolution.
inline double pixelsToHimetric(double pixels, double dpi = 96.0)
{
    return pixels * 2540.0 / dpi;
}
