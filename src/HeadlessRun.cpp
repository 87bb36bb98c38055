#include "HeadlessRun.hpp"

#include "Config.hpp"
#include "ConsoleMessage.hpp"
#include "Engine.hpp"
#include "EventLineWriter.hpp"
#include "Exceptions.hpp"
#include "ExitCode.hpp"
#include "InstanceServer.hpp"
#include "ResidentLock.hpp"
#include "Serializer.hpp"
#include "SingleInstance.hpp"

#include <boost/asio/io_context.hpp>
#include <boost/asio/signal_set.hpp>
#include <boost/asio/steady_timer.hpp>

#include <csignal>
#include <iostream>

namespace Orvane {

namespace asio = boost::asio;

struct HeadlessRun::Pimpl
{
    explicit Pimpl(SingleInstance& instance)
        : instance(instance)
    { }

    void Start();
    void ScheduleSave();
    void SaveNow();
    void Close(const InstanceServer::Answer& answer);

    SingleInstance& instance;
    asio::io_context io;
    asio::signal_set signals {io, SIGINT, SIGTERM};
    asio::steady_timer saveTimer {io};
    std::unique_ptr<InstanceServer> server;
    Serializer serializer;
    std::unique_ptr<EventLineWriter> writer;
    std::unique_ptr<Engine> engine; // declared last: it stops before what it uses goes
    int exitCode = ExitCode::Success;
};

void HeadlessRun::Pimpl::Start()
{
    signals.async_wait([this](const boost::system::error_code& error, int) {
        if (!error)
            Close([] {});
    });
    if (!LoadOnStartUp(serializer))
        ConsoleMessage::Show(ConsoleMessage::LoadFailure);
    MonitoredEntry::EntryManager& entries = serializer.GetEntryManager();
    writer = std::make_unique<EventLineWriter>(io, entries, std::cout);
    engine = std::make_unique<Engine>(entries, nullptr);
    engine->SetListener(writer.get());
    engine->Start();
    ScheduleSave();
    // Listening comes last: whoever reaches the socket finds a run that has fully started.
    server = std::make_unique<InstanceServer>(
        io, SingleInstance::GetSocketPath(),
        InstanceServer::Handlers {
            [] { std::cerr << "activate: another start asked this instance to come forward" << std::endl; },
            [this](const InstanceServer::Answer& answer) { Close(answer); }});
}

void HeadlessRun::Pimpl::ScheduleSave()
{
    saveTimer.expires_after(std::chrono::milliseconds(Config::Instance().GetRegularSerializeIntervalMs()));
    saveTimer.async_wait([this](const boost::system::error_code& error) {
        if (error)
            return;
        SaveNow();
        ScheduleSave();
    });
}

// A failed regular save is reported and tried again at the next tick; the run goes on.
void HeadlessRun::Pimpl::SaveNow()
{
    try {
        Save(serializer);
    } catch (const std::exception& error) {
        ConsoleMessage::Show(ConsoleMessage::SaveFailure, error.what());
    }
}

void HeadlessRun::Pimpl::Close(const InstanceServer::Answer& answer)
{
    saveTimer.cancel();
    signals.cancel();
    // Saved before the stop too: what has been logged is on disk even if the stop is cut short.
    SaveNow();
    engine->Stop();
    try {
        Save(serializer);
    } catch (const std::exception& error) {
        ConsoleMessage::Show(ConsoleMessage::SaveFailure, error.what());
        exitCode = ExitCode::SaveFailure;
    }
    server->Stop();
    instance.Unlock();
    answer();
    // Nothing is left to wait for but the event lines the engine handed over before it stopped;
    // the loop ends once they are written.
}

HeadlessRun::HeadlessRun(SingleInstance& instance)
    : m_pimpl(std::make_unique<Pimpl>(instance))
{
    TakeResidentLock(instance);
}

HeadlessRun::~HeadlessRun() = default;

int HeadlessRun::Run()
{
    m_pimpl->Start();
    m_pimpl->io.run();
    return m_pimpl->exitCode;
}

} // namespace Orvane
