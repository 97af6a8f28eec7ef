#include "presentation/color_procedures.h"

#include "app/app_state.h"
#include "presentation/colors.h"
#include "presentation/frm_ops.h"
#include "windows/browse/frm_br.h"
#include "windows/editor/frm_add.h"
#include "windows/editor/frm_edit.h"
#include "windows/search/frm_search.h"

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

void applyBrowseColors(FrmBr& w)
{
    const QColor button = schemeColor(RoleButton);
    const QColor field = schemeColor(RoleField);
    const QColor label = schemeColor(RoleLabel);
    const QColor fieldText = schemeColor(RoleFieldText);
    const QColor panel = schemeColor(RolePanel);

    setBackColor(&w, button);
    keepDesktopColors(w.menuBar());
    for (QWidget* b : Widgets{w.cmdEdit, w.cmdPrint, w.cmdRem})
        setButtonColor(b, button);

    setBackColor(w.Picture1, field);
    for (QWidget* f : Widgets{w.txtIng, w.txtOther, w.txtPrep, w.lstRecs, w.cboCats})
        setFieldBackColor(f, field);
    setLabelColor(w.lblBorder[0], field);

    for (QWidget* l : Widgets{w.lblBorder[1], w.lblCT, w.lblDC, w.lblIng, w.lblOther, w.lblPrep, w.lblPT, w.lblYld})
        setLabelColor(l, label);

    for (QWidget* f : Widgets{w.txtIng, w.txtOther, w.txtPrep, w.lstRecs, w.cboCats})
        setFieldTextColor(f, fieldText);

    for (QWidget* f : Widgets{w.Frame1, w.fraBack, w.fraBotLeft, w.fraRight, w.fraTopLeft})
        setBackColor(f, panel);

    for (QWidget* f : Widgets{w.cboCats, w.lstRecs, w.txtIng, w.txtPrep, w.txtOther})
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
    const Widgets fields{w.txtTitle, w.txtIng, w.txtOther, w.txtPrep, w.txtPT, w.txtCT, w.txtY, w.cboACats};

    setBackColor(&w, button);
    keepDesktopColors(w.menuBar());
    for (QWidget* b : Widgets{secondButton, w.cmdAdd, w.cmdAddImg})
        setButtonColor(b, button);

    setBackColor(w.Picture2, field);
    setBackColor(w.picAddImg, field);
    for (QWidget* f : fields)
        setFieldBackColor(f, field);
    setLabelColor(w.lblBorder[0], field);

    for (QWidget* l : Widgets{w.lblBorder[1], w.lblCat, w.lblTitle, w.lblIng, w.lblOther, w.lblPrep})
        setLabelColor(l, label);
    for (QWidget* f : fields) {
        setFieldTextColor(f, fieldText);
        setTextSize(f, app().textFontSize);
    }
    for (QWidget* f : Widgets{w.Frame1, w.fraStatic, w.fraDyn})
        setBackColor(f, panel);
}

} // namespace

void applyAddColors(FrmAdd& w)
{
    applyEditorColors(w, w.cmdClear);
}

void applyEditColors(FrmEdit& w)
{
    applyEditorColors(w, w.cmdCancelEdit);
}

void applySearchColors(FrmSearch& w)
{
    const QColor button = schemeColor(RoleButton);
    setBackColor(&w, button);
    for (QWidget* b : Widgets{w.cmdSearch, w.cmdCancel})
        setButtonColor(b, button);
    setBackColor(w.fraBtn, button);
    for (QWidget* f : Widgets{w.txtKeyword, w.lstResults, w.lblCount}) {
        setFieldBackColor(f, schemeColor(RoleField));
        setBackColor(f, schemeColor(RoleField));
        setFieldTextColor(f, schemeColor(RoleFieldText));
        setLabelColor(f, schemeColor(RoleFieldText));
    }
}

void applyOpsColors(FrmOps& w)
{
    for (QWidget* b : Widgets{w.cmdDis, w.cmdSave})
        setButtonColor(b, schemeColor(RoleButton));
    setBackColor(w.Picture1, schemeColor(RoleField));
    setBackColor(&w, schemeColor(RolePanel));
}
