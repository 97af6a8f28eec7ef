#include "text/captions.h"

#include "app/app_state.h"
#include "presentation/frm_ops.h"
#include "text/text_table.h"
#include "windows/browse/frm_br.h"
#include "windows/editor/frm_add.h"
#include "windows/editor/frm_edit.h"
#include "windows/search/frm_search.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

void setBrowseCaptions(FrmBr& w)
{
    w.setWindowTitle(loadText(100));
    w.cmdPrint->setToolTip(loadText(256));
    w.cmdEdit->setToolTip(loadText(257));
    w.cmdRem->setToolTip(loadText(258));
    w.lblBorder[0]->setText(loadText(101));
    w.lblBorder[1]->setText(loadText(101));
    w.mnuEmail->setText(loadText(254));
    w.mnuFile->setTitle(loadText(112));
    w.mnuPrint->setText(loadText(113));
    w.mnuPrintPrev->setText(loadText(235));
    w.mnuBrExit->setText(loadText(114));
    w.mnuRecipe->setTitle(loadText(116));
    w.mnuRecipeAdd->setText(loadText(117));
    w.mnuTools->setTitle(loadText(120));
    w.mnuOps->setText(loadText(121));
    w.mnuSearch->setText(loadText(161));
    w.mnuCateg->setTitle(u'&' + loadText(279));
    w.mnuCatEdit->setText(u'&' + loadText(280));
    w.mnuCatDel->setText(u'&' + loadText(281));
    w.mnuBackup->setText(loadText(282));
    w.mnuBrEditRec->setText(loadText(289));
    w.mnuBrRemRec->setText(loadText(290));
    w.mnuHelp->setTitle(loadText(124));
    w.mnuBrAbout->setText(loadText(226));
    w.mnuBrContents->setText(loadText(227));
    w.mnuBrEdit->setTitle(loadText(222));
    w.mnuBrCopy->setText(loadText(223));
    w.mnuExport->setText(loadText(229));
    w.mnuPlainText->setText(loadText(234));
    w.lblIng->setText(loadText(102));
    w.lblPrep->setText(loadText(103));
    w.lblOther->setText(loadText(104));
    w.cmdPrint->setText(loadText(105));
    w.cmdEdit->setText(loadText(106));
    w.cmdRem->setText(loadText(107));
    w.Label4->setText(loadText(108) + u':');
    w.Label5->setText(loadText(109) + u':');
    w.Label7->setText(loadText(110) + u':');
    w.Label6->setText(loadText(111) + u':');
    w.lblClickImg->setText(loadText(287));
}

namespace {

// A label shows an "&" as the mark of an access key, not as a character ("&&" stands for one "&").
QString labelCaption(const QString& text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}

// The captions the add and edit windows share.
void setEditorCaptions(RecipeEditorWindow& w, int heading)
{
    w.lblBorder[0]->setText(labelCaption(loadText(heading)));
    w.lblBorder[1]->setText(labelCaption(loadText(heading)));
    w.lblTitle->setText(loadText(130));
    w.lblIng->setText(loadText(102));
    w.lblPrep->setText(loadText(103));
    w.lblOther->setText(loadText(104));
    w.lblCat->setText(loadText(131));
    w.lblDeg->setText(QStringLiteral("° (") + loadText(153) + u')');
    w.cmdAddImg->setText(loadText(132));
    w.Label7->setText(loadText(108));
    w.Label9->setText(loadText(109));
    w.Label8->setText(loadText(110));
    w.lblClickImg->setText(loadText(287));
}

} // namespace

void setAddCaptions(FrmAdd& w)
{
    w.setWindowTitle(loadText(154));
    setEditorCaptions(w, 129);
    w.mnuAFile->setTitle(loadText(112));
    w.mnuAExit->setText(loadText(114));
    w.mnuARec->setTitle(loadText(116));
    w.mnuABrowse->setText(loadText(135));
    w.mnuAHelp->setTitle(loadText(124));
    w.mnuAddEdit->setTitle(loadText(222));
    w.mnuAddCopy->setText(loadText(223));
    w.mnuAddCut->setText(loadText(224));
    w.mnuAddPaste->setText(loadText(225));
    w.mnuAddAbout->setText(loadText(226));
    w.mnuAddHelpContents->setText(loadText(227));
    w.mnuImport->setText(loadText(230));
    w.mnuAddOptions->setText(loadText(121));
    w.mnuAddTools->setTitle(loadText(120));
    w.mnuAddRecipe->setText(loadText(291));
    w.mnuAddImg->setText(loadText(292));
    w.mnuAddClear->setText(loadText(293));
    w.cmdAdd->setText(loadText(133));
    w.cmdClear->setText(loadText(134));
}

void setEditCaptions(FrmEdit& w)
{
    w.setWindowTitle(loadText(155));
    setEditorCaptions(w, 136);
    w.mnuAFile->setTitle(loadText(112));
    w.mnuAExit->setText(loadText(114));
    w.mnuAHelp->setTitle(loadText(124));
    w.mnuHelpAboutEd->setText(loadText(226));
    w.mnuHelpContentsE->setText(loadText(227));
    w.mnuEditBrowse->setText(loadText(135));
    w.mnuEditSaveRec->setText(loadText(294));
    w.mnuEditAddImg->setText(loadText(292));
    w.mnuEditAddRec->setText(loadText(117));
    w.mnuEditRecipe->setTitle(loadText(116));
    w.mnuEditCopy->setText(loadText(223));
    w.mnuEditCut->setText(loadText(224));
    w.mnuEditPaste->setText(loadText(225));
    w.mnuEditEdit->setTitle(loadText(222));
    w.cmdAdd->setText(loadText(160));
    w.cmdCancelEdit->setText(loadText(159));
}

void setSearchCaptions(FrmSearch& w)
{
    w.setWindowTitle(loadText(203));
    w.lblHeader->setText(loadText(187));
    w.txtKeyword->setText(loadText(188));
    w.cmdSearch->setText(loadText(161));
    w.cmdCancel->setText(loadText(251));
    for (QWidget* field : {static_cast<QWidget*>(w.txtKeyword), static_cast<QWidget*>(w.lstResults),
                           static_cast<QWidget*>(w.lblCount)}) {
        QFont font = field->font();
        font.setPointSize(app().textFontSize);
        field->setFont(font);
    }
}

void setOptionsCaptions(FrmOps& w)
{
    // Both languages at once, whatever the current one is.
    auto both = [](int id) {
        return QStringLiteral("«") + tableText(id) + QStringLiteral("» «") + tableText(id + SpanishOffset) + u'»';
    };
    w.setWindowTitle(QStringLiteral("SP | ") + tableText(156) + QStringLiteral(" | ") + tableText(156 + SpanishOffset));
    w.Label1->setText(both(148));
    w.Label2->setText(both(149));
    w.Label3->setText(both(150));
    w.cmdSave->setText(tableText(151) + u'\n' + tableText(151 + SpanishOffset));
    w.cmdDis->setText(tableText(152) + u'\n' + tableText(152 + SpanishOffset));
}
