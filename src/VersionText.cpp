#include "VersionText.hpp"

#include "System/CLrcReader.hpp"
#include "Utility/FileVersion.hpp"
#include "Utility/StringTable.hpp"

#include <boost/locale/encoding_utf.hpp>

namespace Orvane {

namespace {

// Asks the language file for every built-in string, so that a missing one shows now rather than
// when some window first needs it. String ids are 16-bit.
void LookUpEveryString()
{
    for (std::uint32_t id = 0; id <= 0xFFFF; ++id)
        if (Utility::StringTable::Find(id))
            System::CLrcReader::Instance().GetString(id);
}

std::string Utf8(const std::wstring& text)
{
    return boost::locale::conv::utf_to_utf<char>(text);
}

} // namespace

std::string VersionText::Get()
{
    LookUpEveryString();
    return "BRANTEL Orvane\nVersion " + Utf8(Utility::GetFileVersion()) + "\nLanguage "
        + Utf8(System::CLrcReader::Instance().GetVersionText()) + "\n";
}

} // namespace Orvane
