#include "windows/search/frm_search.h"

#include "app/app_state.h"
#include "platform/screen_metrics.h"
#include "platform/twips.h"
#include "presentation/color_procedures.h"
#include "text/captions.h"
#include "text/text_table.h"
#include "windows/browse/frm_br.h"

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

FrmSearch::FrmSearch(FrmBr* browse) : QWidget(nullptr, Qt::Window), m_browse(browse)
{
    setAttribute(Qt::WA_DeleteOnClose);
    lblHeader = new QLabel(this);
    QFont heading = lblHeader->font();
    heading.setBold(true);
    heading.setPointSize(heading.pointSize() + 2);
    lblHeader->setFont(heading);
    txtKeyword = new QLineEdit(this);
    lstResults = new QListWidget(this);
    lblCount = new QLabel(this);
    lblCount->setAutoFillBackground(true);
    lblCount->setIndent(4);
    fraBtn = new QFrame(this);
    fraBtn->setAutoFillBackground(true);
    cmdSearch = new QPushButton(fraBtn);
    cmdCancel = new QPushButton(fraBtn);
    cmdSearch->setDefault(true);

    connect(txtKeyword, &QLineEdit::returnPressed, this, &FrmSearch::searchRecs);
    connect(cmdSearch, &QPushButton::clicked, this, &FrmSearch::searchRecs);
    connect(cmdCancel, &QPushButton::clicked, this, &FrmSearch::cmdCancel_Click);
    connect(lstResults, &QListWidget::itemClicked, this, &FrmSearch::lstResults_Click);
    connect(lstResults, &QListWidget::currentRowChanged, this, &FrmSearch::lstResults_Click);
    Form_Load();
}

void FrmSearch::Form_Load()
{
    applySearchColors(*this);
    setSearchCaptions(*this);

    // The size-dependent part of the layout comes from the table; the rest stacks below the heading.
    const SearchLayout l = searchLayoutFor(app().textFontSize);
    const double tx = twipsPerPixelX(this);
    const double ty = twipsPerPixelY(this);
    auto px = [tx](double twips) { return twipsToPixels(twips, tx); };
    auto py = [ty](double twips) { return twipsToPixels(twips, ty); };
    const int left = px((l.windowWidth - l.fieldWidth) / 2.0);
    lblHeader->setGeometry(left, py(120), px(l.fieldWidth), py(360));
    txtKeyword->setGeometry(left, py(540), px(l.fieldWidth), py(app().textFontSize > 10 ? 390 : 330));
    fraBtn->setGeometry(px(l.buttonsLeft), py(990), px(2250), py(480));
    cmdSearch->setGeometry(0, py(60), px(1080), py(360));
    cmdCancel->setGeometry(px(1170), py(60), px(1080), py(360));
    lstResults->setGeometry(left, py(1530), px(l.fieldWidth), py(2700));
    lblCount->setGeometry(left, py(4290), px(l.fieldWidth), py(l.countHeight));
    setFixedSize(px(l.windowWidth), py(4290 + l.countHeight + 180));

    txtKeyword->selectAll();
    txtKeyword->setFocus();
}

void FrmSearch::searchRecs()
{
    m_hits = ::searchRecs(app().recipeDoc, txtKeyword->text());
    QList<ListEntry> entries;
    entries.reserve(m_hits.size());
    for (const SearchHit& hit : m_hits)
        entries.append({hit.title, 0});
    sortForDisplay(entries);
    const QSignalBlocker blocker(lstResults);
    lstResults->clear();
    for (const ListEntry& entry : entries)
        lstResults->addItem(entry.text);
    lblCount->setText(QString::number(lstResults->count()) + u' ' + loadText(189));
}

void FrmSearch::lstResults_Click()
{
    const QListWidgetItem* item = lstResults->currentItem();
    if (!item || item->text() == loadText(190))
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

void FrmSearch::cmdCancel_Click()
{
    hide();
    if (m_browse) {
        m_browse->show();
        m_browse->raise();
    }
    close();
}

void FrmSearch::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (m_browse) {
        m_browse->setEnabled(true);
        m_browse->activateWindow();
    }
}

void openSearchWindow(FrmBr* browse)
{
    browse->setEnabled(false);
    auto* search = new FrmSearch(browse);
    search->show();
    search->activateWindow();
}
