#include "core/layout/editor_layout.h"

#include <cmath>

using namespace EditorDesign;

int editorExtraSpace(double h)
{
    const double fixed = 4 * kLabelHeight + kTitleBoxHeight;
    return static_cast<int>(std::nearbyint(h - fixed - 0.2429 * h - 0.2429 * h - 0.1601 * h - 155));
}

EditorLayout layOutEditorWindow(double width, double height)
{
    EditorLayout l;
    l.heading[0] = {0, 0, width, kBorderHeight};
    l.heading[1] = {BrowseDesign::kBorderShadow, BrowseDesign::kBorderShadow, width, kBorderHeight};
    l.textPanel = {0, kBorderHeight, width, height - kBorderHeight};
    l.sidePanel = {width - kStaticWidth, 0, kStaticWidth, l.textPanel.height};

    const double h = l.textPanel.height;
    const double extra = editorExtraSpace(h);
    const double w = width - kStaticWidth - 870;
    const double big = 0.2429 * h + 0.378 * extra;
    const double notes = 0.1601 * h + 0.243 * extra;
    l.titleCaption = {120, 0, w + 315, kLabelHeight};
    l.titleBox = {435, l.titleCaption.bottom(), w, kTitleBoxHeight};
    l.ingredientsCaption = {120, l.titleBox.bottom(), w + 315, kLabelHeight};
    l.ingredientsBox = {435, l.ingredientsCaption.bottom(), w, big};
    l.preparationCaption = {120, l.ingredientsBox.bottom(), w + 315, kLabelHeight};
    l.preparationBox = {435, l.preparationCaption.bottom(), w, big};
    l.notesCaption = {120, l.preparationBox.bottom(), w + 315, kLabelHeight};
    l.notesBox = {435, l.notesCaption.bottom(), w, notes};
    l.degreeLabel = {435 + w - kDegreeWidth, l.preparationBox.top - kLabelHeight, kDegreeWidth, kLabelHeight};
    return l;
}
