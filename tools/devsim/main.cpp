#include "ControlClient.hpp"
#include "Options.hpp"
#include "Simulator.hpp"

#include <csignal>
#include <cstring>
#include <iostream>
#include <pthread.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

// Blocks the stop signals in every thread started from here on, so that only sigwait sees them.
sigset_t blockStopSignals()
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    return signals;
}

int serve(int argc, char** argv)
{
    const auto options = OrvaneDevSim::Options::parse(argc, argv);
    if (!options)
        return 0;
    // A client that goes away mid-answer must not end the simulator.
    std::signal(SIGPIPE, SIG_IGN);
    const sigset_t signals = blockStopSignals();
    const pid_t parent = getppid();
    if (options->exitWithParent && (prctl(PR_SET_PDEATHSIG, SIGTERM) != 0 || getppid() != parent))
        return 0;
    OrvaneDevSim::Simulator simulator(*options);
    simulator.start();
    int received = 0;
    sigwait(&signals, &received);
    simulator.stop();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "ctl") == 0)
        return OrvaneDevSim::ControlClient::run(argc, argv);
    try {
        return serve(argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "orvane-devsim: " << error.what() << '\n';
        return 2;
    }
}
