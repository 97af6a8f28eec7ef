#include "core/search/background_search.h"

BackgroundSearch::BackgroundSearch(QObject* parent) : QObject(parent) {}

BackgroundSearch::~BackgroundSearch()
{
    {
        const std::lock_guard lock(m_mutex);
        m_quit = true;
        m_stopCurrent = true;
    }
    m_wake.notify_one();
    if (m_thread.joinable())
        m_thread.join();
    // An answer already posted is dropped with this object's pending events.
}

void BackgroundSearch::start(const SearchTexts& texts, const QString& typed)
{
    {
        const std::lock_guard lock(m_mutex);
        m_waiting = Request{texts, typed, ++m_started};
        m_stopCurrent = true;
    }
    if (!m_thread.joinable())
        m_thread = std::thread(&BackgroundSearch::work, this);
    m_wake.notify_one();
}

void BackgroundSearch::work()
{
    for (;;) {
        Request request;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_quit || m_waiting.has_value(); });
            if (m_quit)
                return;
            request = std::move(*m_waiting);
            m_waiting.reset();
            m_stopCurrent = false;
        }
        QList<FoldedHit> hits = searchFolded(request.texts, request.typed, &m_stopCurrent);
        if (m_stopCurrent)
            continue; // a newer search is waiting, or the object is going
        QMetaObject::invokeMethod(
            this,
            [this, number = request.number, hits = std::move(hits)] {
                if (number != m_started)
                    return; // overtaken while on its way
                emit found(hits);
            },
            Qt::QueuedConnection);
    }
}
