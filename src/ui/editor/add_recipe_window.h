#pragma once

#include "ui/editor/recipe_editor_window.h"

// The add window: a new recipe is typed, checked and filed under a category; the form then
// empties for the next one.
class AddRecipeWindow : public RecipeEditorWindow {
    Q_OBJECT
public:
    explicit AddRecipeWindow(QWidget* parent = nullptr);
    MainWindowKind kind() const override { return MainWindowKind::Add; }

    QPushButton* m_clearButton = nullptr;
    QMenu* m_fileMenu = nullptr;
    QAction* m_exitAction = nullptr;
    QMenu* m_editMenu = nullptr;
    QAction* m_copyAction = nullptr;
    QAction* m_cutAction = nullptr;
    QAction* m_pasteAction = nullptr;
    QMenu* m_recipeMenu = nullptr;
    QAction* m_browseAction = nullptr;
    QAction* m_addThisRecipeAction = nullptr;
    QAction* m_addPictureAction = nullptr;
    QAction* m_clearRecipeAction = nullptr;
    QMenu* m_toolsMenu = nullptr;
    QAction* m_importAction = nullptr;
    QAction* m_preferencesAction = nullptr;
    QMenu* m_helpMenu = nullptr;
    QAction* m_aboutAction = nullptr;
    QAction* m_helpContentsAction = nullptr;

    void saveRecipe();
    void clearForm();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    CategoryList listKind() const override { return CategoryList::Add; }
    bool refusesImagesFolder() const override { return false; }
    MsgIcon corruptPictureIcon() const override { return MsgIcon::Information; }
    InvalidCharsList categoryCharsList() const override { return InvalidCharsList::Category; }

private:
    void buildMenus();
    void loadWindow();
};
