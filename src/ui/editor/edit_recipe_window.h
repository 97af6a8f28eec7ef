#pragma once

#include "ui/editor/recipe_editor_window.h"

// The edit window: the recipe the browse window handed over, saved back as a rebuilt recipe at
// the end of its (possibly new) category.
class EditRecipeWindow : public RecipeEditorWindow {
    Q_OBJECT
public:
    explicit EditRecipeWindow(QWidget* parent = nullptr);
    MainWindowKind kind() const override { return MainWindowKind::Edit; }

    QPushButton* m_cancelButton = nullptr;
    QMenu* m_fileMenu = nullptr;
    QAction* m_exitAction = nullptr;
    QMenu* m_editMenu = nullptr;
    QAction* m_copyAction = nullptr;
    QAction* m_cutAction = nullptr;
    QAction* m_pasteAction = nullptr;
    QMenu* m_recipeMenu = nullptr;
    QAction* m_browseAction = nullptr;
    QAction* m_addRecipesAction = nullptr;
    QAction* m_saveRecipeAction = nullptr;
    QAction* m_addPictureAction = nullptr;
    QMenu* m_helpMenu = nullptr;
    QAction* m_aboutAction = nullptr;
    QAction* m_helpContentsAction = nullptr;

    void saveRecipe();
    void cancelEdit();
    void switchToAddWindow();

protected:
    void afterUnload() override;
    CategoryList listKind() const override { return CategoryList::Edit; }
    bool refusesImagesFolder() const override { return true; }
    MsgIcon corruptPictureIcon() const override { return MsgIcon::Exclamation; }
    InvalidCharsList categoryCharsList() const override { return InvalidCharsList::EditCategory; }

private:
    void buildMenus();
    void loadWindow();
};
