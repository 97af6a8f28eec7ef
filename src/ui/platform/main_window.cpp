#include "ui/platform/main_window.h"

#include "ui/platform/window_placement.h"

#include <QCloseEvent>
#include <QCoreApplication>

namespace {
QPointer<QWidget>& current()
{
    static QPointer<QWidget> window;
    return window;
}
} // namespace

WindowModelState& windowModel()
{
    static WindowModelState state;
    return state;
}

void resetWindowModel()
{
    windowModel() = WindowModelState{};
}

void endProgram()
{
    windowModel().ended = true;
    QCoreApplication::exit(0);
}

QWidget* currentMainWindow()
{
    return current().data();
}

MainWindowBase::MainWindowBase(QWidget* parent) : QMainWindow(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

MainWindowBase::~MainWindowBase() = default;

void MainWindowBase::registerMainWindow()
{
    windowModel().quitOnClose = true;
    current() = this;
}

void MainWindowBase::switchTo(const std::function<void()>& showNext)
{
    windowModel().quitOnClose = false;
    close();
    showNext();
}

void MainWindowBase::exitProgram()
{
    windowModel().quitOnClose = true;
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
    if (windowModel().quitOnClose) {
        endProgram();
        return;
    }
    afterUnload();
}

SecondaryWindow::SecondaryWindow(Qt::WindowFlags flags) : QWidget(nullptr, flags)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

void SecondaryWindow::showOver(QWidget* opener)
{
    m_opener = opener;
    // Modal rather than disabling the opener, which would draw its texts and picture greyed.
    setWindowModality(Qt::ApplicationModal);
    show();
    activateWindow();
}

void SecondaryWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (m_opener) {
        m_opener->activateWindow();
        m_opener->setFocus();
    }
}
