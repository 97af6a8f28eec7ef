#include "ui/preferences/window_colors.h"

#include "core/app/app_state.h"
#include "ui/browse/browse_window.h"
#include "ui/editor/add_recipe_window.h"
#include "ui/editor/edit_recipe_window.h"
#include "ui/preferences/color_scheme.h"
#include "ui/preferences/preferences_window.h"
#include "ui/search/search_window.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {
using Widgets = std::initializer_list<QWidget*>;

// Menus keep the desktop's colours whatever the window's scheme.
void keepDesktopColors(QWidget* widget)
{
    const QPalette desktop = QApplication::palette();
    QPalette palette = widget->palette();
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::WindowText, QPalette::Button, QPalette::ButtonText})
        palette.setColor(role, desktop.color(role));
    widget->setPalette(palette);
}
} // namespace

void applyBrowseColors(BrowseWindow& w)
{
    const QColor button = schemeColor(RoleButton);
    const QColor field = schemeColor(RoleField);
    const QColor label = schemeColor(RoleLabel);
    const QColor fieldText = schemeColor(RoleFieldText);
    const QColor panel = schemeColor(RolePanel);

    setBackColor(&w, button);
    keepDesktopColors(w.menuBar());
    for (QWidget* b : Widgets{w.m_editButton, w.m_printButton, w.m_removeButton})
        setButtonColor(b, button);

    setBackColor(w.m_buttonPanel, field);
    for (QWidget* f : Widgets{w.m_ingredientsBox, w.m_notesBox, w.m_preparationBox, w.m_recipeList, w.m_categoryCombo})
        setFieldBackColor(f, field);
    setLabelColor(w.m_heading[0], field);

    for (QWidget* l : Widgets{w.m_heading[1], w.m_cookTimeValue, w.m_dateValue, w.m_ingredientsCaption,
                              w.m_notesCaption, w.m_preparationCaption, w.m_prepTimeValue, w.m_yieldValue})
        setLabelColor(l, label);

    for (QWidget* f : Widgets{w.m_ingredientsBox, w.m_notesBox, w.m_preparationBox, w.m_recipeList, w.m_categoryCombo})
        setFieldTextColor(f, fieldText);

    for (QWidget* f : Widgets{w.m_pictureFrame, w.m_backPanel, w.m_detailsPanel, w.m_textPanel, w.m_listPanel})
        setBackColor(f, panel);

    for (QWidget* f : Widgets{w.m_categoryCombo, w.m_recipeList, w.m_ingredientsBox, w.m_preparationBox, w.m_notesBox})
        setTextSize(f, app().textFontSize);
}

namespace {

void applyEditorColors(RecipeEditorWindow& w, QWidget* secondButton)
{
    const QColor button = schemeColor(RoleButton);
    const QColor field = schemeColor(RoleField);
    const QColor label = schemeColor(RoleLabel);
    const QColor fieldText = schemeColor(RoleFieldText);
    const QColor panel = schemeColor(RolePanel);
    const Widgets fields{w.m_titleBox,    w.m_ingredientsBox, w.m_notesBox, w.m_preparationBox,
                         w.m_prepTimeBox, w.m_cookTimeBox,    w.m_yieldBox, w.m_categoryCombo};

    setBackColor(&w, button);
    keepDesktopColors(w.menuBar());
    for (QWidget* b : Widgets{secondButton, w.m_saveButton, w.m_pictureButton})
        setButtonColor(b, button);

    setBackColor(w.m_buttonPanel, field);
    setBackColor(w.m_pictureButtonPanel, field);
    for (QWidget* f : fields)
        setFieldBackColor(f, field);
    setLabelColor(w.m_heading[0], field);

    for (QWidget* l : Widgets{w.m_heading[1], w.m_categoryCaption, w.m_titleCaption, w.m_ingredientsCaption,
                              w.m_notesCaption, w.m_preparationCaption})
        setLabelColor(l, label);
    for (QWidget* f : fields) {
        setFieldTextColor(f, fieldText);
        setTextSize(f, app().textFontSize);
    }
    for (QWidget* f : Widgets{w.m_pictureFrame, w.m_sidePanel, w.m_textPanel})
        setBackColor(f, panel);
}

} // namespace

void applyAddColors(AddRecipeWindow& w)
{
    applyEditorColors(w, w.m_clearButton);
}

void applyEditColors(EditRecipeWindow& w)
{
    applyEditorColors(w, w.m_cancelButton);
}

void applySearchColors(SearchWindow& w)
{
    const QColor button = schemeColor(RoleButton);
    setBackColor(&w, button);
    for (QWidget* b : Widgets{w.m_searchButton, w.m_closeButton})
        setButtonColor(b, button);
    setBackColor(w.m_buttonPanel, button);
    for (QWidget* f : Widgets{w.m_searchBox, w.m_resultList, w.m_countLabel}) {
        setFieldBackColor(f, schemeColor(RoleField));
        setBackColor(f, schemeColor(RoleField));
        setFieldTextColor(f, schemeColor(RoleFieldText));
        setLabelColor(f, schemeColor(RoleFieldText));
    }
}

void applyPreferencesColors(PreferencesWindow& w)
{
    for (QWidget* b : Widgets{w.m_discardButton, w.m_saveButton})
        setButtonColor(b, schemeColor(RoleButton));
    setBackColor(w.m_logoPanel, schemeColor(RoleField));
    setBackColor(&w, schemeColor(RolePanel));
}
