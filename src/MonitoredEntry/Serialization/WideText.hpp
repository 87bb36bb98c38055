#pragma once

#include <boost/serialization/access.hpp>
#include <boost/serialization/nvp.hpp>
#include <boost/serialization/string.hpp>
#include <boost/serialization/tracking.hpp>

#include <string>

namespace Orvane::MonitoredEntry::Serialization {

// The stored form of the text fields of entries and events: a class of its own whose one element
// "string" holds the text. Stored texts end at the first NUL, as the text class they came from did.
class WideText
{
public:
    WideText() = default;
    explicit WideText(const std::wstring& text)
        : m_text(text.substr(0, text.find(L'\0')))
    { }

    const std::wstring& Get() const { return m_text; }

private:
    friend class boost::serialization::access;

    template <class Archive>
    void serialize(Archive& ar, unsigned int /*version*/)
    {
        ar& boost::serialization::make_nvp("string", m_text);
    }

    std::wstring m_text;
};

} // namespace Orvane::MonitoredEntry::Serialization

BOOST_CLASS_TRACKING(Orvane::MonitoredEntry::Serialization::WideText, boost::serialization::track_never)
