#include "HTTP/Transfer.hpp"

#include "HTTP/Exceptions.hpp"

#include <boost/thread/thread.hpp>
#include <boost/throw_exception.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <mutex>

namespace Orvane::HTTP {

namespace {

using Clock = std::chrono::steady_clock;

// How often the watchdog looks when libcurl has nothing to say.
constexpr std::chrono::milliseconds WatchInterval(50);

void InitialiseLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

CURLcode ConfigureSslContext(CURL* curl, void* sslContext, void* trust)
{
    return static_cast<CURLcode>(PeerTrust::ConfigureContext(curl, sslContext, trust));
}

curl_off_t InfoOffset(CURL* easy, CURLINFO what)
{
    curl_off_t value = 0;
    return curl_easy_getinfo(easy, what, &value) == CURLE_OK ? value : 0;
}

} // namespace

struct Transfer::Pimpl
{
    CURL* easy = nullptr;
    CURLM* multi = nullptr;
    curl_slist* headers = nullptr;
    bool attached = false;

    bool https = false;
    std::size_t bodySize = 0;
    std::chrono::milliseconds sendLimit {0};
    std::chrono::milliseconds receiveLimit {0};
    Clock::time_point deadline;
    Clock::time_point bodyStart;
    std::size_t bodyReceived = 0;

    bool headerDone = false;
    bool finished = false;
    CURLcode result = CURLE_OK;
    bool stalled = false;
    bool sinkRefused = false;
    Sink sink;

    std::size_t received = 0; // header and body bytes
    bool watching = false;
    Clock::time_point lastProgress;
    std::size_t lastReceived = 0;
    curl_off_t lastSent = 0;

    Pimpl()
    {
        InitialiseLibrary();
        easy = curl_easy_init();
        multi = curl_multi_init();
        if (!easy || !multi) {
            Release();
            BOOST_THROW_EXCEPTION(HTTP::SystemError(ENOMEM));
        }
    }

    ~Pimpl() { Release(); }

    void Release()
    {
        Detach();
        if (multi)
            curl_multi_cleanup(multi);
        if (easy)
            curl_easy_cleanup(easy);
        curl_slist_free_all(headers);
        headers = nullptr;
    }

    void Detach()
    {
        if (attached)
            curl_multi_remove_handle(multi, easy);
        attached = false;
    }

    void Reset()
    {
        Detach();
        curl_easy_reset(easy);
        curl_slist_free_all(headers);
        headers = nullptr;
        headerDone = finished = stalled = sinkRefused = watching = false;
        result = CURLE_OK;
        sink = nullptr;
        received = lastReceived = bodyReceived = 0;
        lastSent = 0;
    }

    void AddHeader(const char* header)
    {
        curl_slist* extended = curl_slist_append(headers, header);
        if (!extended)
            BOOST_THROW_EXCEPTION(HTTP::SystemError(ENOMEM));
        headers = extended;
    }

    void Configure(const Request& request)
    {
        https = request.trust != nullptr;
        bodySize = request.body ? request.body->size() : 0;
        sendLimit = request.send;
        receiveLimit = request.receive;
        deadline = request.deadline;

        curl_easy_setopt(easy, CURLOPT_URL, request.url.c_str());
        curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1);
        curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
        // One request per connection: nothing of an earlier exchange may carry over.
        curl_easy_setopt(easy, CURLOPT_FRESH_CONNECT, 1L);
        curl_easy_setopt(easy, CURLOPT_FORBID_REUSE, 1L);
        curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(request.connect.count()));
        curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &Pimpl::OnHeader);
        curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Pimpl::OnBody);
        curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
        AddHeader("Expect:");
        if (request.body) {
            AddHeader("Content-Type: text/xml; charset=UTF-8");
            curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body->size()));
            curl_easy_setopt(easy, CURLOPT_COPYPOSTFIELDS, request.body->c_str());
        }
        curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);
        if (request.connectOnly)
            curl_easy_setopt(easy, CURLOPT_CONNECT_ONLY, 1L);
        if (request.user) {
            curl_easy_setopt(easy, CURLOPT_HTTPAUTH, CURLAUTH_BASIC);
            curl_easy_setopt(easy, CURLOPT_USERNAME, request.user->c_str());
            curl_easy_setopt(easy, CURLOPT_PASSWORD, request.password.c_str());
        }
        if (https)
            ConfigureTls(*request.trust);
    }

    void ConfigureTls(PeerTrust& trust)
    {
        const bool authority = trust.GetMode() == PeerTrust::Authority;
        curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, authority ? 1L : 0L);
        curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, authority ? 2L : 0L);
        // The trusted authorities: the system's, or the bundle named the way OpenSSL's tools take it.
        if (const char* bundle = std::getenv("SSL_CERT_FILE"); bundle && *bundle)
            curl_easy_setopt(easy, CURLOPT_CAINFO, bundle);
        // A resumed session skips the certificate check, so every handshake is a full one.
        curl_easy_setopt(easy, CURLOPT_SSL_SESSIONID_CACHE, 0L);
        curl_easy_setopt(easy, CURLOPT_SSL_CTX_FUNCTION, &ConfigureSslContext);
        curl_easy_setopt(easy, CURLOPT_SSL_CTX_DATA, &trust);
    }

    static std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* self)
    {
        auto* pimpl = static_cast<Pimpl*>(self);
        const std::size_t length = size * count;
        pimpl->received += length;
        const bool blankLine = (length == 2 && data[0] == '\r') || (length == 1 && data[0] == '\n');
        long status = 0;
        curl_easy_getinfo(pimpl->easy, CURLINFO_RESPONSE_CODE, &status);
        if (blankLine && status >= 200) // an interim "100 Continue" is not the answer
            pimpl->headerDone = true;
        return length;
    }

    static std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* self)
    {
        auto* pimpl = static_cast<Pimpl*>(self);
        if (!pimpl->sink)
            return CURL_WRITEFUNC_PAUSE; // held back until the owner says where the body goes
        const std::size_t length = size * count;
        pimpl->received += length;
        pimpl->bodyReceived += length;
        if (pimpl->sink(data, length))
            return length;
        pimpl->sinkRefused = true;
        return 0;
    }

    bool Opened() const { return InfoOffset(easy, https ? CURLINFO_APPCONNECT_TIME_T : CURLINFO_CONNECT_TIME_T) > 0; }

    // Until the connection is made, libcurl's connect time-out rules; afterwards, progress must not stop
    // for longer than the time-out of what is being done, sending the request or receiving the answer.
    bool Stalled()
    {
        if (!Opened())
            return false;
        const auto now = Clock::now();
        const curl_off_t sent = InfoOffset(easy, CURLINFO_SIZE_UPLOAD_T);
        if (!watching || sent != lastSent || received != lastReceived) {
            watching = true;
            lastProgress = now;
            lastSent = sent;
            lastReceived = received;
            return false;
        }
        const auto limit = static_cast<std::size_t>(sent) < bodySize ? sendLimit : receiveLimit;
        return now - lastProgress > limit;
    }

    // The request's deadline until the body is asked for; then the body's, which grows with what came.
    bool Overdue() const
    {
        const auto now = Clock::now();
        if (!sink)
            return now >= deadline;
        const auto steps = static_cast<long>(1 + bodyReceived / BodyStep);
        return now >= bodyStart + receiveLimit * steps;
    }

    static bool StopRequested()
    {
        return boost::this_thread::interruption_enabled() && boost::this_thread::interruption_requested();
    }

    void Finish(CURLcode code)
    {
        finished = true;
        result = code;
        Detach();
    }

    void Collect()
    {
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(multi, &queued))
            if (message->msg == CURLMSG_DONE && message->easy_handle == easy)
                Finish(message->data.result);
    }

    template <class Until>
    CURLcode Drive(Until until)
    {
        while (!finished && !until()) {
            int running = 0;
            if (curl_multi_perform(multi, &running) != CURLM_OK) {
                Finish(CURLE_OUT_OF_MEMORY);
                break;
            }
            Collect();
            if (finished || until())
                break;
            if (Stalled() || Overdue() || StopRequested()) {
                stalled = true;
                Finish(CURLE_OPERATION_TIMEDOUT);
                break;
            }
            curl_multi_poll(multi, nullptr, 0, static_cast<int>(WatchInterval.count()), nullptr);
        }
        return finished ? result : CURLE_OK;
    }
};

Transfer::Transfer()
    : m_pimpl(std::make_shared<Pimpl>())
{ }

Transfer::~Transfer() = default;

CURLcode Transfer::Start(const Request& request)
{
    m_pimpl->Reset();
    m_pimpl->Configure(request);
    if (curl_multi_add_handle(m_pimpl->multi, m_pimpl->easy) != CURLM_OK)
        return CURLE_OUT_OF_MEMORY;
    m_pimpl->attached = true;
    return m_pimpl->Drive([this] { return m_pimpl->headerDone; });
}

CURLcode Transfer::Receive(const Sink& sink)
{
    m_pimpl->sink = sink;
    m_pimpl->bodyStart = Clock::now();
    if (m_pimpl->finished)
        return m_pimpl->result;
    m_pimpl->watching = false; // time spent waiting for the owner is not the device's
    const CURLcode resumed = curl_easy_pause(m_pimpl->easy, CURLPAUSE_CONT);
    if (resumed != CURLE_OK) {
        m_pimpl->Finish(resumed);
        return resumed;
    }
    return m_pimpl->Drive([] { return false; });
}

void Transfer::Abandon()
{
    m_pimpl->Detach();
    m_pimpl->finished = true;
}

bool Transfer::Opened() const
{
    return m_pimpl->Opened();
}

bool Transfer::Stalled() const
{
    return m_pimpl->stalled;
}

bool Transfer::SinkRefused() const
{
    return m_pimpl->sinkRefused;
}

long Transfer::Status() const
{
    long status = 0;
    curl_easy_getinfo(m_pimpl->easy, CURLINFO_RESPONSE_CODE, &status);
    return status;
}

std::string Transfer::ContentTypeHeader() const
{
    const char* type = nullptr;
    curl_easy_getinfo(m_pimpl->easy, CURLINFO_CONTENT_TYPE, &type);
    return type ? type : "";
}

long long Transfer::AnnouncedLength() const
{
    curl_off_t length = -1;
    curl_easy_getinfo(m_pimpl->easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    return length;
}

} // namespace Orvane::HTTP
