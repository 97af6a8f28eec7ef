#include "ui/app/window_texts.h"

#include "core/app/app_state.h"
#include "ui/preferences/preferences_window.h"
#include "core/text/text_table.h"
#include "ui/browse/browse_window.h"
#include "ui/editor/add_recipe_window.h"
#include "ui/editor/edit_recipe_window.h"
#include "ui/search/search_window.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

void applyBrowseTexts(BrowseWindow& w)
{
    w.setWindowTitle(loadText(100));
    w.m_printButton->setToolTip(loadText(256));
    w.m_editButton->setToolTip(loadText(257));
    w.m_removeButton->setToolTip(loadText(258));
    w.m_heading[0]->setText(loadText(101));
    w.m_heading[1]->setText(loadText(101));
    w.m_emailAction->setText(loadText(254));
    w.m_fileMenu->setTitle(loadText(112));
    w.m_printAction->setText(loadText(113));
    w.m_printPreviewAction->setText(loadText(235));
    w.m_exitAction->setText(loadText(114));
    w.m_recipeMenu->setTitle(loadText(116));
    w.m_addRecipesAction->setText(loadText(117));
    w.m_toolsMenu->setTitle(loadText(120));
    w.m_preferencesAction->setText(loadText(121));
    w.m_searchAction->setText(loadText(161));
    w.m_categoryMenu->setTitle(u'&' + loadText(279));
    w.m_renameCategoryAction->setText(u'&' + loadText(280));
    w.m_deleteCategoryAction->setText(u'&' + loadText(281));
    w.m_backupAction->setText(loadText(282));
    w.m_editRecipeAction->setText(loadText(289));
    w.m_removeRecipeAction->setText(loadText(290));
    w.m_helpMenu->setTitle(loadText(124));
    w.m_aboutAction->setText(loadText(226));
    w.m_helpContentsAction->setText(loadText(227));
    w.m_editMenu->setTitle(loadText(222));
    w.m_copyAction->setText(loadText(223));
    w.m_exportAction->setText(loadText(229));
    w.m_plainTextAction->setText(loadText(234));
    w.m_ingredientsCaption->setText(loadText(102));
    w.m_preparationCaption->setText(loadText(103));
    w.m_notesCaption->setText(loadText(104));
    w.m_printButton->setText(loadText(105));
    w.m_editButton->setText(loadText(106));
    w.m_removeButton->setText(loadText(107));
    w.m_prepTimeCaption->setText(loadText(108) + u':');
    w.m_cookTimeCaption->setText(loadText(109) + u':');
    w.m_yieldCaption->setText(loadText(110) + u':');
    w.m_dateCaption->setText(loadText(111) + u':');
    w.m_viewPictureLabel->setText(loadText(287));
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
void applyEditorTexts(RecipeEditorWindow& w, int heading)
{
    w.m_heading[0]->setText(labelCaption(loadText(heading)));
    w.m_heading[1]->setText(labelCaption(loadText(heading)));
    w.m_titleCaption->setText(loadText(130));
    w.m_ingredientsCaption->setText(loadText(102));
    w.m_preparationCaption->setText(loadText(103));
    w.m_notesCaption->setText(loadText(104));
    w.m_categoryCaption->setText(loadText(131));
    w.m_degreeLabel->setText(QStringLiteral("° (") + loadText(153) + u')');
    w.m_pictureButton->setText(loadText(132));
    w.m_prepTimeCaption->setText(loadText(108));
    w.m_cookTimeCaption->setText(loadText(109));
    w.m_yieldCaption->setText(loadText(110));
    w.m_viewPictureLabel->setText(loadText(287));
}

} // namespace

void applyAddTexts(AddRecipeWindow& w)
{
    w.setWindowTitle(loadText(154));
    applyEditorTexts(w, 129);
    w.m_fileMenu->setTitle(loadText(112));
    w.m_exitAction->setText(loadText(114));
    w.m_recipeMenu->setTitle(loadText(116));
    w.m_browseAction->setText(loadText(135));
    w.m_helpMenu->setTitle(loadText(124));
    w.m_editMenu->setTitle(loadText(222));
    w.m_copyAction->setText(loadText(223));
    w.m_cutAction->setText(loadText(224));
    w.m_pasteAction->setText(loadText(225));
    w.m_aboutAction->setText(loadText(226));
    w.m_helpContentsAction->setText(loadText(227));
    w.m_importAction->setText(loadText(230));
    w.m_preferencesAction->setText(loadText(121));
    w.m_toolsMenu->setTitle(loadText(120));
    w.m_addThisRecipeAction->setText(loadText(291));
    w.m_addPictureAction->setText(loadText(292));
    w.m_clearRecipeAction->setText(loadText(293));
    w.m_saveButton->setText(loadText(133));
    w.m_clearButton->setText(loadText(134));
}

void applyEditTexts(EditRecipeWindow& w)
{
    w.setWindowTitle(loadText(155));
    applyEditorTexts(w, 136);
    w.m_fileMenu->setTitle(loadText(112));
    w.m_exitAction->setText(loadText(114));
    w.m_helpMenu->setTitle(loadText(124));
    w.m_aboutAction->setText(loadText(226));
    w.m_helpContentsAction->setText(loadText(227));
    w.m_browseAction->setText(loadText(135));
    w.m_saveRecipeAction->setText(loadText(294));
    w.m_addPictureAction->setText(loadText(292));
    w.m_addRecipesAction->setText(loadText(117));
    w.m_recipeMenu->setTitle(loadText(116));
    w.m_copyAction->setText(loadText(223));
    w.m_cutAction->setText(loadText(224));
    w.m_pasteAction->setText(loadText(225));
    w.m_editMenu->setTitle(loadText(222));
    w.m_saveButton->setText(loadText(160));
    w.m_cancelButton->setText(loadText(159));
}

void applySearchTexts(SearchWindow& w)
{
    w.setWindowTitle(loadText(203));
    w.m_heading->setText(loadText(187));
    w.m_searchBox->setText(loadText(188));
    w.m_searchButton->setText(loadText(161));
    w.m_closeButton->setText(loadText(251));
    for (QWidget* field : {static_cast<QWidget*>(w.m_searchBox), static_cast<QWidget*>(w.m_resultList),
                           static_cast<QWidget*>(w.m_countLabel)}) {
        QFont font = field->font();
        font.setPointSize(app().textFontSize);
        field->setFont(font);
    }
}

void applyPreferencesTexts(PreferencesWindow& w)
{
    // Both languages at once, whatever the current one is.
    auto both = [](int id) {
        return QStringLiteral("«") + tableText(id) + QStringLiteral("» «") + tableText(id + SpanishOffset) + u'»';
    };
    w.setWindowTitle(QStringLiteral("SP | ") + tableText(156) + QStringLiteral(" | ") + tableText(156 + SpanishOffset));
    w.m_schemeCaption->setText(both(148));
    w.m_languageCaption->setText(both(149));
    w.m_textSizeCaption->setText(both(150));
    w.m_saveButton->setText(tableText(151) + u'\n' + tableText(151 + SpanishOffset));
    w.m_discardButton->setText(tableText(152) + u'\n' + tableText(152 + SpanishOffset));
}
