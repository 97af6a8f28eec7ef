#pragma once

#include "core/book/book_operations.h"
#include "core/cooking/recipe_adjustment.h"
#include "core/layout/browse_layout.h"
#include "core/output/shown_recipe.h"
#include "ui/platform/list_adapters.h"
#include "ui/platform/main_window.h"
#include "ui/platform/recipe_text_boxes.h"
#include "ui/platform/window_size_limits.h"

#include <memory>

class QActionGroup;
class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// The browse window: the categories, the recipes of the chosen one, and the chosen recipe with
// its picture. Every other part of the program is reached from here, through its signals.
class BrowseWindow : public MainWindowBase {
    Q_OBJECT
public:
    explicit BrowseWindow(QWidget* parent = nullptr);

    // Selects the category and recipe with these names, as a click on each would.
    bool selectRecipe(const QString& category, const QString& title);
    void showReloadedBook() override;
    // Shows the chosen recipe with its amounts multiplied by `factor` (1: as typed), until another
    // recipe is chosen. The book is not touched.
    void showScaled(double factor);

signals:
    void addRequested();
    void editRequested(const RecipeRef& recipe);
    void emailRequested();
    // E-mail with the recipe as shown (scaled or in other measures) offered first.
    void emailShownRequested(const ShownRecipe& recipe);
    // The cook wants the chosen recipe scaled: its title and stored yield, and the factor shown now.
    void scaleRequested(const QString& title, const QString& yield, double factor);
    void shoppingListRequested();
    void exportRequested();
    void preferencesRequested();
    void searchRequested();
    void backupRequested();
    void historyRequested();
    void cookbookRequested();
    void printRequested(const ShownRecipe& recipe, bool preview);
    void plainTextRequested(const ShownRecipe& recipe);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void layOutWidgets() override;

private:
    void buildControls();
    void buildLists();
    void buildDetails();
    void buildMenus();
    void loadWindow();
    void applyTexts();
    void showChosenCategory();
    void showChosenRecipe();
    void editShownRecipe();
    void removeShownRecipe();
    void printShownRecipe();
    void previewShownRecipe();
    void showPlainText();
    void requestEmail();
    void requestScale();
    // Metric, US customary, or as typed when the cook unticks the shown measures.
    void showInChosenMeasures();
    void saveShownAsNewRecipe();
    void updateRecipeActions();
    // The texts the window shows of the chosen recipe, as they are printed and shown as plain text.
    ShownRecipe shownTexts() const;
    void copySelection();
    void updateEditMenu(); // the Edit menu opens
    void viewPicture();
    void renameShownCategory();
    void deleteShownCategory();
    void showRecipe();
    void showThumbnail(const QString& fileName);
    void clearRecipe();
    // The recipe selected in the lists: its category's and its own position, and its title.
    RecipeRef shownRecipe() const;
    void refillCategories();

    QLabel* m_heading[2] = {nullptr, nullptr};
    QFrame* m_backPanel = nullptr;
    QFrame* m_listPanel = nullptr;
    QFrame* m_textPanel = nullptr;
    QFrame* m_detailsPanel = nullptr;
    QFrame* m_pictureFrame = nullptr;
    QFrame* m_buttonPanel = nullptr;
    QComboBox* m_categoryCombo = nullptr;
    QListWidget* m_recipeList = nullptr;
    QLabel* m_thumbnail = nullptr;
    QLabel* m_viewPictureLabel = nullptr;
    QLabel* m_prepTimeCaption = nullptr;
    QLabel* m_cookTimeCaption = nullptr;
    QLabel* m_dateCaption = nullptr;
    QLabel* m_yieldCaption = nullptr;
    QLabel* m_prepTimeValue = nullptr;
    QLabel* m_cookTimeValue = nullptr;
    QLabel* m_yieldValue = nullptr;
    QLabel* m_dateValue = nullptr;
    std::unique_ptr<RecipeTextBoxes> m_texts;
    QPushButton* m_printButton = nullptr;
    QPushButton* m_editButton = nullptr;
    QPushButton* m_removeButton = nullptr;

    QMenu* m_fileMenu = nullptr;
    QAction* m_printAction = nullptr;
    QAction* m_printPreviewAction = nullptr;
    QAction* m_cookbookAction = nullptr;
    QAction* m_backupAction = nullptr;
    QAction* m_historyAction = nullptr;
    QAction* m_exitAction = nullptr;
    QMenu* m_editMenu = nullptr;
    QAction* m_copyAction = nullptr;
    QMenu* m_recipeMenu = nullptr;
    QAction* m_addRecipesAction = nullptr;
    QAction* m_editRecipeAction = nullptr;
    QAction* m_removeRecipeAction = nullptr;
    QAction* m_emailAction = nullptr;
    QAction* m_plainTextAction = nullptr;
    QAction* m_scaleAction = nullptr;
    QAction* m_showMetricAction = nullptr;
    QAction* m_showUsUnitsAction = nullptr;
    QActionGroup* m_measuresGroup = nullptr;
    QAction* m_saveShownAction = nullptr;
    QMenu* m_categoryMenu = nullptr;
    QAction* m_renameCategoryAction = nullptr;
    QAction* m_deleteCategoryAction = nullptr;
    QMenu* m_toolsMenu = nullptr;
    QAction* m_exportAction = nullptr;
    QAction* m_searchAction = nullptr;
    QAction* m_shoppingListAction = nullptr;
    QAction* m_preferencesAction = nullptr;
    QMenu* m_helpMenu = nullptr;
    QAction* m_aboutAction = nullptr;
    QAction* m_helpContentsAction = nullptr;

    QString m_shownPictureName; // the stored picture name of the shown recipe
    QString m_shownTitle;       // with the scale or measures it is shown in: "Flan (for 3)"
    // How the recipes are shown: the measures stay while browsing, the factor only for the recipe it
    // was chosen for (its category and title).
    RecipeAdjustment m_adjustment;
    QString m_scaledCategory, m_scaledTitle;
    std::unique_ptr<WidgetList> m_categories;
    std::unique_ptr<WidgetList> m_recipes;
    WindowSizeLimits m_sizeLimits;
    BrowseLayout m_layout;
};
