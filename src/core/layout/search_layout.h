#pragma once

// Geometry of the search window for a text size (points), in twips.
struct SearchLayout {
    int windowWidth, fieldWidth, buttonsLeft, countHeight;
};
SearchLayout searchLayoutFor(int textFontSize);
