#pragma once

#include "DeviceReply.hpp"

#include <string>

namespace OrvaneDevSim {

// Writes a cgi answer: a RESPONSE element whose first child is RESULT, then the answer's elements.
class XmlAnswer
{
public:
    explicit XmlAnswer(const std::string& result);

    XmlAnswer& open(const std::string& name);
    XmlAnswer& close(const std::string& name);
    XmlAnswer& leaf(const std::string& name, const std::string& text);

    DeviceReply reply() const;

private:
    std::string m_body;
};

} // namespace OrvaneDevSim
