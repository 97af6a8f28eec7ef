#pragma once

#include "core/layout/browse_layout.h"

// Design sizes of the add and edit windows, in twips.
namespace EditorDesign {
constexpr double kBorderHeight = 560;
constexpr double kStaticWidth = 3300;
constexpr double kLabelHeight = 285;
constexpr double kTitleBoxHeight = 330;
constexpr double kDegreeWidth = 2700;
} // namespace EditorDesign

struct EditorLayout {
    TwipRect heading[2];
    TwipRect textPanel, sidePanel; // sidePanel inside textPanel
    // inside m_textPanel
    TwipRect titleCaption, titleBox, ingredientsCaption, ingredientsBox, preparationCaption, preparationBox,
        notesCaption, notesBox, degreeLabel;
};

// The spare height of the text column for a text area of height H (whole twips).
int editorExtraSpace(double dynHeight);

// Lays out the add and edit windows for an inner width and height (twips).
EditorLayout layOutEditorWindow(double width, double height);
