#include "windows/editor/frm_edit.h"

#include "app/app_state.h"
#include "book/picture_name.h"
#include "presentation/color_procedures.h"
#include "settings/settings_store.h"
#include "settings/window_placement.h"
#include "text/captions.h"
#include "text/text_table.h"
#include "windows/browse/frm_br.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

FrmEdit::FrmEdit(QWidget* parent) : RecipeEditorWindow(parent)
{
    cmdCancelEdit = m_secondButton;
    buildMenus();
    Form_Load();
}

void FrmEdit::buildMenus()
{
    buildFileAndEditMenus(mnuAFile, mnuAExit, mnuEditEdit, mnuEditCopy, mnuEditCut, mnuEditPaste);

    mnuEditRecipe = menuBar()->addMenu(QString());
    mnuEditBrowse = mnuEditRecipe->addAction(QString(), this, &FrmEdit::cmdCancelEdit_Click);
    mnuEditAddRec = mnuEditRecipe->addAction(QString(), this, &FrmEdit::mnuEditAddRec_Click);
    mnuEditSaveRec = mnuEditRecipe->addAction(QString(), this, &FrmEdit::cmdAdd_Click);
    mnuEditAddImg = mnuEditRecipe->addAction(QString(), this, &FrmEdit::cmdAddImg_Click);
    m_imageMenu = mnuEditAddImg;

    buildHelpMenu(mnuAHelp, mnuHelpContentsE, mnuHelpAboutEd, QStringLiteral("ed"));

    connect(cmdAdd, &QPushButton::clicked, this, &FrmEdit::cmdAdd_Click);
    connect(cmdCancelEdit, &QPushButton::clicked, this, &FrmEdit::cmdCancelEdit_Click);
}

void FrmEdit::Form_Load()
{
    const AppState& a = app();
    registerMainWindow();
    installSizeLimits();
    restoreWindowPlacement(this);
    setEditCaptions(*this);
    applyEditColors(*this);
    fillEditCats(a.recipeDoc, categoryList(), QString());

    txtTitle->setText(a.editTitle);
    txtIng->setPlainText(a.editIngredients);
    txtPrep->setPlainText(a.editPreparation);
    txtOther->setPlainText(a.editNotes);
    txtPT->setText(a.editPrepTime);
    txtCT->setText(a.editCookTime);
    txtY->setText(a.editYield);

    // A missing stored picture: the window opens without one. One that does not decode stays the
    // recipe's picture (not shown) until the user removes it.
    clearPicture();
    const QString stored = picturePath(a.imagesPath(), a.editImage);
    if (!stored.isEmpty() && pathExists(stored)) {
        cmdialog.fileName = stored;
        fitThumbnail(stored);
    }
    setPictureState(!cmdialog.fileName.isEmpty());

    // Step through the list from its first entry (which may ask for a new category) to the recipe's own.
    for (int row = 0; row < cboACats->count(); ++row) {
        categoryList().setCurrentRow(row);
        if (cboACats->currentText() == a.editCategory)
            break;
    }
}

void FrmEdit::cmdAdd_Click()
{
    AppState& a = app();
    Dialogs& dialogs = *a.dialogs;
    // From here on, closing the window goes back to the browse window, even when a check fails.
    a.quitOnClose = false;
    if (newCategorySelected() || cboACats->currentIndex() < 0) {
        showMessage(dialogs, loadText(164));
        cboACats->setFocus();
        return;
    }
    const QString title = normalizedTitle();
    if (title.isEmpty()) {
        showMessage(dialogs, loadText(165));
        focusTitle(false);
        return;
    }
    if (!isValidName(title)) {
        showMessage(dialogs, invalidNameMessage(166, InvalidCharsList::Title));
        focusTitle(true);
        return;
    }
    QString lower = title;
    if (lower.toLower() != a.editTitle.toLower() && titleExists(a.recipeDoc, lower)) {
        showMessage(dialogs, loadText(167));
        focusTitle(true);
        return;
    }
    const ChangeOutcome outcome =
        replaceRecipe(a.recipeDoc, a.editRecipe, selectedCategoryPosition(), form(), cmdialog.fileName);
    reportChange(outcome);
    // A failed save keeps the window open with everything typed, to try again or cancel.
    if (outcome.status != ChangeOutcome::Status::SaveFailed)
        close();
}

void FrmEdit::cmdCancelEdit_Click()
{
    app().quitOnClose = false;
    close();
}

void FrmEdit::mnuEditAddRec_Click()
{
    app().quitOnClose = false;
    app().returnToAdd = true;
    close();
}

void FrmEdit::afterUnload()
{
    AppState& a = app();
    if (a.returnToAdd) {
        a.returnToAdd = false;
        showMainWindow(MainWindowKind::Add);
        return;
    }
    if (a.returnToEdit)
        return;
    const QString category = cboACats->currentText();
    const QString title = txtTitle->text();
    showMainWindow(MainWindowKind::Browse);
    if (auto* browse = qobject_cast<FrmBr*>(currentMainWindow()))
        browse->selectRecipe(category, title);
}
