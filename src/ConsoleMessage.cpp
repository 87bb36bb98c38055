#include "ConsoleMessage.hpp"

#include "Exceptions.hpp"
#include "Utility/LoadStringFromApp.hpp"

#include <boost/locale/encoding_utf.hpp>

#include <iostream>

namespace Orvane {

std::string ConsoleMessage::GetText(std::uint32_t id)
{
    try {
        return boost::locale::conv::utf_to_utf<char>(Utility::LoadStringFromApp(id));
    } catch (const SystemError&) {
        return std::string(); // a console line must not fail for want of a text
    }
}

void ConsoleMessage::Show(std::uint32_t id, const std::string& detail)
{
    std::cerr << GetText(id) << '\n';
    if (!detail.empty())
        std::cerr << detail << '\n';
    std::cerr.flush();
}

} // namespace Orvane
