#pragma once

// The device simulator and an engine watching one of its accounts, for the benchmarks of the
// monitoring engine. Everything stays on loopback.

#include "BenchEntries.hpp"
#include "Config.hpp"
#include "Engine.hpp"
#include "MachineEvent/NotifiableEventManager.hpp"
#include "MonitoredEntry/EntryManager.hpp"
#include "QX/Config.hpp"

#include <curl/curl.h>
#include <nlohmann/json.hpp>

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/udp.hpp>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace OrvaneBench {

using Clock = std::chrono::steady_clock;

// The simulator as a child process with the account "alice", driven through its control port.
class BenchDevice
{
public:
    // `documents`: what alice's feed holds at the start.
    explicit BenchDevice(const nlohmann::json& documents = nlohmann::json::array())
    {
        char folder[] = "/tmp/orvane-bench-XXXXXX";
        if (!::mkdtemp(folder))
            throw std::runtime_error("no temporary folder");
        m_folder = folder;
        std::ofstream(m_folder + "/config.json") << nlohmann::json {
            {"machine", {{"name", "Bench MFP"}}},
            {"accounts",
             {{{"id", "alice"}, {"password", "alice-pass"}, {"displayName", "Alice"}, {"documents", documents}}}}};
        Spawn();
        WaitForPorts();
        m_curl = curl_easy_init();
    }
    ~BenchDevice()
    {
        curl_easy_cleanup(m_curl);
        ::kill(m_pid, SIGTERM);
        ::waitpid(m_pid, nullptr, 0);
        std::system(("rm -rf '" + m_folder + "'").c_str());
    }
    BenchDevice(const BenchDevice&) = delete;
    BenchDevice& operator=(const BenchDevice&) = delete;

    int HttpPort() const { return m_httpPort; }

    // Adds a document to alice's feed; the simulator signals its subscribers before it answers.
    void AddDocument(const std::string& title)
    {
        const std::string url = "http://127.0.0.1:" + std::to_string(m_controlPort) + "/add-document";
        const std::string body = nlohmann::json {{"account", "alice"}, {"title", title}}.dump();
        curl_easy_reset(m_curl);
        curl_easy_setopt(m_curl, CURLOPT_URL, url.c_str());
        curl_easy_setopt(m_curl, CURLOPT_POSTFIELDS, body.c_str());
        curl_easy_setopt(m_curl, CURLOPT_WRITEFUNCTION, &Discard);
        if (curl_easy_perform(m_curl) != CURLE_OK)
            throw std::runtime_error("the simulator did not take the document");
    }

    // How many times alice's feed has been read.
    int FeedReads()
    {
        const std::string url = "http://127.0.0.1:" + std::to_string(m_controlPort) + "/log";
        std::string body;
        curl_easy_reset(m_curl);
        curl_easy_setopt(m_curl, CURLOPT_URL, url.c_str());
        curl_easy_setopt(m_curl, CURLOPT_WRITEFUNCTION, &Keep);
        curl_easy_setopt(m_curl, CURLOPT_WRITEDATA, &body);
        if (curl_easy_perform(m_curl) != CURLE_OK)
            throw std::runtime_error("the simulator did not give its log");
        const nlohmann::json log = nlohmann::json::parse(body);
        return static_cast<int>(std::count_if(log.begin(), log.end(), [](const nlohmann::json& request) {
            return request.at("operation").get<std::string>() == "feed";
        }));
    }

private:
    static size_t Discard(char*, size_t size, size_t count, void*) { return size * count; }
    static size_t Keep(char* data, size_t size, size_t count, void* body)
    {
        static_cast<std::string*>(body)->append(data, size * count);
        return size * count;
    }

    void Spawn()
    {
        std::vector<std::string> arguments = {ORVANE_DEVSIM_PATH,
                                              "--http-port=0",
                                              "--https-port=0",
                                              "--control-port=0",
                                              "--ports-file=" + m_folder + "/ports.json",
                                              "--config=" + m_folder + "/config.json"};
        std::vector<char*> argv;
        for (std::string& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        // The simulator's own lines go to standard error: standard output holds the figures.
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, STDERR_FILENO, STDOUT_FILENO);
        const int spawned = ::posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0)
            throw std::runtime_error("cannot start " + arguments[0]);
    }

    void WaitForPorts()
    {
        for (int attempt = 0; attempt < 400; ++attempt) {
            std::ifstream in(m_folder + "/ports.json");
            if (in) {
                const nlohmann::json ports = nlohmann::json::parse(in);
                m_httpPort = ports.at("http").get<int>();
                m_controlPort = ports.at("control").get<int>();
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        throw std::runtime_error("the simulator did not start");
    }

    std::string m_folder;
    pid_t m_pid = -1;
    int m_httpPort = 0;
    int m_controlPort = 0;
    CURL* m_curl = nullptr;
};

// Records when each logged event was handed on.
class ArrivalListener : public Orvane::MachineEvent::NotifiableEventManager
{
public:
    void Notify(EventPair) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_arrivals.push_back(Clock::now());
        m_changed.notify_all();
    }

    // The time the n-th event (from 1) arrived; throws when it does not within the deadline.
    Clock::time_point WaitFor(std::size_t n, std::chrono::milliseconds deadline = std::chrono::seconds(10))
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (!m_changed.wait_for(lock, deadline, [&] { return m_arrivals.size() >= n; }))
            throw std::runtime_error("an event did not arrive");
        return m_arrivals[n - 1];
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Clock::time_point> m_arrivals;
};

// A free UDP port for the engine's listen port.
inline int FreeUdpPort()
{
    boost::asio::io_context io;
    boost::asio::ip::udp::socket probe(io, boost::asio::ip::udp::endpoint(boost::asio::ip::address_v4::any(), 0));
    return probe.local_endpoint().port();
}

// A headless engine watching alice on the device, every check driven by signals.
class WatchingEngine
{
public:
    explicit WatchingEngine(const BenchDevice& device)
    {
        // One port for the process: the signal receiver is process-wide and keeps the port it bound.
        static const int port = FreeUdpPort();
        Orvane::Config::Current current = Orvane::Config::GetCurrent();
        current.Port = port;
        current.RegularCheckIntervalMs = {1, 3600000};
        Orvane::Config::SetCurrent(current);
        m_port = current.Port;
        AddEntry(device);
        m_engine.SetListener(&listener);
        m_engine.Start();
    }

    int Port() const { return m_port; }

    // Waits until the device has taken the subscription, so signals reach the engine.
    void WaitUntilSubscribed()
    {
        for (int attempt = 0; attempt < 400; ++attempt) {
            {
                const Orvane::MonitoredEntry::EntryManager::ScopedLock lock(m_entries);
                const auto& list = m_entries.GetDB().GetEntryList();
                if (list.front()->GetProperty().GetSubscriptionState() == 1)
                    return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        throw std::runtime_error("the engine did not subscribe");
    }

    ArrivalListener listener;

private:
    void AddEntry(const BenchDevice& device)
    {
        using Orvane::MonitoredEntry::EntryManager;
        EntryManager::Transaction transaction(m_entries);
        transaction.Append(BenchProperty(L"127.0.0.1", device.HttpPort(), L"alice", L"alice-pass", 3600000));
        transaction.Commit();
    }

    Orvane::MonitoredEntry::EntryManager m_entries;
    Orvane::Engine m_engine {m_entries, nullptr};
    int m_port = 0;
};

// The value below which the given share of the samples lie.
inline double Percentile(std::vector<double> samples, double share)
{
    std::sort(samples.begin(), samples.end());
    const std::size_t index = std::min(samples.size() - 1, static_cast<std::size_t>(share * samples.size()));
    return samples[index];
}

} // namespace OrvaneBench
