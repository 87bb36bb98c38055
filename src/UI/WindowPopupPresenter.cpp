#include "UI/WindowPopupPresenter.hpp"

#include "UI/Placement.hpp"
#include "UI/PopupEventDlg.hpp"

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QThread>

#include <condition_variable>
#include <mutex>

namespace Orvane::UI {

struct WindowPopupPresenter::Pimpl : std::enable_shared_from_this<Pimpl>
{
    void Open(const Request& request, unsigned ticket);
    void Ended(unsigned ticket, const Result& result);
    void CloseWindow();

    QPointer<QObject> ui;
    std::function<void()> openViewer;
    std::mutex mutex;
    std::condition_variable changed;
    bool closed = false;
    unsigned ticket = 0; // the request being shown; a late window of an older one is not opened
    bool ended = false;
    Result result;
    QPointer<PopupEventDlg> window; // UI thread only
};

void WindowPopupPresenter::Pimpl::Open(const Request& request, unsigned shown)
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (closed || shown != ticket)
            return;
    }
    auto* popup = new PopupEventDlg(request);
    popup->setAttribute(Qt::WA_DeleteOnClose);
    window = popup;
    std::weak_ptr<Pimpl> self = shared_from_this();
    QObject::connect(popup, &QDialog::finished, popup, [self, popup, shown](int code) {
        if (const auto pimpl = self.lock())
            pimpl->Ended(shown, Result {code, popup->IsViewerRequested()});
    });
    popup->adjustSize();
    MoveToBottomRight(*popup);
    popup->show();
    popup->raise();
    popup->StartTimer();
}

void WindowPopupPresenter::Pimpl::Ended(unsigned shown, const Result& outcome)
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

void WindowPopupPresenter::Pimpl::CloseWindow()
{
    if (window)
        window->reject();
}

WindowPopupPresenter::WindowPopupPresenter(QObject& ui, std::function<void()> openViewer)
    : m_pimpl(std::make_shared<Pimpl>())
{
    m_pimpl->ui = &ui;
    m_pimpl->openViewer = std::move(openViewer);
}

WindowPopupPresenter::~WindowPopupPresenter() = default;

WindowPopupPresenter::Result WindowPopupPresenter::Show(const Request& request)
{
    std::unique_lock<std::mutex> lock(m_pimpl->mutex);
    if (m_pimpl->closed || !m_pimpl->ui)
        return {};
    const unsigned shown = ++m_pimpl->ticket;
    m_pimpl->ended = false;
    std::weak_ptr<Pimpl> self = m_pimpl;
    QMetaObject::invokeMethod(
        m_pimpl->ui.data(),
        [self, request, shown] {
            if (const auto pimpl = self.lock())
                pimpl->Open(request, shown);
        },
        Qt::QueuedConnection);
    m_pimpl->changed.wait(lock, [this] { return m_pimpl->ended || m_pimpl->closed; });
    return m_pimpl->ended ? m_pimpl->result : Result {};
}

void WindowPopupPresenter::Close()
{
    {
        std::lock_guard<std::mutex> lock(m_pimpl->mutex);
        m_pimpl->closed = true;
    }
    m_pimpl->changed.notify_all();
    QObject* ui = m_pimpl->ui.data();
    if (!ui)
        return;
    if (QThread::currentThread() == ui->thread()) {
        m_pimpl->CloseWindow();
        return;
    }
    std::weak_ptr<Pimpl> self = m_pimpl;
    QMetaObject::invokeMethod(
        ui,
        [self] {
            if (const auto pimpl = self.lock())
                pimpl->CloseWindow();
        },
        Qt::QueuedConnection);
}

void WindowPopupPresenter::Reopen()
{
    std::lock_guard<std::mutex> lock(m_pimpl->mutex);
    m_pimpl->closed = false;
}

} // namespace Orvane::UI
