#pragma once

#include "core/search/recipe_search.h"
#include "ui/platform/main_window.h"

#include <QPointer>

class BackgroundSearch;
class FoundRecipesModel;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QModelIndex;
class QPushButton;
class QTimer;
struct FoldedHit;

// Finds recipes by a piece of their text; a click on a result asks for it to be shown in the browse
// window, which stays shown behind this window, taking no input until it closes. With accents and case
// ignored (a remembered choice) it finds every typed word, best match first, while the cook types.
class SearchWindow : public SecondaryWindow {
    Q_OBJECT
public:
    SearchWindow();

signals:
    void recipeChosen(const QString& category, const QString& title);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyTexts();
    void layOut();
    void runSearch();
    void indexSome();
    void showChosenResult();
    void setFolded(bool folded);
    void showFoldedHits(const QList<FoldedHit>& hits);
    void showChosenHit(const QModelIndex& index);

    QLabel* m_heading = nullptr;
    QLineEdit* m_searchBox = nullptr;
    QPushButton* m_searchButton = nullptr;
    QPushButton* m_closeButton = nullptr;
    QListWidget* m_resultList = nullptr;
    QListView* m_bestFirstList = nullptr; // in place of m_resultList when accents and case are ignored
    QLabel* m_countLabel = nullptr;
    QFrame* m_buttonPanel = nullptr;
    QCheckBox* m_foldedOption = nullptr;
    QLabel* m_foldedHint = nullptr;

    QList<SearchHit> m_hits; // in the order found; the shown list is sorted
    FoundRecipesModel* m_foundRecipes = nullptr;
    BackgroundSearch* m_backgroundSearch = nullptr;
    QTimer* m_indexing = nullptr; // makes the book's index a piece at a time between keys
    bool m_searchWaiting = false; // a folded search waits for the index
    bool m_folded = false;        // accents and case ignored
    bool m_searched = false;      // a search was asked for: a change of kind runs it again
};
