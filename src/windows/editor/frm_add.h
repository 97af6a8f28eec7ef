#pragma once

#include "windows/editor/recipe_editor.h"

// The add window: a new recipe is typed, checked and filed under a category; the form then
// empties for the next one.
class FrmAdd : public RecipeEditorWindow {
    Q_OBJECT
public:
    explicit FrmAdd(QWidget* parent = nullptr);
    MainWindowKind kind() const override { return MainWindowKind::Add; }

    QPushButton* cmdClear = nullptr;
    QMenu* mnuAFile = nullptr;
    QAction* mnuAExit = nullptr;
    QMenu* mnuAddEdit = nullptr;
    QAction* mnuAddCopy = nullptr;
    QAction* mnuAddCut = nullptr;
    QAction* mnuAddPaste = nullptr;
    QMenu* mnuARec = nullptr;
    QAction* mnuABrowse = nullptr;
    QAction* mnuAddRecipe = nullptr;
    QAction* mnuAddImg = nullptr;
    QAction* mnuAddClear = nullptr;
    QMenu* mnuAddTools = nullptr;
    QAction* mnuImport = nullptr;
    QAction* mnuAddOptions = nullptr;
    QMenu* mnuAHelp = nullptr;
    QAction* mnuAddAbout = nullptr;
    QAction* mnuAddHelpContents = nullptr;

    void cmdAdd_Click();
    void clearAddForm();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    CategoryList listKind() const override { return CategoryList::Add; }
    bool refusesImagesFolder() const override { return false; }
    MsgIcon corruptPictureIcon() const override { return MsgIcon::Information; }
    InvalidCharsList categoryCharsList() const override { return InvalidCharsList::Category; }

private:
    void buildMenus();
    void Form_Load();
};
