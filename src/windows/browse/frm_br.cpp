#include "windows/browse/frm_br.h"

#include "app/app_state.h"
#include "book/book_ops.h"
#include "book/picture_name.h"
#include "platform/dialogs.h"
#include "platform/picture.h"
#include "platform/screen_metrics.h"
#include "platform/twips.h"
#include "presentation/color_procedures.h"
#include "presentation/frm_about.h"
#include "presentation/frm_ops.h"
#include "presentation/help.h"
#include "settings/settings_store.h"
#include "settings/window_placement.h"
#include "text/captions.h"
#include "text/text_table.h"
#include "windows/editor/frm_img_view.h"
#include "windows/search/frm_search.h"
#include "windows/window_parts.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

QString fixLineBreaks(const QString& text)
{
    QString out = text;
    out.replace(u'\n', QStringLiteral("\r\n"));
    return out;
}

FrmBr::FrmBr(QWidget* parent) : MainWindowBase(parent)
{
    buildControls();
    buildMenus();
    Form_Load();
}

void FrmBr::buildControls()
{
    QWidget* central = makeCentralWidget(this, this);
    makeHeading(central, lblBorder);

    fraBack = newFrame(central, false);
    fraTopLeft = newFrame(fraBack, false);
    fraRight = newFrame(fraBack, false);
    fraBotLeft = newFrame(fraBack, false);

    cboCats = new QComboBox(fraTopLeft);
    lstRecs = new QListWidget(fraTopLeft);
    lstRecs->setMouseTracking(true);
    lstRecs->viewport()->installEventFilter(this);
    lstRecs->installEventFilter(this);
    m_cats = std::make_unique<ComboBoxList>(cboCats);
    m_recs = std::make_unique<ListWidgetList>(lstRecs);
    Frame1 = newFrame(fraTopLeft, true);
    Frame1->installEventFilter(this);
    Frame1->setCursor(Qt::PointingHandCursor);
    Image1 = new QLabel(Frame1);
    Image1->setScaledContents(true);
    Image1->setAttribute(Qt::WA_TransparentForMouseEvents); // its clicks are the frame's
    Image1->hide();
    lblClickImg = new QLabel(fraTopLeft);
    lblClickImg->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblClickImg->setCursor(Qt::PointingHandCursor);
    lblClickImg->installEventFilter(this);
    lblImgLoc = new QLabel(this);
    lblImgLoc->hide();

    QLabel** captions[] = {&Label4, &Label5, &Label7, &Label6};
    QLabel** values[] = {&lblPT, &lblCT, &lblYld, &lblDC};
    for (int i = 0; i < 4; ++i) {
        *captions[i] = new QLabel(fraBotLeft);
        *values[i] = new QLabel(fraBotLeft);
        placeTwips(*captions[i], {60, 90.0 + i * 255, 1600, 255});
        placeTwips(*values[i], {1680, 90.0 + i * 255, 1540, 255});
    }

    lblIng = new QLabel(fraRight);
    lblPrep = new QLabel(fraRight);
    lblOther = new QLabel(fraRight);
    for (QLabel* label : {lblIng, lblPrep, lblOther}) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        label->setIndent(8);
        label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    }
    for (QPlainTextEdit** box : {&txtIng, &txtPrep, &txtOther}) {
        *box = new QPlainTextEdit(fraRight);
        (*box)->setReadOnly(true);
        (*box)->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        (*box)->installEventFilter(this);
    }
    Picture1 = newFrame(fraRight, false);
    cmdPrint = new QPushButton(Picture1);
    cmdEdit = new QPushButton(Picture1);
    cmdRem = new QPushButton(Picture1);

    connect(cboCats, &QComboBox::currentIndexChanged, this, &FrmBr::cboCats_Click);
    connect(lstRecs, &QListWidget::currentRowChanged, this, &FrmBr::lstRecs_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &FrmBr::cmdPrint_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &FrmBr::cmdEdit_Click);
    connect(cmdRem, &QPushButton::clicked, this, &FrmBr::cmdRem_Click);
}

void FrmBr::buildMenus()
{
    mnuFile = menuBar()->addMenu(QString());
    mnuPrint = mnuFile->addAction(QString(), this, &FrmBr::cmdPrint_Click);
    mnuPrintPrev = mnuFile->addAction(QString(), this, &FrmBr::mnuPrintPrev_Click);
    mnuBackup = mnuFile->addAction(QString());
    mnuFile->addSeparator();
    mnuBrExit = mnuFile->addAction(QString(), this, &FrmBr::exitProgram);

    mnuBrEdit = menuBar()->addMenu(QString());
    mnuBrCopy = mnuBrEdit->addAction(QString(), this, &FrmBr::mnuBrCopy_Click);
    connect(mnuBrEdit, &QMenu::aboutToShow, this, &FrmBr::mnuBrEdit_Click);

    mnuRecipe = menuBar()->addMenu(QString());
    mnuRecipeAdd =
        mnuRecipe->addAction(QString(), this, [this] { switchTo([] { showMainWindow(MainWindowKind::Add); }); });
    mnuBrEditRec = mnuRecipe->addAction(QString(), this, &FrmBr::cmdEdit_Click);
    mnuBrRemRec = mnuRecipe->addAction(QString(), this, &FrmBr::cmdRem_Click);
    mnuRecipe->addSeparator();
    mnuEmail = mnuRecipe->addAction(QString());
    mnuPlainText = mnuRecipe->addAction(QString());

    mnuCateg = menuBar()->addMenu(QString());
    mnuCatEdit = mnuCateg->addAction(QString(), this, &FrmBr::mnuCatEdit_Click);
    mnuCatDel = mnuCateg->addAction(QString(), this, &FrmBr::mnuCatDel_Click);

    mnuTools = menuBar()->addMenu(QString());
    mnuExport = mnuTools->addAction(QString());
    mnuSearch = mnuTools->addAction(QString(), this, [this] { openSearchWindow(this); });
    mnuOps = mnuTools->addAction(QString(), this, [this] { switchTo([] { (new FrmOps)->show(); }); });

    mnuHelp = menuBar()->addMenu(QString());
    mnuBrContents = mnuHelp->addAction(QString(), this, &FrmBr::mnuBrContents_Click);
    mnuBrAbout = mnuHelp->addAction(QString(), this, &FrmBr::mnuBrAbout_Click);

    // Reached from here once their windows are part of the program.
    for (QAction* later : {mnuPrint, mnuPrintPrev, mnuBackup, mnuEmail, mnuPlainText, mnuExport})
        later->setEnabled(false);
    cmdPrint->setEnabled(false);
}

void FrmBr::Form_Load()
{
    QPushButton* const buttons[] = {cmdPrint, cmdEdit, cmdRem};
    for (int i = 0; i < 3; ++i) {
        placeTwips(buttons[i], {BrowseDesign::kButtonLefts[i], BrowseDesign::kButtonTop, BrowseDesign::kButtonWidth,
                                BrowseDesign::kButtonHeight});
    }
    registerMainWindow();
    restoreWindowPlacement(this);
    applyBrowseColors(*this);
    setBrowseCaptions(*this);
    refillCategories();
    app().prefsFromAdd = false;
    m_formSize.Init(this);
    m_formSize.MaxWidth(50000);
    m_formSize.MaxHeight(50000);
    m_formSize.MinHeight(6900);
    m_formSize.MinWidth(9700);
    Form_Resize();
}

void FrmBr::Form_Resize()
{
    if (isMinimized() || !centralWidget())
        return;
    const double tx = twipsPerPixelX(this);
    const double ty = twipsPerPixelY(this);
    m_layout = alignBrFrames(pixelsToTwips(centralWidget()->width(), tx), pixelsToTwips(centralWidget()->height(), ty));
    const BrowseLayout& l = m_layout;
    placeTwips(lblBorder[0], l.border[0]);
    placeTwips(lblBorder[1], l.border[1]);
    placeTwips(fraBack, l.fraBack);
    placeTwips(fraTopLeft, l.fraTopLeft);
    placeTwips(fraRight, l.fraRight);
    placeTwips(fraBotLeft, l.fraBotLeft);
    placeTwips(cboCats, l.cboCats);
    placeTwips(lstRecs, l.lstRecs);
    placeTwips(Frame1, l.frame1);
    placeTwips(lblClickImg, l.lblClickImg);
    placeTwips(lblIng, l.lblIng);
    placeTwips(txtIng, l.txtIng);
    placeTwips(lblPrep, l.lblPrep);
    placeTwips(txtPrep, l.txtPrep);
    placeTwips(lblOther, l.lblOther);
    placeTwips(txtOther, l.txtOther);
    placeTwips(Picture1, l.picture1);
    if (!lblImgLoc->text().isEmpty())
        showBrThumbnail(lblImgLoc->text());
}

bool FrmBr::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
        if (watched == lstRecs->viewport()) {
            // The full title of the entry under the pointer, for titles wider than the list.
            if (const QListWidgetItem* item = lstRecs->itemAt(static_cast<QMouseEvent*>(event)->position().toPoint()))
                lstRecs->setToolTip(item->text());
        }
        break;
    case QEvent::MouseButtonRelease:
        if (watched == lblClickImg || watched == Frame1)
            lblClickImg_Click();
        break;
    case QEvent::KeyPress:
        if (watched == lstRecs && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
            cmdRem_Click();
            return true;
        }
        break;
    case QEvent::FocusIn:
        // One text box's selection at a time: the others lose theirs.
        for (QPlainTextEdit* box : {txtIng, txtPrep, txtOther}) {
            if (box != watched) {
                QTextCursor cursor = box->textCursor();
                cursor.clearSelection();
                box->setTextCursor(cursor);
            }
        }
        break;
    default:
        break;
    }
    return MainWindowBase::eventFilter(watched, event);
}

void FrmBr::refillCategories()
{
    fillBrCats(app().recipeDoc, *m_cats, *m_recs);
    if (cboCats->count() == 0) {
        m_recs->fill({});
        clearRecipe();
        lblImgLoc->clear();
    }
}

void FrmBr::cboCats_Click()
{
    clearRecipe();
    if (cboCats->currentIndex() < 0)
        return;
    listBrRecipes(app().recipeDoc, m_cats->itemData(cboCats->currentIndex()), *m_recs);
}

void FrmBr::lstRecs_Click()
{
    showBrRecipe();
}

void FrmBr::clearRecipe()
{
    for (QPlainTextEdit* box : {txtIng, txtPrep, txtOther})
        box->clear();
    for (QLabel* label : {lblPT, lblYld, lblCT, lblDC})
        label->clear();
    Image1->clear();
    Image1->hide();
}

void FrmBr::showBrRecipe()
{
    if (cboCats->currentIndex() < 0 || !lstRecs->currentItem())
        return;
    const Recipe recipe = RecipeBook::readRecipe(recipeAt(app().recipeDoc, shownRecipe()));
    lblPT->setText(recipe.prepTime);
    lblCT->setText(recipe.cookTime);
    lblYld->setText(recipe.yield);
    txtIng->setPlainText(fixLineBreaks(recipe.ingredients));
    txtPrep->setPlainText(fixLineBreaks(recipe.preparation));
    txtOther->setPlainText(fixLineBreaks(recipe.notes));
    lblDC->setText(recipe.date);
    lblImgLoc->clear();
    Image1->clear();
    Image1->hide();
    if (!recipe.image.isEmpty()) {
        lblImgLoc->setText(recipe.image);
        showBrThumbnail(recipe.image);
    }
}

void FrmBr::showBrThumbnail(const QString& fileName)
{
    Image1->hide();
    const QString path = picturePath(app().imagesPath(), fileName);
    if (!pathExists(path)) {
        lblImgLoc->clear();
        return;
    }
    const LoadedPicture picture = loadPicture(path);
    if (picture.isNull())
        return;
    const TwipRect& frame = m_layout.frame1;
    const ThumbPlacement t = fitBrowseThumbnail(frame.width, frame.height, picture.himetricWidth,
                                                picture.himetricHeight, picture.twipsWidth, picture.twipsHeight);
    Image1->setPixmap(picture.pixmap);
    placeTwips(Image1, {t.left, t.top, t.width, t.height});
    Image1->show();
}

void FrmBr::lblClickImg_Click()
{
    if (lblImgLoc->text().isEmpty())
        return;
    const QString path = picturePath(app().imagesPath(), lblImgLoc->text());
    if (!pathExists(path))
        return;
    openImageViewer(this, path);
}

void FrmBr::saveInfoToEdit()
{
    AppState& a = app();
    a.editCategory = cboCats->currentText();
    a.editCategoryIndex = cboCats->currentIndex();
    a.editTitle = lstRecs->currentItem() ? lstRecs->currentItem()->text() : QString();
    a.editIngredients = fixLineBreaks(txtIng->toPlainText());
    a.editPreparation = fixLineBreaks(txtPrep->toPlainText());
    a.editNotes = fixLineBreaks(txtOther->toPlainText());
    a.editPrepTime = lblPT->text();
    a.editCookTime = lblCT->text();
    a.editYield = lblYld->text();
    a.editImage = lblImgLoc->text();
    a.editRecipe = shownRecipe();
}

RecipeRef FrmBr::shownRecipe() const
{
    const QListWidgetItem* item = lstRecs->currentItem();
    if (cboCats->currentIndex() < 0 || !item)
        return {};
    return {m_cats->itemData(cboCats->currentIndex()), item->data(Qt::UserRole).toInt(), item->text()};
}

void FrmBr::cmdEdit_Click()
{
    if (!lstRecs->currentItem() || lstRecs->currentItem()->text().isEmpty())
        return;
    saveInfoToEdit();
    switchTo([] { showMainWindow(MainWindowKind::Edit); });
}

void FrmBr::cmdRem_Click()
{
    if (!lstRecs->currentItem() || lstRecs->currentItem()->text().isEmpty())
        return;
    const QString title = lstRecs->currentItem()->text();
    const QString question = loadText(168) + QStringLiteral(":  « ") + title + QStringLiteral(" »");
    if (app().dialogs->message(question, QStringLiteral("SP"), MsgButtons::YesNo, MsgIcon::None) != MsgAnswer::Yes)
        return;
    // The recipe shown goes, even when another one in the book has the same title.
    const ChangeOutcome outcome = removeRecipe(app().recipeDoc, shownRecipe());
    reportChange(outcome);
    if (outcome.status != ChangeOutcome::Status::SaveFailed)
        cboCats_Click();
}

bool FrmBr::verifyIE() const
{
    return verifyVersion(QString::fromLatin1(qVersion()));
}

void FrmBr::cmdPrint_Click()
{
    if (!verifyIE()) {
        showMessage(*app().dialogs, loadText(298), MsgIcon::Information);
        return;
    }
    if (!lstRecs->currentItem() || lstRecs->currentItem()->text().isEmpty())
        return;
    app().printPreview = false;
}

void FrmBr::mnuPrintPrev_Click()
{
    if (!verifyIE()) {
        showMessage(*app().dialogs, loadText(298), MsgIcon::Information);
        return;
    }
    app().printPreview = true;
}

void FrmBr::mnuBrEdit_Click()
{
    const auto* box = qobject_cast<const QPlainTextEdit*>(focusWidget());
    const bool ours = box == txtIng || box == txtPrep || box == txtOther;
    mnuBrCopy->setEnabled(ours && box->textCursor().hasSelection());
}

void FrmBr::mnuBrCopy_Click()
{
    const auto* box = qobject_cast<const QPlainTextEdit*>(focusWidget());
    if (!box || (box != txtIng && box != txtPrep && box != txtOther))
        return;
    QString text = box->textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

void FrmBr::mnuBrAbout_Click()
{
    openAboutBox(this);
}

void FrmBr::mnuBrContents_Click()
{
    showHelp(QStringLiteral("br"));
}

bool FrmBr::selectRecipe(const QString& category, const QString& title)
{
    for (int row = 0; row < cboCats->count(); ++row) {
        if (cboCats->itemText(row) != category)
            continue;
        m_cats->setCurrentRow(row);
        for (int r = 0; r < lstRecs->count(); ++r) {
            if (lstRecs->item(r)->text() == title) {
                m_recs->setCurrentRow(r);
                return true;
            }
        }
        return false;
    }
    return false;
}
