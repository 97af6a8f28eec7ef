#include "ui/app/startup_probe.h"

#include "ui/app/navigator.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

namespace {

class StartupProbe : public QObject {
public:
    StartupProbe(qint64 startNs, const Navigator& navigator) : m_startNs(startNs), m_navigator(navigator) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The first paint of the browse window: the whole window is drawn in this one pass, so what
        // is queued after it sees the window complete on the screen.
        if (event->type() == QEvent::Paint && !m_done) {
            auto* widget = qobject_cast<QWidget*>(watched);
            QWidget* main = m_navigator.currentMainWindow();
            if (widget && main && widget->window() == main) {
                m_done = true;
                QTimer::singleShot(0, this, &StartupProbe::report);
            }
        }
        return false;
    }

private:
    void report()
    {
        const qint64 nowNs = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                 std::chrono::system_clock::now().time_since_epoch())
                                 .count();
        std::printf("startup_ms: %.1f ms\n", static_cast<double>(nowNs - m_startNs) / 1e6);
#ifdef Q_OS_UNIX
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("startup_peak_rss_mb: %.1f MB\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
#endif
        std::fflush(stdout);
        QCoreApplication::exit(0);
    }

    qint64 m_startNs;
    const Navigator& m_navigator;
    bool m_done = false;
};

} // namespace

void armStartupProbe(const Navigator& navigator)
{
    bool ok = false;
    const qint64 startNs = qEnvironmentVariable("SAPORINA_STARTUP_PROBE").toLongLong(&ok);
    if (!ok)
        return;
    QCoreApplication::instance()->installEventFilter(new StartupProbe(startNs, navigator));
}
