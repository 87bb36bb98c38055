#pragma once

#include "HTTP/Mcmd.hpp"

#include <memory>
#include <string>

namespace Orvane::HTTP {

// The query parameters of a GET, in the order added. Copies share the list.
class Query
{
public:
    Query();

    void Add(const std::string& key, const std::string& value);
    // What follows the "?" of the address: percent-encoded key=value pairs joined by "&"; "" when empty.
    std::string ToString() const;

    Mcmd& Document() const { return *m_document; }

private:
    std::shared_ptr<Mcmd> m_document;
};

} // namespace Orvane::HTTP
