// The browse window's Category menu: rename the shown category, or delete it with its recipes.
#include "core/app/app_state.h"
#include "core/book/book_operations.h"
#include "core/book/recipe_checks.h"
#include "core/book/xml_document.h"
#include "core/text/text_table.h"
#include "ui/browse/browse_window.h"
#include "ui/platform/dialogs.h"

#include <QComboBox>
#include <QListWidget>

namespace {
QString quoted(const QString& name)
{
    return QStringLiteral("\r\n« ") + name + QStringLiteral(" »");
}
} // namespace

void BrowseWindow::renameShownCategory()
{
    for (;;) {
        if (m_categoryCombo->count() == 0)
            return;
        const QString current = m_categoryCombo->currentText();
        QString answer;
        if (!dialogs().inputBox(loadText(TextId::RenameCategoryPrompt) + u':' + quoted(current), kMessageTitle, current,
                                &answer))
            answer.clear();
        answer = cleanedName(answer); // as the book will store it
        if (answer.isEmpty() || answer == current)
            return;
        const std::optional<TextId> problem = categoryNameProblem(app().book, answer);
        if (problem == TextId::InvalidCategoryCharsMessage) {
            showMessage(invalidNameMessage(*problem, InvalidCharsList::Category));
            return;
        }
        if (problem) {
            if (dialogs().message(loadText(*problem), kMessageTitle, MsgButtons::RetryCancel, MsgIcon::None) ==
                MsgAnswer::Retry)
                continue;
            return;
        }
        if (!reportChange(renameCategory(app().book, m_categories->itemData(m_categoryCombo->currentIndex()), answer)))
            return;
        refillCategories();
        for (int row = m_categoryCombo->count() - 1; row >= 0; --row) {
            if (m_categoryCombo->itemText(row) == answer) {
                m_categories->setCurrentRow(row);
                break;
            }
        }
        return;
    }
}

void BrowseWindow::deleteShownCategory()
{
    if (m_categoryCombo->count() == 0)
        return;
    const QString name = m_categoryCombo->currentText();
    if (m_recipeList->count() > 0)
        showMessage(loadText(TextId::CategoryNotEmptyMessage));
    if (dialogs().message(loadText(TextId::ConfirmDeletionPrompt) + u':' + quoted(name), kMessageTitle,
                          MsgButtons::YesNo, MsgIcon::None) != MsgAnswer::Yes)
        return;
    if (reportChange(deleteCategory(app().book, m_categories->itemData(m_categoryCombo->currentIndex()))))
        refillCategories();
}
