#pragma once

#include "MonitoredEntry/MFP.hpp"

#include <boost/optional/optional.hpp>

#include <string>

namespace Orvane::Utility {

// The device the user selected last, kept in the program's folder (mode 0600) so that a run
// without a window (the install) has an answer to "which device".
class LastSelectedDevice
{
public:
    // The file lives in this folder (ending in "/"); the program's folder when empty.
    explicit LastSelectedDevice(const std::string& folder = std::string());

    // The stored name, host and ports over the default device (which gives SSL). None when no device
    // was stored or the file does not describe one. Raises Orvane::SystemError when the file is
    // there but cannot be read.
    boost::optional<MonitoredEntry::MFP> Load(const MonitoredEntry::MFP& defaults) const;
    // Raises Orvane::SystemError.
    void Store(const MonitoredEntry::MFP& device) const;

    std::string GetPath() const;

    static constexpr const char* FileName = "lastdevice.json";
    // A larger file is not one this program wrote.
    static constexpr std::size_t FileSizeMax = 4096;

private:
    std::string m_folder;
};

} // namespace Orvane::Utility
