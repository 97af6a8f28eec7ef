#include "ui/browse/browse_window.h"

#include "core/app/app_state.h"
#include "core/book/book_operations.h"
#include "core/book/category_lists.h"
#include "core/book/picture_names.h"
#include "core/book/recipe_changes.h"
#include "core/book/recipe_checks.h"
#include "core/layout/twips.h"
#include "core/settings/settings_store.h"
#include "core/text/text_table.h"
#include "ui/platform/picture_viewer.h"
#include "ui/platform/dialogs.h"
#include "ui/platform/picture_loading.h"
#include "ui/platform/recipe_text_boxes.h"
#include "ui/platform/screen_metrics.h"
#include "ui/platform/window_parts.h"
#include "ui/platform/window_placement.h"
#include "ui/platform/color_scheme.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <algorithm>

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
    m_backPanel = named(newFrame(central, false), "backPanel");
    m_listPanel = named(newFrame(m_backPanel, false), "listPanel");
    m_textPanel = named(newFrame(m_backPanel, false), "textPanel");
    m_detailsPanel = named(newFrame(m_backPanel, false), "detailsPanel");
    buildLists();
    buildDetails();
    m_texts = std::make_unique<RecipeTextBoxes>(m_textPanel, true, 8);
    for (QPlainTextEdit* box : m_texts->boxes())
        box->installEventFilter(this);
    m_buttonPanel = named(newFrame(m_textPanel, false), "buttonPanel");
    m_printButton = named(new QPushButton(m_buttonPanel), "printButton");
    m_editButton = named(new QPushButton(m_buttonPanel), "editButton");
    m_removeButton = named(new QPushButton(m_buttonPanel), "removeButton");

    tagColor(this, ColorTag::WindowBack);
    tagColor(menuBar(), ColorTag::Menu);
    tagColors(ColorTag::Button, m_printButton, m_editButton, m_removeButton);
    tagColor(m_buttonPanel, ColorTag::FieldBack);
    tagColors(ColorTag::Field, m_recipeList, m_categoryCombo);
    tagColor(m_heading[0], ColorTag::HeadingShadow);
    tagColors(ColorTag::Label, m_heading[1], m_prepTimeValue, m_cookTimeValue, m_yieldValue, m_dateValue);
    tagColors(ColorTag::Panel, m_pictureFrame, m_backPanel, m_detailsPanel, m_textPanel, m_listPanel);

    connect(m_categoryCombo, &QComboBox::currentIndexChanged, this, &BrowseWindow::showChosenCategory);
    connect(m_recipeList, &QListWidget::currentRowChanged, this, &BrowseWindow::showChosenRecipe);
    connect(m_printButton, &QPushButton::clicked, this, &BrowseWindow::printShownRecipe);
    connect(m_editButton, &QPushButton::clicked, this, &BrowseWindow::editShownRecipe);
    connect(m_removeButton, &QPushButton::clicked, this, &BrowseWindow::removeShownRecipe);
}

void BrowseWindow::buildLists()
{
    m_categoryCombo = named(new QComboBox(m_listPanel), "categoryCombo");
    m_recipeList = named(new QListWidget(m_listPanel), "recipeList");
    m_recipeList->setMouseTracking(true);
    m_recipeList->viewport()->installEventFilter(this);
    m_recipeList->installEventFilter(this);
    m_categories = std::make_unique<WidgetList>(m_categoryCombo);
    m_recipes = std::make_unique<WidgetList>(m_recipeList);
    const PictureBox picture = makePictureBox(m_listPanel, this);
    m_pictureFrame = picture.frame;
    m_thumbnail = picture.thumbnail;
    m_viewPictureLabel = picture.viewLabel;
}

void BrowseWindow::buildDetails()
{
    QLabel** captions[] = {&m_prepTimeCaption, &m_cookTimeCaption, &m_yieldCaption, &m_dateCaption};
    QLabel** values[] = {&m_prepTimeValue, &m_cookTimeValue, &m_yieldValue, &m_dateValue};
    const char* captionNames[] = {"prepTimeCaption", "cookTimeCaption", "yieldCaption", "dateCaption"};
    const char* valueNames[] = {"prepTimeValue", "cookTimeValue", "yieldValue", "dateValue"};
    for (int i = 0; i < 4; ++i) {
        *captions[i] = named(new QLabel(m_detailsPanel), captionNames[i]);
        *values[i] = named(new QLabel(m_detailsPanel), valueNames[i]);
        placeTwips(*captions[i], {60, 90.0 + i * 255, 1600, 255});
        placeTwips(*values[i], {1680, 90.0 + i * 255, 1540, 255});
    }
}

void BrowseWindow::buildMenus()
{
    m_fileMenu = named(menuBar()->addMenu(QString()), "fileMenu");
    m_printAction = named(m_fileMenu->addAction(QString(), this, &BrowseWindow::printShownRecipe), "printAction");
    m_printPreviewAction =
        named(m_fileMenu->addAction(QString(), this, &BrowseWindow::previewShownRecipe), "printPreviewAction");
    m_cookbookAction =
        named(m_fileMenu->addAction(QString(), this, &BrowseWindow::cookbookRequested), "cookbookAction");
    m_backupAction = named(m_fileMenu->addAction(QString(), this, &BrowseWindow::backupRequested), "backupAction");
    m_historyAction = named(m_fileMenu->addAction(QString(), this, &BrowseWindow::historyRequested), "historyAction");
    m_fileMenu->addSeparator();
    m_exitAction = named(m_fileMenu->addAction(QString(), this, &BrowseWindow::exitProgram), "exitAction");

    m_editMenu = named(menuBar()->addMenu(QString()), "editMenu");
    m_copyAction = named(m_editMenu->addAction(QString(), this, &BrowseWindow::copySelection), "copyAction");
    connect(m_editMenu, &QMenu::aboutToShow, this, &BrowseWindow::updateEditMenu);

    m_recipeMenu = named(menuBar()->addMenu(QString()), "recipeMenu");
    m_addRecipesAction = named(m_recipeMenu->addAction(QString(), this, &BrowseWindow::addRequested), "addRecipesAction");
    m_editRecipeAction =
        named(m_recipeMenu->addAction(QString(), this, &BrowseWindow::editShownRecipe), "editRecipeAction");
    m_removeRecipeAction =
        named(m_recipeMenu->addAction(QString(), this, &BrowseWindow::removeShownRecipe), "removeRecipeAction");
    m_recipeMenu->addSeparator();
    m_emailAction = named(m_recipeMenu->addAction(QString(), this, &BrowseWindow::requestEmail), "emailAction");
    m_plainTextAction = named(m_recipeMenu->addAction(QString(), this, &BrowseWindow::showPlainText), "plainTextAction");
    m_recipeMenu->addSeparator();
    m_scaleAction = named(m_recipeMenu->addAction(QString(), this, &BrowseWindow::requestScale), "scaleAction");
    m_scaleAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    m_showMetricAction = named(m_recipeMenu->addAction(QString()), "showMetricAction");
    m_showMetricAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    m_showUsUnitsAction = named(m_recipeMenu->addAction(QString()), "showUsUnitsAction");
    m_showUsUnitsAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_U));
    m_measuresGroup = new QActionGroup(this);
    m_measuresGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (QAction* measures : {m_showMetricAction, m_showUsUnitsAction}) {
        measures->setCheckable(true);
        m_measuresGroup->addAction(measures);
    }
    connect(m_measuresGroup, &QActionGroup::triggered, this, &BrowseWindow::showInChosenMeasures);
    m_saveShownAction =
        named(m_recipeMenu->addAction(QString(), this, &BrowseWindow::saveShownAsNewRecipe), "saveShownAction");

    m_categoryMenu = named(menuBar()->addMenu(QString()), "categoryMenu");
    m_renameCategoryAction =
        named(m_categoryMenu->addAction(QString(), this, &BrowseWindow::renameShownCategory), "renameCategoryAction");
    m_deleteCategoryAction =
        named(m_categoryMenu->addAction(QString(), this, &BrowseWindow::deleteShownCategory), "deleteCategoryAction");

    m_toolsMenu = named(menuBar()->addMenu(QString()), "toolsMenu");
    m_exportAction = named(m_toolsMenu->addAction(QString(), this, &BrowseWindow::exportRequested), "exportAction");
    m_searchAction = named(m_toolsMenu->addAction(QString(), this, &BrowseWindow::searchRequested), "searchAction");
    m_shoppingListAction =
        named(m_toolsMenu->addAction(QString(), this, &BrowseWindow::shoppingListRequested), "shoppingListAction");
    m_preferencesAction =
        named(m_toolsMenu->addAction(QString(), this, &BrowseWindow::preferencesRequested), "preferencesAction");

    m_helpMenu = named(menuBar()->addMenu(QString()), "helpMenu");
    m_aboutAction = named(m_helpMenu->addAction(QString(), this, &BrowseWindow::aboutRequested), "aboutAction");
    m_helpContentsAction =
        named(m_helpMenu->addAction(QString(), this, &BrowseWindow::helpRequested), "helpContentsAction");
}

void BrowseWindow::loadWindow()
{
    QPushButton* const buttons[] = {m_printButton, m_editButton, m_removeButton};
    for (int i = 0; i < 3; ++i) {
        placeTwips(buttons[i], {BrowseDesign::kButtonLefts[i], BrowseDesign::kButtonTop, BrowseDesign::kButtonWidth,
                                BrowseDesign::kButtonHeight});
    }
    restoreWindowPlacement(this);
    applyColorScheme(this);
    applyTexts();
    refillCategories();
    m_sizeLimits.attach(this);
    m_sizeLimits.setMaxWidth(50000);
    m_sizeLimits.setMaxHeight(50000);
    m_sizeLimits.setMinHeight(6900);
    m_sizeLimits.setMinWidth(9700);
    layOutWidgets();
}

void BrowseWindow::applyTexts()
{
    setWindowTitle(loadText(TextId::BrowseWindowTitle));
    m_printButton->setToolTip(loadText(TextId::PrintButtonTip));
    m_editButton->setToolTip(loadText(TextId::EditButtonTip));
    m_removeButton->setToolTip(loadText(TextId::RemoveButtonTip));
    m_heading[0]->setText(loadText(TextId::BrowseHeading));
    m_heading[1]->setText(loadText(TextId::BrowseHeading));
    m_emailAction->setText(loadText(TextId::EmailMenu));
    m_fileMenu->setTitle(loadText(TextId::FileMenu));
    m_printAction->setText(loadText(TextId::PrintMenu));
    m_printPreviewAction->setText(loadText(TextId::PrintPreviewMenu));
    m_cookbookAction->setText(loadText(TextId::PrintCookbookMenu));
    m_exitAction->setText(loadText(TextId::ExitMenu));
    m_recipeMenu->setTitle(loadText(TextId::RecipeMenu));
    m_addRecipesAction->setText(loadText(TextId::AddRecipesMenu));
    m_toolsMenu->setTitle(loadText(TextId::ToolsMenu));
    m_preferencesAction->setText(loadText(TextId::PreferencesMenu));
    m_searchAction->setText(loadText(TextId::SearchMenuAndButton));
    m_categoryMenu->setTitle(u'&' + loadText(TextId::CategoryMenu));
    m_renameCategoryAction->setText(u'&' + loadText(TextId::RenameCategoryMenu));
    m_deleteCategoryAction->setText(u'&' + loadText(TextId::RemoveCategoryMenu));
    m_backupAction->setText(loadText(TextId::BackupRecipesMenu));
    m_historyAction->setText(loadText(TextId::BookHistoryMenu));
    m_editRecipeAction->setText(loadText(TextId::EditThisRecipeMenu));
    m_removeRecipeAction->setText(loadText(TextId::RemoveThisRecipeMenu));
    m_helpMenu->setTitle(loadText(TextId::HelpMenu));
    m_aboutAction->setText(loadText(TextId::AboutMenu));
    m_helpContentsAction->setText(loadText(TextId::HelpContentsMenu));
    m_editMenu->setTitle(loadText(TextId::EditMenu));
    m_copyAction->setText(loadText(TextId::CopyMenu));
    m_exportAction->setText(loadText(TextId::ExportRecipesMenu));
    m_plainTextAction->setText(loadText(TextId::PlainTextMenu));
    m_scaleAction->setText(loadText(TextId::ScaleMenu));
    m_showMetricAction->setText(loadText(TextId::ShowMetricMenu));
    m_showUsUnitsAction->setText(loadText(TextId::ShowUsUnitsMenu));
    m_saveShownAction->setText(loadText(TextId::SaveShownAsNewMenu));
    m_shoppingListAction->setText(loadText(TextId::ShoppingListMenu));
    m_texts->applyTexts();
    m_printButton->setText(loadText(TextId::PrintButton));
    m_editButton->setText(loadText(TextId::EditButton));
    m_removeButton->setText(loadText(TextId::RemoveButton));
    m_prepTimeCaption->setText(loadText(TextId::PrepTimeLabel) + u':');
    m_cookTimeCaption->setText(loadText(TextId::CookTimeLabel) + u':');
    m_yieldCaption->setText(loadText(TextId::YieldLabel) + u':');
    m_dateCaption->setText(loadText(TextId::DateCreatedLabel) + u':');
    m_viewPictureLabel->setText(loadText(TextId::ClickToViewImageLabel));
    m_recipeList->setAccessibleName(loadText(TextId::RecipeListName));
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
    m_texts->place(RecipeTextBoxes::Ingredients, l.ingredientsCaption, l.ingredientsBox);
    m_texts->place(RecipeTextBoxes::Preparation, l.preparationCaption, l.preparationBox);
    m_texts->place(RecipeTextBoxes::Notes, l.notesCaption, l.notesBox);
    placeTwips(m_buttonPanel, l.buttonPanel);
    if (!m_shownPictureName.isEmpty())
        showThumbnail(m_shownPictureName);
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
        for (QPlainTextEdit* box : m_texts->boxes()) {
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
    fillBrowseCategories(app().book, *m_categories, *m_recipes);
    if (m_categoryCombo->count() == 0) {
        m_recipes->fill({});
        clearRecipe();
        m_shownPictureName.clear();
    }
}

void BrowseWindow::showChosenCategory()
{
    clearRecipe();
    if (m_categoryCombo->currentIndex() < 0)
        return;
    listCategoryRecipes(app().book, m_categories->itemData(m_categoryCombo->currentIndex()), *m_recipes);
}

void BrowseWindow::showChosenRecipe()
{
    showRecipe();
}

void BrowseWindow::clearRecipe()
{
    m_texts->clear();
    for (QLabel* label : {m_prepTimeValue, m_yieldValue, m_cookTimeValue, m_dateValue})
        label->clear();
    m_thumbnail->clear();
    m_thumbnail->hide();
    m_shownPictureName.clear(); // no recipe shown, no picture: not even after a resize
    m_shownTitle.clear();
    m_texts->setCaptionNote(RecipeTextBoxes::Ingredients, QString());
    updateRecipeActions();
    // A book without recipes (as on the first start) says how to write the first one.
    const QList<XmlNode> categories = app().book.categories();
    const bool hasRecipes = std::any_of(categories.cbegin(), categories.cend(),
                                        [](const XmlNode& category) { return !category.child(0).isNull(); });
    m_texts->box(RecipeTextBoxes::Ingredients)
        ->setPlaceholderText(hasRecipes ? QString() : loadText(TextId::EmptyBookInvitation));
}

void BrowseWindow::showRecipe()
{
    if (m_categoryCombo->currentIndex() < 0 || !m_recipeList->currentItem())
        return;
    if (m_categoryCombo->currentText() != m_scaledCategory || m_recipeList->currentItem()->text() != m_scaledTitle)
        m_adjustment.factor = 1; // a scale belongs to the recipe it was chosen for
    const Recipe stored = RecipeBook::readRecipe(recipeAt(app().book, shownRecipe()));
    const Recipe recipe = adjustedRecipe(stored, m_adjustment, language());
    m_shownTitle = adjustedTitle(stored, m_adjustment, language());
    m_prepTimeValue->setText(recipe.prepTime);
    m_cookTimeValue->setText(recipe.cookTime);
    m_yieldValue->setText(recipe.yield);
    m_texts->show(recipe);
    m_dateValue->setText(recipe.date);
    m_texts->setCaptionNote(RecipeTextBoxes::Ingredients, adjustmentNote(m_adjustment, language()));
    updateRecipeActions();
    m_shownPictureName.clear();
    m_thumbnail->clear();
    m_thumbnail->hide();
    if (!recipe.image.isEmpty()) {
        m_shownPictureName = recipe.image;
        showThumbnail(recipe.image);
    }
}

void BrowseWindow::showThumbnail(const QString& fileName)
{
    m_thumbnail->hide();
    const QString path = picturePath(app().imagesPath(), fileName);
    if (!QFileInfo(path).isFile()) {
        m_shownPictureName.clear();
        return;
    }
    const LoadedPicture picture = loadPicture(path);
    if (picture.isNull())
        return;
    const TwipRect& frame = m_layout.pictureFrame;
    const ThumbPlacement t = fitBrowseThumbnail(frame.width, frame.height, picture.himetricWidth,
                                                picture.himetricHeight, picture.twipsWidth, picture.twipsHeight);
    m_thumbnail->setPixmap(picture.pixmap);
    m_thumbnail->setAccessibleName(loadText(TextId::PictureOfRecipeName).arg(m_shownTitle));
    placeTwips(m_thumbnail, {t.left, t.top, t.width, t.height});
    m_thumbnail->show();
}

void BrowseWindow::viewPicture()
{
    if (m_shownPictureName.isEmpty())
        return;
    const QString path = picturePath(app().imagesPath(), m_shownPictureName);
    if (!QFileInfo(path).isFile())
        return;
    openPictureViewer(this, path);
}

RecipeRef BrowseWindow::shownRecipe() const
{
    const QListWidgetItem* item = m_recipeList->currentItem();
    if (m_categoryCombo->currentIndex() < 0 || !item)
        return {};
    return {m_categories->itemData(m_categoryCombo->currentIndex()), item->data(Qt::UserRole).toInt(), item->text()};
}

void BrowseWindow::editShownRecipe()
{
    if (!m_recipeList->currentItem() || m_recipeList->currentItem()->text().isEmpty())
        return;
    emit editRequested(shownRecipe());
}

void BrowseWindow::removeShownRecipe()
{
    if (!m_recipeList->currentItem() || m_recipeList->currentItem()->text().isEmpty())
        return;
    const QString title = m_recipeList->currentItem()->text();
    const QString question =
        loadText(TextId::ConfirmDeletionPrompt) + QStringLiteral(":  « ") + title + QStringLiteral(" »");
    if (dialogs().message(question, kMessageTitle, MsgButtons::YesNo, MsgIcon::None) != MsgAnswer::Yes)
        return;
    // The recipe shown goes, even when another one in the book has the same title.
    const ChangeOutcome outcome = removeRecipe(app().book, shownRecipe());
    reportChange(outcome);
    if (outcome.status != ChangeOutcome::Status::SaveFailed)
        showChosenCategory();
}

void BrowseWindow::printShownRecipe()
{
    if (!m_recipeList->currentItem() || m_recipeList->currentItem()->text().isEmpty())
        return;
    emit printRequested(shownTexts(), false);
}

void BrowseWindow::previewShownRecipe()
{
    emit printRequested(shownTexts(), true); // a preview needs no chosen recipe
}

ShownRecipe BrowseWindow::shownTexts() const
{
    const QListWidgetItem* current = m_recipeList->currentItem();
    return {current ? m_shownTitle : QString(),
            m_prepTimeValue->text(),
            m_cookTimeValue->text(),
            m_yieldValue->text(),
            m_texts->text(RecipeTextBoxes::Ingredients),
            m_texts->text(RecipeTextBoxes::Preparation),
            m_texts->text(RecipeTextBoxes::Notes)};
}

void BrowseWindow::showPlainText()
{
    emit plainTextRequested(shownTexts());
}

void BrowseWindow::requestEmail()
{
    if (!m_adjustment.isNone() && !shownRecipe().title.isEmpty())
        emit emailShownRequested(shownTexts());
    else
        emit emailRequested();
}

void BrowseWindow::updateRecipeActions()
{
    const bool chosen = !shownRecipe().title.isEmpty();
    m_scaleAction->setEnabled(chosen);
    m_saveShownAction->setEnabled(chosen && !m_adjustment.isNone());
}

void BrowseWindow::requestScale()
{
    const RecipeRef ref = shownRecipe();
    const XmlNode recipe = recipeAt(app().book, ref);
    if (ref.title.isEmpty() || !recipe)
        return;
    emit scaleRequested(ref.title, RecipeBook::field(recipe, RecipeField::Yield), m_adjustment.factor);
}

void BrowseWindow::showScaled(double factor)
{
    if (!m_recipeList->currentItem())
        return;
    m_adjustment.factor = factor;
    m_scaledCategory = m_categoryCombo->currentText();
    m_scaledTitle = m_recipeList->currentItem()->text();
    showRecipe();
}

void BrowseWindow::showInChosenMeasures()
{
    if (m_showMetricAction->isChecked())
        m_adjustment.measures = MeasureSystem::Metric;
    else if (m_showUsUnitsAction->isChecked())
        m_adjustment.measures = MeasureSystem::UsCustomary;
    else
        m_adjustment.measures = MeasureSystem::None;
    showRecipe();
}

void BrowseWindow::saveShownAsNewRecipe()
{
    const RecipeRef ref = shownRecipe();
    const XmlNode node = recipeAt(app().book, ref);
    if (ref.title.isEmpty() || !node || m_adjustment.isNone())
        return;
    const Recipe stored = RecipeBook::readRecipe(node);
    const Recipe shown = adjustedRecipe(stored, m_adjustment, language());
    const QString category = m_categoryCombo->currentText();
    QString title = m_shownTitle;
    // The add window's checks, asked again until the title passes or the cook cancels.
    for (;;) {
        QString answer;
        if (!dialogs().inputBox(loadText(TextId::NewRecipeTitlePrompt), kMessageTitle, title, &answer))
            return;
        title = cleanedName(answer);
        const std::optional<TextId> problem = recipeFormProblem(app().book, RecipeWindowKind::Add, true, title);
        if (!problem)
            break;
        showMessage(problem == TextId::InvalidTitleCharsMessage ? invalidNameMessage(*problem, InvalidCharsList::Title)
                                                                : loadText(*problem));
    }
    const QString picture = stored.image.isEmpty() ? QString() : picturePath(app().imagesPath(), stored.image);
    const RecipeForm form{title,      shown.prepTime, shown.cookTime, shown.yield, shown.ingredients, shown.preparation,
                          shown.notes};
    // A picture that has gone from the folder does not stop the recipe from being saved.
    if (!reportChange(addRecipe(app().book, ref.category, form, QFileInfo(picture).isFile() ? picture : QString())))
        return;
    // The new recipe is shown as it was stored: its amounts are already the scaled ones.
    refillCategories();
    m_adjustment.factor = 1;
    selectRecipe(category, title);
}

void BrowseWindow::updateEditMenu()
{
    const auto* box = qobject_cast<const QPlainTextEdit*>(focusWidget());
    m_copyAction->setEnabled(m_texts->holds(box) && box->textCursor().hasSelection());
}

void BrowseWindow::copySelection()
{
    const auto* box = qobject_cast<const QPlainTextEdit*>(focusWidget());
    if (!m_texts->holds(box))
        return;
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(RecipeTextBoxes::selectedText(box));
}

void BrowseWindow::showReloadedBook()
{
    const QString category = m_categoryCombo->currentText();
    const QListWidgetItem* recipe = m_recipeList->currentItem();
    const QString title = recipe ? recipe->text() : QString();
    const int scrolled = m_recipeList->verticalScrollBar()->value();
    refillCategories();
    if (selectRecipe(category, title) || m_categoryCombo->currentText() == category)
        m_recipeList->verticalScrollBar()->setValue(scrolled);
}

bool BrowseWindow::selectRecipe(const QString& category, const QString& title)
{
    for (int row = 0; row < m_categoryCombo->count(); ++row) {
        if (m_categoryCombo->itemText(row) != category)
            continue;
        m_categories->setCurrentRow(row);
        for (int r = 0; r < m_recipeList->count(); ++r) {
            if (m_recipeList->item(r)->text() == title) {
                m_recipes->setCurrentRow(r);
                return true;
            }
        }
        return false;
    }
    return false;
}
