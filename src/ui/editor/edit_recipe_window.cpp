#include "ui/editor/edit_recipe_window.h"

#include "core/app/app_state.h"
#include "core/book/picture_names.h"
#include "core/settings/settings_store.h"
#include "core/text/text_table.h"
#include "ui/app/window_placement.h"
#include "ui/app/window_texts.h"
#include "ui/browse/browse_window.h"
#include "ui/preferences/window_colors.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

EditRecipeWindow::EditRecipeWindow(QWidget* parent) : RecipeEditorWindow(parent)
{
    m_cancelButton = m_secondButton;
    buildMenus();
    loadWindow();
}

void EditRecipeWindow::buildMenus()
{
    buildFileAndEditMenus(m_fileMenu, m_exitAction, m_editMenu, m_copyAction, m_cutAction, m_pasteAction);

    m_recipeMenu = menuBar()->addMenu(QString());
    m_browseAction = m_recipeMenu->addAction(QString(), this, &EditRecipeWindow::cancelEdit);
    m_addRecipesAction = m_recipeMenu->addAction(QString(), this, &EditRecipeWindow::switchToAddWindow);
    m_saveRecipeAction = m_recipeMenu->addAction(QString(), this, &EditRecipeWindow::saveRecipe);
    m_addPictureAction = m_recipeMenu->addAction(QString(), this, &EditRecipeWindow::togglePicture);
    m_pictureAction = m_addPictureAction;

    buildHelpMenu(m_helpMenu, m_helpContentsAction, m_aboutAction, QStringLiteral("ed"));

    connect(m_saveButton, &QPushButton::clicked, this, &EditRecipeWindow::saveRecipe);
    connect(m_cancelButton, &QPushButton::clicked, this, &EditRecipeWindow::cancelEdit);
}

void EditRecipeWindow::loadWindow()
{
    const AppState& a = app();
    registerMainWindow();
    installSizeLimits();
    restoreWindowPlacement(this);
    applyEditTexts(*this);
    applyEditColors(*this);
    fillEditCategories(a.recipeDoc, categoryList(), QString());

    m_titleBox->setText(a.editTitle);
    m_ingredientsBox->setPlainText(a.editIngredients);
    m_preparationBox->setPlainText(a.editPreparation);
    m_notesBox->setPlainText(a.editNotes);
    m_prepTimeBox->setText(a.editPrepTime);
    m_cookTimeBox->setText(a.editCookTime);
    m_yieldBox->setText(a.editYield);

    // A missing stored picture: the window opens without one. One that does not decode stays the
    // recipe's picture (not shown) until the user removes it.
    clearPicture();
    const QString stored = picturePath(a.imagesPath(), a.editImage);
    if (!stored.isEmpty() && pathExists(stored)) {
        m_pictureDialog.fileName = stored;
        showThumbnail(stored);
    }
    setPictureState(!m_pictureDialog.fileName.isEmpty());

    // Step through the list from its first entry (which may ask for a new category) to the recipe's own.
    for (int row = 0; row < m_categoryCombo->count(); ++row) {
        categoryList().setCurrentRow(row);
        if (m_categoryCombo->currentText() == a.editCategory)
            break;
    }
}

void EditRecipeWindow::saveRecipe()
{
    AppState& a = app();
    Dialogs& dialogs = *a.dialogs;
    // From here on, closing the window goes back to the browse window, even when a check fails.
    a.quitOnClose = false;
    if (newCategorySelected() || m_categoryCombo->currentIndex() < 0) {
        showMessage(dialogs, loadText(TextId::CategoryRequiredMessage));
        m_categoryCombo->setFocus();
        return;
    }
    const QString title = normalizedTitle();
    if (title.isEmpty()) {
        showMessage(dialogs, loadText(TextId::TitleRequiredMessage));
        focusTitle(false);
        return;
    }
    if (!isValidName(title)) {
        showMessage(dialogs, invalidNameMessage(TextId::InvalidTitleCharsMessage, InvalidCharsList::Title));
        focusTitle(true);
        return;
    }
    QString lower = title;
    if (lower.toLower() != a.editTitle.toLower() && titleExists(a.recipeDoc, lower)) {
        showMessage(dialogs, loadText(TextId::TitleExistsMessage));
        focusTitle(true);
        return;
    }
    const ChangeOutcome outcome =
        replaceRecipe(a.recipeDoc, a.editRecipe, selectedCategoryPosition(), form(), m_pictureDialog.fileName);
    reportChange(outcome);
    // A failed save keeps the window open with everything typed, to try again or cancel.
    if (outcome.status != ChangeOutcome::Status::SaveFailed)
        close();
}

void EditRecipeWindow::cancelEdit()
{
    app().quitOnClose = false;
    close();
}

void EditRecipeWindow::switchToAddWindow()
{
    app().quitOnClose = false;
    app().returnToAdd = true;
    close();
}

void EditRecipeWindow::afterUnload()
{
    AppState& a = app();
    if (a.returnToAdd) {
        a.returnToAdd = false;
        showMainWindow(MainWindowKind::Add);
        return;
    }
    if (a.returnToEdit)
        return;
    const QString category = m_categoryCombo->currentText();
    const QString title = m_titleBox->text();
    showMainWindow(MainWindowKind::Browse);
    if (auto* browse = qobject_cast<BrowseWindow*>(currentMainWindow()))
        browse->selectRecipe(category, title);
}
