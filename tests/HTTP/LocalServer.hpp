#pragma once

// The feature macros the packaged library was built with come from its pkg-config flags.
#include <httplib.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace OrvaneTest {

// A cpp-httplib server on 127.0.0.1 and a free port, HTTP or (given certificate and key files) HTTPS,
// serving on its own thread until the object goes.
class LocalServer
{
public:
    using Setup = std::function<void(httplib::Server&)>;

    // setup installs the handlers before the server starts serving.
    explicit LocalServer(const Setup& setup);
    // A port of 0 takes a free one.
    LocalServer(const Setup& setup, const std::string& certificateFile, const std::string& keyFile, int port = 0);
    ~LocalServer();

    int Port() const { return m_port; }

private:
    void Run(const Setup& setup, int port = 0);

    std::unique_ptr<httplib::Server> m_server;
    int m_port = 0;
    std::thread m_thread;
};

// Makes a throwaway self-signed certificate and key (PEM files) for HTTPS tests.
void MakeSelfSignedCertificate(const std::string& certificateFile, const std::string& keyFile);

} // namespace OrvaneTest
