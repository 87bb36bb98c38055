#include "QX/DocumentFile.hpp"

#include <boost/algorithm/string/predicate.hpp>

namespace Orvane::QX {

namespace {

// From the last "." of the file-name part, or "" when it has none.
std::wstring ExtensionOf(const std::wstring& path)
{
    const std::size_t slash = path.rfind(L'/');
    const std::size_t nameStart = slash == std::wstring::npos ? 0 : slash + 1;
    const std::size_t dot = path.rfind(L'.');
    return dot == std::wstring::npos || dot < nameStart ? std::wstring() : path.substr(dot);
}

bool Serves(const std::wstring& present, const std::wstring& wanted)
{
    using boost::algorithm::iequals;
    return (iequals(present, L".tiff") && wanted == L".tif") || (iequals(present, L".jpg") && wanted == L".jpeg");
}

} // namespace

std::wstring DocumentFile::Extension(HTTP::Net::ContentType type)
{
    switch (type) {
    case HTTP::Net::ContentType::JPEG:
        return L".jpeg";
    case HTTP::Net::ContentType::PDF:
        return L".pdf";
    case HTTP::Net::ContentType::TIFF:
        return L".tif";
    case HTTP::Net::ContentType::XML:
        return L".xml";
    case HTTP::Net::ContentType::Other:
        break;
    }
    return std::wstring();
}

void DocumentFile::AdjustPath(std::wstring& path, const std::wstring& wanted)
{
    const std::wstring present = ExtensionOf(path);
    if (boost::algorithm::iequals(present, wanted) || Serves(present, wanted))
        return;
    path += wanted;
}

} // namespace Orvane::QX
