#pragma once

#include "core/exchange/exchange_files.h"

#include <QPointer>
#include <QString>

class QProgressDialog;
class QWidget;

// Shows how far long work has come (hundreds of recipes or pictures) and keeps the windows
// responsive meanwhile; short work finishes before anything is shown. Cancel stops the work.
class WorkProgress {
public:
    WorkProgress(QWidget* parent, const QString& title);
    ~WorkProgress();
    WorkProgress(const WorkProgress&) = delete;
    WorkProgress& operator=(const WorkProgress&) = delete;

    // The callback to hand to the work.
    Progress callback();

private:
    QPointer<QProgressDialog> m_dialog;
};
