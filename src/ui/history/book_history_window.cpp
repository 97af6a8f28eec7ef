#include "ui/history/book_history_window.h"

#include "core/app/app_state.h"
#include "core/sharing/shared_book.h"
#include "core/text/text_table.h"
#include "ui/platform/color_scheme.h"
#include "ui/platform/dialogs.h"
#include "ui/platform/window_parts.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum BookColumn { KeptColumn, RecipesColumn, SinceColumn };
enum RecipeColumn { CategoryColumn, TitleColumn, StateColumn };

QString keptText(const HistoryEntry& entry)
{
    const QString when = entry.kept.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    return entry.conflictCopy ? loadText(TextId::HistoryConflictCopy).arg(when) : when;
}

QString stateText(BookComparison::State state)
{
    switch (state) {
    case BookComparison::State::Removed:
        return loadText(TextId::HistoryRemovedSince);
    case BookComparison::State::Changed:
        return loadText(TextId::HistoryChangedSince);
    case BookComparison::State::Same:
        break;
    }
    return {};
}

} // namespace

BookHistoryWindow::BookHistoryWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("bookHistoryWindow"));
    buildControls();
    layOut();
    connect(m_books, &QTreeWidget::currentItemChanged, this, &BookHistoryWindow::showChosenBook);
    connect(m_recipes, &QTreeWidget::currentItemChanged, this, &BookHistoryWindow::updateButtons);
    connect(m_recipeButton, &QPushButton::clicked, this, &BookHistoryWindow::bringBackRecipe);
    connect(m_bookButton, &QPushButton::clicked, this, &BookHistoryWindow::bringBackBook);
    connect(m_closeButton, &QPushButton::clicked, this, &BookHistoryWindow::close);
    m_describer.setInterval(0);
    connect(&m_describer, &QTimer::timeout, this, &BookHistoryWindow::describeNextBook);
    tagColor(this, ColorTag::Panel);
    tagColors(ColorTag::Label, m_booksCaption, m_recipesCaption, m_emptyNote);
    tagColors(ColorTag::Field, m_books, m_recipes);
    tagColors(ColorTag::Button, m_recipeButton, m_bookButton, m_closeButton);
    applyColorScheme(this);
    applyTexts();
    resize(720, 560);
    listBooks();
}

void BookHistoryWindow::buildControls()
{
    m_booksCaption = named(new QLabel(this), "booksCaption");
    m_books = named(new QTreeWidget(this), "keptBooksList");
    m_emptyNote = named(new QLabel(this), "emptyHistoryNote");
    m_emptyNote->setWordWrap(true);
    m_recipesCaption = named(new QLabel(this), "recipesCaption");
    m_recipes = named(new QTreeWidget(this), "keptRecipesList");
    m_recipeButton = named(new QPushButton(this), "bringBackRecipeButton");
    m_bookButton = named(new QPushButton(this), "bringBackBookButton");
    m_closeButton = named(new QPushButton(this), "closeButton");
    for (QTreeWidget* list : {m_books, m_recipes}) {
        list->setRootIsDecorated(false);
        list->setUniformRowHeights(true);
        list->setColumnCount(3);
        list->header()->setStretchLastSection(true);
    }
    m_booksCaption->setBuddy(m_books);
    m_recipesCaption->setBuddy(m_recipes);
    m_closeButton->setDefault(true);
}

void BookHistoryWindow::layOut()
{
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_recipeButton);
    buttons->addWidget(m_bookButton);
    buttons->addStretch(1);
    buttons->addWidget(m_closeButton);
    auto* top = new QVBoxLayout(this);
    top->addWidget(m_booksCaption);
    top->addWidget(m_books, 2);
    top->addWidget(m_emptyNote);
    top->addWidget(m_recipesCaption);
    top->addWidget(m_recipes, 3);
    top->addLayout(buttons);
    top->setContentsMargins(14, 14, 14, 14);
}

void BookHistoryWindow::applyTexts()
{
    setWindowTitle(loadText(TextId::BookHistoryTitle));
    m_booksCaption->setText(loadText(TextId::HistoryBooksLabel));
    m_recipesCaption->setText(loadText(TextId::HistoryRecipesLabel));
    nameControlsAfterCaptions(this);
    m_emptyNote->setText(loadText(TextId::HistoryEmpty));
    m_books->setHeaderLabels({loadText(TextId::HistoryKeptColumn), loadText(TextId::HistoryRecipesColumn),
                              loadText(TextId::HistorySinceColumn)});
    m_recipes->setHeaderLabels(
        {loadText(TextId::HistoryCategoryColumn), loadText(TextId::HistoryRecipeColumn), loadText(TextId::HistorySinceColumn)});
    m_recipeButton->setText(loadText(TextId::BringBackRecipeButton));
    m_bookButton->setText(loadText(TextId::BringBackBookButton));
    m_closeButton->setText(loadText(TextId::CloseButton));
}

void BookHistoryWindow::listBooks()
{
    m_now = contentsOf(app().book);
    m_entries = historyEntries(app().bookPath());
    m_books->clear();
    m_recipes->clear();
    m_shownEntry = -1;
    for (const HistoryEntry& entry : std::as_const(m_entries))
        m_books->addTopLevelItem(new QTreeWidgetItem(QStringList{keptText(entry)}));
    m_books->resizeColumnToContents(KeptColumn);
    m_emptyNote->setVisible(m_entries.isEmpty());
    m_nextToDescribe = 0;
    m_describer.start();
    if (!m_entries.isEmpty())
        m_books->setCurrentItem(m_books->topLevelItem(0));
    updateButtons();
}

void BookHistoryWindow::describeNextBook()
{
    if (m_nextToDescribe >= m_entries.size()) {
        m_describer.stop();
        return;
    }
    const int at = m_nextToDescribe++;
    QTreeWidgetItem* item = m_books->topLevelItem(at);
    RecipeBook kept;
    if (!kept.load(m_entries[at].path)) {
        item->setText(SinceColumn, loadText(TextId::HistoryBookUnreadable).arg(kept.loadError()));
        return;
    }
    const BookContents contents = contentsOf(kept);
    const BookComparison since = compareBooks(contents, m_now);
    item->setText(RecipesColumn, QString::number(contents.recipes.size()));
    item->setText(SinceColumn, loadText(TextId::HistorySince)
                                   .arg(QString::number(since.added), QString::number(since.removed),
                                        QString::number(since.changed)));
}

void BookHistoryWindow::showChosenBook()
{
    m_recipes->clear();
    m_shown = {};
    m_shownEntry = m_books->currentItem() ? m_books->indexOfTopLevelItem(m_books->currentItem()) : -1;
    if (m_shownEntry >= 0) {
        RecipeBook kept;
        if (kept.load(m_entries[m_shownEntry].path))
            m_shown = contentsOf(kept);
    }
    const BookComparison since = compareBooks(m_shown, m_now);
    QList<QTreeWidgetItem*> items;
    items.reserve(m_shown.recipes.size());
    for (int i = 0; i < m_shown.recipes.size(); ++i) {
        const FiledRecipe& filed = m_shown.recipes[i];
        auto* item = new QTreeWidgetItem(QStringList{filed.category, filed.recipe.title, stateText(since.states[i])});
        item->setData(CategoryColumn, Qt::UserRole, i);
        items.append(item);
    }
    m_recipes->addTopLevelItems(items);
    m_recipes->resizeColumnToContents(CategoryColumn);
    m_recipes->resizeColumnToContents(TitleColumn);
    if (!items.isEmpty())
        m_recipes->setCurrentItem(items.first());
    updateButtons();
}

void BookHistoryWindow::updateButtons()
{
    m_recipeButton->setEnabled(m_recipes->currentItem() != nullptr);
    m_bookButton->setEnabled(m_shownEntry >= 0 && !m_shown.categories.isEmpty());
}

void BookHistoryWindow::bringBackRecipe()
{
    const QTreeWidgetItem* item = m_recipes->currentItem();
    if (!item)
        return;
    const FiledRecipe kept = m_shown.recipes.value(item->data(CategoryColumn, Qt::UserRole).toInt());
    bool replace = false;
    if (bookHasRecipe(app().book, kept.category, kept.recipe.title)) {
        const QString question = loadText(TextId::BringBackReplaceConfirm).arg(kept.recipe.title, kept.category);
        if (dialogs().message(question, kMessageTitle, MsgButtons::YesNo, MsgIcon::Question) != MsgAnswer::Yes)
            return;
        replace = true;
    }
    if (!reportChange(::bringBackRecipe(app().book, kept, replace)))
        return;
    showMessage(loadText(TextId::RecipeBroughtBack).arg(kept.recipe.title), MsgIcon::Information);
    m_backCategory = kept.category;
    m_backTitle = kept.recipe.title;
    const int shown = m_shownEntry;
    const int row = m_recipes->indexOfTopLevelItem(m_recipes->currentItem());
    listBooks();
    if (shown >= 0 && shown < m_books->topLevelItemCount()) {
        m_books->setCurrentItem(m_books->topLevelItem(shown));
        if (QTreeWidgetItem* again = m_recipes->topLevelItem(row))
            m_recipes->setCurrentItem(again);
    }
}

void BookHistoryWindow::bringBackBook()
{
    if (m_shownEntry < 0)
        return;
    const HistoryEntry entry = m_entries[m_shownEntry];
    const QString question = loadText(TextId::BringBackBookConfirm).arg(keptText(entry));
    if (dialogs().message(question, kMessageTitle, MsgButtons::YesNo, MsgIcon::Question) != MsgAnswer::Yes)
        return;
    if (!reportChange(::bringBackBook(app().book, entry.path)))
        return;
    showMessage(loadText(TextId::BookBroughtBack).arg(keptText(entry)), MsgIcon::Information);
    m_backCategory.clear();
    m_backTitle.clear();
    listBooks();
}

void BookHistoryWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    m_describer.stop();
    if (!m_done) {
        m_done = true;
        emit finished(m_backCategory, m_backTitle);
    }
}
