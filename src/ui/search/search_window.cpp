#include "ui/search/search_window.h"

#include "core/app/app_state.h"
#include "core/book/sorted_list.h"
#include "core/layout/search_layout.h"
#include "core/layout/twips.h"
#include "core/search/background_search.h"
#include "core/settings/settings_store.h"
#include "core/text/text_table.h"
#include "ui/platform/color_scheme.h"
#include "ui/platform/screen_metrics.h"
#include "ui/search/found_recipes_model.h"

#include <QCheckBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace {

// How long the index may be worked on at a time: well within a frame, so typing never stalls.
constexpr int kIndexSliceMs = 5;

} // namespace

SearchWindow::SearchWindow()
{
    setObjectName(QStringLiteral("searchWindow"));
    m_folded = readSetting(Setting::FoldedSearch) == QLatin1String("1");
    m_heading = new QLabel(this);
    m_heading->setObjectName(QStringLiteral("heading"));
    QFont heading = m_heading->font();
    heading.setBold(true);
    heading.setPointSize(heading.pointSize() + 2);
    m_heading->setFont(heading);
    m_searchBox = new QLineEdit(this);
    m_searchBox->setObjectName(QStringLiteral("searchBox"));
    m_searchBox->installEventFilter(this);
    m_heading->setBuddy(m_searchBox); // the box is named by the heading above it
    m_resultList = new QListWidget(this);
    m_resultList->setObjectName(QStringLiteral("resultList"));
    m_foundRecipes = new FoundRecipesModel(this);
    m_bestFirstList = new QListView(this);
    m_bestFirstList->setObjectName(QStringLiteral("bestFirstList"));
    m_bestFirstList->setUniformItemSizes(true);
    m_bestFirstList->setLayoutMode(QListView::Batched); // a whole large book is laid out over several turns
    m_bestFirstList->setBatchSize(4096);
    m_bestFirstList->setModel(m_foundRecipes);
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
    m_foldedOption = new QCheckBox(this);
    m_foldedOption->setObjectName(QStringLiteral("foldedSearchOption"));
    m_foldedOption->setChecked(m_folded);
    m_foldedOption->installEventFilter(this);
    m_foldedHint = new QLabel(this);
    m_foldedHint->setObjectName(QStringLiteral("foldedSearchHint"));
    m_foldedHint->setWordWrap(true);
    m_backgroundSearch = new BackgroundSearch(this);
    m_indexing = new QTimer(this);
    m_indexing->setInterval(0);

    connect(m_searchBox, &QLineEdit::returnPressed, this, &SearchWindow::runSearch);
    connect(m_searchBox, &QLineEdit::textEdited, this, [this] {
        if (m_folded) // results follow the typing
            runSearch();
    });
    connect(m_searchButton, &QPushButton::clicked, this, &SearchWindow::runSearch);
    connect(m_closeButton, &QPushButton::clicked, this, &SearchWindow::close);
    connect(m_resultList, &QListWidget::itemClicked, this, &SearchWindow::showChosenResult);
    connect(m_resultList, &QListWidget::currentRowChanged, this, &SearchWindow::showChosenResult);
    connect(m_bestFirstList, &QListView::clicked, this, &SearchWindow::showChosenHit);
    connect(m_bestFirstList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &SearchWindow::showChosenHit);
    connect(m_foldedOption, &QCheckBox::toggled, this, &SearchWindow::setFolded);
    connect(m_backgroundSearch, &BackgroundSearch::found, this, &SearchWindow::showFoldedHits);
    connect(m_indexing, &QTimer::timeout, this, &SearchWindow::indexSome);

    tagColors(ColorTag::WindowBack, static_cast<QWidget*>(this), static_cast<QWidget*>(m_buttonPanel));
    tagColors(ColorTag::Button, m_searchButton, m_closeButton);
    tagColors(ColorTag::Field, static_cast<QWidget*>(m_searchBox), static_cast<QWidget*>(m_resultList),
              static_cast<QWidget*>(m_bestFirstList), static_cast<QWidget*>(m_countLabel));
    tagColors(ColorTag::Label, static_cast<QWidget*>(m_foldedOption), static_cast<QWidget*>(m_foldedHint));
    applyColorScheme(this);
    applyTexts();
    layOut();
    m_searchBox->selectAll();
    m_searchBox->setFocus();
    if (m_folded) // ready before the first key
        m_indexing->start();
}

void SearchWindow::applyTexts()
{
    setWindowTitle(loadText(TextId::SearchWindowTitle));
    m_heading->setText(loadText(TextId::SearchHeading));
    m_searchBox->setText(loadText(TextId::SearchTextPrompt));
    m_searchButton->setText(loadText(TextId::SearchMenuAndButton));
    m_closeButton->setText(loadText(TextId::CloseButton));
    m_foldedOption->setText(loadText(TextId::FoldedSearchOption));
    m_foldedHint->setText(loadText(TextId::FoldedSearchHint));
    m_resultList->setAccessibleName(loadText(TextId::FoundRecipesName));
    m_bestFirstList->setAccessibleName(loadText(TextId::FoundRecipesName));
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
    m_bestFirstList->setGeometry(m_resultList->geometry());
    m_countLabel->setGeometry(left, py(4290), px(l.fieldWidth), py(l.countHeight));
    // The choice of search below the count, and with accents and case ignored how to type for it.
    m_resultList->setVisible(!m_folded);
    m_bestFirstList->setVisible(m_folded);
    m_foldedHint->setVisible(m_folded);
    m_searchBox->setAccessibleDescription(m_folded ? m_foldedHint->text() : QString()); // how to type for it
    const int optionTop = py(4290 + l.countHeight + 60);
    m_foldedOption->setGeometry(left, optionTop, px(l.fieldWidth), m_foldedOption->sizeHint().height());
    int bottom = m_foldedOption->geometry().bottom() + 1;
    if (m_folded) {
        const int hintTop = bottom + py(30);
        m_foldedHint->setGeometry(left, hintTop, px(l.fieldWidth), m_foldedHint->heightForWidth(px(l.fieldWidth)));
        bottom = m_foldedHint->geometry().bottom() + 1;
    }
    setFixedSize(px(l.windowWidth), bottom + py(180));
}

void SearchWindow::runSearch()
{
    m_searched = true;
    if (m_folded) {
        m_searchWaiting = !app().searchIndex.updateFor(app().book, QDeadlineTimer(kIndexSliceMs));
        if (m_searchWaiting)
            m_indexing->start();
        else
            m_backgroundSearch->start(app().searchIndex.texts(), m_searchBox->text());
        return;
    }
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

void SearchWindow::indexSome()
{
    if (!app().searchIndex.updateFor(app().book, QDeadlineTimer(kIndexSliceMs)))
        return;
    m_indexing->stop();
    if (m_searchWaiting && m_folded)
        runSearch();
    m_searchWaiting = false;
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

void SearchWindow::setFolded(bool folded)
{
    m_folded = folded;
    writeSetting(Setting::FoldedSearch, folded ? QStringLiteral("1") : QStringLiteral("0"));
    layOut();
    m_searchBox->setFocus(); // the choice made, the cook types on
    if (folded)
        m_indexing->start();
    if (m_searched) {
        m_countLabel->clear(); // until the other kind of search answers
        runSearch();
    }
}

void SearchWindow::showFoldedHits(const QList<FoldedHit>& hits)
{
    m_foundRecipes->setHits(hits);
    m_countLabel->setText(QString::number(hits.size()) + u' ' + loadText(TextId::RecipesFoundLabel));
}

void SearchWindow::showChosenHit(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    const FoldedHit& hit = m_foundRecipes->hit(index.row());
    emit recipeChosen(hit.category, hit.title);
}

bool SearchWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Alt+A changes the kind of search at once and leaves the cook typing in the box: a check box would
    // take the focus and change only after a moment, swallowing the keys typed meanwhile.
    if (watched == m_foldedOption && event->type() == QEvent::Shortcut) {
        m_foldedOption->toggle();
        return true;
    }
    // While typing, the down arrow goes on to the best match.
    if (watched == m_searchBox && m_folded && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down && m_foundRecipes->rowCount() > 0) {
        m_bestFirstList->setFocus();
        m_bestFirstList->setCurrentIndex(m_foundRecipes->index(0));
        return true;
    }
    return SecondaryWindow::eventFilter(watched, event);
}
