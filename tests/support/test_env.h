#pragma once

#include "scripted_dialogs.h"
#include "test_env_core.h"
#include "core/text/text_ids.h"
#include "ui/app/navigator.h"

#include <QApplication>
#include <QListWidget>
#include <QWidget>

// A test environment for windows: the data folder and settings of TestEnv, the scripted dialogs
// in place of real ones, and a navigator of its own to open windows as the program does. Windows
// left open are closed when it ends.
class WindowTestEnv : public TestEnv {
public:
    WindowTestEnv();
    ~WindowTestEnv();

    ScriptedDialogs dialogs;
    Navigator navigator;
};

// The visible top-level window of this type, if any.
template <typename T> T* findWindow()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<T*>(window); found && found->isVisible())
            return found;
    }
    return nullptr;
}

// The child of a window with this object name; the test stops when there is none, since every
// widget it names is part of the window it drives.
template <typename T> T* child(const QObject* window, const char* name)
{
    T* found = window ? window->findChild<T*>(QLatin1String(name)) : nullptr;
    if (!found)
        qFatal("no child '%s' in %s", name, window ? qPrintable(window->objectName()) : "(no window)");
    return found;
}

// The texts of a list's rows, in order.
QStringList listTexts(const QListWidget* list);
// Activates a window and waits until it has the keyboard.
bool activate(QWidget* window);
// Presses Alt and the access key of a caption (a button's, an option's, a menu's) in the given widget.
void pressAccessKey(QWidget* widget, TextId caption);

// The access keys of a window's visible, enabled buttons and labelled controls that two of them
// share, and the buttons that have none; both empty in a window a keyboard user can work.
struct AccessKeyReport {
    QStringList clashes;
    QStringList withoutKey;
};
AccessKeyReport accessKeyReport(const QWidget* window);

// What a screen reader would announce as nothing: the visible controls and items of a window (its
// accessibility tree) that take the keyboard but have no accessible name.
QStringList unnamedFocusableControls(QWidget* window);

// The controls a Tab reaches, in the order a screen reader reads the window (its accessibility tree) and
// in the order Tab takes them round, from the first read; a window is read as it is worked when the two
// agree.
struct TabOrderReport {
    QStringList reading;
    QStringList tabbing;
};
TabOrderReport tabOrderReport(QWidget* window);
