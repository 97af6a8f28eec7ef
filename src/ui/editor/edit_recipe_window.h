#pragma once

#include "ui/editor/recipe_editor_window.h"

// The edit window: the recipe it was opened for, saved back as a rebuilt recipe at the end of its
// (possibly new) category.
class EditRecipeWindow : public RecipeEditorWindow {
    Q_OBJECT
public:
    explicit EditRecipeWindow(const RecipeRef& recipe, QWidget* parent = nullptr);
    MainWindowKind kind() const override { return MainWindowKind::Edit; }

protected:
    const Kind& editorKind() const override;
    void afterUnload() override;

private:
    void buildMenus();
    void applyWindowTexts();
    void loadRecipe();
    void saveRecipe();
    void cancelEdit();
    void switchToAddWindow();

    RecipeRef m_recipe;
    bool m_addWindowNext = false; // leaving for the add window rather than back to browsing
    QAction* m_browseAction = nullptr;
    QAction* m_addRecipesAction = nullptr;
    QAction* m_saveRecipeAction = nullptr;
};
