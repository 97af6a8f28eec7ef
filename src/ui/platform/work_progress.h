#pragma once

#include "core/exchange/exchange_files.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

class QProgressDialog;
class QWidget;

// Shows how far long work has come (hundreds of recipes or pictures) and keeps the windows
// responsive meanwhile; short work finishes before anything is shown. Cancel stops the work.
// The progress appears only from the work's own calls, never from a timer of its own, so a question
// the work asks on the way is never covered by it.
class WorkProgress {
public:
    WorkProgress(QWidget* parent, const QString& title);
    ~WorkProgress();
    WorkProgress(const WorkProgress&) = delete;
    WorkProgress& operator=(const WorkProgress&) = delete;

    // The callback to hand to the work.
    Progress callback();

    // Asks a question during the work: the progress is out of the way while it is open and comes
    // back after it, so the question gets every key and click.
    template <typename Ask> auto whileAsking(Ask&& ask)
    {
        struct Paused {
            WorkProgress& progress;
            explicit Paused(WorkProgress& p) : progress(p) { progress.pause(); }
            ~Paused() { progress.resume(); }
        } paused(*this);
        return ask();
    }

private:
    void report(int done, int total);
    void pause();
    void resume();

    QWidget* m_parent;
    QString m_title;
    QElapsedTimer m_sinceShown; // time the work has run in view of the user since it started or was resumed
    QPointer<QProgressDialog> m_dialog; // made once the work has run long enough to be worth showing
    bool m_paused = false;
};
