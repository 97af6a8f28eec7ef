#include "ui/browse/browse_window.h"

#include "core/app/app_state.h"
#include "core/app/dialogs.h"
#include "core/book/book_operations.h"
#include "core/book/picture_names.h"
#include "core/layout/twips.h"
#include "core/settings/settings_store.h"
#include "core/text/text_table.h"
#include "ui/app/window_placement.h"
#include "ui/app/window_texts.h"
#include "ui/editor/picture_viewer.h"
#include "ui/platform/picture_loading.h"
#include "ui/platform/screen_metrics.h"
#include "ui/platform/window_parts.h"
#include "ui/preferences/about_box.h"
#include "ui/preferences/help_window.h"
#include "ui/preferences/preferences_window.h"
#include "ui/preferences/window_colors.h"
#include "ui/search/search_window.h"

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

QString withCrLfLineEnds(const QString& text)
{
    QString out = text;
    out.replace(u'\n', QStringLiteral("\r\n"));
    return out;
}

BrowseWindow::BrowseWindow(QWidget* parent) : MainWindowBase(parent)
{
    buildControls();
    buildMenus();
    loadWindow();
}

void BrowseWindow::buildControls()
{
    QWidget* central = makeCentralWidget(this, this);
    makeHeading(central, m_heading);

    m_backPanel = newFrame(central, false);
    m_listPanel = newFrame(m_backPanel, false);
    m_textPanel = newFrame(m_backPanel, false);
    m_detailsPanel = newFrame(m_backPanel, false);

    m_categoryCombo = new QComboBox(m_listPanel);
    m_recipeList = new QListWidget(m_listPanel);
    m_recipeList->setMouseTracking(true);
    m_recipeList->viewport()->installEventFilter(this);
    m_recipeList->installEventFilter(this);
    m_cats = std::make_unique<ComboBoxList>(m_categoryCombo);
    m_recs = std::make_unique<ListWidgetList>(m_recipeList);
    m_pictureFrame = newFrame(m_listPanel, true);
    m_pictureFrame->installEventFilter(this);
    m_pictureFrame->setCursor(Qt::PointingHandCursor);
    m_thumbnail = new QLabel(m_pictureFrame);
    m_thumbnail->setScaledContents(true);
    m_thumbnail->setAttribute(Qt::WA_TransparentForMouseEvents); // its clicks are the frame's
    m_thumbnail->hide();
    m_viewPictureLabel = new QLabel(m_listPanel);
    m_viewPictureLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_viewPictureLabel->setCursor(Qt::PointingHandCursor);
    m_viewPictureLabel->installEventFilter(this);
    m_shownPictureName = new QLabel(this);
    m_shownPictureName->hide();

    QLabel** captions[] = {&m_prepTimeCaption, &m_cookTimeCaption, &m_yieldCaption, &m_dateCaption};
    QLabel** values[] = {&m_prepTimeValue, &m_cookTimeValue, &m_yieldValue, &m_dateValue};
    for (int i = 0; i < 4; ++i) {
        *captions[i] = new QLabel(m_detailsPanel);
        *values[i] = new QLabel(m_detailsPanel);
        placeTwips(*captions[i], {60, 90.0 + i * 255, 1600, 255});
        placeTwips(*values[i], {1680, 90.0 + i * 255, 1540, 255});
    }

    m_ingredientsCaption = new QLabel(m_textPanel);
    m_preparationCaption = new QLabel(m_textPanel);
    m_notesCaption = new QLabel(m_textPanel);
    for (QLabel* label : {m_ingredientsCaption, m_preparationCaption, m_notesCaption}) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        label->setIndent(8);
        label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    }
    for (QPlainTextEdit** box : {&m_ingredientsBox, &m_preparationBox, &m_notesBox}) {
        *box = new QPlainTextEdit(m_textPanel);
        (*box)->setReadOnly(true);
        (*box)->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        (*box)->installEventFilter(this);
    }
    m_buttonPanel = newFrame(m_textPanel, false);
    m_printButton = new QPushButton(m_buttonPanel);
    m_editButton = new QPushButton(m_buttonPanel);
    m_removeButton = new QPushButton(m_buttonPanel);

    connect(m_categoryCombo, &QComboBox::currentIndexChanged, this, &BrowseWindow::showChosenCategory);
    connect(m_recipeList, &QListWidget::currentRowChanged, this, &BrowseWindow::showChosenRecipe);
    connect(m_printButton, &QPushButton::clicked, this, &BrowseWindow::printShownRecipe);
    connect(m_editButton, &QPushButton::clicked, this, &BrowseWindow::editShownRecipe);
    connect(m_removeButton, &QPushButton::clicked, this, &BrowseWindow::removeShownRecipe);
}

void BrowseWindow::buildMenus()
{
    m_fileMenu = menuBar()->addMenu(QString());
    m_printAction = m_fileMenu->addAction(QString(), this, &BrowseWindow::printShownRecipe);
    m_printPreviewAction = m_fileMenu->addAction(QString(), this, &BrowseWindow::previewShownRecipe);
    m_backupAction = m_fileMenu->addAction(QString());
    m_fileMenu->addSeparator();
    m_exitAction = m_fileMenu->addAction(QString(), this, &BrowseWindow::exitProgram);

    m_editMenu = menuBar()->addMenu(QString());
    m_copyAction = m_editMenu->addAction(QString(), this, &BrowseWindow::copySelection);
    connect(m_editMenu, &QMenu::aboutToShow, this, &BrowseWindow::updateEditMenu);

    m_recipeMenu = menuBar()->addMenu(QString());
    m_addRecipesAction =
        m_recipeMenu->addAction(QString(), this, [this] { switchTo([] { showMainWindow(MainWindowKind::Add); }); });
    m_editRecipeAction = m_recipeMenu->addAction(QString(), this, &BrowseWindow::editShownRecipe);
    m_removeRecipeAction = m_recipeMenu->addAction(QString(), this, &BrowseWindow::removeShownRecipe);
    m_recipeMenu->addSeparator();
    m_emailAction = m_recipeMenu->addAction(QString());
    m_plainTextAction = m_recipeMenu->addAction(QString());

    m_categoryMenu = menuBar()->addMenu(QString());
    m_renameCategoryAction = m_categoryMenu->addAction(QString(), this, &BrowseWindow::renameShownCategory);
    m_deleteCategoryAction = m_categoryMenu->addAction(QString(), this, &BrowseWindow::deleteShownCategory);

    m_toolsMenu = menuBar()->addMenu(QString());
    m_exportAction = m_toolsMenu->addAction(QString());
    m_searchAction = m_toolsMenu->addAction(QString(), this, [this] { openSearchWindow(this); });
    m_preferencesAction =
        m_toolsMenu->addAction(QString(), this, [this] { switchTo([] { (new PreferencesWindow)->show(); }); });

    m_helpMenu = menuBar()->addMenu(QString());
    m_helpContentsAction = m_helpMenu->addAction(QString(), this, &BrowseWindow::showHelpContents);
    m_aboutAction = m_helpMenu->addAction(QString(), this, &BrowseWindow::showAbout);

    // Reached from here once their windows are part of the program.
    for (QAction* later :
         {m_printAction, m_printPreviewAction, m_backupAction, m_emailAction, m_plainTextAction, m_exportAction})
        later->setEnabled(false);
    m_printButton->setEnabled(false);
}

void BrowseWindow::loadWindow()
{
    QPushButton* const buttons[] = {m_printButton, m_editButton, m_removeButton};
    for (int i = 0; i < 3; ++i) {
        placeTwips(buttons[i], {BrowseDesign::kButtonLefts[i], BrowseDesign::kButtonTop, BrowseDesign::kButtonWidth,
                                BrowseDesign::kButtonHeight});
    }
    registerMainWindow();
    restoreWindowPlacement(this);
    applyBrowseColors(*this);
    applyBrowseTexts(*this);
    refillCategories();
    app().prefsFromAdd = false;
    m_formSize.attach(this);
    m_formSize.setMaxWidth(50000);
    m_formSize.setMaxHeight(50000);
    m_formSize.setMinHeight(6900);
    m_formSize.setMinWidth(9700);
    layOutWidgets();
}

void BrowseWindow::layOutWidgets()
{
    if (isMinimized() || !centralWidget())
        return;
    const double tx = twipsPerPixelX(this);
    const double ty = twipsPerPixelY(this);
    m_layout =
        layOutBrowseWindow(pixelsToTwips(centralWidget()->width(), tx), pixelsToTwips(centralWidget()->height(), ty));
    const BrowseLayout& l = m_layout;
    placeTwips(m_heading[0], l.heading[0]);
    placeTwips(m_heading[1], l.heading[1]);
    placeTwips(m_backPanel, l.backPanel);
    placeTwips(m_listPanel, l.listPanel);
    placeTwips(m_textPanel, l.textPanel);
    placeTwips(m_detailsPanel, l.detailsPanel);
    placeTwips(m_categoryCombo, l.categoryCombo);
    placeTwips(m_recipeList, l.recipeList);
    placeTwips(m_pictureFrame, l.pictureFrame);
    placeTwips(m_viewPictureLabel, l.viewPictureLabel);
    placeTwips(m_ingredientsCaption, l.ingredientsCaption);
    placeTwips(m_ingredientsBox, l.ingredientsBox);
    placeTwips(m_preparationCaption, l.preparationCaption);
    placeTwips(m_preparationBox, l.preparationBox);
    placeTwips(m_notesCaption, l.notesCaption);
    placeTwips(m_notesBox, l.notesBox);
    placeTwips(m_buttonPanel, l.buttonPanel);
    if (!m_shownPictureName->text().isEmpty())
        showThumbnail(m_shownPictureName->text());
}

bool BrowseWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
        if (watched == m_recipeList->viewport()) {
            // The full title of the entry under the pointer, for titles wider than the list.
            if (const QListWidgetItem* item =
                    m_recipeList->itemAt(static_cast<QMouseEvent*>(event)->position().toPoint()))
                m_recipeList->setToolTip(item->text());
        }
        break;
    case QEvent::MouseButtonRelease:
        if (watched == m_viewPictureLabel || watched == m_pictureFrame)
            viewPicture();
        break;
    case QEvent::KeyPress:
        if (watched == m_recipeList && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
            removeShownRecipe();
            return true;
        }
        break;
    case QEvent::FocusIn:
        // One text box's selection at a time: the others lose theirs.
        for (QPlainTextEdit* box : {m_ingredientsBox, m_preparationBox, m_notesBox}) {
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

void BrowseWindow::refillCategories()
{
    fillBrowseCategories(app().recipeDoc, *m_cats, *m_recs);
    if (m_categoryCombo->count() == 0) {
        m_recs->fill({});
        clearRecipe();
        m_shownPictureName->clear();
    }
}

void BrowseWindow::showChosenCategory()
{
    clearRecipe();
    if (m_categoryCombo->currentIndex() < 0)
        return;
    listCategoryRecipes(app().recipeDoc, m_cats->itemData(m_categoryCombo->currentIndex()), *m_recs);
}

void BrowseWindow::showChosenRecipe()
{
    showRecipe();
}

void BrowseWindow::clearRecipe()
{
    for (QPlainTextEdit* box : {m_ingredientsBox, m_preparationBox, m_notesBox})
        box->clear();
    for (QLabel* label : {m_prepTimeValue, m_yieldValue, m_cookTimeValue, m_dateValue})
        label->clear();
    m_thumbnail->clear();
    m_thumbnail->hide();
}

void BrowseWindow::showRecipe()
{
    if (m_categoryCombo->currentIndex() < 0 || !m_recipeList->currentItem())
        return;
    const Recipe recipe = RecipeBook::readRecipe(recipeAt(app().recipeDoc, shownRecipe()));
    m_prepTimeValue->setText(recipe.prepTime);
    m_cookTimeValue->setText(recipe.cookTime);
    m_yieldValue->setText(recipe.yield);
    m_ingredientsBox->setPlainText(withCrLfLineEnds(recipe.ingredients));
    m_preparationBox->setPlainText(withCrLfLineEnds(recipe.preparation));
    m_notesBox->setPlainText(withCrLfLineEnds(recipe.notes));
    m_dateValue->setText(recipe.date);
    m_shownPictureName->clear();
    m_thumbnail->clear();
    m_thumbnail->hide();
    if (!recipe.image.isEmpty()) {
        m_shownPictureName->setText(recipe.image);
        showThumbnail(recipe.image);
    }
}

void BrowseWindow::showThumbnail(const QString& fileName)
{
    m_thumbnail->hide();
    const QString path = picturePath(app().imagesPath(), fileName);
    if (!pathExists(path)) {
        m_shownPictureName->clear();
        return;
    }
    const LoadedPicture picture = loadPicture(path);
    if (picture.isNull())
        return;
    const TwipRect& frame = m_layout.pictureFrame;
    const ThumbPlacement t = fitBrowseThumbnail(frame.width, frame.height, picture.himetricWidth,
                                                picture.himetricHeight, picture.twipsWidth, picture.twipsHeight);
    m_thumbnail->setPixmap(picture.pixmap);
    placeTwips(m_thumbnail, {t.left, t.top, t.width, t.height});
    m_thumbnail->show();
}

void BrowseWindow::viewPicture()
{
    if (m_shownPictureName->text().isEmpty())
        return;
    const QString path = picturePath(app().imagesPath(), m_shownPictureName->text());
    if (!pathExists(path))
        return;
    openImageViewer(this, path);
}

void BrowseWindow::handOverToEdit()
{
    AppState& a = app();
    a.editCategory = m_categoryCombo->currentText();
    a.editCategoryIndex = m_categoryCombo->currentIndex();
    a.editTitle = m_recipeList->currentItem() ? m_recipeList->currentItem()->text() : QString();
    a.editIngredients = withCrLfLineEnds(m_ingredientsBox->toPlainText());
    a.editPreparation = withCrLfLineEnds(m_preparationBox->toPlainText());
    a.editNotes = withCrLfLineEnds(m_notesBox->toPlainText());
    a.editPrepTime = m_prepTimeValue->text();
    a.editCookTime = m_cookTimeValue->text();
    a.editYield = m_yieldValue->text();
    a.editImage = m_shownPictureName->text();
    a.editRecipe = shownRecipe();
}

RecipeRef BrowseWindow::shownRecipe() const
{
    const QListWidgetItem* item = m_recipeList->currentItem();
    if (m_categoryCombo->currentIndex() < 0 || !item)
        return {};
    return {m_cats->itemData(m_categoryCombo->currentIndex()), item->data(Qt::UserRole).toInt(), item->text()};
}

void BrowseWindow::editShownRecipe()
{
    if (!m_recipeList->currentItem() || m_recipeList->currentItem()->text().isEmpty())
        return;
    handOverToEdit();
    switchTo([] { showMainWindow(MainWindowKind::Edit); });
}

void BrowseWindow::removeShownRecipe()
{
    if (!m_recipeList->currentItem() || m_recipeList->currentItem()->text().isEmpty())
        return;
    const QString title = m_recipeList->currentItem()->text();
    const QString question =
        loadText(TextId::ConfirmDeletionPrompt) + QStringLiteral(":  « ") + title + QStringLiteral(" »");
    if (app().dialogs->message(question, kMessageTitle, MsgButtons::YesNo, MsgIcon::None) != MsgAnswer::Yes)
        return;
    // The recipe shown goes, even when another one in the book has the same title.
    const ChangeOutcome outcome = removeRecipe(app().recipeDoc, shownRecipe());
    reportChange(outcome);
    if (outcome.status != ChangeOutcome::Status::SaveFailed)
        showChosenCategory();
}

bool BrowseWindow::printingSupported() const
{
    return printingAvailable(QString::fromLatin1(qVersion()));
}

void BrowseWindow::printShownRecipe()
{
    if (!printingSupported()) {
        showMessage(*app().dialogs, loadText(TextId::PrintUnavailableMessage), MsgIcon::Information);
        return;
    }
    if (!m_recipeList->currentItem() || m_recipeList->currentItem()->text().isEmpty())
        return;
    app().printPreview = false;
}

void BrowseWindow::previewShownRecipe()
{
    if (!printingSupported()) {
        showMessage(*app().dialogs, loadText(TextId::PrintUnavailableMessage), MsgIcon::Information);
        return;
    }
    app().printPreview = true;
}

void BrowseWindow::updateEditMenu()
{
    const auto* box = qobject_cast<const QPlainTextEdit*>(focusWidget());
    const bool ours = box == m_ingredientsBox || box == m_preparationBox || box == m_notesBox;
    m_copyAction->setEnabled(ours && box->textCursor().hasSelection());
}

void BrowseWindow::copySelection()
{
    const auto* box = qobject_cast<const QPlainTextEdit*>(focusWidget());
    if (!box || (box != m_ingredientsBox && box != m_preparationBox && box != m_notesBox))
        return;
    QString text = box->textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

void BrowseWindow::showAbout()
{
    openAboutBox(this);
}

void BrowseWindow::showHelpContents()
{
    showHelp(QStringLiteral("br"));
}

bool BrowseWindow::selectRecipe(const QString& category, const QString& title)
{
    for (int row = 0; row < m_categoryCombo->count(); ++row) {
        if (m_categoryCombo->itemText(row) != category)
            continue;
        m_cats->setCurrentRow(row);
        for (int r = 0; r < m_recipeList->count(); ++r) {
            if (m_recipeList->item(r)->text() == title) {
                m_recs->setCurrentRow(r);
                return true;
            }
        }
        return false;
    }
    return false;
}
