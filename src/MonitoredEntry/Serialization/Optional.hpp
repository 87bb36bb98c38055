#pragma once

#include "MonitoredEntry/Serialization/WideText.hpp"

#include <boost/optional/optional.hpp>
#include <boost/serialization/access.hpp>
#include <boost/serialization/nvp.hpp>
#include <boost/serialization/split_member.hpp>
#include <boost/serialization/tracking.hpp>

#include <string>

namespace Orvane::MonitoredEntry::Serialization {

// How a value is stored inside an optional: as itself, except the text class for wide strings.
template <class T>
struct StoredForm
{
    using Type = T;
    static const T& To(const T& value) { return value; }
    static const T& From(const T& stored) { return stored; }
};

template <>
struct StoredForm<std::wstring>
{
    using Type = WideText;
    static WideText To(const std::wstring& value) { return WideText(value); }
    static std::wstring From(const WideText& stored) { return stored.Get(); }
};

// An optional value as stored: "initialized", and when set "item_version" (always 0) and "value".
// Boost's own optional support writes another class version without "item_version".
template <class T>
class Optional
{
public:
    Optional() = default;
    explicit Optional(const boost::optional<T>& value)
        : m_value(value)
    { }

    const boost::optional<T>& Get() const { return m_value; }

private:
    friend class boost::serialization::access;

    template <class Archive>
    void save(Archive& ar, unsigned int /*version*/) const
    {
        const bool initialized = m_value.is_initialized();
        ar << boost::serialization::make_nvp("initialized", initialized);
        if (!initialized)
            return;
        const unsigned int itemVersion = 0;
        const typename StoredForm<T>::Type stored = StoredForm<T>::To(*m_value);
        ar << boost::serialization::make_nvp("item_version", itemVersion);
        ar << boost::serialization::make_nvp("value", stored);
    }

    template <class Archive>
    void load(Archive& ar, unsigned int /*version*/)
    {
        bool initialized = false;
        ar >> boost::serialization::make_nvp("initialized", initialized);
        m_value = boost::none;
        if (!initialized)
            return;
        unsigned int itemVersion = 0;
        typename StoredForm<T>::Type stored {};
        ar >> boost::serialization::make_nvp("item_version", itemVersion);
        ar >> boost::serialization::make_nvp("value", stored);
        m_value = StoredForm<T>::From(stored);
    }

    BOOST_SERIALIZATION_SPLIT_MEMBER()

    boost::optional<T> m_value;
};

} // namespace Orvane::MonitoredEntry::Serialization

namespace boost::serialization {

template <class T>
struct tracking_level<Orvane::MonitoredEntry::Serialization::Optional<T>>
{
    typedef mpl::integral_c_tag tag;
    typedef mpl::int_<track_never> type;
    BOOST_STATIC_CONSTANT(int, value = type::value);
};

} // namespace boost::serialization
