#include "InstanceServer.hpp"

#include "Exceptions.hpp"

#include <boost/asio/local/stream_protocol.hpp>
#include <boost/asio/read_until.hpp>
#include <boost/asio/streambuf.hpp>
#include <boost/asio/write.hpp>

#include <istream>
#include <set>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Orvane {

namespace asio = boost::asio;
using Protocol = asio::local::stream_protocol;

namespace {

constexpr std::size_t CommandMax = 64; // longer requests are no commands of ours

bool SameUser(Protocol::socket& socket)
{
    ucred credentials {};
    socklen_t length = sizeof credentials;
    return ::getsockopt(socket.native_handle(), SOL_SOCKET, SO_PEERCRED, &credentials, &length) == 0
        && credentials.uid == ::geteuid();
}

} // namespace

struct InstanceServer::Pimpl : std::enable_shared_from_this<InstanceServer::Pimpl>
{
    Pimpl(asio::io_context& io, std::string path, Handlers handlers)
        : acceptor(io)
        , path(std::move(path))
        , handlers(std::move(handlers))
    { }

    void Listen();
    void Accept();
    void Accepted(const boost::system::error_code& error, Protocol::socket socket);
    void Stop();

    Protocol::acceptor acceptor;
    const std::string path;
    const Handlers handlers;
    std::set<std::shared_ptr<Session>> sessions;
    bool listening = false;
};

// One connection: reads its command line, carries it out and answers.
class InstanceServer::Session : public std::enable_shared_from_this<Session>
{
public:
    Session(Protocol::socket socket, std::weak_ptr<Pimpl> server)
        : m_socket(std::move(socket))
        , m_buffer(CommandMax)
        , m_server(std::move(server))
    { }

    void Start()
    {
        asio::async_read_until(m_socket, m_buffer, '\n',
                               [self = shared_from_this()](const boost::system::error_code& error, std::size_t) {
                                   self->Received(error);
                               });
    }

    void Drop()
    {
        boost::system::error_code ignored;
        m_socket.close(ignored);
    }

private:
    void Received(const boost::system::error_code& error)
    {
        const std::shared_ptr<Pimpl> server = m_server.lock();
        if (!server)
            return;
        server->sessions.erase(shared_from_this());
        if (error)
            return;
        std::string command;
        std::istream in(&m_buffer);
        std::getline(in, command);
        if (command == "activate") {
            server->handlers.activate();
            Answer();
        } else if (command == "close") {
            server->handlers.close([self = shared_from_this()] { self->Answer(); });
        }
    }

    // A short line the peer reads before the end of the stream; a peer that has gone costs nothing.
    void Answer()
    {
        boost::system::error_code ignored;
        asio::write(m_socket, asio::buffer("ok\n", 3), ignored);
        m_socket.close(ignored);
    }

    Protocol::socket m_socket;
    asio::streambuf m_buffer;
    std::weak_ptr<Pimpl> m_server;
};

void InstanceServer::Pimpl::Listen()
{
    ::unlink(path.c_str());
    boost::system::error_code error;
    acceptor.open(Protocol(), error);
    if (!error)
        acceptor.bind(Protocol::endpoint(path), error);
    // Only this user may connect; the peer's credentials are checked as well, for folders others share.
    if (!error && ::chmod(path.c_str(), S_IRUSR | S_IWUSR) != 0)
        error.assign(errno, boost::system::system_category());
    if (!error)
        acceptor.listen(asio::socket_base::max_listen_connections, error);
    if (error)
        BOOST_THROW_EXCEPTION(SystemError(error.value()));
    listening = true;
}

void InstanceServer::Pimpl::Accept()
{
    acceptor.async_accept([weak = weak_from_this()](const boost::system::error_code& error, Protocol::socket socket) {
        if (const std::shared_ptr<Pimpl> self = weak.lock())
            self->Accepted(error, std::move(socket));
    });
}

void InstanceServer::Pimpl::Accepted(const boost::system::error_code& error, Protocol::socket socket)
{
    if (!listening)
        return;
    if (!error && SameUser(socket)) {
        auto session = std::make_shared<Session>(std::move(socket), weak_from_this());
        sessions.insert(session);
        session->Start();
    }
    Accept();
}

void InstanceServer::Pimpl::Stop()
{
    if (!listening)
        return;
    listening = false;
    boost::system::error_code ignored;
    acceptor.close(ignored);
    ::unlink(path.c_str());
    for (const std::shared_ptr<Session>& session : sessions)
        session->Drop();
    sessions.clear();
}

InstanceServer::InstanceServer(asio::io_context& io, const std::string& path, Handlers handlers)
    : m_pimpl(std::make_shared<Pimpl>(io, path, std::move(handlers)))
{
    m_pimpl->Listen();
    m_pimpl->Accept();
}

InstanceServer::~InstanceServer()
{
    m_pimpl->Stop();
}

void InstanceServer::Stop()
{
    m_pimpl->Stop();
}

} // namespace Orvane
