#include "support/MdnsNetwork.hpp"

#include <boost/filesystem/operations.hpp>

#include <unistd.h>

#include <stdexcept>
#include <vector>

namespace OrvaneTest {

namespace {

const char* const DbusConfig = R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig><type>system</type><listen>unix:path=SOCKET</listen><auth>EXTERNAL</auth>
<policy context="default"><allow user="*"/><allow own="*"/><allow send_type="method_call"/>
<allow send_destination="*"/><allow receive_sender="*"/></policy></busconfig>
)";

std::string Replace(std::string text, const std::string& what, const std::string& with)
{
    text.replace(text.find(what), what.size(), with);
    return text;
}

} // namespace

struct MdnsNetwork::Side
{
    std::string ns;
    std::string veth;
    std::string address;
    std::string hostName;
    boost::filesystem::path folder;
    std::unique_ptr<ChildProcess> bus;
    std::unique_ptr<ChildProcess> avahi;

    std::string socket;
};

std::string MdnsNetwork::unavailableReason()
{
    if (::geteuid() != 0)
        return "network namespaces need root; the mDNS test network is not made";
    for (const char* tool : {"ip", "dbus-daemon", "avahi-daemon", "avahi-browse", "unshare"})
        if (ChildProcess::run({"sh", "-c", std::string("command -v ") + tool}, "/dev/null") != 0)
            return std::string("the mDNS test network needs ") + tool;
    const std::string probe = "orvprobe" + std::to_string(::getpid());
    if (ChildProcess::run({"ip", "netns", "add", probe}, "/dev/null") != 0)
        return "network namespaces cannot be created here";
    ChildProcess::run({"ip", "netns", "delete", probe}, "/dev/null");
    return std::string();
}

MdnsNetwork::MdnsNetwork(const std::map<std::string, std::string>& services, const std::string& browserBus)
    : m_prefix("orv" + std::to_string(::getpid()))
    , m_device(std::make_unique<Side>())
    , m_browser(std::make_unique<Side>())
{
    *m_device = {m_prefix + "a", "veth-a", "10.77.0.1", "orvdev-" + std::to_string(::getpid()),
                 m_folder / "a", nullptr,  nullptr,     (m_folder / "a.bus").string()};
    *m_browser = {m_prefix + "b", "veth-b", "10.77.0.2", "orvbrowse-" + std::to_string(::getpid()),
                  m_folder / "b", nullptr,  nullptr,     browserBus};
    const std::string log = (m_folder / "setup.log").string();
    auto ip = [&](const std::vector<std::string>& arguments) {
        std::vector<std::string> command = {"ip"};
        command.insert(command.end(), arguments.begin(), arguments.end());
        if (ChildProcess::run(command, log) != 0)
            throw std::runtime_error("mDNS test network: ip command failed, see " + log);
    };
    ip({"netns", "add", m_device->ns});
    ip({"netns", "add", m_browser->ns});
    // The pair is made inside the namespaces; it never exists among the machine's interfaces.
    ip({"-n", m_device->ns, "link", "add", "veth-a", "type", "veth", "peer", "name", "veth-b", "netns", m_browser->ns});
    for (Side* side : {m_device.get(), m_browser.get()}) {
        ip({"-n", side->ns, "addr", "add", side->address + "/24", "dev", side->veth});
        ip({"-n", side->ns, "link", "set", "lo", "up"});
        ip({"-n", side->ns, "link", "set", side->veth, "up"});
    }
    startSide(*m_device, services);
    startSide(*m_browser, {});
}

void MdnsNetwork::startSide(Side& side, const std::map<std::string, std::string>& services)
{
    boost::filesystem::create_directories(side.folder / "services");
    for (const auto& [name, xml] : services)
        writeFile(side.folder / "services" / name, xml);
    boost::filesystem::remove(side.socket); // left by an earlier network's bus
    writeFile(side.folder / "dbus.conf", Replace(DbusConfig, "SOCKET", side.socket));
    writeFile(side.folder / "avahi-daemon.conf",
              "[server]\nhost-name=" + side.hostName + "\nuse-ipv4=yes\nuse-ipv6=no\nallow-interfaces=" + side.veth
                  + "\nenable-dbus=yes\n[wide-area]\nenable-wide-area=no\n[publish]\npublish-workstation=no\n"
                    "publish-hinfo=no\n");
    const std::string out = (side.folder / "daemons.log").string();
    side.bus = std::make_unique<ChildProcess>(
        std::vector<std::string> {"ip", "netns", "exec", side.ns, "dbus-daemon",
                                  "--config-file=" + (side.folder / "dbus.conf").string(), "--nofork", "--nopidfile"},
        out);
    if (!waitUntil([&] { return boost::filesystem::exists(side.socket); }, std::chrono::seconds(15)))
        throw std::runtime_error("mDNS test network: the private bus did not start, see " + out);
    // /run/avahi-daemon and the services folder are fixed paths: a private mount namespace each.
    const std::string script = "mount -t tmpfs tmpfs /run && mount --bind " + (side.folder / "services").string()
        + " /etc/avahi/services && exec avahi-daemon -f " + (side.folder / "avahi-daemon.conf").string()
        + " --no-drop-root --no-chroot --no-rlimits";
    side.avahi = std::make_unique<ChildProcess>(
        std::vector<std::string> {"ip", "netns", "exec", side.ns, "unshare", "-m", "--propagation", "private", "sh",
                                  "-c", script},
        out, std::map<std::string, std::string> {{"DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + side.socket}});
}

MdnsNetwork::~MdnsNetwork()
{
    for (Side* side : {m_browser.get(), m_device.get()}) {
        side->avahi.reset();
        side->bus.reset();
    }
    for (Side* side : {m_browser.get(), m_device.get()})
        ChildProcess::run({"ip", "netns", "delete", side->ns}, "/dev/null");
}

std::string MdnsNetwork::busAddress() const
{
    return "unix:path=" + m_browser->socket;
}

std::string MdnsNetwork::deviceHostName() const
{
    return m_device->hostName + ".local";
}

bool MdnsNetwork::waitForService(const std::string& type, std::chrono::milliseconds deadline)
{
    const std::string out = (m_folder / "browse.out").string();
    return waitUntil(
        [&] {
            boost::filesystem::remove(out);
            ChildProcess::run({"timeout", "10", "avahi-browse", "-rpt", type}, out,
                              {{"DBUS_SYSTEM_BUS_ADDRESS", busAddress()}});
            return readFile(out).find("\n=;") != std::string::npos || readFile(out).rfind("=;", 0) == 0;
        },
        deadline);
}

bool MdnsNetwork::waitForDaemons(std::chrono::milliseconds deadline)
{
    // What the daemons write once their host names are established and the device's services
    // published; looking for it sends nothing on the link.
    auto log = [](const Side& side) { return readFile(side.folder / "daemons.log"); };
    return waitUntil(
        [&] {
            return log(*m_browser).find("Server startup complete") != std::string::npos
                && log(*m_device).find("successfully established") != std::string::npos;
        },
        deadline);
}

} // namespace OrvaneTest
