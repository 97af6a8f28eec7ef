#pragma once

#include <cmath>

// Window geometry is laid out in twips (1/1440 inch); 15 twips make a pixel at 96 DPI.
constexpr double kDefaultTwipsPerPixel = 15.0;

// Nearest whole pixel, halves to even.
inline int twipsToPixels(double twips, double twipsPerPixel)
{
    return static_cast<int>(std::nearbyint(twips / twipsPerPixel));
}

inline int pixelsToTwips(double pixels, double twipsPerPixel)
{
    return static_cast<int>(std::nearbyint(pixels * twipsPerPixel));
}

// A rectangle in twips, relative to its parent.
struct TwipRect {
    double left = 0, top = 0, width = 0, height = 0;
    double bottom() const { return top + height; }
    double right() const { return left + width; }
    bool operator==(const TwipRect&) const = default;
};
