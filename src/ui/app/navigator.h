#pragma once

#include "core/book/book_operations.h"
#include "core/output/shown_recipe.h"
#include "ui/platform/main_window.h"

#include <QObject>
#include <QPointer>
#include <optional>

class AddRecipeWindow;
class BookWatcher;
class BrowseWindow;
class EditRecipeWindow;
class FileHandOverServer;

// Where the program goes: the one part of it that knows every window. Windows say what the user asked
// for by their signals; the navigator opens and closes windows and knows where to return. One main
// window (browse, add or edit) is loaded at a time; the replacing windows (the wizards, e-mail,
// preferences) stand in for it and bring back the one they came from.
class Navigator : public QObject {
    Q_OBJECT
public:
    explicit Navigator(QObject* parent = nullptr);

    // Loads and shows a main window; the one loaded before has already gone.
    BrowseWindow* showBrowse();
    // The browse window with this recipe chosen, as a click on its category and title would.
    BrowseWindow* showBrowseAt(const QString& category, const QString& title);
    AddRecipeWindow* showAdd();
    EditRecipeWindow* showEdit(const RecipeRef& recipe);
    void showMainWindow(MainWindowKind kind);

    // The main window loaded now, if any.
    QWidget* currentMainWindow() const { return m_current.data(); }

    // Watches the data folder from now on for what other computers' copies bring through a sync tool,
    // and looks once at once (for conflicting copies left while the program was not running).
    void watchBook();
    // Reads the book again when the file on disk is no longer the one read and shows it in the main
    // window, then offers conflicting copies not offered yet. Waits while no main window is loaded or
    // a message is open.
    void catchUpWithDisk();

    // Recipe files to open in the import wizard, one after another, each once the browse window is shown
    // (never over a recipe being typed or another window's work).
    void openFilesWhenReady(const QStringList& paths);
    // From now on, files handed over by a later start of the program are opened so too. Called once the
    // data folder is this copy's.
    void listenForHandedFiles();

    // Ends the program at once: nothing else is shown after it.
    void endProgram();
    bool ended() const { return m_ended; }

private:
    void loaded(MainWindowBase* window);
    // Leaves `from` and shows what `next` shows.
    template <typename Next> void moveOn(MainWindowBase* from, Next next);
    void connectBrowse(BrowseWindow* browse);
    void connectAdd(AddRecipeWindow* add);
    void connectEdit(EditRecipeWindow* edit);
    // The replacing windows, each bringing back `returnTo` when it closes.
    void openPreferences(MainWindowKind returnTo);
    void openExportWizard();
    void openCookbook();
    void openImportWizard();
    void openImportWizardOn(const QString& path);
    void openWaitingFile();
    // E-mail, with a text the cook sees (a scaled recipe, a shopping list) offered first when given.
    void openEmail(const std::optional<ShownRecipe>& shown = std::nullopt);
    // Over the browse window, which stays shown and waits for them.
    void openScale(BrowseWindow* browse, const QString& title, const QString& yield, double factor);
    void openShoppingList(BrowseWindow* browse);
    void openSearch(BrowseWindow* browse);
    void openBookHistory();
    void offerConflictCopy(const QString& path);

    QPointer<MainWindowBase> m_current;
    bool m_ended = false;
    BookWatcher* m_watcher = nullptr;
    bool m_catchUpWaiting = false; // a look at the disk waits for a main window or the end of a message
    bool m_catchingUp = false;
    QStringList m_offeredCopies; // conflicting copies offered in this run
    QStringList m_filesToOpen;   // files given on the command line or handed over, not opened yet
    FileHandOverServer* m_handOver = nullptr;
};
