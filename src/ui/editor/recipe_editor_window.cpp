#include "ui/editor/recipe_editor_window.h"

#include "core/app/app_state.h"
#include "core/layout/picture_fit.h"
#include "core/layout/twips.h"
#include "core/text/text_table.h"
#include "ui/editor/picture_viewer.h"
#include "ui/platform/screen_metrics.h"
#include "ui/platform/window_parts.h"
#include "ui/preferences/about_box.h"
#include "ui/preferences/help_window.h"

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
#include <QTextCursor>

namespace {

constexpr TwipRect kPictureFrame{120, 1860, 3060, 1900};

QString selectedText(const QWidget* box)
{
    if (const auto* line = qobject_cast<const QLineEdit*>(box))
        return line->selectedText();
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(box)) {
        QString selected = text->textCursor().selectedText();
        selected.replace(QChar::ParagraphSeparator, u'\n');
        return selected;
    }
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
    m_textPanel = newFrame(central);
    m_sidePanel = newFrame(m_textPanel);

    m_titleCaption = new QLabel(m_textPanel);
    m_titleBox = new QLineEdit(m_textPanel);
    m_ingredientsCaption = new QLabel(m_textPanel);
    m_ingredientsBox = new QPlainTextEdit(m_textPanel);
    m_preparationCaption = new QLabel(m_textPanel);
    m_preparationBox = new QPlainTextEdit(m_textPanel);
    m_notesCaption = new QLabel(m_textPanel);
    m_notesBox = new QPlainTextEdit(m_textPanel);
    for (QLabel* label : {m_titleCaption, m_ingredientsCaption, m_preparationCaption, m_notesCaption}) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    }
    m_degreeLabel = new QLabel(m_textPanel);
    m_degreeLabel->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    m_degreeLabel->setCursor(Qt::PointingHandCursor);
    m_degreeLabel->installEventFilter(this);
    m_preparationBox->installEventFilter(this);

    m_categoryCaption = new QLabel(m_sidePanel);
    m_categoryCombo = new QComboBox(m_sidePanel);
    m_cats = std::make_unique<ComboBoxList>(m_categoryCombo);
    placeTwips(m_categoryCaption, {120, 60, 3060, 240});
    placeTwips(m_categoryCombo, {120, 300, 3060, 330});
    QLabel** captions[] = {&m_prepTimeCaption, &m_cookTimeCaption, &m_yieldCaption};
    QLineEdit** boxes[] = {&m_prepTimeBox, &m_cookTimeBox, &m_yieldBox};
    for (int i = 0; i < 3; ++i) {
        *captions[i] = new QLabel(m_sidePanel);
        *boxes[i] = new QLineEdit(m_sidePanel);
        placeTwips(*captions[i], {120, 720.0 + i * 360, 1300, 315});
        placeTwips(*boxes[i], {1440, 720.0 + i * 360, 1740, 315});
    }

    m_pictureFrame = newFrame(m_sidePanel, true);
    m_pictureFrame->setCursor(Qt::PointingHandCursor);
    m_pictureFrame->installEventFilter(this);
    placeTwips(m_pictureFrame, kPictureFrame);
    m_thumbnail = new QLabel(m_pictureFrame);
    m_thumbnail->setScaledContents(true);
    m_thumbnail->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_thumbnail->hide();
    m_viewPictureLabel = new QLabel(m_sidePanel);
    m_viewPictureLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_viewPictureLabel->setCursor(Qt::PointingHandCursor);
    m_viewPictureLabel->installEventFilter(this);
    placeTwips(m_viewPictureLabel, {120, kPictureFrame.bottom(), 3060, 255});

    m_pictureButtonPanel = newFrame(m_sidePanel);
    placeTwips(m_pictureButtonPanel, {120, 4080, 3060, 480});
    m_pictureButton = new QPushButton(m_pictureButtonPanel);
    placeTwips(m_pictureButton, {60, 60, 2940, 360});

    m_buttonPanel = newFrame(m_sidePanel);
    placeTwips(m_buttonPanel, {120, 4620, 3060, 600});
    m_saveButton = new QPushButton(m_buttonPanel);
    m_secondButton = new QPushButton(m_buttonPanel);
    placeTwips(m_saveButton, {60, 105, 1425, 390});
    placeTwips(m_secondButton, {1575, 105, 1425, 390});

    m_pictureDialog.title = kMessageTitle;
    // The names the chooser accepts, in either case; the description is the one the window always had.
    m_pictureDialog.filter = QStringLiteral("(*.jpg, *.gif, *.bmp) |*.jpg;*.jpeg;*.jpe;*.gif;*.bmp|");

    connect(m_categoryCombo, &QComboBox::currentIndexChanged, this, &RecipeEditorWindow::categoryChosen);
    connect(m_pictureButton, &QPushButton::clicked, this, &RecipeEditorWindow::togglePicture);
}

void RecipeEditorWindow::buildFileAndEditMenus(QMenu*& file, QAction*& exit, QMenu*& edit, QAction*& copy,
                                               QAction*& cut, QAction*& paste)
{
    file = menuBar()->addMenu(QString());
    exit = file->addAction(QString(), this, &RecipeEditorWindow::exitProgram);
    edit = menuBar()->addMenu(QString());
    copy = edit->addAction(QString(), this, &RecipeEditorWindow::editCopy);
    cut = edit->addAction(QString(), this, &RecipeEditorWindow::editCut);
    paste = edit->addAction(QString(), this, &RecipeEditorWindow::editPaste);
    connect(edit, &QMenu::aboutToShow, this, [this, copy, cut, paste] { updateEditMenu(copy, cut, paste); });
}

void RecipeEditorWindow::buildHelpMenu(QMenu*& help, QAction*& contents, QAction*& about, const QString& helpKey)
{
    help = menuBar()->addMenu(QString());
    contents = help->addAction(QString(), this, [helpKey] { showHelp(helpKey); });
    about = help->addAction(QString(), this, [this] { openAboutBox(this); });
}

void RecipeEditorWindow::installSizeLimits()
{
    m_formSize.attach(this);
    m_formSize.setMaxWidth(60000);
    m_formSize.setMaxHeight(60000);
    m_formSize.setMinHeight(6900);
    m_formSize.setMinWidth(9700);
}

QList<QWidget*> RecipeEditorWindow::editBoxes() const
{
    return {m_titleBox, m_ingredientsBox, m_preparationBox, m_notesBox, m_prepTimeBox, m_cookTimeBox, m_yieldBox};
}

RecipeForm RecipeEditorWindow::form() const
{
    return {m_titleBox->text(),       m_prepTimeBox->text(),           m_cookTimeBox->text(),
            m_yieldBox->text(),       m_ingredientsBox->toPlainText(), m_preparationBox->toPlainText(),
            m_notesBox->toPlainText()};
}

int RecipeEditorWindow::selectedCategoryPosition() const
{
    return m_cats->itemData(m_categoryCombo->currentIndex());
}

bool RecipeEditorWindow::newCategorySelected() const
{
    return m_categoryCombo->currentText() == loadText(TextId::NewCategoryEntry);
}

QString RecipeEditorWindow::normalizedTitle()
{
    // What the book will store: no characters XML cannot hold, no blanks around it.
    m_titleBox->setText(xmlStorableText(m_titleBox->text()).trimmed());
    return m_titleBox->text();
}

void RecipeEditorWindow::focusTitle(bool selectAll)
{
    m_titleBox->setFocus();
    if (selectAll)
        m_titleBox->selectAll();
}

bool RecipeEditorWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (watched == m_degreeLabel) {
            insertDegreeSign();
            return true;
        }
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
    placeTwips(m_ingredientsCaption, l.ingredientsCaption);
    placeTwips(m_ingredientsBox, l.ingredientsBox);
    placeTwips(m_preparationCaption, l.preparationCaption);
    placeTwips(m_preparationBox, l.preparationBox);
    placeTwips(m_notesCaption, l.notesCaption);
    placeTwips(m_notesBox, l.notesBox);
    placeTwips(m_degreeLabel, l.degreeLabel);
}

void RecipeEditorWindow::categoryChosen()
{
    if (!newCategorySelected())
        return;
    Dialogs& dialogs = *app().dialogs;
    QString name;
    if (!dialogs.inputBox(loadText(TextId::NewCategoryPrompt), kMessageTitle, QString(), &name))
        return;
    name = xmlStorableText(name).trimmed(); // as the book will store it
    if (name.isEmpty())
        return;
    if (!isValidName(name)) {
        showMessage(dialogs, invalidNameMessage(TextId::InvalidCategoryCharsMessage, categoryCharsList()));
        return;
    }
    if (categoryExists(name.toLower(), *m_cats, dialogs))
        return;
    if (reportChange(addCategory(app().recipeDoc, name)))
        fillCategoryList(app().recipeDoc, *m_cats, listKind(), name);
}

void RecipeEditorWindow::setPictureState(bool attached)
{
    m_pictureButton->setText(loadText(attached ? TextId::RemoveButton : TextId::AddImageButton));
    if (m_pictureAction)
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
    if (m_pictureButton->text() != loadText(TextId::AddImageButton)) {
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
    Dialogs& dialogs = *app().dialogs;
    for (;;) {
        if (!dialogs.openFile(m_pictureDialog)) {
            clearPicture(); // a cancelled choice leaves no half-chosen name behind
            return;
        }
        if (isAcceptedPictureName(m_pictureDialog.fileName))
            break;
        showMessage(dialogs, loadText(TextId::InvalidImageFileMessage) + QStringLiteral(" (*.jpg, *.gif, *.bmp)"));
    }
    if (refusesImagesFolder()) {
        const QString folder = QFileInfo(m_pictureDialog.fileName).absoluteDir().canonicalPath();
        if (!folder.isEmpty() && folder == QDir(app().imagesPath()).canonicalPath()) {
            showMessage(dialogs, loadText(TextId::ImageFromImagesFolderMessage), MsgIcon::Exclamation);
            setPictureState(false);
            clearPicture();
            return;
        }
    }
    if (!loadPicture(m_pictureDialog.fileName).isNull()) {
        showThumbnail(m_pictureDialog.fileName);
        return;
    }
    showMessage(dialogs, loadText(TextId::CorruptImageMessage), corruptPictureIcon());
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
    placeTwips(m_thumbnail, {t.left, t.top, t.width, t.height});
    m_thumbnail->show();
}

void RecipeEditorWindow::viewPicture()
{
    if (m_pictureDialog.fileName.isEmpty())
        return;
    openImageViewer(this, m_pictureDialog.fileName);
}

void RecipeEditorWindow::insertDegreeSign()
{
    // Replaces a selection, or goes in at the caret, which then stands after the sign.
    replaceSelection(m_preparationBox, QStringLiteral("°"));
}

void RecipeEditorWindow::updateEditMenu(QAction* copy, QAction* cut, QAction* paste)
{
    QWidget* box = focusWidget();
    const bool ours = editBoxes().contains(box);
    const bool selection = ours && !selectedText(box).isEmpty();
    copy->setEnabled(selection);
    cut->setEnabled(selection);
    paste->setEnabled(ours && !QApplication::clipboard()->text().isEmpty());
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
