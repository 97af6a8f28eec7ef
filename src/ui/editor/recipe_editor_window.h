#pragma once

#include "core/book/book_operations.h"
#include "core/book/category_lists.h"
#include "core/book/recipe_changes.h"
#include "core/book/recipe_checks.h"
#include "core/text/text_ids.h"
#include "ui/platform/dialogs.h"
#include "ui/platform/list_adapters.h"
#include "ui/platform/main_window.h"
#include "ui/platform/picture_loading.h"
#include "ui/platform/recipe_text_boxes.h"
#include "ui/platform/window_size_limits.h"

#include <memory>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// What the add and edit windows share: the same controls under the same names, the layout, the
// File, Edit and Help menus, the form checks, the new-category prompt, the picture command and
// thumbnail, and the degree sign.
class RecipeEditorWindow : public MainWindowBase {
    Q_OBJECT
public:
    explicit RecipeEditorWindow(QWidget* parent = nullptr);

    // The category list follows the book read again; what is typed stays.
    void showReloadedBook() override;

protected:
    // How the two windows differ.
    struct Kind {
        RecipeWindowKind checks;
        CategoryList categoryList;
        bool refusesImagesFolder;   // the edit window does not take a picture from the images folder
        MsgIcon corruptPictureIcon; // information in the add window, exclamation in the edit window
        InvalidCharsList categoryCharsList;
        TextId title, heading, saveButton, secondButton;
    };
    virtual const Kind& editorKind() const = 0;

    // The File and Edit menus, the Recipe menu's title, and the Help menu, which the two windows
    // build alike around their own Recipe (and Tools) entries.
    void buildFileAndEditMenus();
    QMenu* addRecipeMenu();
    void buildHelpMenu();
    void applyTexts();
    // The window's size limits; the add window starts at its smallest size.
    void installSizeLimits(bool startAtMinimum = false);

    RecipeForm form() const;
    int selectedCategoryPosition() const;
    bool newCategorySelected() const;
    // Runs the window's checks on the form; shows the first that fails and puts the focus where the
    // user can mend it. `ownTitle` is the edited recipe's title.
    bool formPasses(const QString& ownTitle = {});
    void setPictureState(bool attached);
    void clearPicture();
    void showThumbnail(const QString& path);
    void focusTitle(bool selectAll);
    void clearFields();
    void togglePicture();
    void insertDegreeSign();
    bool eventFilter(QObject* watched, QEvent* event) override;
    void layOutWidgets() override;

    QComboBox* m_categoryCombo = nullptr;
    QLineEdit* m_titleBox = nullptr;
    QLineEdit* m_prepTimeBox = nullptr;
    QLineEdit* m_cookTimeBox = nullptr;
    QLineEdit* m_yieldBox = nullptr;
    std::unique_ptr<RecipeTextBoxes> m_texts;
    QFrame* m_pictureFrame = nullptr;
    QLabel* m_thumbnail = nullptr;
    QPushButton* m_pictureButton = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_secondButton = nullptr; // "&CLEAR" or "&CANCEL"
    QAction* m_pictureAction = nullptr;    // the Recipe menu's picture entry
    std::unique_ptr<WidgetList> m_categories;
    FileDialogState m_pictureDialog; // its file name is the picture the recipe is to have

private:
    void buildControls();
    void buildTextPanel();
    void buildSidePanel();
    void placeSideCaptions();
    void categoryChosen();
    void categoryActivated();
    void askForNewCategory();
    void choosePicture();
    void viewPicture();
    bool onDegreeText(const QPoint& position) const;
    QList<QWidget*> editBoxes() const;
    void updateEditMenu();
    void editCopy();
    void editCut();
    void editPaste();

    QLabel* m_heading[2] = {nullptr, nullptr};
    QFrame* m_textPanel = nullptr;
    QFrame* m_sidePanel = nullptr;
    QLabel* m_titleCaption = nullptr;
    QLabel* m_categoryCaption = nullptr;
    QLabel* m_prepTimeCaption = nullptr;
    QLabel* m_cookTimeCaption = nullptr;
    QLabel* m_yieldCaption = nullptr;
    QLabel* m_degreeLabel = nullptr;
    QLabel* m_viewPictureLabel = nullptr;
    QFrame* m_buttonPanel = nullptr;
    QFrame* m_pictureButtonPanel = nullptr;
    QMenu* m_fileMenu = nullptr;
    QAction* m_exitAction = nullptr;
    QMenu* m_editMenu = nullptr;
    QAction* m_copyAction = nullptr;
    QAction* m_cutAction = nullptr;
    QAction* m_pasteAction = nullptr;
    QMenu* m_recipeMenu = nullptr;
    QMenu* m_helpMenu = nullptr;
    QAction* m_aboutAction = nullptr;
    QAction* m_helpContentsAction = nullptr;

    WindowSizeLimits m_sizeLimits;
    LoadedPicture m_picture;  // the shown picture at natural size
    bool m_promptRan = false; // the prompt already ran for the change a choice in the list made
    bool m_pictureAttached = false; // the recipe is to have the picture of m_pictureDialog
};
