#include "core/layout/search_layout.h"

SearchLayout searchLayoutFor(int textFontSize)
{
    switch (textFontSize) {
    case 8:
        return {3060, 2600, 398, 240};
    case 10:
        return {3945, 3500, 840, 300};
    default:
        return {5100, 4700, 1418, 300};
    }
}
