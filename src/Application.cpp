#include "Application.hpp"

#include "CommandLine.hpp"
#include "ConsoleMessage.hpp"
#include "ExitCode.hpp"
#include "InstallMode.hpp"
#include "NormalMode.hpp"
#include "SearchMode.hpp"
#include "SingleInstance.hpp"
#include "System/CLrcReader.hpp"
#include "UninstallMode.hpp"
#include "VersionText.hpp"

#ifdef ORVANE_WITH_DESKTOP
#include "UI/DesktopRun.hpp"
#include "UI/EntryConfigRun.hpp"
#endif

#include <chrono>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <thread>

namespace Orvane {

namespace {

constexpr int LockAttempts = 120;
constexpr auto LockPause = std::chrono::milliseconds(500);

// The lock file may be out of reach for a while (a runtime folder being set up); a minute of
// attempts, then the start fails. A folder refused for its owner or mode stays refused: that fails
// at once.
std::unique_ptr<SingleInstance> CreateLock()
{
    for (int attempt = 1;; ++attempt) {
        try {
            return std::make_unique<SingleInstance>();
        } catch (const InstanceFolderRefused&) {
            throw;
        } catch (...) {
            if (attempt == LockAttempts)
                throw;
        }
        std::this_thread::sleep_for(LockPause);
    }
}

NormalMode::DesktopRun MakeDesktopRun([[maybe_unused]] const CommandLine& line, [[maybe_unused]] int argc,
                                      [[maybe_unused]] const char* const argv[])
{
#ifdef ORVANE_WITH_DESKTOP
    const bool verbose = line.IsVerbose();
    return [argc, argv, verbose](SingleInstance& instance) { return UI::RunDesktop(instance, argc, argv, verbose); };
#else
    return {};
#endif
}

// The install shows its new entry's settings where windows can be shown.
InstallMode::SettingsSheet MakeSettingsSheet([[maybe_unused]] const CommandLine& line, [[maybe_unused]] int argc,
                                             [[maybe_unused]] const char* const argv[])
{
#ifdef ORVANE_WITH_DESKTOP
    if (line.IsHeadless() || !NormalMode::HasVisibleDisplay())
        return {};
    return [argc, argv](MonitoredEntry::EntryManager& manager, const MonitoredEntry::Entry::ID& id) {
        UI::RunEntrySettings(argc, argv, manager, id);
    };
#else
    return {};
#endif
}

std::unique_ptr<RunMode> MakeMode(const CommandLine& line, SingleInstance& instance, int argc, const char* const argv[])
{
    if (line.IsInstall())
        return std::make_unique<InstallMode>(instance, line.GetInstallOptions(), MakeSettingsSheet(line, argc, argv));
    if (line.IsUninstall())
        return std::make_unique<UninstallMode>(instance);
    if (line.IsSearch())
        return std::make_unique<SearchMode>(line.GetSearchOptions(), std::cout);
    return std::make_unique<NormalMode>(instance, line.IsHeadless(), MakeDesktopRun(line, argc, argv));
}

// What is written to standard output must have arrived; the event lines are the headless run's
// whole output.
bool FlushOutput()
{
    std::cout.flush();
    return std::cout.good() && std::fflush(stdout) == 0 && !std::ferror(stdout);
}

} // namespace

struct Application::Pimpl
{
    bool InitInstance(int argc, const char* const argv[]);
    int ExitInstance();

    std::unique_ptr<SingleInstance> instance;
    std::unique_ptr<RunMode> mode;
    int exitCode = ExitCode::Success;
};

bool Application::Pimpl::InitInstance(int argc, const char* const argv[])
{
    try {
        System::CLrcReader::Instance().Load();
        const CommandLine line(argc, argv);
        // Answered without the lock, so that they also work while Orvane runs.
        if (line.IsHelp()) {
            CommandLine::PrintHelp(std::cout);
            return true;
        }
        if (line.IsVersion()) {
            std::cout << VersionText::Get();
            return true;
        }
        instance = CreateLock();
        mode = MakeMode(line, *instance, argc, argv);
        return mode->Execute();
    } catch (const std::exception& error) {
        ConsoleMessage::Show(ConsoleMessage::InitFailure, error.what());
    } catch (...) {
        ConsoleMessage::Show(ConsoleMessage::InitFailure);
    }
    exitCode = ExitCode::Failure;
    return false;
}

int Application::Pimpl::ExitInstance()
{
    if (mode) {
        mode->Finish();
        exitCode = mode->GetExitCode();
    }
    System::CLrcReader::Instance().Release();
    const bool flushed = FlushOutput();
    if (exitCode != ExitCode::Success)
        return exitCode;
    return flushed ? ExitCode::Success : ExitCode::ExitFailure;
}

Application::Application()
    : m_pimpl(std::make_unique<Pimpl>())
{ }

Application::~Application() = default;

int Application::Run(int argc, const char* const argv[])
{
    std::setlocale(LC_ALL, "");
    // A reader of standard output that goes away must not end the run before its close sequence.
    std::signal(SIGPIPE, SIG_IGN);
    m_pimpl->InitInstance(argc, argv);
    return m_pimpl->ExitInstance();
}

} // namespace Orvane
