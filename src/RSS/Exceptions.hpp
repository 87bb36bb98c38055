#pragma once

#include <kestle/exception.hpp>

namespace Orvane::RSS {

struct InvalidTimeString : virtual kestle::runtime_error
{ };
struct IncompatibleTimeString : virtual kestle::runtime_error
{ };

} // namespace Orvane::RSS
