#include "ServerThread.hpp"

#include <httplib.h>

#include <stdexcept>

namespace OrvaneDevSim {

namespace {

// Enough workers that a few hanging requests do not starve the others.
constexpr std::size_t workerCount = 16;

} // namespace

ServerThread::ServerThread(std::unique_ptr<httplib::Server> server, std::size_t maxBody)
    : m_server(std::move(server))
{
    m_server->set_payload_max_length(maxBody);
    m_server->new_task_queue = [] { return new httplib::ThreadPool(workerCount); };
}

ServerThread::~ServerThread()
{
    stop();
}

int ServerThread::bind(const std::string& address, int port)
{
    if (!m_server->is_valid())
        throw std::runtime_error("the server could not be set up (certificate or key)");
    const int bound
        = port == 0 ? m_server->bind_to_any_port(address) : (m_server->bind_to_port(address, port) ? port : -1);
    if (bound <= 0)
        throw std::runtime_error("cannot listen on " + address + " port " + std::to_string(port));
    return bound;
}

void ServerThread::start()
{
    m_thread = std::thread([this] { m_server->listen_after_bind(); });
}

void ServerThread::stop()
{
    m_server->stop();
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace OrvaneDevSim
