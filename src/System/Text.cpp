#include "System/Text.hpp"

#include <boost/locale/encoding.hpp>

#include <clocale>
#include <langinfo.h>

namespace Orvane::System {

namespace {

std::string currentCodeset()
{
    const char* codeset = ::nl_langinfo(CODESET);
    std::string name = codeset ? codeset : "";
    if (name.empty() || name == "ANSI_X3.4-1968" || name == "ASCII")
        return "UTF-8";
    return name;
}

} // namespace

const std::string& ANSICodeset()
{
    static const std::string codeset = currentCodeset();
    return codeset;
}

std::string ToANSI(const std::wstring& text)
{
    return boost::locale::conv::from_utf(text, ANSICodeset(), boost::locale::conv::skip);
}

std::wstring FromANSI(const std::string& text)
{
    return boost::locale::conv::to_utf<wchar_t>(text, ANSICodeset(), boost::locale::conv::skip);
}

} // namespace Orvane::System
