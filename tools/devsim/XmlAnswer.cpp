#include "XmlAnswer.hpp"

#include "Markup.hpp"

namespace OrvaneDevSim {

XmlAnswer::XmlAnswer(const std::string& result)
    : m_body("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<RESPONSE>")
{
    leaf("RESULT", result);
}

XmlAnswer& XmlAnswer::open(const std::string& name)
{
    m_body += "<" + name + ">";
    return *this;
}

XmlAnswer& XmlAnswer::close(const std::string& name)
{
    m_body += "</" + name + ">";
    return *this;
}

XmlAnswer& XmlAnswer::leaf(const std::string& name, const std::string& text)
{
    open(name);
    m_body += Markup::escape(text);
    return close(name);
}

DeviceReply XmlAnswer::reply() const
{
    return {200, "text/xml; charset=UTF-8", m_body + "</RESPONSE>\n", {}};
}

} // namespace OrvaneDevSim
