#pragma once

#include <QString>

#include <cstdint>

namespace Orvane::UI {

// String ids the desktop's own windows use.
namespace TextId {
constexpr std::uint32_t Title = 57344;
}

// A string-table text for a widget.
QString Text(std::uint32_t id);

} // namespace Orvane::UI
