#include "windows/editor/editor_layout.h"

#include <cmath>

using namespace EditorDesign;

int findEditorExtraSpace(double h)
{
    const double fixed = 4 * kLabelHeight + kTitleBoxHeight;
    return static_cast<int>(std::nearbyint(h - fixed - 0.2429 * h - 0.2429 * h - 0.1601 * h - 155));
}

EditorLayout alignAddFrames(double width, double height)
{
    EditorLayout l;
    l.border[0] = {0, 0, width, kBorderHeight};
    l.border[1] = {BrowseDesign::kBorderShadow, BrowseDesign::kBorderShadow, width, kBorderHeight};
    l.fraDyn = {0, kBorderHeight, width, height - kBorderHeight};
    l.fraStatic = {width - kStaticWidth, 0, kStaticWidth, l.fraDyn.height};

    const double h = l.fraDyn.height;
    const double extra = findEditorExtraSpace(h);
    const double w = width - kStaticWidth - 870;
    const double big = 0.2429 * h + 0.378 * extra;
    const double notes = 0.1601 * h + 0.243 * extra;
    l.lblTitle = {120, 0, w + 315, kLabelHeight};
    l.txtTitle = {435, l.lblTitle.bottom(), w, kTitleBoxHeight};
    l.lblIng = {120, l.txtTitle.bottom(), w + 315, kLabelHeight};
    l.txtIng = {435, l.lblIng.bottom(), w, big};
    l.lblPrep = {120, l.txtIng.bottom(), w + 315, kLabelHeight};
    l.txtPrep = {435, l.lblPrep.bottom(), w, big};
    l.lblOther = {120, l.txtPrep.bottom(), w + 315, kLabelHeight};
    l.txtOther = {435, l.lblOther.bottom(), w, notes};
    l.lblDeg = {435 + w - kDegreeWidth, l.txtPrep.top - kLabelHeight, kDegreeWidth, kLabelHeight};
    return l;
}
