#include "Fault.hpp"

#include "XmlAnswer.hpp"

#include <algorithm>
#include <stdexcept>
#include <utility>

using nlohmann::json;

namespace OrvaneDevSim {

namespace {

const std::pair<Fault::Kind, const char*> kindNames[] = {
    {Fault::Kind::Result, "result"},
    {Fault::Kind::Status, "status"},
    {Fault::Kind::MalformedXml, "malformed-xml"},
    {Fault::Kind::Html, "html"},
    {Fault::Kind::WrongContentType, "wrong-content-type"},
    {Fault::Kind::Truncated, "truncated"},
    {Fault::Kind::HugeLength, "huge-length"},
    {Fault::Kind::Delay, "delay"},
    {Fault::Kind::Trickle, "trickle"},
    {Fault::Kind::Drop, "drop"},
    {Fault::Kind::Hang, "hang"},
};

Fault::Kind kindNamed(const std::string& name)
{
    for (const auto& [kind, text] : kindNames)
        if (name == text)
            return kind;
    throw std::invalid_argument("unknown fault kind \"" + name + "\"");
}

const char* nameOf(Fault::Kind kind)
{
    for (const auto& [known, text] : kindNames)
        if (known == kind)
            return text;
    return "";
}

int integer(const json& desc, const char* key, int low, int high)
{
    if (!desc.contains(key) || !desc.at(key).is_number_integer())
        throw std::invalid_argument(std::string("the fault needs an integer \"") + key + "\"");
    const long value = desc.at(key).get<long>();
    if (value < low || value > high)
        throw std::invalid_argument(std::string("\"") + key + "\" is out of range");
    return static_cast<int>(value);
}

} // namespace

Fault Fault::fromJson(const json& desc)
{
    if (!desc.is_object() || !desc.contains("kind") || !desc.at("kind").is_string())
        throw std::invalid_argument("a fault is an object with a \"kind\"");
    Fault fault;
    fault.m_kind = kindNamed(desc.at("kind").get<std::string>());
    if (fault.m_kind == Kind::Result) {
        if (!desc.contains("result") || !desc.at("result").is_string())
            throw std::invalid_argument("the fault needs a \"result\" text");
        fault.m_result = desc.at("result").get<std::string>();
    }
    if (fault.m_kind == Kind::Status)
        fault.m_status = integer(desc, "status", 100, 599);
    if (fault.m_kind == Kind::Delay || fault.m_kind == Kind::Trickle)
        fault.m_delayMs = integer(desc, "ms", 0, 600000);
    if (desc.contains("count"))
        fault.m_remaining = integer(desc, "count", 1, 1000000);
    return fault;
}

json Fault::toJson() const
{
    json desc = {{"kind", nameOf(m_kind)}};
    if (m_kind == Kind::Result)
        desc["result"] = m_result;
    if (m_kind == Kind::Status)
        desc["status"] = m_status;
    if (m_kind == Kind::Delay || m_kind == Kind::Trickle)
        desc["ms"] = m_delayMs;
    if (m_remaining >= 0)
        desc["count"] = m_remaining;
    return desc;
}

bool Fault::replacesAnswer() const
{
    return m_kind == Kind::Result || m_kind == Kind::Status || m_kind == Kind::MalformedXml || m_kind == Kind::Html;
}

DeviceReply Fault::answer() const
{
    switch (m_kind) {
    case Kind::Result:
        return XmlAnswer(m_result).reply();
    case Kind::Status:
        return DeviceReply::html(m_status, "Injected status " + std::to_string(m_status));
    case Kind::MalformedXml:
        return {
            200, "text/xml; charset=UTF-8", "<?xml version=\"1.0\"?>\n<RESPONSE><RESULT>SUCCESS</RESULT><COUNT>", {}};
    default:
        return DeviceReply::html(200, "This is a web page, not an answer");
    }
}

bool Fault::consume()
{
    if (m_remaining < 0)
        return true;
    return m_remaining-- > 0;
}

} // namespace OrvaneDevSim
