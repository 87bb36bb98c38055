#pragma once

#include <QObject>

#include <atomic>
#include <functional>

namespace Orvane::UI {

// Hands the entry manager's notifications, which arrive on its own thread, to a window's thread as
// one reload for a burst of them.
class QueuedReload
{
public:
    // The reload runs on context's thread, and not after context is gone.
    QueuedReload(QObject& context, std::function<void()> reload)
        : m_context(context)
        , m_reload(std::move(reload))
    { }

    // From any thread.
    void Request()
    {
        if (m_queued.exchange(true))
            return;
        QMetaObject::invokeMethod(
            &m_context,
            [this] {
                m_queued = false;
                m_reload();
            },
            Qt::QueuedConnection);
    }

private:
    QObject& m_context;
    const std::function<void()> m_reload;
    std::atomic<bool> m_queued {false};
};

} // namespace Orvane::UI
