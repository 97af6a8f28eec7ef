#pragma once

class AddRecipeWindow;
class BrowseWindow;
class EditRecipeWindow;
class PreferencesWindow;
class SearchWindow;

// Each window's texts, set once when the window loads.
void applyBrowseTexts(BrowseWindow& w);
void applyAddTexts(AddRecipeWindow& w);
void applyEditTexts(EditRecipeWindow& w);
void applySearchTexts(SearchWindow& w);
void applyPreferencesTexts(PreferencesWindow& w);
