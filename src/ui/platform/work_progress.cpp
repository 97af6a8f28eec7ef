#include "ui/platform/work_progress.h"

#include "core/text/text_table.h"

#include <QApplication>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>

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
    // The keyboard goes back to the window the work was started from, which it left for the progress
    // (once the progress is gone: the window system hears of the two in turn).
    const QWidget* active = QApplication::activeWindow();
    const bool hadKeyboard = m_dialog && (!active || active == m_dialog);
    delete m_dialog.data();
    if (hadKeyboard && m_parent) {
        QTimer::singleShot(0, m_parent->window(), [window = QPointer<QWidget>(m_parent->window())] {
            if (window && window->isVisible() && !QApplication::activeWindow())
                window->activateWindow();
        });
    }
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
