#include "Utility/LoadStringFromApp.hpp"

#include "Exceptions.hpp"
#include "System/CLrcReader.hpp"
#include "Utility/StringTable.hpp"

#include <cerrno>

namespace Orvane::Utility {

std::wstring LoadStringFromApp(std::uint32_t id)
{
    if (std::optional<std::wstring> translated = System::CLrcReader::Instance().GetString(id))
        return std::move(*translated);
    if (const wchar_t* builtIn = StringTable::Find(id))
        return builtIn;
    BOOST_THROW_EXCEPTION(SystemError(ENOENT));
}

} // namespace Orvane::Utility
