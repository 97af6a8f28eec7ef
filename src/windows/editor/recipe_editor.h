#pragma once

#include "app/window_model.h"
#include "book/book_ops.h"
#include "platform/dialogs.h"
#include "platform/picture.h"
#include "platform/qt_lists.h"
#include "presentation/form_size.h"
#include "windows/editor/editor_layout.h"
#include "book/recipe_store.h"

#include <memory>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// What the add and edit windows share: the same controls under the same names, the layout, the
// new-category prompt, the picture command and thumbnail, the degree sign and the Edit menu.
class RecipeEditorWindow : public MainWindowBase {
    Q_OBJECT
public:
    explicit RecipeEditorWindow(QWidget* parent = nullptr);

    QLabel* lblBorder[2] = {nullptr, nullptr};
    QFrame* fraDyn = nullptr;
    QFrame* fraStatic = nullptr;
    QLabel* lblTitle = nullptr;
    QLineEdit* txtTitle = nullptr;
    QLabel* lblCat = nullptr;
    QComboBox* cboACats = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* txtPT = nullptr;
    QLabel* Label9 = nullptr;
    QLineEdit* txtCT = nullptr;
    QLabel* Label8 = nullptr;
    QLineEdit* txtY = nullptr;
    QLabel* lblIng = nullptr;
    QPlainTextEdit* txtIng = nullptr;
    QLabel* lblPrep = nullptr;
    QPlainTextEdit* txtPrep = nullptr;
    QLabel* lblOther = nullptr;
    QPlainTextEdit* txtOther = nullptr;
    QLabel* lblDeg = nullptr;
    QFrame* Frame1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* lblClickImg = nullptr;
    QFrame* Picture2 = nullptr;
    QPushButton* cmdAdd = nullptr;
    QFrame* picAddImg = nullptr;
    QPushButton* cmdAddImg = nullptr;
    FileDialogState cmdialog; // its file name is the picture the recipe is to have

    ComboBoxList& categoryList() { return *m_cats; }
    const cFormSize& formSize() const { return m_formSize; }
    // The seven text boxes the Edit menu works on.
    QList<QWidget*> editBoxes() const;

    // Handlers, public so that the tests can drive the window as a user would.
    void cboACats_Click();
    void cmdAddImg_Click();
    void lblClickImg_Click();
    void InsertDegree();
    void editMenuOpened(QAction* copy, QAction* cut, QAction* paste);
    void editCopy();
    void editCut();
    void editPaste();

protected:
    // The second button of the button panel ("&CLEAR" or "&CANCEL"), and the window's image menu entry.
    QPushButton* m_secondButton = nullptr;
    QAction* m_imageMenu = nullptr;

    // The File and Edit menus, and the Help menu, which the two windows build alike.
    void buildFileAndEditMenus(QMenu*& file, QAction*& exit, QMenu*& edit, QAction*& copy, QAction*& cut,
                               QAction*& paste);
    void buildHelpMenu(QMenu*& help, QAction*& contents, QAction*& about, const QString& helpKey);
    void installSizeLimits();
    cFormSize& sizeLimits() { return m_formSize; }
    RecipeForm form() const;
    int selectedCategoryPosition() const;
    bool newCategorySelected() const;
    void setPictureState(bool attached);
    void clearPicture();
    void fitThumbnail(const QString& path);
    void focusTitle(bool selectAll);
    // The title box's text as it will be checked and stored; the box shows it so too.
    QString normalizedTitle();
    bool eventFilter(QObject* watched, QEvent* event) override;
    void Form_Resize() override;

    // The differences between the two windows.
    virtual CategoryList listKind() const = 0;
    virtual bool refusesImagesFolder() const = 0;
    virtual MsgIcon corruptPictureIcon() const = 0;
    virtual InvalidCharsList categoryCharsList() const = 0;

private:
    void buildControls();
    void choosePicture();

    std::unique_ptr<ComboBoxList> m_cats;
    cFormSize m_formSize;
    LoadedPicture m_picture; // the shown picture at natural size
};
