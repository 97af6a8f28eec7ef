#pragma once

#include <QMainWindow>
#include <functional>

enum class MainWindowKind { Browse, Add, Edit };

// Ends the program at once: no other window's unload handling runs.
void endProgram();

// Loads and shows a fresh main window of this kind; the caller has unloaded the current one.
void showMainWindow(MainWindowKind kind);
// The main window that is loaded now, if any.
QWidget* currentMainWindow();
// The loaded main window when it is of this kind, otherwise null.
QWidget* mainWindowOfKind(MainWindowKind kind);

// The browse, add and edit windows. Exactly one is loaded at a time; they share one stored
// placement. Unloading one ends the program unless a move to another window cleared quitOnClose.
class MainWindowBase : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindowBase(QWidget* parent = nullptr);
    ~MainWindowBase() override;

    virtual MainWindowKind kind() const = 0;

    // Moves to another window: the current one unloads without ending the program.
    void switchTo(const std::function<void()>& showNext);
    // The Exit command: unloads the window and ends the program.
    void exitProgram();

protected:
    // The first load step of every main window: it becomes the loaded one, and closing it ends the program.
    void registerMainWindow();
    // Called when the window has unloaded without ending the program.
    virtual void afterUnload() {}
    // Lays the window out for its new size; runs whenever its central widget is resized.
    virtual void layOutWidgets() {}
    // Watches the central widget for resizes; windows that filter more events pass the rest on here.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

// Secondary windows (about box, image viewer) are shown over a main window that stays shown
// but disabled; closing them enables the window whose return flag is set.
void openSecondaryWindow(QWidget* secondary, MainWindowBase* opener);
void returnFromSecondaryWindow();
