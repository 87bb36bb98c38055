#pragma once

#include <cstdint>

namespace Orvane::System {

// Whether an installed font covers the language of a Windows character set (SHIFTJIS_CHARSET 128
// → Japanese, GB2312_CHARSET 134 → simplified Chinese, …); DEFAULT_CHARSET (1) asks for any font.
// A character set without a known language is not covered. When fontconfig itself cannot be
// used the answer is yes, so a machine without a font setup still shows translated texts.
bool IsCharsetFontInstalled(std::uint32_t charset);

} // namespace Orvane::System
