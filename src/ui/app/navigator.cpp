#include "ui/app/navigator.h"

#include "core/app/app_state.h"
#include "core/sharing/conflict_copies.h"
#include "core/sharing/shared_book.h"
#include "core/text/text_table.h"
#include "ui/app/book_watcher.h"
#include "ui/app/file_hand_over.h"
#include "ui/browse/browse_window.h"
#include "ui/cooking/scale_window.h"
#include "ui/cooking/shopping_list_window.h"
#include "ui/editor/add_recipe_window.h"
#include "ui/editor/edit_recipe_window.h"
#include "ui/exchange/backup_command.h"
#include "ui/exchange/export_wizard.h"
#include "ui/exchange/import_wizard.h"
#include "ui/history/book_history_window.h"
#include "ui/output/cookbook_window.h"
#include "ui/output/email_window.h"
#include "ui/output/plain_text_window.h"
#include "ui/output/print_host.h"
#include "ui/preferences/about_box.h"
#include "ui/preferences/help_window.h"
#include "ui/preferences/preferences_window.h"
#include "ui/search/search_window.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

Navigator::Navigator(QObject* parent) : QObject(parent) {}

void Navigator::endProgram()
{
    m_ended = true;
    QApplication::exit(0);
}

template <typename Next> void Navigator::moveOn(MainWindowBase* from, Next next)
{
    from->leave();
    next();
}

void Navigator::loaded(MainWindowBase* window)
{
    m_current = window;
    connect(window, &MainWindowBase::exitRequested, this, &Navigator::endProgram);
    connect(window, &MainWindowBase::aboutRequested, window, [window] { openAboutBox(window); });
    connect(window, &MainWindowBase::helpRequested, window, [window] { showHelp(window); });
    window->show();
    if (m_catchUpWaiting)
        QTimer::singleShot(0, this, &Navigator::catchUpWithDisk);
    if (!m_filesToOpen.isEmpty())
        QTimer::singleShot(0, this, &Navigator::openWaitingFile);
}

void Navigator::openFilesWhenReady(const QStringList& paths)
{
    m_filesToOpen << paths;
    if (m_current) {
        m_current->raise();
        m_current->activateWindow();
    }
    openWaitingFile();
}

void Navigator::listenForHandedFiles()
{
    if (m_handOver || !app().dataLock)
        return; // without the lock the socket may be another copy's
    m_handOver = new FileHandOverServer(this);
    connect(m_handOver, &FileHandOverServer::filesArrived, this, &Navigator::openFilesWhenReady);
    m_handOver->listen(app().appPath);
}

void Navigator::openWaitingFile()
{
    auto* browse = qobject_cast<BrowseWindow*>(m_current.data());
    if (m_ended || m_filesToOpen.isEmpty() || !browse)
        return; // the next main window shown looks again
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(500, this, &Navigator::openWaitingFile);
        return;
    }
    const QString path = m_filesToOpen.takeFirst();
    moveOn(browse, [this, path] { openImportWizardOn(path); });
}

void Navigator::watchBook()
{
    if (m_watcher)
        return;
    m_watcher = new BookWatcher(this);
    const AppState& a = app();
    m_watcher->watch(a.appPath, a.bookPath(), a.imagesPath());
    connect(m_watcher, &BookWatcher::folderChanged, this, &Navigator::catchUpWithDisk);
    QTimer::singleShot(0, this, &Navigator::catchUpWithDisk);
}

void Navigator::catchUpWithDisk()
{
    if (m_ended || m_catchingUp)
        return;
    if (!m_current || QApplication::activeModalWidget()) {
        m_catchUpWaiting = true;
        if (m_current) // a message is open: look again once it has had time to close
            QTimer::singleShot(1000, this, &Navigator::catchUpWithDisk);
        return;
    }
    m_catchUpWaiting = false;
    m_catchingUp = true;
    AppState& a = app();
    if (a.book.fileChangedOnDisk() && reloadChangedBook(a.book))
        m_current->showReloadedBook();
    for (const QString& copy : conflictCopies(a.appPath)) {
        if (!m_offeredCopies.contains(copy) && m_current) {
            m_offeredCopies.append(copy);
            offerConflictCopy(copy);
        }
    }
    m_catchingUp = false;
}

void Navigator::offerConflictCopy(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const QString question = loadText(TextId::ConflictCopyFound).arg(name) + QStringLiteral("\r\n\r\n") +
                             loadText(TextId::ConflictCopyMergeQuestion);
    if (dialogs().message(question, kMessageTitle, MsgButtons::YesNo, MsgIcon::Question) != MsgAnswer::Yes)
        return;
    const ConflictCopyMerge merge = mergeConflictCopy(app().book, path);
    if (merge.unreadable) {
        showMessage(loadText(TextId::ConflictCopyUnreadable).arg(name), MsgIcon::Exclamation);
        return;
    }
    if (merge.report.isEmpty()) {
        showMessage(loadText(TextId::ConflictCopyHeldNothingNew), MsgIcon::Information);
        return;
    }
    ChangeOutcome outcome = merge.change;
    outcome.merged = merge.report;
    if (reportChange(outcome) && m_current)
        m_current->showReloadedBook();
}

void Navigator::showMainWindow(MainWindowKind kind)
{
    if (kind == MainWindowKind::Add)
        showAdd();
    else
        showBrowse(); // editing needs its recipe: showEdit
}

BrowseWindow* Navigator::showBrowse()
{
    auto* browse = new BrowseWindow;
    connectBrowse(browse);
    loaded(browse);
    return browse;
}

BrowseWindow* Navigator::showBrowseAt(const QString& category, const QString& title)
{
    BrowseWindow* browse = showBrowse();
    browse->selectRecipe(category, title);
    return browse;
}

AddRecipeWindow* Navigator::showAdd()
{
    auto* add = new AddRecipeWindow;
    connectAdd(add);
    loaded(add);
    return add;
}

EditRecipeWindow* Navigator::showEdit(const RecipeRef& recipe)
{
    auto* edit = new EditRecipeWindow(recipe);
    connectEdit(edit);
    loaded(edit);
    return edit;
}

void Navigator::connectBrowse(BrowseWindow* browse)
{
    connect(browse, &BrowseWindow::addRequested, this, [this, browse] { moveOn(browse, [this] { showAdd(); }); });
    connect(browse, &BrowseWindow::editRequested, this,
            [this, browse](const RecipeRef& recipe) { moveOn(browse, [this, recipe] { showEdit(recipe); }); });
    connect(browse, &BrowseWindow::emailRequested, this, [this, browse] { moveOn(browse, [this] { openEmail(); }); });
    connect(browse, &BrowseWindow::emailShownRequested, this,
            [this, browse](const ShownRecipe& recipe) { moveOn(browse, [this, recipe] { openEmail(recipe); }); });
    connect(browse, &BrowseWindow::scaleRequested, this,
            [this, browse](const QString& title, const QString& yield, double factor) {
                openScale(browse, title, yield, factor);
            });
    connect(browse, &BrowseWindow::shoppingListRequested, this, [this, browse] { openShoppingList(browse); });
    connect(browse, &BrowseWindow::exportRequested, this,
            [this, browse] { moveOn(browse, [this] { openExportWizard(); }); });
    connect(browse, &BrowseWindow::preferencesRequested, this,
            [this, browse] { moveOn(browse, [this] { openPreferences(MainWindowKind::Browse); }); });
    connect(browse, &BrowseWindow::searchRequested, this, [this, browse] { openSearch(browse); });
    connect(browse, &BrowseWindow::backupRequested, browse, [browse] { backUpRecipes(browse); });
    connect(browse, &BrowseWindow::historyRequested, this,
            [this, browse] { moveOn(browse, [this] { openBookHistory(); }); });
    connect(browse, &BrowseWindow::cookbookRequested, this,
            [this, browse] { moveOn(browse, [this] { openCookbook(); }); });
    connect(browse, &BrowseWindow::printRequested, browse,
            [browse](const ShownRecipe& recipe, bool preview) { printRecipe(recipe, preview, browse); });
    connect(browse, &BrowseWindow::plainTextRequested, browse,
            [browse](const ShownRecipe& recipe) { (new PlainTextWindow(recipe))->showOver(browse); });
}

void Navigator::connectAdd(AddRecipeWindow* add)
{
    connect(add, &AddRecipeWindow::browseRequested, this, [this, add] { moveOn(add, [this] { showBrowse(); }); });
    connect(add, &AddRecipeWindow::importRequested, this, [this, add] { moveOn(add, [this] { openImportWizard(); }); });
    connect(add, &AddRecipeWindow::preferencesRequested, this,
            [this, add] { moveOn(add, [this] { openPreferences(MainWindowKind::Add); }); });
}

void Navigator::connectEdit(EditRecipeWindow* edit)
{
    connect(edit, &EditRecipeWindow::addRequested, this, [this, edit] { moveOn(edit, [this] { showAdd(); }); });
    // Closed after an update, a cancel, or the close box once an update was tried: back to the recipe.
    connect(edit, &EditRecipeWindow::finished, this,
            [this](const QString& category, const QString& title) { showBrowseAt(category, title); });
}

void Navigator::openPreferences(MainWindowKind returnTo)
{
    auto* preferences = new PreferencesWindow;
    connect(preferences, &PreferencesWindow::finished, this, [this, returnTo] { showMainWindow(returnTo); });
    preferences->show();
}

void Navigator::openExportWizard()
{
    auto* wizard = new ExportWizard;
    connect(wizard, &WizardWindow::finished, this, [this] { showBrowse(); });
    wizard->show();
}

void Navigator::openCookbook()
{
    auto* cookbook = new CookbookWindow;
    connect(cookbook, &CookbookWindow::finished, this, [this] { showBrowse(); });
    cookbook->show();
}

void Navigator::openImportWizard()
{
    auto* wizard = new ImportWizard;
    connect(wizard, &WizardWindow::finished, this, [this] { showAdd(); });
    wizard->show();
}

void Navigator::openImportWizardOn(const QString& path)
{
    auto* wizard = new ImportWizard;
    connect(wizard, &WizardWindow::finished, this, [this] { showBrowse(); });
    wizard->show();
    wizard->openOn(path);
}

void Navigator::openEmail(const std::optional<ShownRecipe>& shown)
{
    auto* email = new EmailWindow(shown);
    connect(email, &EmailWindow::finished, this, [this] { showBrowse(); });
    email->show();
}

void Navigator::openBookHistory()
{
    auto* history = new BookHistoryWindow;
    connect(history, &BookHistoryWindow::finished, this, [this](const QString& category, const QString& title) {
        if (title.isEmpty())
            showBrowse();
        else
            showBrowseAt(category, title);
    });
    history->show();
}

void Navigator::openScale(BrowseWindow* browse, const QString& title, const QString& yield, double factor)
{
    auto* scale = new ScaleWindow(title, yield, factor);
    connect(scale, &ScaleWindow::scaleChosen, browse, &BrowseWindow::showScaled);
    scale->showOver(browse);
}

void Navigator::openShoppingList(BrowseWindow* browse)
{
    auto* list = new ShoppingListWindow;
    connect(list, &ShoppingListWindow::printRequested, list,
            [list](const ShownRecipe& page, bool preview) { printRecipe(page, preview, list); });
    connect(list, &ShoppingListWindow::plainTextRequested, list,
            [list](const QString& title, const QString& text) { (new PlainTextWindow(title, text))->showOver(list); });
    // The e-mail window stands in for the browse window: the list closes with it.
    connect(list, &ShoppingListWindow::emailRequested, this, [this, list, browse](const ShownRecipe& page) {
        list->close();
        moveOn(browse, [this, page] { openEmail(page); });
    });
    list->showOver(browse);
}

void Navigator::openSearch(BrowseWindow* browse)
{
    auto* search = new SearchWindow;
    connect(search, &SearchWindow::recipeChosen, browse, &BrowseWindow::selectRecipe);
    search->showOver(browse);
}
