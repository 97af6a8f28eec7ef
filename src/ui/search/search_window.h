#pragma once

#include "core/search/recipe_search.h"

#include <QPointer>
#include <QWidget>

class BrowseWindow;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// Finds recipes by a piece of their text; a click on a result shows it in the browse window,
// which stays disabled behind this window until it closes.
class SearchWindow : public QWidget {
    Q_OBJECT
public:
    explicit SearchWindow(BrowseWindow* browse);

    QLabel* m_heading = nullptr;
    QLineEdit* m_searchBox = nullptr;
    QPushButton* m_searchButton = nullptr;
    QPushButton* m_closeButton = nullptr;
    QListWidget* m_resultList = nullptr;
    QLabel* m_countLabel = nullptr;
    QFrame* m_buttonPanel = nullptr;

    void runSearch();
    void showChosenResult();
    void closeSearch();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void loadWindow();

    QPointer<BrowseWindow> m_browse;
    QList<SearchHit> m_hits; // in the order found; the shown list is sorted
};

// Geometry of the search window for a text size, in twips.
struct SearchLayout {
    int windowWidth, fieldWidth, buttonsLeft, countHeight;
};
SearchLayout searchLayoutFor(int textFontSize);

// Opens the search window over the browse window.
void openSearchWindow(BrowseWindow* browse);
