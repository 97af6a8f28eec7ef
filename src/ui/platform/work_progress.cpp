#include "ui/platform/work_progress.h"

#include "core/text/text_table.h"

#include <QApplication>
#include <QProgressDialog>

namespace {
// Work that ends sooner than this shows nothing.
constexpr qint64 kShowAfterMs = 400;
} // namespace

WorkProgress::WorkProgress(QWidget* parent, const QString& title) : m_parent(parent), m_title(title)
{
    m_sinceShown.start();
}

WorkProgress::~WorkProgress()
{
    if (!m_dialog)
        return;
    // Once the window system has heard that the progress has gone, the keyboard goes back to the window
    // the work was started from when no other window has it.
    m_dialog->hide();
    if (m_parent && m_parent->window()->isVisible()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        const QWidget* active = QApplication::activeWindow();
        if (!active || active == m_dialog)
            m_parent->window()->activateWindow();
    }
    delete m_dialog.data();
}

Progress WorkProgress::callback()
{
    return [this](int done, int total) {
        if (m_paused)
            return true;
        report(done, total);
        return !(m_dialog && m_dialog->wasCanceled());
    };
}

void WorkProgress::report(int done, int total)
{
    if (!m_dialog) {
        if (m_sinceShown.elapsed() < kShowAfterMs)
            return;
        m_dialog = new QProgressDialog(m_title, loadText(TextId::CancelButton), 0, total, m_parent);
        m_dialog->setWindowTitle(kMessageTitle);
        m_dialog->setWindowModality(Qt::ApplicationModal);
        m_dialog->setAutoReset(false);
        m_dialog->setAutoClose(false);
        m_dialog->setValue(done);
        // Shown now, and its own timer (which would show it from any event loop) stopped for good.
        QMetaObject::invokeMethod(m_dialog.data(), "forceShow", Qt::DirectConnection);
    }
    if (m_dialog->maximum() != total)
        m_dialog->setMaximum(total);
    m_dialog->setValue(done); // lets pending window events run while the dialog is up
}

void WorkProgress::pause()
{
    m_paused = true;
    if (m_dialog)
        m_dialog->hide();
}

void WorkProgress::resume()
{
    m_paused = false;
    if (m_dialog)
        m_dialog->show();
    else
        m_sinceShown.restart();
}
