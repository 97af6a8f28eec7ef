// The browse window's Category menu: rename the shown category, or delete it with its recipes.
#include "core/app/app_state.h"
#include "core/app/dialogs.h"
#include "core/book/book_operations.h"
#include "core/text/text_table.h"
#include "ui/browse/browse_window.h"

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
    Dialogs& dialogs = *app().dialogs;
    for (;;) {
        if (m_categoryCombo->count() == 0)
            return;
        const QString current = m_categoryCombo->currentText();
        QString answer;
        if (!dialogs.inputBox(loadText(TextId::RenameCategoryPrompt) + u':' + quoted(current), kMessageTitle, current,
                              &answer))
            answer.clear();
        answer = xmlStorableText(answer).trimmed(); // as the book will store it
        if (answer.isEmpty() || answer == current)
            return;
        if (!isValidName(answer)) {
            showMessage(dialogs, invalidNameMessage(TextId::InvalidCategoryCharsMessage, InvalidCharsList::Category));
            return;
        }
        if (!categoryNameFree(answer.toLower(), categoryList())) {
            if (dialogs.message(loadText(TextId::CategoryExistsMessage), kMessageTitle, MsgButtons::RetryCancel,
                                MsgIcon::None) == MsgAnswer::Retry)
                continue;
            return;
        }
        if (!reportChange(
                renameCategory(app().recipeDoc, categoryList().itemData(m_categoryCombo->currentIndex()), answer)))
            return;
        refillCategories();
        for (int row = m_categoryCombo->count() - 1; row >= 0; --row) {
            if (m_categoryCombo->itemText(row) == answer) {
                categoryList().setCurrentRow(row);
                break;
            }
        }
        return;
    }
}

void BrowseWindow::deleteShownCategory()
{
    Dialogs& dialogs = *app().dialogs;
    if (m_categoryCombo->count() == 0)
        return;
    const QString name = m_categoryCombo->currentText();
    if (m_recipeList->count() > 0)
        showMessage(dialogs, loadText(TextId::CategoryNotEmptyMessage));
    if (dialogs.message(loadText(TextId::ConfirmDeletionPrompt) + u':' + quoted(name), kMessageTitle, MsgButtons::YesNo,
                        MsgIcon::None) != MsgAnswer::Yes)
        return;
    if (reportChange(deleteCategory(app().recipeDoc, categoryList().itemData(m_categoryCombo->currentIndex()))))
        refillCategories();
}
