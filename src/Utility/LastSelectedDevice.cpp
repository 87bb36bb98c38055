#include "Utility/LastSelectedDevice.hpp"

#include "Exceptions.hpp"
#include "System/FileDescriptor.hpp"
#include "System/Folders.hpp"
#include "Utility/AnnouncedText.hpp"
#include "Utility/DeviceMerger.hpp"

#include <nlohmann/json.hpp>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace Orvane::Utility {

namespace {

// The file's content, at most FileSizeMax + 1 bytes of it; none when there is no file.
boost::optional<std::string> ReadBounded(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return boost::none;
        BOOST_THROW_EXCEPTION(SystemError::last());
    }
    System::FileDescriptor file(fd);
    std::string content(LastSelectedDevice::FileSizeMax + 1, '\0');
    std::size_t size = 0;
    while (size < content.size()) {
        const ssize_t got = ::read(fd, &content[size], content.size() - size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            BOOST_THROW_EXCEPTION(SystemError::last());
        if (got == 0)
            break;
        size += static_cast<std::size_t>(got);
    }
    content.resize(size);
    return content;
}

boost::optional<std::int32_t> Port(const nlohmann::json& value)
{
    if (!value.is_number_integer() || value.get<long long>() < 0 || value.get<long long>() > 65535)
        return boost::none;
    return value.get<std::int32_t>();
}

boost::optional<MonitoredEntry::MFP> Parse(const std::string& content, const MonitoredEntry::MFP& defaults)
{
    const nlohmann::json document = nlohmann::json::parse(content, nullptr, false);
    if (!document.is_object() || !document.contains("host") || !document["host"].is_string())
        return boost::none;
    MonitoredEntry::MFP device = defaults;
    const std::string host = document["host"].get<std::string>();
    device.SetHost(WideText(AnnouncedText(host.data(), host.size(), DeviceMerger::HostMax)));
    device.SetName(boost::none);
    if (document.contains("name") && document["name"].is_string()) {
        const std::string name = document["name"].get<std::string>();
        const std::wstring wide = WideText(AnnouncedText(name.data(), name.size(), AnnouncedTextMax));
        if (!wide.empty())
            device.SetName(wide.substr(0, DeviceMerger::NameMax));
    }
    device.SetHTTP(document.contains("http") ? Port(document["http"]) : boost::none);
    device.SetHTTPS(document.contains("https") ? Port(document["https"]) : boost::none);
    if (!device.GetHTTP() || !device.GetHTTPS() || device.GetHost() != WideText(host))
        return boost::none;
    return device;
}

} // namespace

LastSelectedDevice::LastSelectedDevice(const std::string& folder)
    : m_folder(folder)
{ }

std::string LastSelectedDevice::GetPath() const
{
    return (m_folder.empty() ? System::GetAppDataDir() : m_folder) + FileName;
}

boost::optional<MonitoredEntry::MFP> LastSelectedDevice::Load(const MonitoredEntry::MFP& defaults) const
{
    const auto content = ReadBounded(GetPath());
    if (!content || content->size() > FileSizeMax)
        return boost::none;
    return Parse(*content, defaults);
}

void LastSelectedDevice::Store(const MonitoredEntry::MFP& device) const
{
    nlohmann::json document = {{"host", Utf8Text(device.GetHost())}};
    if (device.GetName())
        document["name"] = Utf8Text(*device.GetName());
    document["http"] = device.GetHTTP().value_or(0);
    document["https"] = device.GetHTTPS().value_or(0);
    System::WritePrivateFile(GetPath(), document.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n");
}

} // namespace Orvane::Utility
