#pragma once

#include "core/app/dialogs.h"
#include "core/book/book_operations.h"
#include "core/book/recipe_changes.h"
#include "core/layout/editor_layout.h"
#include "ui/app/window_model.h"
#include "ui/platform/list_adapters.h"
#include "ui/platform/picture_loading.h"
#include "ui/preferences/window_size_limits.h"

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

    QLabel* m_heading[2] = {nullptr, nullptr};
    QFrame* m_textPanel = nullptr;
    QFrame* m_sidePanel = nullptr;
    QLabel* m_titleCaption = nullptr;
    QLineEdit* m_titleBox = nullptr;
    QLabel* m_categoryCaption = nullptr;
    QComboBox* m_categoryCombo = nullptr;
    QLabel* m_prepTimeCaption = nullptr;
    QLineEdit* m_prepTimeBox = nullptr;
    QLabel* m_cookTimeCaption = nullptr;
    QLineEdit* m_cookTimeBox = nullptr;
    QLabel* m_yieldCaption = nullptr;
    QLineEdit* m_yieldBox = nullptr;
    QLabel* m_ingredientsCaption = nullptr;
    QPlainTextEdit* m_ingredientsBox = nullptr;
    QLabel* m_preparationCaption = nullptr;
    QPlainTextEdit* m_preparationBox = nullptr;
    QLabel* m_notesCaption = nullptr;
    QPlainTextEdit* m_notesBox = nullptr;
    QLabel* m_degreeLabel = nullptr;
    QFrame* m_pictureFrame = nullptr;
    QLabel* m_thumbnail = nullptr;
    QLabel* m_viewPictureLabel = nullptr;
    QFrame* m_buttonPanel = nullptr;
    QPushButton* m_saveButton = nullptr;
    QFrame* m_pictureButtonPanel = nullptr;
    QPushButton* m_pictureButton = nullptr;
    FileDialogState m_pictureDialog; // its file name is the picture the recipe is to have

    ComboBoxList& categoryList() { return *m_cats; }
    const WindowSizeLimits& formSize() const { return m_formSize; }
    // The seven text boxes the Edit menu works on.
    QList<QWidget*> editBoxes() const;

    // Handlers, public so that the tests can drive the window as a user would.
    void categoryChosen();
    void togglePicture();
    void viewPicture();
    void insertDegreeSign();
    void updateEditMenu(QAction* copy, QAction* cut, QAction* paste);
    void editCopy();
    void editCut();
    void editPaste();

protected:
    // The second button of the button panel ("&CLEAR" or "&CANCEL"), and the window's image menu entry.
    QPushButton* m_secondButton = nullptr;
    QAction* m_pictureAction = nullptr;

    // The File and Edit menus, and the Help menu, which the two windows build alike.
    void buildFileAndEditMenus(QMenu*& file, QAction*& exit, QMenu*& edit, QAction*& copy, QAction*& cut,
                               QAction*& paste);
    void buildHelpMenu(QMenu*& help, QAction*& contents, QAction*& about, const QString& helpKey);
    void installSizeLimits();
    WindowSizeLimits& sizeLimits() { return m_formSize; }
    RecipeForm form() const;
    int selectedCategoryPosition() const;
    bool newCategorySelected() const;
    void setPictureState(bool attached);
    void clearPicture();
    void showThumbnail(const QString& path);
    void focusTitle(bool selectAll);
    // The title box's text as it will be checked and stored; the box shows it so too.
    QString normalizedTitle();
    bool eventFilter(QObject* watched, QEvent* event) override;
    void layOutWidgets() override;

    // The differences between the two windows.
    virtual CategoryList listKind() const = 0;
    virtual bool refusesImagesFolder() const = 0;
    virtual MsgIcon corruptPictureIcon() const = 0;
    virtual InvalidCharsList categoryCharsList() const = 0;

private:
    void buildControls();
    void choosePicture();

    std::unique_ptr<ComboBoxList> m_cats;
    WindowSizeLimits m_formSize;
    LoadedPicture m_picture; // the shown picture at natural size
};
