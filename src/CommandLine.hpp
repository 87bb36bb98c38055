#pragma once

#include <boost/optional/optional.hpp>

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace Orvane {

// The program's command line. Options it does not know, and arguments that are no option, are
// accepted and ignored, so an installer may pass more than this version understands.
class CommandLine
{
public:
    // The entry an install registers; each value is present only when its option was given.
    struct InstallOptions
    {
        boost::optional<std::wstring> mname;
        boost::optional<std::wstring> host;
        boost::optional<std::int32_t> http;
        boost::optional<std::int32_t> https;
        boost::optional<std::wstring> uname;
        boost::optional<std::wstring> uid;
        boost::optional<std::wstring> upass;
    };

    // What a search from the command line asks.
    struct SearchOptions
    {
        boost::optional<double> timeoutSeconds;
        std::vector<std::string> hosts; // also asked by SNMP
        bool broadcast = true;
    };

    // Raises boost::program_options::error for an option without its value, a port that is not an
    // integer and an option given twice.
    CommandLine(int argc, const char* const argv[]);
    ~CommandLine();

    bool IsInstall() const;
    bool IsUninstall() const;
    // Run without any window.
    bool IsHeadless() const;
    // Describe the desktop session on standard error.
    bool IsVerbose() const;
    bool IsHelp() const;
    bool IsVersion() const;
    // Search the network for devices, without any window.
    bool IsSearch() const;
    SearchOptions GetSearchOptions() const;
    const InstallOptions& GetInstallOptions() const;

    static void PrintHelp(std::ostream& out);

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane
