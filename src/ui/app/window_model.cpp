#include "ui/app/window_model.h"

#include "ui/browse/browse_window.h"
#include "ui/editor/add_recipe_window.h"
#include "ui/editor/edit_recipe_window.h"

void showMainWindow(MainWindowKind kind)
{
    QWidget* window = nullptr;
    switch (kind) {
    case MainWindowKind::Browse:
    case MainWindowKind::Edit: // editing needs its recipe: showEditWindow
        window = new BrowseWindow;
        break;
    case MainWindowKind::Add:
        window = new AddRecipeWindow;
        break;
    }
    window->show();
}

void showEditWindow(const RecipeRef& recipe)
{
    (new EditRecipeWindow(recipe))->show();
}
