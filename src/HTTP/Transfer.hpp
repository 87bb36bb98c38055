#pragma once

#include "HTTP/PeerTrust.hpp"

#include <curl/curl.h>

#include <boost/optional.hpp>

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace Orvane::HTTP {

// One HTTP request on a libcurl easy handle, driven in two halves: Start runs it until the answer's
// header is in and holds the body back; Receive then streams the body into a sink. Nothing waits
// longer than its time-out: libcurl bounds each connection attempt, and a watchdog fails the request
// when sending or receiving makes no progress for the send or receive time-out. A device that keeps
// making a little progress is stopped by deadlines: the request's own until the header is in, then one
// receive time-out for the body, and one more for every BodyStep bytes that have arrived. A thread
// that has been asked to stop (a boost interruption, while interruptions are enabled) has its request
// failed at once: its answer would be thrown away.
class Transfer
{
public:
    struct Request
    {
        std::string url;
        boost::optional<std::string> body; // a POST when present
        boost::optional<std::string> user;
        std::string password;
        std::chrono::milliseconds connect {0};
        std::chrono::milliseconds send {0};
        std::chrono::milliseconds receive {0};
        // The header must be in by then; the caller's whole budget of connection attempts and time-outs.
        std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max();
        PeerTrust* trust = nullptr; // HTTPS only
        bool connectOnly = false; // make the connection (and handshake) and send nothing
    };
    // Takes body bytes as they arrive; false refuses them and fails the transfer.
    using Sink = std::function<bool(const char*, std::size_t)>;
    static constexpr std::size_t BodyStep = 64u << 20;

    Transfer();
    ~Transfer();
    Transfer(const Transfer&) = delete;
    Transfer& operator=(const Transfer&) = delete;

    // CURLE_OK once the header is in (or the whole answer, when it had no body).
    CURLcode Start(const Request& request);
    CURLcode Receive(const Sink& sink);
    // Drops an unfinished request and its connection.
    void Abandon();

    // Whether the connection (and its TLS handshake) was made.
    bool Opened() const;
    // Whether the last failure was the watchdog's (no progress, a deadline passed, a stop asked for),
    // or the sink's refusal.
    bool Stalled() const;
    bool SinkRefused() const;

    long Status() const;
    std::string ContentTypeHeader() const;
    // The length the device announced; -1 when none.
    long long AnnouncedLength() const;

private:
    struct Pimpl;
    std::shared_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::HTTP
