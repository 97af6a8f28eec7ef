#include "ui/app/window_model.h"

#include "core/app/app_state.h"
#include "ui/app/window_placement.h"
#include "ui/browse/browse_window.h"
#include "ui/editor/add_recipe_window.h"
#include "ui/editor/edit_recipe_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QPointer>

namespace {
QPointer<QWidget>& current()
{
    static QPointer<QWidget> window;
    return window;
}
} // namespace

void endProgram()
{
    app().ended = true;
    QCoreApplication::exit(0);
}

QWidget* currentMainWindow()
{
    return current().data();
}

QWidget* mainWindowOfKind(MainWindowKind kind)
{
    auto* window = qobject_cast<MainWindowBase*>(currentMainWindow());
    return window && window->kind() == kind ? window : nullptr;
}

void showMainWindow(MainWindowKind kind)
{
    QWidget* window = nullptr;
    switch (kind) {
    case MainWindowKind::Browse:
        window = new BrowseWindow;
        break;
    case MainWindowKind::Add:
        window = new AddRecipeWindow;
        break;
    case MainWindowKind::Edit:
        window = new EditRecipeWindow;
        break;
    }
    window->show();
}

MainWindowBase::MainWindowBase(QWidget* parent) : QMainWindow(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

MainWindowBase::~MainWindowBase() = default;

void MainWindowBase::registerMainWindow()
{
    app().quitOnClose = true;
    current() = this;
}

void MainWindowBase::switchTo(const std::function<void()>& showNext)
{
    app().quitOnClose = false;
    close();
    showNext();
}

void MainWindowBase::exitProgram()
{
    app().quitOnClose = true;
    close();
}

bool MainWindowBase::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && watched == centralWidget())
        layOutWidgets();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindowBase::closeEvent(QCloseEvent* event)
{
    saveWindowPlacement(this);
    event->accept();
    if (current() == this)
        current() = nullptr;
    if (app().quitOnClose) {
        endProgram();
        return;
    }
    afterUnload();
}

void openSecondaryWindow(QWidget* secondary, MainWindowBase* opener)
{
    AppState& a = app();
    if (opener) {
        a.returnToBr = opener->kind() == MainWindowKind::Browse;
        a.returnToAdd = opener->kind() == MainWindowKind::Add;
        a.returnToEdit = opener->kind() == MainWindowKind::Edit;
        opener->setEnabled(false);
    }
    secondary->show();
}

void returnFromSecondaryWindow()
{
    AppState& a = app();
    if ((a.returnToBr || a.returnToAdd || a.returnToEdit) && currentMainWindow()) {
        QWidget* window = currentMainWindow();
        window->setEnabled(true);
        window->activateWindow();
        window->setFocus();
    }
    a.returnToBr = a.returnToAdd = a.returnToEdit = false;
}
