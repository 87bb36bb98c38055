#include "HTTP/Query.hpp"

namespace Orvane::HTTP {

Query::Query()
    : m_document(std::make_shared<Mcmd>())
{ }

void Query::Add(const std::string& key, const std::string& value)
{
    m_document->AddParameter(key, value);
}

std::string Query::ToString() const
{
    return m_document->RenderQuery();
}

} // namespace Orvane::HTTP
