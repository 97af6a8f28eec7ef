#pragma once

class AddRecipeWindow;
class BrowseWindow;
class EditRecipeWindow;
class PreferencesWindow;
class SearchWindow;

// Each window's colours and text size from the current scheme, applied once when it loads.
void applyBrowseColors(BrowseWindow& w);
void applyAddColors(AddRecipeWindow& w);
void applyEditColors(EditRecipeWindow& w);
void applySearchColors(SearchWindow& w);
void applyPreferencesColors(PreferencesWindow& w);
