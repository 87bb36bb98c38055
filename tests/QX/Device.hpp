#pragma once

#include "HTTP/Timeout.hpp"
#include "MonitoredEntry/MFP.hpp"
#include "MonitoredEntry/User.hpp"
#include "support/DevSim.hpp"

#include <exception>
#include <string>

namespace QXTest {

// The simulated device as an entry's device record.
inline Orvane::MonitoredEntry::MFP DeviceOf(const OrvaneTest::DevSim& devsim, bool ssl)
{
    Orvane::MonitoredEntry::MFP mfp;
    mfp.SetHost(L"127.0.0.1");
    mfp.SetHTTP(devsim.httpPort());
    mfp.SetHTTPS(devsim.httpsPort());
    mfp.SetSSL(ssl);
    return mfp;
}

// An account record whose display name differs from its ID, so a test sees which one is sent.
inline Orvane::MonitoredEntry::User Account(const std::wstring& id, const std::wstring& password)
{
    Orvane::MonitoredEntry::User user;
    user.SetID(id);
    user.SetName(L"Shown " + id);
    user.SetPassword(Orvane::MonitoredEntry::Password(password));
    return user;
}

inline Orvane::MonitoredEntry::User Alice()
{
    return Account(L"alice", L"alice-pass");
}

// Generous enough for a loaded machine; tests about time-outs set their own.
inline Orvane::HTTP::Timeout Patient()
{
    return {5000, 0, 10000, 10000};
}

// Whether the call throws an exception of class E.
template <class E, class Call>
bool Throws(Call&& call)
{
    try {
        call();
    } catch (const E&) {
        return true;
    } catch (...) {
        return false;
    }
    return false;
}

} // namespace QXTest
