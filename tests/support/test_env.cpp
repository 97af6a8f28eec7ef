#include "test_env.h"

#include "ui/platform/main_window.h"

#include <QPointer>

WindowTestEnv::WindowTestEnv()
{
    setDialogs(&dialogs);
    resetWindowModel();
}

WindowTestEnv::~WindowTestEnv()
{
    QList<QPointer<QWidget>> windows;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->parentWidget())
            windows.append(window);
    }
    for (const QPointer<QWidget>& window : windows)
        delete window.data(); // a window may already have gone with its owner
    setDialogs(nullptr);
    resetWindowModel();
}
