#include "ui/platform/work_progress.h"

#include "core/text/text_table.h"

#include <QProgressDialog>

WorkProgress::WorkProgress(QWidget* parent, const QString& title)
    : m_dialog(new QProgressDialog(title, loadText(TextId::CancelButton), 0, 0, parent))
{
    m_dialog->setWindowTitle(kMessageTitle);
    m_dialog->setWindowModality(Qt::ApplicationModal);
    m_dialog->setMinimumDuration(400);
    m_dialog->setAutoReset(false);
    m_dialog->setAutoClose(false);
}

WorkProgress::~WorkProgress()
{
    delete m_dialog.data();
}

Progress WorkProgress::callback()
{
    return [this](int done, int total) {
        if (!m_dialog)
            return true;
        if (m_dialog->maximum() != total)
            m_dialog->setMaximum(total);
        m_dialog->setValue(done); // lets pending window events run once the dialog is up
        return !m_dialog->wasCanceled();
    };
}
