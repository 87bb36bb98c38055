#pragma once

#include <boost/filesystem/path.hpp>
#include <boost/optional.hpp>

#include <string>

namespace Orvane::HTTP {

// How each HTTPS device was trusted, one line per device: "host:port fingerprint" for a device trusted
// on first use (SHA-256 of its certificate, upper-case hex pairs joined by ':'), "host:port authority"
// for one whose certificate passed the trusted authorities, which it must then pass every time.
// Removing a line forgets the device.
class KnownDevices
{
public:
    static constexpr const char* AuthorityMark = "authority";

    explicit KnownDevices(boost::filesystem::path file);

    // "known_devices" in the program's folder (System::GetAppDataDir, which creates it); raises
    // Orvane::SystemError when that folder cannot be had.
    static KnownDevices Default();

    const boost::filesystem::path& File() const { return m_file; }

    // The device's line after the address: a fingerprint or AuthorityMark.
    boost::optional<std::string> Record(const std::string& host, int port) const;
    // The recorded certificate of a device trusted on first use.
    boost::optional<std::string> Fingerprint(const std::string& host, int port) const;

    // Records a device seen for the first time; the folder is made 0700 and the file 0600 as needed.
    // False when the device already has another record. HTTP::OpenFailure when it cannot be written.
    bool Remember(const std::string& host, int port, const std::string& fingerprint) const;
    bool RememberAuthority(const std::string& host, int port) const;

private:
    boost::filesystem::path m_file;
};

} // namespace Orvane::HTTP
