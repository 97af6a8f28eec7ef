#pragma once

#include "core/search/recipe_search.h"
#include "ui/platform/main_window.h"

#include <QPointer>

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// Finds recipes by a piece of their text; a click on a result asks for it to be shown in the browse
// window, which stays shown behind this window, taking no input until it closes.
class SearchWindow : public SecondaryWindow {
    Q_OBJECT
public:
    SearchWindow();

signals:
    void recipeChosen(const QString& category, const QString& title);

private:
    void applyTexts();
    void layOut();
    void runSearch();
    void showChosenResult();

    QLabel* m_heading = nullptr;
    QLineEdit* m_searchBox = nullptr;
    QPushButton* m_searchButton = nullptr;
    QPushButton* m_closeButton = nullptr;
    QListWidget* m_resultList = nullptr;
    QLabel* m_countLabel = nullptr;
    QFrame* m_buttonPanel = nullptr;

    QList<SearchHit> m_hits; // in the order found; the shown list is sorted
};
