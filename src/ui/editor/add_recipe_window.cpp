#include "ui/editor/add_recipe_window.h"

#include "core/app/app_state.h"
#include "core/text/text_table.h"
#include "ui/app/window_placement.h"
#include "ui/app/window_texts.h"
#include "ui/preferences/preferences_window.h"
#include "ui/preferences/window_colors.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

AddRecipeWindow::AddRecipeWindow(QWidget* parent) : RecipeEditorWindow(parent)
{
    m_clearButton = m_secondButton;
    buildMenus();
    loadWindow();
}

void AddRecipeWindow::buildMenus()
{
    buildFileAndEditMenus(m_fileMenu, m_exitAction, m_editMenu, m_copyAction, m_cutAction, m_pasteAction);

    m_recipeMenu = menuBar()->addMenu(QString());
    m_browseAction =
        m_recipeMenu->addAction(QString(), this, [this] { switchTo([] { showMainWindow(MainWindowKind::Browse); }); });
    m_addThisRecipeAction = m_recipeMenu->addAction(QString(), this, &AddRecipeWindow::saveRecipe);
    m_addPictureAction = m_recipeMenu->addAction(QString(), this, &AddRecipeWindow::togglePicture);
    m_clearRecipeAction = m_recipeMenu->addAction(QString(), this, &AddRecipeWindow::clearForm);
    m_pictureAction = m_addPictureAction;

    m_toolsMenu = menuBar()->addMenu(QString());
    m_importAction = m_toolsMenu->addAction(QString());
    m_preferencesAction =
        m_toolsMenu->addAction(QString(), this, [this] { switchTo([] { (new PreferencesWindow)->show(); }); });
    // Reached from here once its window is part of the program.
    m_importAction->setEnabled(false);

    buildHelpMenu(m_helpMenu, m_helpContentsAction, m_aboutAction, QStringLiteral("ad"));

    connect(m_saveButton, &QPushButton::clicked, this, &AddRecipeWindow::saveRecipe);
    connect(m_clearButton, &QPushButton::clicked, this, &AddRecipeWindow::clearForm);
}

void AddRecipeWindow::loadWindow()
{
    registerMainWindow();
    installSizeLimits();
    sizeLimits().resizeToMin();
    restoreWindowPlacement(this);
    applyAddTexts(*this);
    applyAddColors(*this);
    // Selecting the first entry, "[new category..]", asks for a category before the window appears.
    fillAddCategories(app().recipeDoc, categoryList(), QString());
    app().prefsFromAdd = true;
}

bool AddRecipeWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_preparationBox && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        insertDegreeSign();
        return true;
    }
    return RecipeEditorWindow::eventFilter(watched, event);
}

void AddRecipeWindow::saveRecipe()
{
    Dialogs& dialogs = *app().dialogs;
    const QString title = normalizedTitle();
    if (title.isEmpty()) {
        showMessage(dialogs, loadText(TextId::TitleRequiredMessage));
        focusTitle(false);
        return;
    }
    if (newCategorySelected() || m_categoryCombo->currentIndex() < 0) {
        showMessage(dialogs, loadText(TextId::CategoryRequiredMessage));
        m_categoryCombo->setFocus();
        return;
    }
    if (!isValidName(title)) {
        showMessage(dialogs, invalidNameMessage(TextId::InvalidTitleCharsMessage, InvalidCharsList::Title));
        focusTitle(true);
        return;
    }
    QString lower = title;
    if (titleExists(app().recipeDoc, lower)) {
        showMessage(dialogs, loadText(TextId::TitleExistsMessage));
        focusTitle(true);
        return;
    }
    // A failed save keeps the form as it is, so nothing typed is lost.
    if (reportChange(addRecipe(app().recipeDoc, selectedCategoryPosition(), form(), m_pictureDialog.fileName)))
        clearForm();
}

void AddRecipeWindow::clearForm()
{
    if (m_pictureButton->text() == loadText(TextId::RemoveButton))
        setPictureState(false);
    for (QLineEdit* box : {m_titleBox, m_prepTimeBox, m_cookTimeBox, m_yieldBox})
        box->clear();
    for (QPlainTextEdit* box : {m_ingredientsBox, m_preparationBox, m_notesBox})
        box->clear();
    clearPicture();
    focusTitle(false);
    m_pictureFrame->update();
}
