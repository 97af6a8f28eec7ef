#include "ui/platform/main_window.h"

#include "ui/platform/window_placement.h"

#include <QCloseEvent>

MainWindowBase::MainWindowBase(QWidget* parent) : QMainWindow(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

MainWindowBase::~MainWindowBase() = default;

void MainWindowBase::leave()
{
    m_closing = Closing::Leaving;
    close();
}

void MainWindowBase::exitProgram()
{
    m_closing = Closing::Exiting;
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
    switch (m_closing) {
    case Closing::Leaving:
        break;
    case Closing::Exiting:
        emit exitRequested();
        break;
    case Closing::ByUser:
        closedByUser();
        break;
    }
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
