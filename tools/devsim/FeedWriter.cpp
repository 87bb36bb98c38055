#include "FeedWriter.hpp"

#include "Markup.hpp"

namespace OrvaneDevSim {

namespace {

std::string element(const std::string& name, const std::string& text)
{
    return "<" + name + ">" + Markup::escape(text) + "</" + name + ">\n";
}

} // namespace

FeedWriter::FeedWriter(std::string baseUrl)
    : m_baseUrl(std::move(baseUrl))
{ }

std::string FeedWriter::feedPath(const std::string& account)
{
    return "/rss/" + Markup::percentEncode(account) + ".xml";
}

std::string FeedWriter::thumbnailPath(const std::string& documentId)
{
    return "/thumbnail.jpg?DC=" + Markup::percentEncode(documentId);
}

std::string FeedWriter::write(const Account& account) const
{
    std::string feed = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rss version=\"2.0\">\n<channel>\n";
    feed += element("title", account.displayName);
    feed += element("link", m_baseUrl + "/orvane.htm");
    feed += element("description", "Documents of " + account.displayName);
    feed += element("language", "en");
    feed += element("lastBuildDate", account.lastBuildDate);
    feed += element("generator", "orvane-devsim");
    for (const Document& document : account.documents)
        feed += item(document);
    return feed + "</channel>\n</rss>\n";
}

std::string FeedWriter::item(const Document& document) const
{
    return "<item>\n" + element("title", document.title)
        + element("link", m_baseUrl + "/orvane.htm?IFM=1&DC=" + Markup::percentEncode(document.id))
        + element("description", description(document)) + element("category", document.category)
        + element("guid", document.id) + element("pubDate", document.pubDate) + "</item>\n";
}

std::string FeedWriter::description(const Document& document) const
{
    // The thumbnail address holds a single query parameter, so no "&" needs escaping inside the
    // HTML, however the reader takes the attribute text.
    const std::string thumbnail = Markup::escape(m_baseUrl + thumbnailPath(document.id));
    return "<table border=\"0\"><tbody><tr><td><a href=\"" + thumbnail + "\"><img src=\"" + thumbnail
        + "\" width=\"48\" height=\"64\" alt=\"\"></a></td><td>" + Markup::escape(document.title)
        + "</td></tr></tbody></table>";
}

} // namespace OrvaneDevSim
