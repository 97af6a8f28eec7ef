#include "ui/editor/add_recipe_window.h"

#include "core/app/app_state.h"
#include "core/text/text_table.h"
#include "ui/platform/color_scheme.h"
#include "ui/platform/window_parts.h"
#include "ui/platform/window_placement.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

AddRecipeWindow::AddRecipeWindow(QWidget* parent) : RecipeEditorWindow(parent)
{
    setObjectName(QStringLiteral("addRecipeWindow"));
    m_secondButton->setObjectName(QStringLiteral("clearButton"));
    buildMenus();
    installSizeLimits(true);
    restoreWindowPlacement(this);
    applyTexts();
    applyWindowTexts();
    applyColorScheme(this);
    // Selecting the first entry, "[new category..]", asks for a category before the window appears.
    fillCategoryList(app().book, *m_categories, CategoryList::Add, QString());
}

const RecipeEditorWindow::Kind& AddRecipeWindow::editorKind() const
{
    static const Kind kind{RecipeWindowKind::Add, CategoryList::Add,          false,
                           MsgIcon::Information,  InvalidCharsList::Category, TextId::AddWindowTitle,
                           TextId::AddHeading,    TextId::AddButton,          TextId::ClearButton};
    return kind;
}

void AddRecipeWindow::buildMenus()
{
    buildFileAndEditMenus();
    QMenu* recipe = addRecipeMenu();
    m_browseAction = named(recipe->addAction(QString(), this, &AddRecipeWindow::browseRequested), "browseAction");
    m_addThisRecipeAction =
        named(recipe->addAction(QString(), this, &AddRecipeWindow::saveRecipe), "addThisRecipeAction");
    m_pictureAction = named(recipe->addAction(QString(), this, &AddRecipeWindow::togglePicture), "pictureAction");
    m_clearRecipeAction = named(recipe->addAction(QString(), this, &AddRecipeWindow::clearForm), "clearRecipeAction");

    m_toolsMenu = named(menuBar()->addMenu(QString()), "toolsMenu");
    m_importAction = named(m_toolsMenu->addAction(QString(), this, &AddRecipeWindow::importRequested), "importAction");
    m_preferencesAction =
        named(m_toolsMenu->addAction(QString(), this, &AddRecipeWindow::preferencesRequested), "preferencesAction");

    buildHelpMenu();

    connect(m_saveButton, &QPushButton::clicked, this, &AddRecipeWindow::saveRecipe);
    connect(m_secondButton, &QPushButton::clicked, this, &AddRecipeWindow::clearForm);
}

void AddRecipeWindow::applyWindowTexts()
{
    m_browseAction->setText(loadText(TextId::BrowseRecipesMenu));
    m_addThisRecipeAction->setText(loadText(TextId::AddThisRecipeMenu));
    m_clearRecipeAction->setText(loadText(TextId::ClearRecipeMenu));
    m_toolsMenu->setTitle(loadText(TextId::ToolsMenu));
    m_importAction->setText(loadText(TextId::ImportRecipesMenu));
    m_preferencesAction->setText(loadText(TextId::PreferencesMenu));
}

bool AddRecipeWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_texts->box(RecipeTextBoxes::Preparation) && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        insertDegreeSign();
        return true;
    }
    return RecipeEditorWindow::eventFilter(watched, event);
}

void AddRecipeWindow::saveRecipe()
{
    if (!formPasses())
        return;
    // A failed save keeps the form as it is, so nothing typed is lost.
    if (reportChange(addRecipe(app().book, selectedCategoryPosition(), form(), m_pictureDialog.fileName)))
        clearForm();
}

void AddRecipeWindow::clearForm()
{
    setPictureState(false);
    clearFields();
    clearPicture();
    focusTitle(false);
    m_pictureFrame->update();
}
