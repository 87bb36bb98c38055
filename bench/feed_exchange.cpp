// One full feed read from the device simulator on loopback: connect, GET with credentials, receive,
// parse and analyse a feed of 20 documents.
#include "MonitoredEntry/MFP.hpp"
#include "MonitoredEntry/User.hpp"
#include "QX/Quexhall.hpp"

#include <benchmark/benchmark.h>
#include <nlohmann/json.hpp>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace {

// The simulator as a child process, with one account holding some documents.
class Simulator
{
public:
    Simulator()
    {
        char folder[] = "/tmp/orvane-bench-XXXXXX";
        if (!::mkdtemp(folder))
            throw std::runtime_error("no temporary folder");
        m_folder = folder;
        nlohmann::json documents = nlohmann::json::array();
        for (int i = 0; i < 20; ++i)
            documents.push_back({{"title", "Scan " + std::to_string(i)}, {"category", "Scan"}});
        std::ofstream(m_folder + "/config.json") << nlohmann::json {
            {"machine", {{"name", "Bench MFP"}}},
            {"accounts",
             {{{"id", "alice"}, {"password", "alice-pass"}, {"displayName", "Alice"}, {"documents", documents}}}}};
        Spawn();
        m_httpPort = WaitForPort();
    }
    ~Simulator()
    {
        ::kill(m_pid, SIGTERM);
        ::waitpid(m_pid, nullptr, 0);
        std::system(("rm -rf '" + m_folder + "'").c_str());
    }

    int HttpPort() const { return m_httpPort; }

private:
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
        if (::posix_spawn(&m_pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
            throw std::runtime_error("cannot start " + arguments[0]);
    }

    int WaitForPort() const
    {
        for (int attempt = 0; attempt < 200; ++attempt) {
            std::ifstream in(m_folder + "/ports.json");
            if (in)
                return nlohmann::json::parse(in).at("http").get<int>();
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        throw std::runtime_error("the simulator did not start");
    }

    std::string m_folder;
    pid_t m_pid = -1;
    int m_httpPort = 0;
};

void GetRSSFeedFromSimulator(benchmark::State& state)
{
    const Simulator simulator;
    Orvane::MonitoredEntry::MFP mfp;
    mfp.SetHost(L"127.0.0.1");
    mfp.SetHTTP(simulator.HttpPort());
    Orvane::MonitoredEntry::User user;
    user.SetID(L"alice");
    user.SetPassword(Orvane::MonitoredEntry::Password(L"alice-pass"));
    const Orvane::HTTP::Timeout timeout {5000, 0, 10000, 10000};
    for (auto _ : state) {
        Orvane::QX::Quexhall quexhall(mfp);
        benchmark::DoNotOptimize(quexhall.GetRSSFeed(user, L"/rss/alice.xml", timeout)->GetItemList().size());
    }
}
BENCHMARK(GetRSSFeedFromSimulator)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
