#include "ui/editor/edit_recipe_window.h"

#include "core/app/app_state.h"
#include "core/book/picture_names.h"
#include "core/settings/settings_store.h"
#include "core/text/text_table.h"
#include "ui/platform/color_scheme.h"
#include "ui/platform/window_parts.h"
#include "ui/platform/window_placement.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

EditRecipeWindow::EditRecipeWindow(const RecipeRef& recipe, QWidget* parent)
    : RecipeEditorWindow(parent), m_recipe(recipe)
{
    setObjectName(QStringLiteral("editRecipeWindow"));
    m_secondButton->setObjectName(QStringLiteral("cancelButton"));
    buildMenus();
    installSizeLimits();
    restoreWindowPlacement(this);
    applyTexts();
    applyWindowTexts();
    applyColorScheme(this);
    fillCategoryList(app().book, *m_categories, CategoryList::Edit, QString());
    loadRecipe();
}

const RecipeEditorWindow::Kind& EditRecipeWindow::editorKind() const
{
    static const Kind kind{RecipeWindowKind::Edit,
                           CategoryList::Edit,
                           true,
                           MsgIcon::Exclamation,
                           InvalidCharsList::EditCategory,
                           TextId::EditWindowTitle,
                           TextId::EditHeading,
                           TextId::UpdateButton,
                           TextId::CancelEditButton};
    return kind;
}

void EditRecipeWindow::buildMenus()
{
    buildFileAndEditMenus();
    QMenu* recipe = addRecipeMenu();
    m_browseAction = named(recipe->addAction(QString(), this, &EditRecipeWindow::cancelEdit), "browseAction");
    m_addRecipesAction = named(recipe->addAction(QString(), this, &EditRecipeWindow::addRequested), "addRecipesAction");
    m_saveRecipeAction = named(recipe->addAction(QString(), this, &EditRecipeWindow::saveRecipe), "saveRecipeAction");
    m_pictureAction = named(recipe->addAction(QString(), this, &EditRecipeWindow::togglePicture), "pictureAction");
    buildHelpMenu();

    connect(m_saveButton, &QPushButton::clicked, this, &EditRecipeWindow::saveRecipe);
    connect(m_secondButton, &QPushButton::clicked, this, &EditRecipeWindow::cancelEdit);
}

void EditRecipeWindow::applyWindowTexts()
{
    m_browseAction->setText(loadText(TextId::BrowseRecipesMenu));
    m_addRecipesAction->setText(loadText(TextId::AddRecipesMenu));
    m_saveRecipeAction->setText(loadText(TextId::SaveRecipeMenu));
}

void EditRecipeWindow::loadRecipe()
{
    const RecipeBook& book = app().book;
    const Recipe recipe = RecipeBook::readRecipe(recipeAt(book, m_recipe));
    m_titleBox->setText(recipe.title);
    m_texts->show(recipe);
    m_prepTimeBox->setText(recipe.prepTime);
    m_cookTimeBox->setText(recipe.cookTime);
    m_yieldBox->setText(recipe.yield);

    // A missing stored picture: the window opens without one. One that does not decode stays the
    // recipe's picture (not shown) until the user removes it.
    clearPicture();
    const QString stored = picturePath(app().imagesPath(), recipe.image);
    if (!stored.isEmpty() && QFileInfo(stored).isFile()) {
        m_pictureDialog.fileName = stored;
        showThumbnail(stored);
    }
    setPictureState(!m_pictureDialog.fileName.isEmpty());

    // Step through the list from its first entry (which may ask for a new category) to the recipe's own.
    const QString category = RecipeBook::categoryName(book.category(m_recipe.category));
    m_recipeCategory = category;
    for (int row = 0; row < m_categoryCombo->count(); ++row) {
        m_categories->setCurrentRow(row);
        if (m_categoryCombo->currentText() == category)
            break;
    }
}

void EditRecipeWindow::saveRecipe()
{
    // From here on, closing the window goes back to the browse window, even when a check fails.
    m_returnsToBrowse = true;
    if (!formPasses(m_recipe.title))
        return;
    // A recipe another computer removed meanwhile comes back as it is saved here.
    const ChangeOutcome outcome =
        recipeAt(app().book, m_recipe).isNull()
            ? addRecipe(app().book, selectedCategoryPosition(), form(), m_pictureDialog.fileName)
            : replaceRecipe(app().book, m_recipe, selectedCategoryPosition(), form(), m_pictureDialog.fileName);
    reportChange(outcome);
    // A failed save keeps the window open with everything typed, to try again or cancel.
    if (outcome.status != ChangeOutcome::Status::SaveFailed)
        close();
}

void EditRecipeWindow::showReloadedBook()
{
    RecipeEditorWindow::showReloadedBook();
    const RecipeBook& book = app().book;
    m_recipe.category = m_recipe.recipe = -1;
    const QList<XmlNode> categories = book.categories();
    for (int c = 0; c < categories.size() && m_recipe.recipe < 0; ++c) {
        if (RecipeBook::categoryName(categories[c]) != m_recipeCategory)
            continue;
        const QList<XmlNode> recipes = RecipeBook::recipes(categories[c]);
        for (int r = 0; r < recipes.size(); ++r) {
            if (RecipeBook::title(recipes[r]) == m_recipe.title) {
                m_recipe.category = c;
                m_recipe.recipe = r;
                break;
            }
        }
    }
}

void EditRecipeWindow::cancelEdit()
{
    m_returnsToBrowse = true;
    close();
}

void EditRecipeWindow::closedByUser()
{
    if (m_returnsToBrowse)
        emit finished(m_categoryCombo->currentText(), m_titleBox->text());
    else
        RecipeEditorWindow::closedByUser();
}
