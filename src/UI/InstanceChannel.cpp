#include "UI/InstanceChannel.hpp"

#include "InstanceServer.hpp"
#include "SingleInstance.hpp"

#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/signal_set.hpp>

#include <QMetaObject>
#include <QPointer>

#include <csignal>
#include <future>
#include <thread>
#include <vector>

namespace Orvane::UI {

namespace asio = boost::asio;

struct InstanceChannel::Pimpl
{
    Pimpl(QObject& context, Handlers handlers)
        : context(&context)
        , handlers(std::move(handlers))
    { }

    // Runs f on the I/O thread and waits for it; what it raises comes out here.
    template <class F>
    void RunOnIo(F f)
    {
        std::packaged_task<void()> task(std::move(f));
        std::future<void> done = task.get_future();
        asio::post(io, [&task] { task(); });
        done.get();
    }

    void ToUi(const std::function<void()>& handler) const
    {
        QMetaObject::invokeMethod(context, handler, Qt::QueuedConnection);
    }

    void WaitForSignals();
    void Finish(const std::function<void()>& release);

    QPointer<QObject> context;
    const Handlers handlers;
    asio::io_context io;
    asio::executor_work_guard<asio::io_context::executor_type> work = asio::make_work_guard(io);
    asio::signal_set stopSignals {io, SIGINT, SIGTERM, SIGHUP};
    std::unique_ptr<InstanceServer> server;
    std::vector<InstanceServer::Answer> answers; // I/O thread only
    std::thread thread {[this] { io.run(); }};
    bool finished = false;
};

void InstanceChannel::Pimpl::WaitForSignals()
{
    stopSignals.async_wait([this](const boost::system::error_code& error, int) {
        if (error)
            return;
        ToUi(handlers.close);
        WaitForSignals(); // a second Ctrl-C while closing changes nothing
    });
}

void InstanceChannel::Pimpl::Finish(const std::function<void()>& release)
{
    if (finished)
        return;
    finished = true;
    // Stopped before the lock goes: the next instance's socket must not be removed by this one.
    RunOnIo([this] {
        stopSignals.cancel();
        if (server)
            server->Stop();
    });
    if (release)
        release();
    asio::post(io, [this] {
        for (const InstanceServer::Answer& answer : answers)
            answer();
        answers.clear();
    });
    work.reset();
    thread.join();
}

InstanceChannel::InstanceChannel(QObject& context, Handlers handlers)
    : m_pimpl(std::make_unique<Pimpl>(context, std::move(handlers)))
{ }

InstanceChannel::~InstanceChannel()
{
    m_pimpl->Finish({});
}

void InstanceChannel::Listen()
{
    m_pimpl->RunOnIo([this] {
        Pimpl& p = *m_pimpl;
        p.WaitForSignals();
        p.server = std::make_unique<InstanceServer>(
            p.io, SingleInstance::GetSocketPath(),
            InstanceServer::Handlers {[&p] { p.ToUi(p.handlers.activate); },
                                      [&p](const InstanceServer::Answer& answer) {
                                          p.answers.push_back(answer);
                                          p.ToUi(p.handlers.close);
                                      }});
    });
}

void InstanceChannel::Finish(const std::function<void()>& release)
{
    m_pimpl->Finish(release);
}

} // namespace Orvane::UI
