// Times the search window while a cook types into a large book, accents and case ignored:
//   saporina_bench_window keystroke FOLDER
// prints search_open_ms (the window opened and shown), keystroke_ms (the longest the window's thread was
// held at once while the cook typed: by a key, a piece of the book's index, an answer shown and painted) and
// the process's peak memory.
#include "core/app/app_state.h"
#include "core/settings/settings_store.h"
#include "ui/search/search_window.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {

double elapsedMs(const QElapsedTimer& timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// Lets the window work for `ms` as the event loop would, and answers the longest it was held at once.
double longestBlockWhileIdle(int ms)
{
    double longest = 0;
    QElapsedTimer idle;
    idle.start();
    while (idle.elapsed() < ms) {
        QElapsedTimer busy;
        busy.start();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        longest = std::max(longest, elapsedMs(busy));
        QThread::usleep(500);
    }
    return longest;
}

double typeKey(QWidget* box, QChar character, Qt::Key key)
{
    QElapsedTimer busy;
    busy.start();
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(character));
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(character));
    QApplication::sendEvent(box, &press);
    QApplication::sendEvent(box, &release);
    return elapsedMs(busy);
}

int keystroke(const QString& folder)
{
    QTemporaryDir settings;
    qputenv("SAPORINA_SETTINGS", settings.filePath(QStringLiteral("settings.ini")).toUtf8());
    writeSetting(Setting::FoldedSearch, QStringLiteral("1"));
    app().appPath = folder;
    if (!app().book.load(app().bookPath())) {
        std::fprintf(stderr, "saporina_bench_window: %s\n", qPrintable(app().book.loadError()));
        return 1;
    }

    QElapsedTimer opening;
    opening.start();
    SearchWindow window;
    window.show();
    QCoreApplication::processEvents();
    std::printf("search_open_ms: %.1f ms\n", elapsedMs(opening));

    auto* box = window.findChild<QLineEdit*>(QStringLiteral("searchBox"));
    double longest = 0;
    // One letter that nearly every recipe holds, answered in full; then two words at a brisk typing pace,
    // each key overtaking the search before; then back to nothing typed, which lists every recipe.
    longest = std::max(longest, typeKey(box, u'a', Qt::Key_A));
    longest = std::max(longest, longestBlockWhileIdle(1500));
    for (const QChar c : QStringLiteral("zucar saffron")) {
        const auto key = c == u' ' ? Qt::Key_Space : static_cast<Qt::Key>(Qt::Key_A + (c.unicode() - u'a'));
        longest = std::max(longest, typeKey(box, c, key));
        longest = std::max(longest, longestBlockWhileIdle(80));
    }
    longest = std::max(longest, longestBlockWhileIdle(1500));
    if (window.findChild<QAbstractItemView*>(QStringLiteral("bestFirstList"))->model()->rowCount() == 0) {
        std::fprintf(stderr, "saporina_bench_window: the search found nothing\n");
        return 1;
    }
    box->selectAll();
    longest = std::max(longest, typeKey(box, QChar(), Qt::Key_Backspace));
    longest = std::max(longest, longestBlockWhileIdle(1500));
    std::printf("keystroke_ms: %.1f ms\n", longest);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("search_window_peak_rss_mb: %.1f MB\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    const QStringList args = application.arguments();
    if (args.size() == 3 && args[1] == QStringLiteral("keystroke"))
        return keystroke(args[2]);
    std::fprintf(stderr, "usage: saporina_bench_window keystroke FOLDER\n");
    return 2;
}
