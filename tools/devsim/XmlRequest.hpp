#pragma once

#include <memory>
#include <optional>
#include <string>

namespace OrvaneDevSim {

// A command document posted by the program, parsed without network access or entity expansion.
class XmlRequest
{
public:
    // Empty when the body is not well-formed XML.
    static std::optional<XmlRequest> parse(const std::string& body);

    // The text of the first element of that name in document order (names match without regard
    // to case), or nothing when there is no such element.
    std::optional<std::string> text(const std::string& name) const;

private:
    struct Document;
    explicit XmlRequest(std::shared_ptr<Document> document);
    std::shared_ptr<Document> m_document;
};

} // namespace OrvaneDevSim
