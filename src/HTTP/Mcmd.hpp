#pragma once

#include <libxml/tree.h>

#include <cstddef>
#include <memory>
#include <string>

namespace Orvane::HTTP {

// One document of the transport: a request being built, a parsed answer, or a list of query
// parameters. Elements are known by their id in the ElementTable.
class Mcmd
{
public:
    Mcmd();
    ~Mcmd();
    Mcmd(const Mcmd&) = delete;
    Mcmd& operator=(const Mcmd&) = delete;

    // Back to an empty document without query parameters.
    void Clear();

    // Building. A step the document cannot take throws HTTP::SystemError (EINVAL, or ENOMEM).
    void OpenElement(int id);
    void CloseElement();
    xmlNode* AddValue(int id, const std::string& text);
    xmlNode* AddValue(int id, long value);
    // Option 1 marks a leaf whose text is a secret: it is written verbatim in a CDATA section.
    void SetNodeOption(xmlNode* leaf, int option);
    // The document as UTF-8 XML text with its declaration.
    std::string ToXml() const;

    // Parsing replaces the document; false when the bytes are no document. Network access,
    // external entities and entity substitution stay off, libxml2's size and depth limits on.
    bool ParseXml(const char* bytes, std::size_t size);
    bool ParseHtml(const char* bytes, std::size_t size);
    // The document node, where searches start.
    xmlNode* Top() const;

    // Query parameters, rendered as percent-encoded key=value pairs joined by "&".
    void AddParameter(const std::string& key, const std::string& value);
    std::string RenderQuery() const;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::HTTP
