#include "QX/InputCheck.hpp"

#include "System/Text.hpp"

#include <algorithm>
#include <regex>

namespace Orvane::QX {

namespace {

constexpr std::size_t HostLengthMax = 255;

const std::regex& IPv4()
{
    static const std::regex pattern(
        R"((25[0-5]|(2[0-4]|1[0-9]|[1-9])?[0-9])(\.(25[0-5]|(2[0-4]|1[0-9]|[1-9])?[0-9])){3})");
    return pattern;
}

const std::regex& HostName()
{
    static const std::regex pattern(
        "[A-Za-z0-9]([A-Za-z0-9_-]*[A-Za-z0-9])?(\\.[A-Za-z0-9]([A-Za-z0-9_-]*[A-Za-z0-9])?)*");
    return pattern;
}

} // namespace

bool IsNotEmpty(const std::wstring& text)
{
    return !text.empty();
}

bool IsValidHost(const std::wstring& host)
{
    const std::string narrow = System::ToANSI(host);
    // Longer text is neither form; checking first also keeps the matcher's work small.
    if (narrow.size() > HostLengthMax)
        return false;
    return std::regex_match(narrow, IPv4()) || std::regex_match(narrow, HostName());
}

bool IsValidPort(long port)
{
    return port >= 0 && port <= 65535;
}

bool IsASCII(const std::wstring& text)
{
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return static_cast<unsigned long>(c) <= 127; });
}

} // namespace Orvane::QX
