#include "UI/DeviceTrust.hpp"

#include "HTTP/Exceptions.hpp"
#include "MonitoredEntry/MFP.hpp"
#include "System/Text.hpp"

#include <boost/filesystem/operations.hpp>
#include <boost/throw_exception.hpp>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace Orvane::UI {

namespace {

std::string Key(const MonitoredEntry::MFP& mfp)
{
    return System::ToANSI(mfp.GetHost()) + ':' + std::to_string(*mfp.GetHTTPS()) + ' ';
}

// The whole file goes to a private temporary next to it, which then replaces it.
void Replace(const boost::filesystem::path& file, const std::string& content)
{
    const std::string temporary = file.string() + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        BOOST_THROW_EXCEPTION(HTTP::OpenFailure());
    const bool written = ::write(fd, content.data(), content.size()) == static_cast<ssize_t>(content.size());
    const bool closed = ::fsync(fd) == 0 && ::close(fd) == 0;
    if (!(written && closed && std::rename(temporary.c_str(), file.c_str()) == 0)) {
        std::remove(temporary.c_str());
        BOOST_THROW_EXCEPTION(HTTP::OpenFailure());
    }
}

} // namespace

DeviceTrust::DeviceTrust(HTTP::KnownDevices known)
    : m_known(std::move(known))
{ }

boost::optional<std::string> DeviceTrust::Record(const MonitoredEntry::MFP& mfp) const
{
    if (!mfp.GetHTTPS() || mfp.GetHost().empty())
        return boost::none;
    return m_known.Fingerprint(System::ToANSI(mfp.GetHost()), *mfp.GetHTTPS());
}

bool DeviceTrust::Forget(const MonitoredEntry::MFP& mfp) const
{
    if (!Record(mfp))
        return false;
    const std::string key = Key(mfp);
    std::ifstream in(m_known.File().string());
    std::ostringstream kept;
    bool found = false;
    for (std::string line; std::getline(in, line);) {
        if (line.compare(0, key.size(), key) == 0)
            found = true;
        else
            kept << line << '\n';
    }
    in.close();
    if (found)
        Replace(m_known.File(), kept.str());
    return found;
}

} // namespace Orvane::UI
