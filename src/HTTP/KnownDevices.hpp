#pragma once

#include <boost/filesystem/path.hpp>
#include <boost/optional.hpp>

#include <string>

namespace Orvane::HTTP {

// The certificates of devices trusted on first use: one line "host:port fingerprint" per device
// (SHA-256 of the certificate, upper-case hex pairs joined by ':'). Removing a line forgets the device.
class KnownDevices
{
public:
    explicit KnownDevices(boost::filesystem::path file);

    // "known_devices" in the program's folder (System::GetAppDataDir, which creates it); raises
    // Orvane::SystemError when that folder cannot be had.
    static KnownDevices Default();

    const boost::filesystem::path& File() const { return m_file; }

    boost::optional<std::string> Fingerprint(const std::string& host, int port) const;

    // Records a device seen for the first time; the folder is made 0700 and the file 0600 as needed.
    // False when the device already has another fingerprint. HTTP::OpenFailure when it cannot be written.
    bool Remember(const std::string& host, int port, const std::string& fingerprint) const;

private:
    boost::filesystem::path m_file;
};

} // namespace Orvane::HTTP
