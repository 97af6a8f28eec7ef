#pragma once

#include "core/book/book_operations.h"
#include "ui/platform/main_window.h"

// Loads and shows a fresh browse or add window; the caller has unloaded the current one.
void showMainWindow(MainWindowKind kind);
// Loads and shows the edit window for this recipe.
void showEditWindow(const RecipeRef& recipe);
