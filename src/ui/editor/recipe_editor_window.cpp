#include "ui/editor/recipe_editor_window.h"

#include "core/app/app_state.h"
#include "core/book/xml_document.h"
#include "core/layout/editor_layout.h"
#include "core/layout/picture_fit.h"
#include "core/layout/twips.h"
#include "core/text/text_table.h"
#include "ui/platform/picture_viewer.h"
#include "ui/platform/screen_metrics.h"
#include "ui/platform/window_parts.h"
#include "ui/platform/color_scheme.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTimer>

namespace {

constexpr TwipRect kPictureFrame{120, 1860, 3060, 1900};
// The side panel's captions and boxes share this span; a caption takes the width its text needs.
constexpr double kSideLeft = 120, kSideRight = 3180, kSideCaptionWidth = 1300, kSideGap = 20;

QString selectedText(const QWidget* box)
{
    if (const auto* line = qobject_cast<const QLineEdit*>(box))
        return line->selectedText();
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(box))
        return RecipeTextBoxes::selectedText(text);
    return {};
}

void replaceSelection(QWidget* box, const QString& with)
{
    if (auto* line = qobject_cast<QLineEdit*>(box))
        line->insert(with);
    else if (auto* text = qobject_cast<QPlainTextEdit*>(box)) {
        QTextCursor cursor = text->textCursor();
        cursor.insertText(with);
        text->setTextCursor(cursor);
    }
}

} // namespace

RecipeEditorWindow::RecipeEditorWindow(QWidget* parent) : MainWindowBase(parent)
{
    buildControls();
}

void RecipeEditorWindow::buildControls()
{
    QWidget* central = makeCentralWidget(this, this);
    makeHeading(central, m_heading);
    m_textPanel = named(newFrame(central), "textPanel");
    m_sidePanel = named(newFrame(m_textPanel), "sidePanel");
    buildTextPanel();
    buildSidePanel();
    m_pictureDialog.title = kMessageTitle;
    // The names the chooser accepts, in either case; the description is the one the window always had.
    m_pictureDialog.filter = QStringLiteral("(*.jpg, *.gif, *.bmp) |*.jpg;*.jpeg;*.jpe;*.gif;*.bmp|");

    tagColor(this, ColorTag::WindowBack);
    tagColor(menuBar(), ColorTag::Menu);
    tagColors(ColorTag::Button, m_secondButton, m_saveButton, m_pictureButton);
    tagColors(ColorTag::FieldBack, m_buttonPanel, m_pictureButtonPanel);
    tagColors(ColorTag::Field, m_titleBox, m_prepTimeBox, m_cookTimeBox, m_yieldBox, m_categoryCombo);
    tagColor(m_heading[0], ColorTag::HeadingShadow);
    tagColors(ColorTag::Label, m_heading[1], m_categoryCaption, m_titleCaption);
    tagColors(ColorTag::Panel, m_pictureFrame, m_sidePanel, m_textPanel);

    connect(m_categoryCombo, &QComboBox::currentIndexChanged, this, &RecipeEditorWindow::categoryChosen);
    connect(m_categoryCombo, &QComboBox::activated, this, &RecipeEditorWindow::categoryActivated);
    connect(m_pictureButton, &QPushButton::clicked, this, &RecipeEditorWindow::togglePicture);
}

void RecipeEditorWindow::buildTextPanel()
{
    m_titleCaption = named(new QLabel(m_textPanel), "titleCaption");
    m_titleBox = named(new QLineEdit(m_textPanel), "titleBox");
    QFont bold = m_titleCaption->font();
    bold.setBold(true);
    m_titleCaption->setFont(bold);
    m_titleCaption->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    m_titleCaption->setBuddy(m_titleBox);
    m_texts = std::make_unique<RecipeTextBoxes>(m_textPanel, false);
    m_degreeLabel = named(new QLabel(m_textPanel), "degreeLabel");
    m_degreeLabel->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    m_degreeLabel->setMouseTracking(true);
    m_degreeLabel->installEventFilter(this);
    m_texts->box(RecipeTextBoxes::Preparation)->installEventFilter(this);
}

void RecipeEditorWindow::buildSidePanel()
{
    m_categoryCaption = named(new QLabel(m_sidePanel), "categoryCaption");
    m_categoryCombo = named(new QComboBox(m_sidePanel), "categoryCombo");
    m_categories = std::make_unique<WidgetList>(m_categoryCombo);
    placeTwips(m_categoryCaption, {120, 60, 3060, 240});
    placeTwips(m_categoryCombo, {120, 300, 3060, 330});
    m_prepTimeCaption = named(new QLabel(m_sidePanel), "prepTimeCaption");
    m_prepTimeBox = named(new QLineEdit(m_sidePanel), "prepTimeBox");
    m_cookTimeCaption = named(new QLabel(m_sidePanel), "cookTimeCaption");
    m_cookTimeBox = named(new QLineEdit(m_sidePanel), "cookTimeBox");
    m_yieldCaption = named(new QLabel(m_sidePanel), "yieldCaption");
    m_yieldBox = named(new QLineEdit(m_sidePanel), "yieldBox");
    // Screen readers name each box by its caption.
    m_categoryCaption->setBuddy(m_categoryCombo);
    m_prepTimeCaption->setBuddy(m_prepTimeBox);
    m_cookTimeCaption->setBuddy(m_cookTimeBox);
    m_yieldCaption->setBuddy(m_yieldBox);

    const PictureBox picture = makePictureBox(m_sidePanel, this);
    m_pictureFrame = picture.frame;
    m_thumbnail = picture.thumbnail;
    m_viewPictureLabel = picture.viewLabel;
    placeTwips(m_pictureFrame, kPictureFrame);
    placeTwips(m_viewPictureLabel, {120, kPictureFrame.bottom(), 3060, 255});

    m_pictureButtonPanel = newFrame(m_sidePanel);
    placeTwips(m_pictureButtonPanel, {120, 4080, 3060, 480});
    m_pictureButton = named(new QPushButton(m_pictureButtonPanel), "pictureButton");
    placeTwips(m_pictureButton, {60, 60, 2940, 360});

    m_buttonPanel = newFrame(m_sidePanel);
    placeTwips(m_buttonPanel, {120, 4620, 3060, 600});
    m_saveButton = named(new QPushButton(m_buttonPanel), "saveButton");
    m_secondButton = new QPushButton(m_buttonPanel);
    placeTwips(m_saveButton, {60, 105, 1425, 390});
    placeTwips(m_secondButton, {1575, 105, 1425, 390});
}

void RecipeEditorWindow::buildFileAndEditMenus()
{
    m_fileMenu = named(menuBar()->addMenu(QString()), "fileMenu");
    m_exitAction = named(m_fileMenu->addAction(QString(), this, &RecipeEditorWindow::exitProgram), "exitAction");
    m_editMenu = named(menuBar()->addMenu(QString()), "editMenu");
    m_copyAction = named(m_editMenu->addAction(QString(), this, &RecipeEditorWindow::editCopy), "copyAction");
    m_cutAction = named(m_editMenu->addAction(QString(), this, &RecipeEditorWindow::editCut), "cutAction");
    m_pasteAction = named(m_editMenu->addAction(QString(), this, &RecipeEditorWindow::editPaste), "pasteAction");
    connect(m_editMenu, &QMenu::aboutToShow, this, &RecipeEditorWindow::updateEditMenu);
}

QMenu* RecipeEditorWindow::addRecipeMenu()
{
    m_recipeMenu = named(menuBar()->addMenu(QString()), "recipeMenu");
    return m_recipeMenu;
}

void RecipeEditorWindow::buildHelpMenu()
{
    m_helpMenu = named(menuBar()->addMenu(QString()), "helpMenu");
    m_aboutAction = named(m_helpMenu->addAction(QString(), this, &RecipeEditorWindow::aboutRequested), "aboutAction");
    m_helpContentsAction =
        named(m_helpMenu->addAction(QString(), this, &RecipeEditorWindow::helpRequested), "helpContentsAction");
}

void RecipeEditorWindow::applyTexts()
{
    const Kind& kind = editorKind();
    setWindowTitle(loadText(kind.title));
    for (QLabel* heading : m_heading)
        heading->setText(withoutAccessMarks(loadText(kind.heading)));
    m_titleCaption->setText(loadText(TextId::TitleLabel));
    m_texts->applyTexts();
    m_categoryCaption->setText(loadText(TextId::CategoryLabel));
    m_degreeLabel->setText(QStringLiteral("° (") + loadText(TextId::DegreeSymbolLabel) + u')');
    m_pictureButton->setText(loadText(TextId::AddImageButton));
    m_prepTimeCaption->setText(loadText(TextId::PrepTimeLabel));
    m_cookTimeCaption->setText(loadText(TextId::CookTimeLabel));
    m_yieldCaption->setText(loadText(TextId::YieldLabel));
    m_viewPictureLabel->setText(loadText(TextId::ClickToViewImageLabel));
    m_saveButton->setText(loadText(kind.saveButton));
    m_secondButton->setText(loadText(kind.secondButton));
    m_fileMenu->setTitle(loadText(TextId::FileMenu));
    m_exitAction->setText(loadText(TextId::ExitMenu));
    m_editMenu->setTitle(loadText(TextId::EditMenu));
    m_copyAction->setText(loadText(TextId::CopyMenu));
    m_cutAction->setText(loadText(TextId::CutMenu));
    m_pasteAction->setText(loadText(TextId::PasteMenu));
    m_recipeMenu->setTitle(loadText(TextId::RecipeMenu));
    m_pictureAction->setText(loadText(TextId::AddImageMenu));
    m_helpMenu->setTitle(loadText(TextId::HelpMenu));
    m_aboutAction->setText(loadText(TextId::AboutMenu));
    m_helpContentsAction->setText(loadText(TextId::HelpContentsMenu));
    placeSideCaptions();
}

void RecipeEditorWindow::placeSideCaptions()
{
    // Captions take the width their text needs ("Cocinar tiempo" at large text); the boxes what is left.
    const double tx = twipsPerPixelX(this);
    double captionWidth = kSideCaptionWidth;
    for (QLabel* caption : {m_prepTimeCaption, m_cookTimeCaption, m_yieldCaption})
        captionWidth = std::max<double>(captionWidth, pixelsToTwips(caption->sizeHint().width(), tx));
    captionWidth = std::min(captionWidth, (kSideRight - kSideLeft) / 2);
    const double boxLeft = kSideLeft + captionWidth + kSideGap;
    QLabel* const captions[] = {m_prepTimeCaption, m_cookTimeCaption, m_yieldCaption};
    QLineEdit* const boxes[] = {m_prepTimeBox, m_cookTimeBox, m_yieldBox};
    for (int i = 0; i < 3; ++i) {
        placeTwips(captions[i], {kSideLeft, 720.0 + i * 360, captionWidth, 315});
        placeTwips(boxes[i], {boxLeft, 720.0 + i * 360, kSideRight - boxLeft, 315});
    }
}

void RecipeEditorWindow::installSizeLimits(bool startAtMinimum)
{
    m_sizeLimits.attach(this);
    m_sizeLimits.setMaxWidth(60000);
    m_sizeLimits.setMaxHeight(60000);
    m_sizeLimits.setMinHeight(6900);
    m_sizeLimits.setMinWidth(9700);
    if (startAtMinimum)
        m_sizeLimits.resizeToMin();
}

QList<QWidget*> RecipeEditorWindow::editBoxes() const
{
    QList<QWidget*> boxes{m_titleBox, m_prepTimeBox, m_cookTimeBox, m_yieldBox};
    for (QPlainTextEdit* box : m_texts->boxes())
        boxes.append(box);
    return boxes;
}

RecipeForm RecipeEditorWindow::form() const
{
    return {m_titleBox->text(),
            m_prepTimeBox->text(),
            m_cookTimeBox->text(),
            m_yieldBox->text(),
            m_texts->text(RecipeTextBoxes::Ingredients),
            m_texts->text(RecipeTextBoxes::Preparation),
            m_texts->text(RecipeTextBoxes::Notes)};
}

int RecipeEditorWindow::selectedCategoryPosition() const
{
    return m_categories->itemData(m_categoryCombo->currentIndex());
}

bool RecipeEditorWindow::newCategorySelected() const
{
    return m_categoryCombo->currentIndex() >= 0 && selectedCategoryPosition() == kNewCategoryEntry;
}

bool RecipeEditorWindow::formPasses(const QString& ownTitle)
{
    // What the book will store: no characters XML cannot hold, no blanks around it.
    m_titleBox->setText(cleanedName(m_titleBox->text()));
    const bool categoryChosen = !newCategorySelected() && m_categoryCombo->currentIndex() >= 0;
    const std::optional<TextId> problem =
        recipeFormProblem(app().book, editorKind().checks, categoryChosen, m_titleBox->text(), ownTitle);
    if (!problem)
        return true;
    switch (*problem) {
    case TextId::CategoryRequiredMessage:
        showMessage(loadText(*problem));
        m_categoryCombo->setFocus();
        break;
    case TextId::TitleRequiredMessage:
        showMessage(loadText(*problem));
        focusTitle(false);
        break;
    case TextId::InvalidTitleCharsMessage:
        showMessage(invalidNameMessage(*problem, InvalidCharsList::Title));
        focusTitle(true);
        break;
    default:
        showMessage(loadText(*problem));
        focusTitle(true);
        break;
    }
    return false;
}

void RecipeEditorWindow::focusTitle(bool selectAll)
{
    m_titleBox->setFocus();
    if (selectAll)
        m_titleBox->selectAll();
}

void RecipeEditorWindow::clearFields()
{
    for (QLineEdit* box : {m_titleBox, m_prepTimeBox, m_cookTimeBox, m_yieldBox})
        box->clear();
    m_texts->clear();
}

bool RecipeEditorWindow::onDegreeText(const QPoint& position) const
{
    // The label is right-aligned in a wide box: only its text answers, not the blank space before it.
    const QRect box = m_degreeLabel->contentsRect();
    const int textWidth = m_degreeLabel->fontMetrics().horizontalAdvance(m_degreeLabel->text());
    return position.x() >= box.right() - textWidth && box.contains(position);
}

bool RecipeEditorWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (watched == m_degreeLabel) {
            if (onDegreeText(static_cast<QMouseEvent*>(event)->position().toPoint()))
                insertDegreeSign();
            return true;
        }
        break;
    case QEvent::MouseMove:
        if (watched == m_degreeLabel)
            m_degreeLabel->setCursor(onDegreeText(static_cast<QMouseEvent*>(event)->position().toPoint())
                                         ? Qt::PointingHandCursor
                                         : Qt::ArrowCursor);
        break;
    case QEvent::MouseButtonRelease:
        if (watched == m_viewPictureLabel || watched == m_pictureFrame)
            viewPicture();
        break;
    default:
        break;
    }
    return MainWindowBase::eventFilter(watched, event);
}

void RecipeEditorWindow::layOutWidgets()
{
    if (isMinimized() || !centralWidget())
        return;
    const double tx = twipsPerPixelX(this);
    const double ty = twipsPerPixelY(this);
    // Computed afresh from the current size each time, so running again at any point is harmless.
    const EditorLayout l =
        layOutEditorWindow(pixelsToTwips(centralWidget()->width(), tx), pixelsToTwips(centralWidget()->height(), ty));
    placeTwips(m_heading[0], l.heading[0]);
    placeTwips(m_heading[1], l.heading[1]);
    placeTwips(m_textPanel, l.textPanel);
    placeTwips(m_sidePanel, l.sidePanel);
    placeTwips(m_titleCaption, l.titleCaption);
    placeTwips(m_titleBox, l.titleBox);
    m_texts->place(RecipeTextBoxes::Ingredients, l.ingredientsCaption, l.ingredientsBox);
    m_texts->place(RecipeTextBoxes::Preparation, l.preparationCaption, l.preparationBox);
    m_texts->place(RecipeTextBoxes::Notes, l.notesCaption, l.notesBox);
    // The degree label keeps its right edge and grows to the left when its text needs more room.
    TwipRect degree = l.degreeLabel;
    const double needed = pixelsToTwips(m_degreeLabel->sizeHint().width(), tx);
    if (needed > degree.width) {
        degree.left -= needed - degree.width;
        degree.width = needed;
    }
    placeTwips(m_degreeLabel, degree);
}

void RecipeEditorWindow::categoryChosen()
{
    if (!newCategorySelected())
        return;
    askForNewCategory();
    // A choice in the list also reports itself as activated, right after this: it asked once already.
    m_promptRan = true;
    QTimer::singleShot(0, this, [this] { m_promptRan = false; });
}

void RecipeEditorWindow::categoryActivated()
{
    // Choosing "[new category..]" again while it is selected changes nothing, yet asks again.
    if (m_promptRan) {
        m_promptRan = false;
        return;
    }
    if (newCategorySelected())
        askForNewCategory();
}

void RecipeEditorWindow::showReloadedBook()
{
    QString chosen = newCategorySelected() ? QString() : m_categoryCombo->currentText();
    bool stillThere = false;
    for (const XmlNode& category : app().book.categories())
        stillThere = stillThere || RecipeBook::categoryName(category) == chosen;
    // Filled quietly: choosing the new-category entry here must not ask for a name.
    const QSignalBlocker quiet(m_categoryCombo);
    fillCategoryList(app().book, *m_categories, editorKind().categoryList, stillThere ? chosen : QString());
}

void RecipeEditorWindow::askForNewCategory()
{
    QString name;
    if (!dialogs().inputBox(loadText(TextId::NewCategoryPrompt), kMessageTitle, QString(), &name))
        return;
    name = cleanedName(name); // as the book will store it
    if (name.isEmpty())
        return;
    const std::optional<TextId> problem = categoryNameProblem(app().book, name);
    if (problem == TextId::InvalidCategoryCharsMessage) {
        showMessage(invalidNameMessage(*problem, editorKind().categoryCharsList));
        return;
    }
    if (problem) {
        showMessage(loadText(*problem));
        return;
    }
    if (reportChange(addCategory(app().book, name)))
        fillCategoryList(app().book, *m_categories, editorKind().categoryList, name);
}

void RecipeEditorWindow::setPictureState(bool attached)
{
    m_pictureAttached = attached;
    m_pictureButton->setText(loadText(attached ? TextId::RemoveButton : TextId::AddImageButton));
    m_pictureAction->setText(loadText(attached ? TextId::RemoveImageMenu : TextId::AddImageMenu));
}

void RecipeEditorWindow::clearPicture()
{
    m_pictureDialog.fileName.clear();
    m_thumbnail->clear();
    m_thumbnail->hide();
    m_picture = {};
}

void RecipeEditorWindow::togglePicture()
{
    if (m_pictureAttached) {
        clearPicture();
        setPictureState(false);
        m_pictureFrame->update();
    } else {
        setPictureState(true);
        choosePicture();
    }
    if (m_pictureDialog.fileName.isEmpty())
        setPictureState(false);
}

void RecipeEditorWindow::choosePicture()
{
    for (;;) {
        if (!dialogs().openFile(m_pictureDialog)) {
            clearPicture(); // a cancelled choice leaves no half-chosen name behind
            return;
        }
        if (isAcceptedPictureName(m_pictureDialog.fileName))
            break;
        showMessage(loadText(TextId::InvalidImageFileMessage) + QStringLiteral(" (*.jpg, *.gif, *.bmp)"));
    }
    if (editorKind().refusesImagesFolder) {
        const QString folder = QFileInfo(m_pictureDialog.fileName).absoluteDir().canonicalPath();
        if (!folder.isEmpty() && folder == QDir(app().imagesPath()).canonicalPath()) {
            showMessage(loadText(TextId::ImageFromImagesFolderMessage), MsgIcon::Exclamation);
            setPictureState(false);
            clearPicture();
            return;
        }
    }
    if (!loadPicture(m_pictureDialog.fileName).isNull()) {
        showThumbnail(m_pictureDialog.fileName);
        return;
    }
    showMessage(loadText(TextId::CorruptImageMessage), editorKind().corruptPictureIcon);
    setPictureState(false);
    clearPicture();
}

void RecipeEditorWindow::showThumbnail(const QString& path)
{
    m_thumbnail->hide();
    if (!path.isEmpty())
        m_picture = loadPicture(path);
    if (m_picture.isNull())
        return;
    const ThumbPlacement t = fitEditorThumbnail(kPictureFrame.width, kPictureFrame.height, m_picture.himetricWidth,
                                                m_picture.himetricHeight, m_picture.twipsWidth, m_picture.twipsHeight);
    m_thumbnail->setPixmap(m_picture.pixmap);
    m_thumbnail->setAccessibleName(loadText(TextId::PictureOfRecipeName).arg(m_titleBox->text().trimmed()));
    placeTwips(m_thumbnail, {t.left, t.top, t.width, t.height});
    m_thumbnail->show();
}

void RecipeEditorWindow::viewPicture()
{
    if (!m_pictureDialog.fileName.isEmpty())
        openPictureViewer(this, m_pictureDialog.fileName);
}

void RecipeEditorWindow::insertDegreeSign()
{
    // Replaces a selection, or goes in at the caret, which then stands after the sign.
    replaceSelection(m_texts->box(RecipeTextBoxes::Preparation), QStringLiteral("°"));
}

void RecipeEditorWindow::updateEditMenu()
{
    QWidget* box = focusWidget();
    const bool ours = editBoxes().contains(box);
    const bool selection = ours && !selectedText(box).isEmpty();
    m_copyAction->setEnabled(selection);
    m_cutAction->setEnabled(selection);
    m_pasteAction->setEnabled(ours && !QApplication::clipboard()->text().isEmpty());
}

void RecipeEditorWindow::editCopy()
{
    QWidget* box = focusWidget();
    if (!editBoxes().contains(box))
        return;
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(selectedText(box));
}

void RecipeEditorWindow::editCut()
{
    QWidget* box = focusWidget();
    if (!editBoxes().contains(box))
        return;
    editCopy();
    replaceSelection(box, QString());
}

void RecipeEditorWindow::editPaste()
{
    QWidget* box = focusWidget();
    if (editBoxes().contains(box))
        replaceSelection(box, QApplication::clipboard()->text());
}
