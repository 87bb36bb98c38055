#pragma once

#include <QString>

#include <cstdint>

namespace Orvane::UI {

// A string-table text for a widget.
QString Text(std::uint32_t id);

} // namespace Orvane::UI
