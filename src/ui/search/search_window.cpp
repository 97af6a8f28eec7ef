#include "ui/search/search_window.h"

#include "core/app/app_state.h"
#include "core/book/sorted_list.h"
#include "core/layout/search_layout.h"
#include "core/layout/twips.h"
#include "core/text/text_table.h"
#include "ui/platform/screen_metrics.h"
#include "ui/platform/color_scheme.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

SearchWindow::SearchWindow()
{
    setObjectName(QStringLiteral("searchWindow"));
    m_heading = new QLabel(this);
    m_heading->setObjectName(QStringLiteral("heading"));
    QFont heading = m_heading->font();
    heading.setBold(true);
    heading.setPointSize(heading.pointSize() + 2);
    m_heading->setFont(heading);
    m_searchBox = new QLineEdit(this);
    m_searchBox->setObjectName(QStringLiteral("searchBox"));
    m_resultList = new QListWidget(this);
    m_resultList->setObjectName(QStringLiteral("resultList"));
    m_countLabel = new QLabel(this);
    m_countLabel->setObjectName(QStringLiteral("countLabel"));
    m_countLabel->setAutoFillBackground(true);
    m_countLabel->setIndent(4);
    m_buttonPanel = new QFrame(this);
    m_buttonPanel->setAutoFillBackground(true);
    m_searchButton = new QPushButton(m_buttonPanel);
    m_searchButton->setObjectName(QStringLiteral("searchButton"));
    m_searchButton->setDefault(true);
    m_closeButton = new QPushButton(m_buttonPanel);
    m_closeButton->setObjectName(QStringLiteral("closeButton"));

    connect(m_searchBox, &QLineEdit::returnPressed, this, &SearchWindow::runSearch);
    connect(m_searchButton, &QPushButton::clicked, this, &SearchWindow::runSearch);
    connect(m_closeButton, &QPushButton::clicked, this, &SearchWindow::close);
    connect(m_resultList, &QListWidget::itemClicked, this, &SearchWindow::showChosenResult);
    connect(m_resultList, &QListWidget::currentRowChanged, this, &SearchWindow::showChosenResult);

    tagColors(ColorTag::WindowBack, static_cast<QWidget*>(this), static_cast<QWidget*>(m_buttonPanel));
    tagColors(ColorTag::Button, m_searchButton, m_closeButton);
    tagColors(ColorTag::Field, static_cast<QWidget*>(m_searchBox), static_cast<QWidget*>(m_resultList),
              static_cast<QWidget*>(m_countLabel));
    applyColorScheme(this);
    applyTexts();
    layOut();
    m_searchBox->selectAll();
    m_searchBox->setFocus();
}

void SearchWindow::applyTexts()
{
    setWindowTitle(loadText(TextId::SearchWindowTitle));
    m_heading->setText(loadText(TextId::SearchHeading));
    m_searchBox->setText(loadText(TextId::SearchTextPrompt));
    m_searchButton->setText(loadText(TextId::SearchMenuAndButton));
    m_closeButton->setText(loadText(TextId::CloseButton));
}

void SearchWindow::layOut()
{
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
}

void SearchWindow::runSearch()
{
    m_hits = searchRecipes(app().searchIndex.updatedFor(app().book), m_searchBox->text());
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
    if (!item)
        return;
    for (const SearchHit& hit : m_hits) {
        if (hit.title == item->text()) {
            emit recipeChosen(hit.category, hit.title);
            return;
        }
    }
}
