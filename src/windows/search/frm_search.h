#pragma once

#include "windows/search/search.h"

#include <QPointer>
#include <QWidget>

class FrmBr;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// Finds recipes by a piece of their text; a click on a result shows it in the browse window,
// which stays disabled behind this window until it closes.
class FrmSearch : public QWidget {
    Q_OBJECT
public:
    explicit FrmSearch(FrmBr* browse);

    QLabel* lblHeader = nullptr;
    QLineEdit* txtKeyword = nullptr;
    QPushButton* cmdSearch = nullptr;
    QPushButton* cmdCancel = nullptr;
    QListWidget* lstResults = nullptr;
    QLabel* lblCount = nullptr;
    QFrame* fraBtn = nullptr;

    void searchRecs();
    void lstResults_Click();
    void cmdCancel_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();

    QPointer<FrmBr> m_browse;
    QList<SearchHit> m_hits; // in the order found; the shown list is sorted
};

// Geometry of the search window for a text size, in twips.
struct SearchLayout {
    int windowWidth, fieldWidth, buttonsLeft, countHeight;
};
SearchLayout searchLayoutFor(int textFontSize);

// Opens the search window over the browse window.
void openSearchWindow(FrmBr* browse);
