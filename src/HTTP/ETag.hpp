#pragma once

namespace Orvane::HTTP::Command {

// Closes the innermost open element of a command document.
struct ETag
{ };

} // namespace Orvane::HTTP::Command
