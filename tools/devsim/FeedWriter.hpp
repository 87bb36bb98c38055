#pragma once

#include "Account.hpp"

#include <string>

namespace OrvaneDevSim {

// Writes an account's RSS 2.0 feed. Items come oldest first and after every other channel
// element; each item's description is an HTML table around a link to the document's thumbnail.
class FeedWriter
{
public:
    // baseUrl: scheme and authority the links start with, e.g. "http://127.0.0.1:8080".
    explicit FeedWriter(std::string baseUrl);

    std::string write(const Account& account) const;

    // Where the feed of an account is served, as a path.
    static std::string feedPath(const std::string& account);
    static std::string thumbnailPath(const std::string& documentId);

private:
    std::string item(const Document& document) const;
    std::string description(const Document& document) const;

    std::string m_baseUrl;
};

} // namespace OrvaneDevSim
