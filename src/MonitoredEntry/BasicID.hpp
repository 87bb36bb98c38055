#pragma once

#include <cstdint>
#include <limits>

namespace Orvane {

// A typed identifier of entries and events. The value is 32 bits wide whatever T is on this
// platform, so identifiers persist and wrap the same way everywhere.
template <class T>
class BasicID
{
public:
    using ValueType = std::int32_t;

    BasicID() = default;
    explicit BasicID(ValueType value)
        : m_value(value)
    { }

    ValueType GetValue() const { return m_value; }

    // The identifier after this one; a counter that passes the largest value starts again at 0.
    BasicID Next() const
    {
        return BasicID(m_value == std::numeric_limits<ValueType>::max() || m_value < 0 ? 0 : m_value + 1);
    }

    bool operator==(const BasicID& other) const { return m_value == other.m_value; }
    bool operator!=(const BasicID& other) const { return m_value != other.m_value; }
    bool operator<(const BasicID& other) const { return m_value < other.m_value; }

private:
    ValueType m_value = 0;
};

} // namespace Orvane
