#pragma once

#include "core/search/folded_search.h"

#include <QObject>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

// Runs folded searches on a thread of its own, so that a window stays responsive while the cook types
// into a large book: a new search replaces the one before, which gives up early, and only the answer to
// the newest is given, on the thread that owns this object.
class BackgroundSearch : public QObject {
    Q_OBJECT
public:
    explicit BackgroundSearch(QObject* parent = nullptr);
    ~BackgroundSearch() override;

    void start(const SearchTexts& texts, const QString& typed);

signals:
    void found(const QList<FoldedHit>& hits);

private:
    struct Request {
        SearchTexts texts;
        QString typed;
        quint64 number = 0;
    };
    void work();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::optional<Request> m_waiting; // under m_mutex
    bool m_quit = false;              // under m_mutex
    std::atomic<bool> m_stopCurrent{false};
    std::thread m_thread; // started with the first search

    quint64 m_started = 0; // on the owner's thread only
};
