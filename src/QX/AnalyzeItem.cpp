#include "QX/AnalyzeItem.hpp"

#include "QX/DescriptionLink.hpp"
#include "QX/Exceptions.hpp"

#include <boost/throw_exception.hpp>

namespace Orvane::QX {

namespace {

using HTTP::XML::Parser;

} // namespace

struct AnalyzeItem::Pimpl
{
    explicit Pimpl(const Parser& parser)
        : parser(parser)
    { }

    Parser parser;
    Parser::Iterator item;

    Parser::Iterator Find(const HTTP::XML::Path& path) const
    {
        const Parser::Iterator found = parser.Find(path, item);
        if (found == parser.End())
            BOOST_THROW_EXCEPTION(InvalidRSSFeed());
        return found;
    }

    std::string Description() const
    {
        // A missing DESCRIPTION reads as an element without text.
        return parser.Find("DESCRIPTION", item)->GetString();
    }
};

AnalyzeItem::AnalyzeItem(const Parser& parser)
    : m_pimpl(std::make_unique<Pimpl>(parser))
{ }

AnalyzeItem::AnalyzeItem(const AnalyzeItem& other)
    : m_pimpl(std::make_unique<Pimpl>(*other.m_pimpl))
{ }

AnalyzeItem& AnalyzeItem::operator=(const AnalyzeItem& other)
{
    if (this != &other)
        *m_pimpl = *other.m_pimpl;
    return *this;
}

AnalyzeItem::~AnalyzeItem() = default;

RSS::Item AnalyzeItem::operator()(const Parser::Iterator& item)
{
    m_pimpl->item = item;
    const std::string title = BoundedText(m_pimpl->Find("TITLE")->GetString());
    const std::string link = BoundedText(DescriptionLink::Of(m_pimpl->Description()));
    const std::string category = BoundedText(m_pimpl->Find("CATEGORY")->GetString());
    const std::string guid = BoundedText(m_pimpl->Find("GUID")->GetString());
    const std::string pub = BoundedText(m_pimpl->Find("PUBDATE")->GetString());
    return RSS::Item(title, link, category, guid, pub);
}

std::string BoundedText(const std::string& text)
{
    if (text.size() <= MaxTextSize)
        return text;
    std::size_t size = MaxTextSize;
    // Not inside a UTF-8 sequence: a cut character would make the stored text unreadable.
    for (int back = 0; back < 3 && (static_cast<unsigned char>(text[size]) & 0xC0) == 0x80; ++back)
        --size;
    return text.substr(0, size);
}

} // namespace Orvane::QX
