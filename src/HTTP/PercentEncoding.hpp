#pragma once

#include <string>

namespace Orvane::HTTP {

// Writes every byte for which `keep` is false as "%XX" (upper-case hex), the rest as it is.
std::string PercentEncode(const std::string& text, bool (*keep)(unsigned char));

} // namespace Orvane::HTTP
