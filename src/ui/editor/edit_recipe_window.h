#pragma once

#include "ui/editor/recipe_editor_window.h"

// The edit window: the recipe it was opened for, saved back as a rebuilt recipe at the end of its
// (possibly new) category.
class EditRecipeWindow : public RecipeEditorWindow {
    Q_OBJECT
public:
    explicit EditRecipeWindow(const RecipeRef& recipe, QWidget* parent = nullptr);

    // The recipe is looked up again by its category and title; what is typed stays.
    void showReloadedBook() override;

signals:
    void addRequested();
    // The window closed to go back to browsing, at the recipe with this category and title.
    void finished(const QString& category, const QString& title);

protected:
    const Kind& editorKind() const override;
    void closedByUser() override;

private:
    void buildMenus();
    void applyWindowTexts();
    void loadRecipe();
    void saveRecipe();
    void cancelEdit();

    RecipeRef m_recipe;
    QString m_recipeCategory; // the name of the category the recipe was in when the window opened
    bool m_returnsToBrowse = false; // closing goes back to browsing: after Cancel, or once an update was tried
    QAction* m_browseAction = nullptr;
    QAction* m_addRecipesAction = nullptr;
    QAction* m_saveRecipeAction = nullptr;
};
