#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QWidget>

enum class MainWindowKind { Browse, Add, Edit };

// The browse, add and edit windows. Exactly one is loaded at a time; they share one stored
// placement. The navigator moves from one to another with leave(); any other close (the close box,
// the Exit command) asks for the end of the program, unless the window says otherwise.
class MainWindowBase : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindowBase(QWidget* parent = nullptr);
    ~MainWindowBase() override;

    // Closes the window as a move to another one: the program goes on.
    void leave();
    // The Exit command: closes the window and ends the program.
    void exitProgram();

    // The book was read again from disk, changed by another computer: show it as it is now, keeping the
    // window's place and everything typed.
    virtual void showReloadedBook() {}

signals:
    // The window closed by the close box or the Exit command: the program is to end.
    void exitRequested();
    void aboutRequested();
    void helpRequested();

protected:
    // A close that is neither leave() nor Exit (the close box): the end of the program, unless a window
    // goes back somewhere instead.
    virtual void closedByUser() { emit exitRequested(); }
    // Lays the window out for its new size; runs whenever its central widget is resized.
    virtual void layOutWidgets() {}
    // Watches the central widget for resizes; windows that filter more events pass the rest on here.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    enum class Closing { ByUser, Leaving, Exiting };
    Closing m_closing = Closing::ByUser;
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
