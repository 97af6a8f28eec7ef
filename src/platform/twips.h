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
