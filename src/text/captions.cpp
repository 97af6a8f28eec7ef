#include "text/captions.h"

#include "text/text_table.h"
#include "windows/browse/frm_br.h"

#include <QAction>
#include <QLabel>
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
