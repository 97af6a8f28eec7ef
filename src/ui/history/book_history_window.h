#pragma once

#include "core/sharing/book_history.h"
#include "core/sharing/book_merge.h"

#include <QTimer>
#include <QWidget>

class QLabel;
class QPushButton;
class QTreeWidget;

// The books kept in the history, newest first, each with its number of recipes and what changed
// since; the recipes of the chosen one, marked where the book now differs. One recipe or the whole
// book can be brought back. Shown while no main window is loaded; Close (or the close box) goes back
// to browsing, at the last recipe brought back.
class BookHistoryWindow : public QWidget {
    Q_OBJECT
public:
    explicit BookHistoryWindow(QWidget* parent = nullptr);

signals:
    // Closed: browsing goes on, at this recipe when one was brought back (empty names otherwise).
    void finished(const QString& category, const QString& title);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void layOut();
    void applyTexts();
    void listBooks();
    // Counts the recipes of one more kept book and what changed since, a book per turn of the event
    // loop, so that the window answers while a long history is read.
    void describeNextBook();
    void showChosenBook();
    void bringBackRecipe();
    void bringBackBook();
    void updateButtons();

    QLabel* m_booksCaption = nullptr;
    QTreeWidget* m_books = nullptr;
    QLabel* m_emptyNote = nullptr;
    QLabel* m_recipesCaption = nullptr;
    QTreeWidget* m_recipes = nullptr;
    QPushButton* m_recipeButton = nullptr;
    QPushButton* m_bookButton = nullptr;
    QPushButton* m_closeButton = nullptr;

    QList<HistoryEntry> m_entries;
    BookContents m_now;      // the book as it is now, to compare with
    BookContents m_shown;    // the kept book whose recipes are listed
    int m_shownEntry = -1;
    int m_nextToDescribe = 0;
    QTimer m_describer;
    QString m_backCategory, m_backTitle; // the last recipe brought back
    bool m_done = false;
};
