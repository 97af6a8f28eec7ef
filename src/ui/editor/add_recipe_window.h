#pragma once

#include "ui/editor/recipe_editor_window.h"

// The add window: a new recipe is typed, checked and filed under a category; the form then
// empties for the next one.
class AddRecipeWindow : public RecipeEditorWindow {
    Q_OBJECT
public:
    explicit AddRecipeWindow(QWidget* parent = nullptr);

signals:
    void browseRequested();
    void importRequested();
    void preferencesRequested();

protected:
    const Kind& editorKind() const override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void applyWindowTexts();
    void saveRecipe();
    void clearForm();

    QAction* m_browseAction = nullptr;
    QAction* m_addThisRecipeAction = nullptr;
    QAction* m_clearRecipeAction = nullptr;
    QMenu* m_toolsMenu = nullptr;
    QAction* m_importAction = nullptr;
    QAction* m_preferencesAction = nullptr;
};
