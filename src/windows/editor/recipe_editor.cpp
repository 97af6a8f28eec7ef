#include "windows/editor/recipe_editor.h"

#include "app/app_state.h"
#include "platform/screen_metrics.h"
#include "platform/twips.h"
#include "presentation/frm_about.h"
#include "presentation/help.h"
#include "text/text_table.h"
#include "windows/editor/frm_img_view.h"
#include "windows/editor/picture_fit.h"
#include "windows/window_parts.h"

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

constexpr int kNewCategoryText = 162;
constexpr TwipRect kFrame1{120, 1860, 3060, 1900};

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
    makeHeading(central, lblBorder);
    fraDyn = newFrame(central);
    fraStatic = newFrame(fraDyn);

    lblTitle = new QLabel(fraDyn);
    txtTitle = new QLineEdit(fraDyn);
    lblIng = new QLabel(fraDyn);
    txtIng = new QPlainTextEdit(fraDyn);
    lblPrep = new QLabel(fraDyn);
    txtPrep = new QPlainTextEdit(fraDyn);
    lblOther = new QLabel(fraDyn);
    txtOther = new QPlainTextEdit(fraDyn);
    for (QLabel* label : {lblTitle, lblIng, lblPrep, lblOther}) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    }
    lblDeg = new QLabel(fraDyn);
    lblDeg->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    lblDeg->setCursor(Qt::PointingHandCursor);
    lblDeg->installEventFilter(this);
    txtPrep->installEventFilter(this);

    lblCat = new QLabel(fraStatic);
    cboACats = new QComboBox(fraStatic);
    m_cats = std::make_unique<ComboBoxList>(cboACats);
    placeTwips(lblCat, {120, 60, 3060, 240});
    placeTwips(cboACats, {120, 300, 3060, 330});
    QLabel** captions[] = {&Label7, &Label9, &Label8};
    QLineEdit** boxes[] = {&txtPT, &txtCT, &txtY};
    for (int i = 0; i < 3; ++i) {
        *captions[i] = new QLabel(fraStatic);
        *boxes[i] = new QLineEdit(fraStatic);
        placeTwips(*captions[i], {120, 720.0 + i * 360, 1300, 315});
        placeTwips(*boxes[i], {1440, 720.0 + i * 360, 1740, 315});
    }

    Frame1 = newFrame(fraStatic, true);
    Frame1->setCursor(Qt::PointingHandCursor);
    Frame1->installEventFilter(this);
    placeTwips(Frame1, kFrame1);
    Image1 = new QLabel(Frame1);
    Image1->setScaledContents(true);
    Image1->setAttribute(Qt::WA_TransparentForMouseEvents);
    Image1->hide();
    lblClickImg = new QLabel(fraStatic);
    lblClickImg->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblClickImg->setCursor(Qt::PointingHandCursor);
    lblClickImg->installEventFilter(this);
    placeTwips(lblClickImg, {120, kFrame1.bottom(), 3060, 255});

    picAddImg = newFrame(fraStatic);
    placeTwips(picAddImg, {120, 4080, 3060, 480});
    cmdAddImg = new QPushButton(picAddImg);
    placeTwips(cmdAddImg, {60, 60, 2940, 360});

    Picture2 = newFrame(fraStatic);
    placeTwips(Picture2, {120, 4620, 3060, 600});
    cmdAdd = new QPushButton(Picture2);
    m_secondButton = new QPushButton(Picture2);
    placeTwips(cmdAdd, {60, 105, 1425, 390});
    placeTwips(m_secondButton, {1575, 105, 1425, 390});

    cmdialog.title = QStringLiteral("SP");
    // The names the chooser accepts, in either case; the description is the one the window always had.
    cmdialog.filter = QStringLiteral("(*.jpg, *.gif, *.bmp) |*.jpg;*.jpeg;*.jpe;*.gif;*.bmp|");

    connect(cboACats, &QComboBox::currentIndexChanged, this, &RecipeEditorWindow::cboACats_Click);
    connect(cmdAddImg, &QPushButton::clicked, this, &RecipeEditorWindow::cmdAddImg_Click);
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
    connect(edit, &QMenu::aboutToShow, this, [this, copy, cut, paste] { editMenuOpened(copy, cut, paste); });
}

void RecipeEditorWindow::buildHelpMenu(QMenu*& help, QAction*& contents, QAction*& about, const QString& helpKey)
{
    help = menuBar()->addMenu(QString());
    contents = help->addAction(QString(), this, [helpKey] { showHelp(helpKey); });
    about = help->addAction(QString(), this, [this] { openAboutBox(this); });
}

void RecipeEditorWindow::installSizeLimits()
{
    m_formSize.Init(this);
    m_formSize.MaxWidth(60000);
    m_formSize.MaxHeight(60000);
    m_formSize.MinHeight(6900);
    m_formSize.MinWidth(9700);
}

QList<QWidget*> RecipeEditorWindow::editBoxes() const
{
    return {txtTitle, txtIng, txtPrep, txtOther, txtPT, txtCT, txtY};
}

RecipeForm RecipeEditorWindow::form() const
{
    return {txtTitle->text(),      txtPT->text(),          txtCT->text(),          txtY->text(),
            txtIng->toPlainText(), txtPrep->toPlainText(), txtOther->toPlainText()};
}

int RecipeEditorWindow::selectedCategoryPosition() const
{
    return m_cats->itemData(cboACats->currentIndex());
}

bool RecipeEditorWindow::newCategorySelected() const
{
    return cboACats->currentText() == loadText(kNewCategoryText);
}

QString RecipeEditorWindow::normalizedTitle()
{
    // What the book will store: no characters XML cannot hold, no blanks around it.
    txtTitle->setText(xmlStorableText(txtTitle->text()).trimmed());
    return txtTitle->text();
}

void RecipeEditorWindow::focusTitle(bool selectAll)
{
    txtTitle->setFocus();
    if (selectAll)
        txtTitle->selectAll();
}

bool RecipeEditorWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (watched == lblDeg) {
            InsertDegree();
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (watched == lblClickImg || watched == Frame1)
            lblClickImg_Click();
        break;
    default:
        break;
    }
    return MainWindowBase::eventFilter(watched, event);
}

void RecipeEditorWindow::Form_Resize()
{
    if (isMinimized() || !centralWidget())
        return;
    const double tx = twipsPerPixelX(this);
    const double ty = twipsPerPixelY(this);
    // Computed afresh from the current size each time, so running again at any point is harmless.
    const EditorLayout l =
        alignAddFrames(pixelsToTwips(centralWidget()->width(), tx), pixelsToTwips(centralWidget()->height(), ty));
    placeTwips(lblBorder[0], l.border[0]);
    placeTwips(lblBorder[1], l.border[1]);
    placeTwips(fraDyn, l.fraDyn);
    placeTwips(fraStatic, l.fraStatic);
    placeTwips(lblTitle, l.lblTitle);
    placeTwips(txtTitle, l.txtTitle);
    placeTwips(lblIng, l.lblIng);
    placeTwips(txtIng, l.txtIng);
    placeTwips(lblPrep, l.lblPrep);
    placeTwips(txtPrep, l.txtPrep);
    placeTwips(lblOther, l.lblOther);
    placeTwips(txtOther, l.txtOther);
    placeTwips(lblDeg, l.lblDeg);
}

void RecipeEditorWindow::cboACats_Click()
{
    if (!newCategorySelected())
        return;
    Dialogs& dialogs = *app().dialogs;
    QString name;
    if (!dialogs.inputBox(loadText(163), QStringLiteral("SP"), QString(), &name))
        return;
    name = xmlStorableText(name).trimmed(); // as the book will store it
    if (name.isEmpty())
        return;
    if (!isValidName(name)) {
        showMessage(dialogs, invalidNameMessage(295, categoryCharsList()));
        return;
    }
    if (categoryExists(name.toLower(), *m_cats, dialogs))
        return;
    if (reportChange(addCategory(app().recipeDoc, name)))
        fillCategoryList(app().recipeDoc, *m_cats, listKind(), name);
}

void RecipeEditorWindow::setPictureState(bool attached)
{
    cmdAddImg->setText(loadText(attached ? 107 : 132));
    if (m_imageMenu)
        m_imageMenu->setText(loadText(attached ? 299 : 292));
}

void RecipeEditorWindow::clearPicture()
{
    cmdialog.fileName.clear();
    Image1->clear();
    Image1->hide();
    m_picture = {};
}

void RecipeEditorWindow::cmdAddImg_Click()
{
    if (cmdAddImg->text() != loadText(132)) {
        clearPicture();
        setPictureState(false);
        Frame1->update();
    } else {
        setPictureState(true);
        choosePicture();
    }
    if (cmdialog.fileName.isEmpty())
        setPictureState(false);
}

void RecipeEditorWindow::choosePicture()
{
    Dialogs& dialogs = *app().dialogs;
    for (;;) {
        if (!dialogs.openFile(cmdialog)) {
            clearPicture(); // a cancelled choice leaves no half-chosen name behind
            return;
        }
        if (isAcceptedPictureName(cmdialog.fileName))
            break;
        showMessage(dialogs, loadText(193) + QStringLiteral(" (*.jpg, *.gif, *.bmp)"));
    }
    if (refusesImagesFolder()) {
        const QString folder = QFileInfo(cmdialog.fileName).absoluteDir().canonicalPath();
        if (!folder.isEmpty() && folder == QDir(app().imagesPath()).canonicalPath()) {
            showMessage(dialogs, loadText(301), MsgIcon::Exclamation);
            setPictureState(false);
            clearPicture();
            return;
        }
    }
    if (!loadPicture(cmdialog.fileName).isNull()) {
        fitThumbnail(cmdialog.fileName);
        return;
    }
    showMessage(dialogs, loadText(300), corruptPictureIcon());
    setPictureState(false);
    clearPicture();
}

void RecipeEditorWindow::fitThumbnail(const QString& path)
{
    Image1->hide();
    if (!path.isEmpty())
        m_picture = loadPicture(path);
    if (m_picture.isNull())
        return;
    const ThumbPlacement t = fitEditorThumbnail(kFrame1.width, kFrame1.height, m_picture.himetricWidth,
                                                m_picture.himetricHeight, m_picture.twipsWidth, m_picture.twipsHeight);
    Image1->setPixmap(m_picture.pixmap);
    placeTwips(Image1, {t.left, t.top, t.width, t.height});
    Image1->show();
}

void RecipeEditorWindow::lblClickImg_Click()
{
    if (cmdialog.fileName.isEmpty())
        return;
    openImageViewer(this, cmdialog.fileName);
}

void RecipeEditorWindow::InsertDegree()
{
    // Replaces a selection, or goes in at the caret, which then stands after the sign.
    replaceSelection(txtPrep, QStringLiteral("°"));
}

void RecipeEditorWindow::editMenuOpened(QAction* copy, QAction* cut, QAction* paste)
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
