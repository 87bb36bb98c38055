#include "UI/UiThreadPresenter.hpp"

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QThread>

#include <condition_variable>
#include <mutex>

namespace Orvane::UI {

struct UiThreadPresenter::Pimpl : std::enable_shared_from_this<Pimpl>
{
    void Open(const Request& request, const EventThumbnail& thumbnail, unsigned ticket);
    void Ended(unsigned ticket, const Result& result);
    // Runs on the UI thread later, unless the presenter has gone by then.
    void Post(std::function<void(Pimpl&)> work);

    QPointer<QObject> ui;
    std::shared_ptr<Surface> surface;
    std::function<void()> openViewer;
    std::mutex mutex;
    std::condition_variable changed;
    bool closed = false;
    unsigned ticket = 0; // the request being shown; a late popup of an older one is not opened
    bool ended = false;
    Result result;
};

void UiThreadPresenter::Pimpl::Post(std::function<void(Pimpl&)> work)
{
    std::weak_ptr<Pimpl> self = shared_from_this();
    QMetaObject::invokeMethod(
        ui.data(),
        [self, work] {
            if (const auto pimpl = self.lock())
                work(*pimpl);
        },
        Qt::QueuedConnection);
}

void UiThreadPresenter::Pimpl::Open(const Request& request, const EventThumbnail& thumbnail, unsigned shown)
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (closed || shown != ticket)
            return;
    }
    std::weak_ptr<Pimpl> self = shared_from_this();
    surface->Open(request, thumbnail, [self, shown](const Result& outcome) {
        if (const auto pimpl = self.lock())
            pimpl->Ended(shown, outcome);
    });
}

void UiThreadPresenter::Pimpl::Ended(unsigned shown, const Result& outcome)
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (shown == ticket) {
            result = outcome;
            ended = true;
        }
    }
    changed.notify_all();
    if (outcome.viewerRequested && openViewer)
        openViewer();
}

UiThreadPresenter::UiThreadPresenter(QObject& ui, std::shared_ptr<Surface> surface, std::function<void()> openViewer)
    : m_pimpl(std::make_shared<Pimpl>())
{
    m_pimpl->ui = &ui;
    m_pimpl->surface = std::move(surface);
    m_pimpl->openViewer = std::move(openViewer);
}

UiThreadPresenter::~UiThreadPresenter() = default;

UiThreadPresenter::Result UiThreadPresenter::Show(const Request& request)
{
    {
        std::lock_guard<std::mutex> lock(m_pimpl->mutex);
        if (m_pimpl->closed || !m_pimpl->ui)
            return {};
    }
    // The device is asked here, on the popup manager's thread: the UI thread never waits for it.
    const EventThumbnail thumbnail = EventThumbnail::Fetch(request.event);
    std::unique_lock<std::mutex> lock(m_pimpl->mutex);
    if (m_pimpl->closed || !m_pimpl->ui)
        return {};
    const unsigned shown = ++m_pimpl->ticket;
    m_pimpl->ended = false;
    m_pimpl->Post([request, thumbnail, shown](Pimpl& pimpl) { pimpl.Open(request, thumbnail, shown); });
    m_pimpl->changed.wait(lock, [this] { return m_pimpl->ended || m_pimpl->closed; });
    return m_pimpl->ended ? m_pimpl->result : Result {};
}

void UiThreadPresenter::Close()
{
    {
        std::lock_guard<std::mutex> lock(m_pimpl->mutex);
        m_pimpl->closed = true;
    }
    m_pimpl->changed.notify_all();
    QObject* ui = m_pimpl->ui.data();
    if (!ui)
        return;
    if (QThread::currentThread() == ui->thread())
        m_pimpl->surface->CloseOpen();
    else
        m_pimpl->Post([](Pimpl& pimpl) { pimpl.surface->CloseOpen(); });
}

void UiThreadPresenter::Reopen()
{
    std::lock_guard<std::mutex> lock(m_pimpl->mutex);
    m_pimpl->closed = false;
}

} // namespace Orvane::UI
