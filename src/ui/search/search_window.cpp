#include "ui/search/search_window.h"

#include "core/app/app_state.h"
#include "core/layout/twips.h"
#include "core/text/text_table.h"
#include "ui/app/window_texts.h"
#include "ui/browse/browse_window.h"
#include "ui/platform/screen_metrics.h"
#include "ui/preferences/window_colors.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

SearchLayout searchLayoutFor(int textFontSize)
{
    switch (textFontSize) {
    case 8:
        return {3060, 2600, 398, 240};
    case 10:
        return {3945, 3500, 840, 300};
    default:
        return {5100, 4700, 1418, 300};
    }
}

SearchWindow::SearchWindow(BrowseWindow* browse) : QWidget(nullptr, Qt::Window), m_browse(browse)
{
    setAttribute(Qt::WA_DeleteOnClose);
    m_heading = new QLabel(this);
    QFont heading = m_heading->font();
    heading.setBold(true);
    heading.setPointSize(heading.pointSize() + 2);
    m_heading->setFont(heading);
    m_searchBox = new QLineEdit(this);
    m_resultList = new QListWidget(this);
    m_countLabel = new QLabel(this);
    m_countLabel->setAutoFillBackground(true);
    m_countLabel->setIndent(4);
    m_buttonPanel = new QFrame(this);
    m_buttonPanel->setAutoFillBackground(true);
    m_searchButton = new QPushButton(m_buttonPanel);
    m_closeButton = new QPushButton(m_buttonPanel);
    m_searchButton->setDefault(true);

    connect(m_searchBox, &QLineEdit::returnPressed, this, &SearchWindow::runSearch);
    connect(m_searchButton, &QPushButton::clicked, this, &SearchWindow::runSearch);
    connect(m_closeButton, &QPushButton::clicked, this, &SearchWindow::closeSearch);
    connect(m_resultList, &QListWidget::itemClicked, this, &SearchWindow::showChosenResult);
    connect(m_resultList, &QListWidget::currentRowChanged, this, &SearchWindow::showChosenResult);
    loadWindow();
}

void SearchWindow::loadWindow()
{
    applySearchColors(*this);
    applySearchTexts(*this);

    // The size-dependent part of the layout comes from the table; the rest stacks below the heading.
    const SearchLayout l = searchLayoutFor(app().textFontSize);
    const double tx = twipsPerPixelX(this);
    const double ty = twipsPerPixelY(this);
    auto px = [tx](double twips) { return twipsToPixels(twips, tx); };
    auto py = [ty](double twips) { return twipsToPixels(twips, ty); };
    const int left = px((l.windowWidth - l.fieldWidth) / 2.0);
    m_heading->setGeometry(left, py(120), px(l.fieldWidth), py(360));
    m_searchBox->setGeometry(left, py(540), px(l.fieldWidth), py(app().textFontSize > 10 ? 390 : 330));
    m_buttonPanel->setGeometry(px(l.buttonsLeft), py(990), px(2250), py(480));
    m_searchButton->setGeometry(0, py(60), px(1080), py(360));
    m_closeButton->setGeometry(px(1170), py(60), px(1080), py(360));
    m_resultList->setGeometry(left, py(1530), px(l.fieldWidth), py(2700));
    m_countLabel->setGeometry(left, py(4290), px(l.fieldWidth), py(l.countHeight));
    setFixedSize(px(l.windowWidth), py(4290 + l.countHeight + 180));

    m_searchBox->selectAll();
    m_searchBox->setFocus();
}

void SearchWindow::runSearch()
{
    m_hits = ::searchRecipes(app().recipeDoc, m_searchBox->text());
    QList<ListEntry> entries;
    entries.reserve(m_hits.size());
    for (const SearchHit& hit : m_hits)
        entries.append({hit.title, 0});
    sortForDisplay(entries);
    const QSignalBlocker blocker(m_resultList);
    m_resultList->clear();
    for (const ListEntry& entry : entries)
        m_resultList->addItem(entry.text);
    m_countLabel->setText(QString::number(m_resultList->count()) + u' ' + loadText(TextId::RecipesFoundLabel));
}

void SearchWindow::showChosenResult()
{
    const QListWidgetItem* item = m_resultList->currentItem();
    if (!item || item->text() == loadText(TextId::NoRecipesFoundEntry))
        return;
    const QString title = item->text();
    if (!m_browse)
        return;
    for (const SearchHit& hit : m_hits) {
        if (hit.title == title) {
            m_browse->selectRecipe(hit.category, title);
            return;
        }
    }
}

void SearchWindow::closeSearch()
{
    hide();
    if (m_browse) {
        m_browse->show();
        m_browse->raise();
    }
    close();
}

void SearchWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (m_browse) {
        m_browse->setEnabled(true);
        m_browse->activateWindow();
    }
}

void openSearchWindow(BrowseWindow* browse)
{
    browse->setEnabled(false);
    auto* search = new SearchWindow(browse);
    search->show();
    search->activateWindow();
}
