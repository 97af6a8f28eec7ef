#include "ui/platform/recipe_chooser.h"

#include "core/app/app_state.h"
#include "core/text/text_table.h"
#include "ui/platform/color_scheme.h"
#include "ui/platform/window_parts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A long title may be cut short in the list: its whole text shows on pointing at it.
void showFullTitles(QListWidget* list, int fromRow)
{
    for (int row = fromRow; row < list->count(); ++row)
        list->item(row)->setToolTip(list->item(row)->text());
}

// A button whose caption is a symbol: the access key comes from `tip` (its "&"), which also says
// in words what the button does and names the key.
void giveSymbolButtonAccessKey(QPushButton* button, TextId tip)
{
    const QString text = loadText(tip);
    const QKeySequence key = QKeySequence::mnemonic(text);
    button->setShortcut(key);
    button->setToolTip(withoutAccessMarks(text) + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) + u')');
    button->setAccessibleName(withoutAccessMarks(text)); // read out as what it does, not as an arrow
}

} // namespace

RecipeChooser::RecipeChooser(TextId chosenCaption, QWidget* parent) : QWidget(parent)
{
    m_categoryCombo = named(new QComboBox(this), "categoryCombo");
    m_availableList = named(new QListWidget(this), "availableList");
    m_chosenList = named(new QListWidget(this), "chosenList");
    m_categories = std::make_unique<WidgetList>(m_categoryCombo);
    m_available = std::make_unique<WidgetList>(m_availableList);
    auto* chooseOne = named(new QPushButton(QStringLiteral(">"), this), "chooseOneButton");
    auto* chooseAll = named(new QPushButton(QStringLiteral(">>"), this), "chooseAllButton");
    auto* returnOne = named(new QPushButton(QStringLiteral("<"), this), "returnOneButton");
    auto* returnAll = named(new QPushButton(QStringLiteral("<<"), this), "returnAllButton");

    auto* moves = new QVBoxLayout;
    moves->addStretch();
    giveSymbolButtonAccessKey(chooseOne, TextId::ChooseOneRecipeTip);
    giveSymbolButtonAccessKey(chooseAll, TextId::ChooseAllRecipesTip);
    giveSymbolButtonAccessKey(returnOne, TextId::ReturnOneRecipeTip);
    giveSymbolButtonAccessKey(returnAll, TextId::ReturnAllRecipesTip);
    for (QPushButton* button : {chooseOne, chooseAll, returnOne, returnAll}) {
        button->setFixedWidth(40);
        moves->addWidget(button);
    }
    // A long title wraps onto a second line rather than running out of sight.
    for (QListWidget* list : {m_availableList, m_chosenList}) {
        list->setWordWrap(true);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    moves->addStretch();
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(m_categoryCombo, 0, 0);
    auto* availableCaption = new QLabel(loadText(TextId::AvailableRecipesLabel), this);
    auto* chosenListCaption = new QLabel(loadText(chosenCaption), this);
    availableCaption->setBuddy(m_availableList);
    chosenListCaption->setBuddy(m_chosenList);
    nameControlsAfterCaptions(this);
    grid->addWidget(availableCaption, 1, 0);
    grid->addWidget(chosenListCaption, 1, 2);
    grid->addWidget(m_availableList, 2, 0);
    grid->addLayout(moves, 2, 1);
    grid->addWidget(m_chosenList, 2, 2);
    for (QWidget* list : {static_cast<QWidget*>(m_categoryCombo), static_cast<QWidget*>(m_availableList),
                          static_cast<QWidget*>(m_chosenList)})
        setTextSize(list, app().textFontSize);

    connect(m_categoryCombo, &QComboBox::currentIndexChanged, this, &RecipeChooser::showAvailableRecipes);
    connect(chooseOne, &QPushButton::clicked, this, &RecipeChooser::chooseOne);
    connect(chooseAll, &QPushButton::clicked, this, &RecipeChooser::chooseAll);
    connect(returnOne, &QPushButton::clicked, this, &RecipeChooser::returnOne);
    connect(returnAll, &QPushButton::clicked, this, &RecipeChooser::returnAll);

    m_categories->fill([] {
        QList<ListEntry> entries;
        int position = 0;
        for (const XmlNode& category : app().book.categories())
            entries.append({RecipeBook::categoryName(category), position++});
        return entries;
    }());
    if (m_categories->count() > 0)
        m_categories->setCurrentRow(0);
    if (m_available->count() > 0)
        m_available->setCurrentRow(0);
}

QList<ChosenRecipe> RecipeChooser::chosen() const
{
    QList<ChosenRecipe> chosen;
    for (int row = 0; row < m_chosenList->count(); ++row)
        chosen.append({m_chosenList->item(row)->data(Qt::UserRole).toInt(), m_chosenList->item(row)->text()});
    return chosen;
}

int RecipeChooser::chosenCount() const
{
    return m_chosenList->count();
}

void RecipeChooser::showAvailableRecipes()
{
    const int position = m_categories->itemData(m_categoryCombo->currentIndex());
    QList<ListEntry> entries;
    // Compared with every chosen recipe, whatever category it came from.
    for (const XmlNode& recipe : RecipeBook::recipes(app().book.category(position))) {
        const QString title = RecipeBook::title(recipe);
        if (!title.isEmpty() && !m_chosenTitles.contains(title))
            entries.append({title, position});
    }
    m_available->fill(std::move(entries));
    showFullTitles(m_availableList, 0);
}

void RecipeChooser::choose(const QList<QListWidgetItem*>& items)
{
    const int position = m_categories->itemData(m_categoryCombo->currentIndex());
    const int first = m_chosenList->count();
    m_chosenList->setUpdatesEnabled(false);
    for (QListWidgetItem* item : items) {
        auto* chosen = new QListWidgetItem(item->text());
        chosen->setData(Qt::UserRole, position);
        m_chosenList->addItem(chosen);
        m_chosenTitles.insert(item->text());
    }
    m_chosenList->setUpdatesEnabled(true);
    showFullTitles(m_chosenList, first);
}

void RecipeChooser::chooseOne()
{
    QListWidgetItem* item = m_availableList->currentItem();
    if (!item || item->text().isEmpty())
        return;
    choose({item});
    delete m_availableList->takeItem(m_availableList->row(item));
    m_availableList->setFocus();
    if (m_availableList->count() > 0)
        m_available->setCurrentRow(0);
}

void RecipeChooser::chooseAll()
{
    QList<QListWidgetItem*> items;
    for (int row = 0; row < m_availableList->count(); ++row) {
        if (!m_availableList->item(row)->text().isEmpty())
            items.append(m_availableList->item(row));
    }
    if (items.isEmpty())
        return;
    choose(items);
    m_availableList->clear();
}

void RecipeChooser::returnOne()
{
    const int row = m_chosenList->currentRow();
    if (row < 0)
        return;
    QListWidgetItem* item = m_chosenList->takeItem(row);
    m_chosenTitles.remove(item->text());
    delete item;
    showAvailableRecipes(); // it comes back only when its category is the one shown
}

void RecipeChooser::returnAll()
{
    if (m_chosenList->count() == 0)
        return;
    m_chosenList->clear();
    m_chosenTitles.clear();
    showAvailableRecipes();
}
