#include "windows/editor/frm_add.h"

#include "app/app_state.h"
#include "presentation/color_procedures.h"
#include "presentation/frm_ops.h"
#include "settings/window_placement.h"
#include "text/captions.h"
#include "text/text_table.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

FrmAdd::FrmAdd(QWidget* parent) : RecipeEditorWindow(parent)
{
    cmdClear = m_secondButton;
    buildMenus();
    Form_Load();
}

void FrmAdd::buildMenus()
{
    buildFileAndEditMenus(mnuAFile, mnuAExit, mnuAddEdit, mnuAddCopy, mnuAddCut, mnuAddPaste);

    mnuARec = menuBar()->addMenu(QString());
    mnuABrowse =
        mnuARec->addAction(QString(), this, [this] { switchTo([] { showMainWindow(MainWindowKind::Browse); }); });
    mnuAddRecipe = mnuARec->addAction(QString(), this, &FrmAdd::cmdAdd_Click);
    mnuAddImg = mnuARec->addAction(QString(), this, &FrmAdd::cmdAddImg_Click);
    mnuAddClear = mnuARec->addAction(QString(), this, &FrmAdd::clearAddForm);
    m_imageMenu = mnuAddImg;

    mnuAddTools = menuBar()->addMenu(QString());
    mnuImport = mnuAddTools->addAction(QString());
    mnuAddOptions = mnuAddTools->addAction(QString(), this, [this] { switchTo([] { (new FrmOps)->show(); }); });
    // Reached from here once its window is part of the program.
    mnuImport->setEnabled(false);

    buildHelpMenu(mnuAHelp, mnuAddHelpContents, mnuAddAbout, QStringLiteral("ad"));

    connect(cmdAdd, &QPushButton::clicked, this, &FrmAdd::cmdAdd_Click);
    connect(cmdClear, &QPushButton::clicked, this, &FrmAdd::clearAddForm);
}

void FrmAdd::Form_Load()
{
    registerMainWindow();
    installSizeLimits();
    sizeLimits().ResizeToMin();
    restoreWindowPlacement(this);
    setAddCaptions(*this);
    applyAddColors(*this);
    // Selecting the first entry, "[new category..]", asks for a category before the window appears.
    fillAddCats(app().recipeDoc, categoryList(), QString());
    app().prefsFromAdd = true;
}

bool FrmAdd::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtPrep && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        InsertDegree();
        return true;
    }
    return RecipeEditorWindow::eventFilter(watched, event);
}

void FrmAdd::cmdAdd_Click()
{
    Dialogs& dialogs = *app().dialogs;
    const QString title = normalizedTitle();
    if (title.isEmpty()) {
        showMessage(dialogs, loadText(165));
        focusTitle(false);
        return;
    }
    if (newCategorySelected() || cboACats->currentIndex() < 0) {
        showMessage(dialogs, loadText(164));
        cboACats->setFocus();
        return;
    }
    if (!isValidName(title)) {
        showMessage(dialogs, invalidNameMessage(166, InvalidCharsList::Title));
        focusTitle(true);
        return;
    }
    QString lower = title;
    if (titleExists(app().recipeDoc, lower)) {
        showMessage(dialogs, loadText(167));
        focusTitle(true);
        return;
    }
    // A failed save keeps the form as it is, so nothing typed is lost.
    if (reportChange(addRecipe(app().recipeDoc, selectedCategoryPosition(), form(), cmdialog.fileName)))
        clearAddForm();
}

void FrmAdd::clearAddForm()
{
    if (cmdAddImg->text() == loadText(107))
        setPictureState(false);
    for (QLineEdit* box : {txtTitle, txtPT, txtCT, txtY})
        box->clear();
    for (QPlainTextEdit* box : {txtIng, txtPrep, txtOther})
        box->clear();
    clearPicture();
    focusTitle(false);
    Frame1->update();
}
