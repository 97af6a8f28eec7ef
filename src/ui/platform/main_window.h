#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QWidget>
#include <functional>

enum class MainWindowKind { Browse, Add, Edit };

// What decides where the program goes next, shared by every window.
struct WindowModelState {
    bool quitOnClose = true;         // unloading the current main window ends the program
    bool preferencesFromAdd = false; // the preferences window goes back to the add window, else to browse
    bool ended = false;              // the program has been told to end; nothing else runs after it
};
WindowModelState& windowModel();
void resetWindowModel();

// Ends the program at once: no other window's unload handling runs.
void endProgram();

// The main window that is loaded now, if any.
QWidget* currentMainWindow();

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

// A window shown over the main window that opened it (the about box, the picture viewer, search).
// The opener stays shown as it is, but takes no input until this window closes and gives it back.
class SecondaryWindow : public QWidget {
    Q_OBJECT
public:
    explicit SecondaryWindow(Qt::WindowFlags flags = Qt::Window);

    // Shows the window over `opener` (may be null), which takes no input meanwhile.
    void showOver(QWidget* opener);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QPointer<QWidget> m_opener;
};
