#pragma once

#include "app/window_model.h"
#include "book/book_ops.h"
#include "platform/qt_lists.h"
#include "presentation/form_size.h"
#include "windows/browse/browse_layout.h"

#include <memory>

class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// The browse window: the categories, the recipes of the chosen one, and the chosen recipe with
// its picture. Every other part of the program is reached from here.
class FrmBr : public MainWindowBase {
    Q_OBJECT
public:
    explicit FrmBr(QWidget* parent = nullptr);
    MainWindowKind kind() const override { return MainWindowKind::Browse; }

    QLabel* lblBorder[2] = {nullptr, nullptr};
    QFrame* fraBack = nullptr;
    QFrame* fraTopLeft = nullptr;
    QFrame* fraRight = nullptr;
    QFrame* fraBotLeft = nullptr;
    QFrame* Frame1 = nullptr;
    QFrame* Picture1 = nullptr;
    QComboBox* cboCats = nullptr;
    QListWidget* lstRecs = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* lblClickImg = nullptr;
    QLabel* lblImgLoc = nullptr; // never shown: the stored picture name of the shown recipe
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* lblPT = nullptr;
    QLabel* lblCT = nullptr;
    QLabel* lblYld = nullptr;
    QLabel* lblDC = nullptr;
    QLabel* lblIng = nullptr;
    QLabel* lblPrep = nullptr;
    QLabel* lblOther = nullptr;
    QPlainTextEdit* txtIng = nullptr;
    QPlainTextEdit* txtPrep = nullptr;
    QPlainTextEdit* txtOther = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdEdit = nullptr;
    QPushButton* cmdRem = nullptr;

    QMenu* mnuFile = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuPrintPrev = nullptr;
    QAction* mnuBackup = nullptr;
    QAction* mnuBrExit = nullptr;
    QMenu* mnuBrEdit = nullptr;
    QAction* mnuBrCopy = nullptr;
    QMenu* mnuRecipe = nullptr;
    QAction* mnuRecipeAdd = nullptr;
    QAction* mnuBrEditRec = nullptr;
    QAction* mnuBrRemRec = nullptr;
    QAction* mnuEmail = nullptr;
    QAction* mnuPlainText = nullptr;
    QMenu* mnuCateg = nullptr;
    QAction* mnuCatEdit = nullptr;
    QAction* mnuCatDel = nullptr;
    QMenu* mnuTools = nullptr;
    QAction* mnuExport = nullptr;
    QAction* mnuSearch = nullptr;
    QAction* mnuOps = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuBrAbout = nullptr;
    QAction* mnuBrContents = nullptr;

    ComboBoxList& categoryList() { return *m_cats; }
    ListWidgetList& recipeList() { return *m_recs; }
    const cFormSize& formSize() const { return m_formSize; }
    const BrowseLayout& layout() const { return m_layout; }

    // Handlers, public so that the other windows and the tests can drive the window as a user would.
    void cboCats_Click();
    void lstRecs_Click();
    void cmdEdit_Click();
    void cmdRem_Click();
    void cmdPrint_Click();
    void mnuPrintPrev_Click();
    void mnuBrCopy_Click();
    void mnuBrEdit_Click(); // the Edit menu opens
    void lblClickImg_Click();
    void mnuCatEdit_Click();
    void mnuCatDel_Click();
    void mnuBrAbout_Click();
    void mnuBrContents_Click();

    // Selects the category and recipe with these names, as a click on each would.
    bool selectRecipe(const QString& category, const QString& title);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void Form_Resize() override;

private:
    void buildControls();
    void buildMenus();
    void Form_Load();
    void showBrRecipe();
    void showBrThumbnail(const QString& fileName);
    void clearRecipe();
    void saveInfoToEdit();
    // The recipe selected in the lists: its category's and its own position, and its title.
    RecipeRef shownRecipe() const;
    void refillCategories();
    bool verifyIE() const;

    std::unique_ptr<ComboBoxList> m_cats;
    std::unique_ptr<ListWidgetList> m_recs;
    cFormSize m_formSize;
    BrowseLayout m_layout;
};

// Multi-line fields read back with LF line ends; the boxes and the hand-over texts use CR LF.
QString fixLineBreaks(const QString& text);
