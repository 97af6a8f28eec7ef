#include "ui/cooking/shopping_list_window.h"

#include "core/app/app_state.h"
#include "core/book/book_operations.h"
#include "core/book/sorted_list.h"
#include "core/cooking/recipe_adjustment.h"
#include "core/text/text_table.h"
#include "ui/cooking/factor_box.h"
#include "ui/platform/color_scheme.h"
#include "ui/platform/dialogs.h"
#include "ui/platform/window_parts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cmath>

namespace {

enum RecipeColumn { TitleColumn, ScaleColumn };
constexpr int kPositionRole = Qt::UserRole;   // a category's or a recipe's position in the book
constexpr int kFactorRole = Qt::UserRole + 1; // how much of a recipe is cooked
constexpr int kItemKeyRole = Qt::UserRole;    // what a line of the list is, to keep it ticked off

// Books larger than this open with their categories closed, so the list of them reads at a glance.
constexpr int kOpenCategoriesUpTo = 100;

bool isRecipe(const QTreeWidgetItem* item)
{
    return item && item->parent();
}

QString lineText(const ShoppingItem& item)
{
    if (item.recipes.isEmpty())
        return item.text;
    return item.text + QStringLiteral("  [") + item.recipes.join(QStringLiteral(", ")) + u']';
}

} // namespace

ShoppingListWindow::ShoppingListWindow()
{
    setObjectName(QStringLiteral("shoppingListWindow"));
    buildControls();
    layOut();
    tagColor(this, ColorTag::Panel);
    tagColor(m_heading[0], ColorTag::HeadingShadow);
    tagColors(ColorTag::Label, m_heading[1], m_recipesCaption, m_scaleCaption, m_listCaption, m_countLabel);
    tagColors(ColorTag::Field, m_recipeTree, m_scaleBox, m_itemList);
    tagColors(ColorTag::Button, m_printButton, m_plainTextButton, m_emailButton, m_closeButton);
    applyColorScheme(this);
    applyTexts();
    fillRecipeTree();

    connect(m_recipeTree, &QTreeWidget::currentItemChanged, this, &ShoppingListWindow::showChosenRecipeScale);
    connect(m_recipeTree, &QTreeWidget::itemChanged, this, &ShoppingListWindow::recipeChanged);
    connect(m_scaleBox, &QComboBox::activated, this, &ShoppingListWindow::applyTypedScale);
    connect(m_scaleBox->lineEdit(), &QLineEdit::editingFinished, this, &ShoppingListWindow::applyTypedScale);
    connect(m_itemList, &QListWidget::itemChanged, this, &ShoppingListWindow::itemTickedOff);
    connect(m_printButton, &QPushButton::clicked, this, &ShoppingListWindow::printList);
    connect(m_plainTextButton, &QPushButton::clicked, this, &ShoppingListWindow::showPlainText);
    connect(m_emailButton, &QPushButton::clicked, this, &ShoppingListWindow::emailList);
    connect(m_closeButton, &QPushButton::clicked, this, &ShoppingListWindow::close);
    remakeList();
    showChosenRecipeScale();
    m_recipeTree->setFocus();
}

void ShoppingListWindow::buildControls()
{
    makeHeading(this, m_heading);
    m_recipesCaption = named(new QLabel(this), "recipesCaption");
    m_recipeTree = named(new QTreeWidget(this), "recipeTree");
    m_recipeTree->setColumnCount(2);
    m_recipeTree->setUniformRowHeights(true);
    m_recipeTree->header()->setStretchLastSection(false);
    m_recipeTree->header()->setSectionResizeMode(TitleColumn, QHeaderView::Stretch);
    m_recipeTree->header()->setSectionResizeMode(ScaleColumn, QHeaderView::ResizeToContents);
    m_scaleCaption = named(new QLabel(this), "scaleCaption");
    m_scaleBox = named(new FactorBox(this), "scaleBox");
    m_listCaption = named(new QLabel(this), "listCaption");
    m_itemList = named(new QListWidget(this), "itemList");
    m_countLabel = named(new QLabel(this), "countLabel");
    m_countLabel->setWordWrap(true);
    m_printButton = named(new QPushButton(this), "printButton");
    m_plainTextButton = named(new QPushButton(this), "plainTextButton");
    m_emailButton = named(new QPushButton(this), "emailButton");
    m_closeButton = named(new QPushButton(this), "closeButton");
    for (QPushButton* button : {m_printButton, m_plainTextButton, m_emailButton, m_closeButton})
        button->setAutoDefault(true); // Return presses the button that has the focus
    m_recipesCaption->setBuddy(m_recipeTree);
    m_scaleCaption->setBuddy(m_scaleBox);
    m_listCaption->setBuddy(m_itemList);
}

void ShoppingListWindow::layOut()
{
    // The heading's two labels share one place, the second drawn a little right and down.
    auto* heading = new QGridLayout;
    m_heading[0]->setContentsMargins(0, 0, 2, 2);
    m_heading[1]->setContentsMargins(2, 2, 0, 0);
    heading->addWidget(m_heading[0], 0, 0);
    heading->addWidget(m_heading[1], 0, 0);
    auto* scale = new QHBoxLayout;
    scale->addWidget(m_scaleCaption);
    scale->addWidget(m_scaleBox, 1);
    auto* recipes = new QVBoxLayout;
    recipes->addWidget(m_recipesCaption);
    recipes->addWidget(m_recipeTree, 1);
    recipes->addLayout(scale);
    auto* list = new QVBoxLayout;
    list->addWidget(m_listCaption);
    list->addWidget(m_itemList, 1);
    list->addWidget(m_countLabel);
    auto* columns = new QHBoxLayout;
    columns->addLayout(recipes, 2);
    columns->addSpacing(12);
    columns->addLayout(list, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_printButton);
    buttons->addWidget(m_plainTextButton);
    buttons->addWidget(m_emailButton);
    buttons->addStretch(1);
    buttons->addWidget(m_closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(heading);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);
    layout->setContentsMargins(14, 14, 14, 14);
    resize(860, 580);
}

void ShoppingListWindow::applyTexts()
{
    setWindowTitle(loadText(TextId::ShoppingListWindowTitle));
    for (QLabel* label : m_heading)
        label->setText(loadText(TextId::ShoppingListHeading));
    m_recipesCaption->setText(loadText(TextId::ShoppingRecipesLabel));
    m_recipeTree->setHeaderLabels({loadText(TextId::ShoppingRecipeColumn), loadText(TextId::ShoppingScaleColumn)});
    m_scaleCaption->setText(loadText(TextId::ShoppingScaleLabel));
    m_listCaption->setText(loadText(TextId::ShoppingItemsLabel));
    nameControlsAfterCaptions(this);
    m_printButton->setText(loadText(TextId::ShoppingPrintButton));
    m_plainTextButton->setText(loadText(TextId::ShoppingPlainTextButton));
    m_emailButton->setText(loadText(TextId::ShoppingEmailButton));
    m_closeButton->setText(loadText(TextId::CloseButton));
}

void ShoppingListWindow::fillRecipeTree()
{
    m_filling = true;
    const RecipeBook& book = app().book;
    QList<ListEntry> categories;
    int position = 0;
    for (const XmlNode& category : book.categories())
        categories.append({RecipeBook::categoryName(category), position++});
    sortForDisplay(categories);
    int recipeCount = 0;
    for (const ListEntry& category : std::as_const(categories)) {
        QList<ListEntry> recipes;
        int r = 0;
        for (const XmlNode& recipe : RecipeBook::recipes(book.category(category.data))) {
            const QString title = RecipeBook::title(recipe);
            if (!title.isEmpty())
                recipes.append({title, r});
            ++r;
        }
        if (recipes.isEmpty())
            continue;
        sortForDisplay(recipes);
        auto* categoryItem = new QTreeWidgetItem(QStringList{category.text});
        categoryItem->setData(TitleColumn, kPositionRole, category.data);
        categoryItem->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        for (const ListEntry& recipe : std::as_const(recipes)) {
            auto* recipeItem = new QTreeWidgetItem(categoryItem, QStringList{recipe.text});
            recipeItem->setData(TitleColumn, kPositionRole, recipe.data);
            recipeItem->setData(TitleColumn, kFactorRole, 1.0);
            recipeItem->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            recipeItem->setCheckState(TitleColumn, Qt::Unchecked);
        }
        recipeCount += int(recipes.size());
        m_recipeTree->addTopLevelItem(categoryItem);
    }
    if (recipeCount <= kOpenCategoriesUpTo)
        m_recipeTree->expandAll();
    if (m_recipeTree->topLevelItemCount() > 0)
        m_recipeTree->setCurrentItem(m_recipeTree->topLevelItem(0));
    m_filling = false;
}

void ShoppingListWindow::showChosenRecipeScale()
{
    const QTreeWidgetItem* item = m_recipeTree->currentItem();
    m_scaleBox->setEnabled(isRecipe(item));
    m_scaleBox->showFactor(isRecipe(item) ? item->data(TitleColumn, kFactorRole).toDouble() : 1.0);
}

void ShoppingListWindow::applyTypedScale()
{
    QTreeWidgetItem* item = m_recipeTree->currentItem();
    if (!isRecipe(item))
        return;
    const double shown = item->data(TitleColumn, kFactorRole).toDouble();
    const std::optional<double> factor = m_scaleBox->factor();
    if (!factor) {
        m_scaleBox->showFactor(shown);
        showMessage(loadText(TextId::FactorNotUnderstood));
        return;
    }
    if (std::abs(*factor - shown) < 1e-9)
        return; // passing through the box changes nothing
    item->setData(TitleColumn, kFactorRole, *factor);
    if (item->checkState(TitleColumn) == Qt::Checked)
        recipeChanged(item, TitleColumn);
    else
        item->setCheckState(TitleColumn, Qt::Checked); // a recipe given a scale is one to cook
}

void ShoppingListWindow::recipeChanged(QTreeWidgetItem* item, int column)
{
    if (m_filling || column != TitleColumn || !isRecipe(item))
        return;
    m_filling = true; // the scale column's text is no change of the recipe's
    const bool ticked = item->checkState(TitleColumn) == Qt::Checked;
    item->setText(ScaleColumn,
                  ticked ? QChar(0x00D7) + writeScaleFactor(item->data(TitleColumn, kFactorRole).toDouble(), language())
                         : QString());
    m_filling = false;
    remakeList();
}

void ShoppingListWindow::remakeList()
{
    QList<ShoppingSource> sources;
    for (int c = 0; c < m_recipeTree->topLevelItemCount(); ++c) {
        const QTreeWidgetItem* category = m_recipeTree->topLevelItem(c);
        for (int r = 0; r < category->childCount(); ++r) {
            const QTreeWidgetItem* item = category->child(r);
            if (item->checkState(TitleColumn) != Qt::Checked)
                continue;
            const RecipeRef ref{category->data(TitleColumn, kPositionRole).toInt(),
                                item->data(TitleColumn, kPositionRole).toInt(), item->text(TitleColumn)};
            if (const XmlNode recipe = recipeAt(app().book, ref))
                sources.append({ref.title, RecipeBook::field(recipe, RecipeField::Ingredients),
                                item->data(TitleColumn, kFactorRole).toDouble()});
        }
    }
    m_items = makeShoppingList(sources, language());

    m_filling = true;
    m_itemList->clear();
    QFont headingFont = m_itemList->font();
    headingFont.setBold(true);
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        const ShoppingItem& thing = m_items[i];
        if (i == 0 || m_items[i - 1].aisle != thing.aisle) {
            auto* heading = new QListWidgetItem(aisleName(thing.aisle, language()), m_itemList);
            heading->setFont(headingFont);
            heading->setFlags(Qt::ItemIsEnabled);
        }
        auto* line = new QListWidgetItem(lineText(thing), m_itemList);
        line->setData(kItemKeyRole, thing.text);
        line->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        const bool tickedOff = m_tickedOff.contains(thing.text);
        line->setCheckState(tickedOff ? Qt::Checked : Qt::Unchecked);
        QFont font = line->font();
        font.setStrikeOut(tickedOff);
        line->setFont(font);
    }
    m_filling = false;
    m_countLabel->setText(sources.isEmpty()
                              ? loadText(TextId::ShoppingNothingTicked)
                              : loadText(TextId::ShoppingListCount).arg(sources.size()).arg(m_items.size()));
}

void ShoppingListWindow::itemTickedOff(QListWidgetItem* item)
{
    if (m_filling || !(item->flags() & Qt::ItemIsUserCheckable))
        return;
    // Ticked off by what the line says: when the amount needed changes, the cook looks again.
    const QString key = item->data(kItemKeyRole).toString();
    const bool tickedOff = item->checkState() == Qt::Checked;
    if (tickedOff)
        m_tickedOff.insert(key);
    else
        m_tickedOff.remove(key);
    m_filling = true;
    QFont font = item->font();
    font.setStrikeOut(tickedOff);
    item->setFont(font);
    m_filling = false;
}

std::optional<ShownRecipe> ShoppingListWindow::listToHandOver()
{
    if (m_items.isEmpty()) {
        showMessage(loadText(TextId::ShoppingListEmptyMessage));
        return std::nullopt;
    }
    // What the cook has ticked off is at home already: it stays off the list taken to the shop.
    QList<ShoppingItem> toBuy;
    for (const ShoppingItem& item : std::as_const(m_items)) {
        if (!m_tickedOff.contains(item.text))
            toBuy.append(item);
    }
    if (toBuy.isEmpty()) {
        showMessage(loadText(TextId::ShoppingAllTickedOffMessage));
        return std::nullopt;
    }
    ShownRecipe list;
    list.title = loadText(TextId::ShoppingListTitle);
    list.ingredients = shoppingListText(toBuy, language());
    return list;
}

void ShoppingListWindow::printList()
{
    if (const std::optional<ShownRecipe> list = listToHandOver())
        emit printRequested(*list, false);
}

void ShoppingListWindow::showPlainText()
{
    if (const std::optional<ShownRecipe> list = listToHandOver())
        emit plainTextRequested(list->title, list->ingredients);
}

void ShoppingListWindow::emailList()
{
    if (const std::optional<ShownRecipe> list = listToHandOver())
        emit emailRequested(*list);
}

void ShoppingListWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        SecondaryWindow::keyPressEvent(event);
}
