#pragma once

#include "core/exchange/recipe_export.h"
#include "core/text/text_ids.h"
#include "ui/platform/list_adapters.h"

#include <QSet>
#include <QWidget>
#include <memory>

class QComboBox;
class QListWidget;
class QListWidgetItem;

// Chooses recipes of the open book in an order: a category's recipes on the left, the chosen ones on
// the right, and the buttons ">" (one), ">>" (all shown), "<" and "<<" between them, each with its
// access key. Titles are unique in the book, so a chosen title is left out of every category's list.
class RecipeChooser : public QWidget {
    Q_OBJECT
public:
    RecipeChooser(TextId chosenCaption, QWidget* parent);

    // The chosen recipes in the order chosen.
    QList<ChosenRecipe> chosen() const;
    int chosenCount() const;

private:
    void showAvailableRecipes();
    void choose(const QList<QListWidgetItem*>& items);
    void chooseOne();
    void chooseAll();
    void returnOne();
    void returnAll();

    QComboBox* m_categoryCombo = nullptr;
    QListWidget* m_availableList = nullptr;
    QListWidget* m_chosenList = nullptr; // in the order chosen; each entry's data is its category's position
    std::unique_ptr<WidgetList> m_categories;
    std::unique_ptr<WidgetList> m_available;
    QSet<QString> m_chosenTitles; // the titles of the chosen list, for the available list to leave out
};
