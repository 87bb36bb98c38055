#pragma once

#include "HTTP/Net.hpp"

#include <string>

namespace Orvane::QX {

// Where a document received from the device is saved.
class DocumentFile
{
public:
    // ".jpeg", ".pdf", ".tif", ".xml", or "" for any other content.
    static std::wstring Extension(HTTP::Net::ContentType type);

    // Appends the wanted extension unless the path's file name already ends in it, ignoring case;
    // ".tiff" is kept for ".tif" and ".jpg" for ".jpeg".
    static void AdjustPath(std::wstring& path, const std::wstring& wanted);
};

} // namespace Orvane::QX
