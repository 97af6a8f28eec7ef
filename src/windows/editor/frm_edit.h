#pragma once

#include "windows/editor/recipe_editor.h"

// The edit window: the recipe the browse window handed over, saved back as a rebuilt recipe at
// the end of its (possibly new) category.
class FrmEdit : public RecipeEditorWindow {
    Q_OBJECT
public:
    explicit FrmEdit(QWidget* parent = nullptr);
    MainWindowKind kind() const override { return MainWindowKind::Edit; }

    QPushButton* cmdCancelEdit = nullptr;
    QMenu* mnuAFile = nullptr;
    QAction* mnuAExit = nullptr;
    QMenu* mnuEditEdit = nullptr;
    QAction* mnuEditCopy = nullptr;
    QAction* mnuEditCut = nullptr;
    QAction* mnuEditPaste = nullptr;
    QMenu* mnuEditRecipe = nullptr;
    QAction* mnuEditBrowse = nullptr;
    QAction* mnuEditAddRec = nullptr;
    QAction* mnuEditSaveRec = nullptr;
    QAction* mnuEditAddImg = nullptr;
    QMenu* mnuAHelp = nullptr;
    QAction* mnuHelpAboutEd = nullptr;
    QAction* mnuHelpContentsE = nullptr;

    void cmdAdd_Click();
    void cmdCancelEdit_Click();
    void mnuEditAddRec_Click();

protected:
    void afterUnload() override;
    CategoryList listKind() const override { return CategoryList::Edit; }
    bool refusesImagesFolder() const override { return true; }
    MsgIcon corruptPictureIcon() const override { return MsgIcon::Exclamation; }
    InvalidCharsList categoryCharsList() const override { return InvalidCharsList::EditCategory; }

private:
    void buildMenus();
    void Form_Load();
};
