#include "ui/app/window_texts.h"

#include "core/app/app_state.h"
#include "core/text/text_table.h"
#include "ui/browse/browse_window.h"
#include "ui/editor/add_recipe_window.h"
#include "ui/editor/edit_recipe_window.h"
#include "ui/preferences/preferences_window.h"
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
    w.setWindowTitle(loadText(TextId::BrowseWindowTitle));
    w.m_printButton->setToolTip(loadText(TextId::PrintButtonTip));
    w.m_editButton->setToolTip(loadText(TextId::EditButtonTip));
    w.m_removeButton->setToolTip(loadText(TextId::RemoveButtonTip));
    w.m_heading[0]->setText(loadText(TextId::BrowseHeading));
    w.m_heading[1]->setText(loadText(TextId::BrowseHeading));
    w.m_emailAction->setText(loadText(TextId::EmailMenu));
    w.m_fileMenu->setTitle(loadText(TextId::FileMenu));
    w.m_printAction->setText(loadText(TextId::PrintMenu));
    w.m_printPreviewAction->setText(loadText(TextId::PrintPreviewMenu));
    w.m_exitAction->setText(loadText(TextId::ExitMenu));
    w.m_recipeMenu->setTitle(loadText(TextId::RecipeMenu));
    w.m_addRecipesAction->setText(loadText(TextId::AddRecipesMenu));
    w.m_toolsMenu->setTitle(loadText(TextId::ToolsMenu));
    w.m_preferencesAction->setText(loadText(TextId::PreferencesMenu));
    w.m_searchAction->setText(loadText(TextId::SearchMenuAndButton));
    w.m_categoryMenu->setTitle(u'&' + loadText(TextId::CategoryMenu));
    w.m_renameCategoryAction->setText(u'&' + loadText(TextId::RenameCategoryMenu));
    w.m_deleteCategoryAction->setText(u'&' + loadText(TextId::RemoveCategoryMenu));
    w.m_backupAction->setText(loadText(TextId::BackupRecipesMenu));
    w.m_editRecipeAction->setText(loadText(TextId::EditThisRecipeMenu));
    w.m_removeRecipeAction->setText(loadText(TextId::RemoveThisRecipeMenu));
    w.m_helpMenu->setTitle(loadText(TextId::HelpMenu));
    w.m_aboutAction->setText(loadText(TextId::AboutMenu));
    w.m_helpContentsAction->setText(loadText(TextId::HelpContentsMenu));
    w.m_editMenu->setTitle(loadText(TextId::EditMenu));
    w.m_copyAction->setText(loadText(TextId::CopyMenu));
    w.m_exportAction->setText(loadText(TextId::ExportRecipesMenu));
    w.m_plainTextAction->setText(loadText(TextId::PlainTextMenu));
    w.m_ingredientsCaption->setText(loadText(TextId::IngredientsLabel));
    w.m_preparationCaption->setText(loadText(TextId::PreparationLabel));
    w.m_notesCaption->setText(loadText(TextId::SpecialNotesLabel));
    w.m_printButton->setText(loadText(TextId::PrintButton));
    w.m_editButton->setText(loadText(TextId::EditButton));
    w.m_removeButton->setText(loadText(TextId::RemoveButton));
    w.m_prepTimeCaption->setText(loadText(TextId::PrepTimeLabel) + u':');
    w.m_cookTimeCaption->setText(loadText(TextId::CookTimeLabel) + u':');
    w.m_yieldCaption->setText(loadText(TextId::YieldLabel) + u':');
    w.m_dateCaption->setText(loadText(TextId::DateCreatedLabel) + u':');
    w.m_viewPictureLabel->setText(loadText(TextId::ClickToViewImageLabel));
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
void applyEditorTexts(RecipeEditorWindow& w, TextId heading)
{
    w.m_heading[0]->setText(labelCaption(loadText(heading)));
    w.m_heading[1]->setText(labelCaption(loadText(heading)));
    w.m_titleCaption->setText(loadText(TextId::TitleLabel));
    w.m_ingredientsCaption->setText(loadText(TextId::IngredientsLabel));
    w.m_preparationCaption->setText(loadText(TextId::PreparationLabel));
    w.m_notesCaption->setText(loadText(TextId::SpecialNotesLabel));
    w.m_categoryCaption->setText(loadText(TextId::CategoryLabel));
    w.m_degreeLabel->setText(QStringLiteral("° (") + loadText(TextId::DegreeSymbolLabel) + u')');
    w.m_pictureButton->setText(loadText(TextId::AddImageButton));
    w.m_prepTimeCaption->setText(loadText(TextId::PrepTimeLabel));
    w.m_cookTimeCaption->setText(loadText(TextId::CookTimeLabel));
    w.m_yieldCaption->setText(loadText(TextId::YieldLabel));
    w.m_viewPictureLabel->setText(loadText(TextId::ClickToViewImageLabel));
}

} // namespace

void applyAddTexts(AddRecipeWindow& w)
{
    w.setWindowTitle(loadText(TextId::AddWindowTitle));
    applyEditorTexts(w, TextId::AddHeading);
    w.m_fileMenu->setTitle(loadText(TextId::FileMenu));
    w.m_exitAction->setText(loadText(TextId::ExitMenu));
    w.m_recipeMenu->setTitle(loadText(TextId::RecipeMenu));
    w.m_browseAction->setText(loadText(TextId::BrowseRecipesMenu));
    w.m_helpMenu->setTitle(loadText(TextId::HelpMenu));
    w.m_editMenu->setTitle(loadText(TextId::EditMenu));
    w.m_copyAction->setText(loadText(TextId::CopyMenu));
    w.m_cutAction->setText(loadText(TextId::CutMenu));
    w.m_pasteAction->setText(loadText(TextId::PasteMenu));
    w.m_aboutAction->setText(loadText(TextId::AboutMenu));
    w.m_helpContentsAction->setText(loadText(TextId::HelpContentsMenu));
    w.m_importAction->setText(loadText(TextId::ImportRecipesMenu));
    w.m_preferencesAction->setText(loadText(TextId::PreferencesMenu));
    w.m_toolsMenu->setTitle(loadText(TextId::ToolsMenu));
    w.m_addThisRecipeAction->setText(loadText(TextId::AddThisRecipeMenu));
    w.m_addPictureAction->setText(loadText(TextId::AddImageMenu));
    w.m_clearRecipeAction->setText(loadText(TextId::ClearRecipeMenu));
    w.m_saveButton->setText(loadText(TextId::AddButton));
    w.m_clearButton->setText(loadText(TextId::ClearButton));
}

void applyEditTexts(EditRecipeWindow& w)
{
    w.setWindowTitle(loadText(TextId::EditWindowTitle));
    applyEditorTexts(w, TextId::EditHeading);
    w.m_fileMenu->setTitle(loadText(TextId::FileMenu));
    w.m_exitAction->setText(loadText(TextId::ExitMenu));
    w.m_helpMenu->setTitle(loadText(TextId::HelpMenu));
    w.m_aboutAction->setText(loadText(TextId::AboutMenu));
    w.m_helpContentsAction->setText(loadText(TextId::HelpContentsMenu));
    w.m_browseAction->setText(loadText(TextId::BrowseRecipesMenu));
    w.m_saveRecipeAction->setText(loadText(TextId::SaveRecipeMenu));
    w.m_addPictureAction->setText(loadText(TextId::AddImageMenu));
    w.m_addRecipesAction->setText(loadText(TextId::AddRecipesMenu));
    w.m_recipeMenu->setTitle(loadText(TextId::RecipeMenu));
    w.m_copyAction->setText(loadText(TextId::CopyMenu));
    w.m_cutAction->setText(loadText(TextId::CutMenu));
    w.m_pasteAction->setText(loadText(TextId::PasteMenu));
    w.m_editMenu->setTitle(loadText(TextId::EditMenu));
    w.m_saveButton->setText(loadText(TextId::UpdateButton));
    w.m_cancelButton->setText(loadText(TextId::CancelEditButton));
}

void applySearchTexts(SearchWindow& w)
{
    w.setWindowTitle(loadText(TextId::SearchWindowTitle));
    w.m_heading->setText(loadText(TextId::SearchHeading));
    w.m_searchBox->setText(loadText(TextId::SearchTextPrompt));
    w.m_searchButton->setText(loadText(TextId::SearchMenuAndButton));
    w.m_closeButton->setText(loadText(TextId::CloseButton));
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
    auto both = [](TextId id) {
        return QStringLiteral("«") + loadText(id, Language::English) + QStringLiteral("» «") +
               loadText(id, Language::Spanish) + u'»';
    };
    w.setWindowTitle(kMessageTitle + QStringLiteral(" | ") +
                     loadText(TextId::PreferencesWindowTitle, Language::English) + QStringLiteral(" | ") +
                     loadText(TextId::PreferencesWindowTitle, Language::Spanish));
    w.m_schemeCaption->setText(both(TextId::ColorSchemeLabel));
    w.m_languageCaption->setText(both(TextId::LanguageLabel));
    w.m_textSizeCaption->setText(both(TextId::TextSizeLabel));
    w.m_saveButton->setText(loadText(TextId::SaveButton, Language::English) + u'\n' +
                            loadText(TextId::SaveButton, Language::Spanish));
    w.m_discardButton->setText(loadText(TextId::DiscardButton, Language::English) + u'\n' +
                               loadText(TextId::DiscardButton, Language::Spanish));
}
