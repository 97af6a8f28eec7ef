#pragma once

#include "core/cooking/shopping_list.h"
#include "core/output/shown_recipe.h"
#include "ui/platform/main_window.h"

#include <QSet>
#include <optional>

class FactorBox;
class QKeyEvent;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// One shopping list for the recipes the cook will make: recipes ticked from any category, each with
// its own scale; the same things to buy merged, grouped by where they are found in a shop, each naming
// the recipes that need it, ready to be ticked off. Printing, the plain text and e-mail are asked of
// the navigator. The browse window stays shown behind it and takes no input until it closes.
class ShoppingListWindow : public SecondaryWindow {
    Q_OBJECT
public:
    ShoppingListWindow();

signals:
    // The list as the print page and the e-mail take it: its title, and its lines as the ingredients.
    void printRequested(const ShownRecipe& list, bool preview);
    void emailRequested(const ShownRecipe& list);
    void plainTextRequested(const QString& title, const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void layOut();
    void applyTexts();
    void fillRecipeTree();
    void showChosenRecipeScale();
    void applyTypedScale();
    void recipeChanged(QTreeWidgetItem* item, int column);
    // Makes the list again from the ticked recipes, keeping what was ticked off.
    void remakeList();
    void itemTickedOff(QListWidgetItem* item);
    // The list as the print page and the e-mail take it; shows a message and gives nothing when it is empty.
    std::optional<ShownRecipe> listToHandOver();
    void printList();
    void showPlainText();
    void emailList();

    QLabel* m_heading[2] = {};
    QLabel* m_recipesCaption = nullptr;
    QTreeWidget* m_recipeTree = nullptr; // categories, their recipes ticked for cooking with their scale
    QLabel* m_scaleCaption = nullptr;
    FactorBox* m_scaleBox = nullptr;
    QLabel* m_listCaption = nullptr;
    QListWidget* m_itemList = nullptr;
    QLabel* m_countLabel = nullptr;
    QPushButton* m_printButton = nullptr;
    QPushButton* m_plainTextButton = nullptr;
    QPushButton* m_emailButton = nullptr;
    QPushButton* m_closeButton = nullptr;

    QList<ShoppingItem> m_items;
    QSet<QString> m_tickedOff; // the items the cook has, by what they are, kept while the list changes
    bool m_filling = false;
};
