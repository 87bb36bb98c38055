#pragma once

#include "MonitoredEntry/Password.hpp"
#include "MonitoredEntry/Serialization/Sequence.hpp"

#include <boost/serialization/access.hpp>
#include <boost/serialization/level.hpp>
#include <boost/serialization/split_member.hpp>

namespace Orvane::MonitoredEntry::Serialization {

// The cipher text of a password as stored: a sequence of bytes in decimal. It is the one stored type
// without class attributes, though it still takes a class identifier: the archive only skips the
// identifier of such types when they are never tracked, so tracking is left at its default.
class PasswordData
{
public:
    PasswordData() = default;
    explicit PasswordData(const Password::Data& data)
        : m_data(data)
    { }

    const Password::Data& Get() const { return m_data; }

private:
    friend class boost::serialization::access;

    template <class Archive>
    void save(Archive& ar, unsigned int /*version*/) const
    {
        SaveSequenceHeader(ar, m_data.size(), 0);
        for (const unsigned int byte : m_data)
            ar << boost::serialization::make_nvp("item", byte);
    }

    template <class Archive>
    void load(Archive& ar, unsigned int /*version*/)
    {
        m_data.clear();
        for (std::size_t count = LoadSequenceHeader(ar, MaxStoredPasswordBytes); count > 0; --count) {
            unsigned int byte = 0;
            ar >> boost::serialization::make_nvp("item", byte);
            if (byte > 0xFF)
                BOOST_THROW_EXCEPTION(MalformedStore() << ErrorMessage("a password byte out of range"));
            m_data.push_back(static_cast<unsigned char>(byte));
        }
    }

    BOOST_SERIALIZATION_SPLIT_MEMBER()

    Password::Data m_data;
};

} // namespace Orvane::MonitoredEntry::Serialization

BOOST_CLASS_IMPLEMENTATION(Orvane::MonitoredEntry::Serialization::PasswordData,
                           boost::serialization::object_serializable)
