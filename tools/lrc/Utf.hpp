#pragma once

#include <optional>
#include <string>

namespace OrvaneLrc {

// UTF-8 to UTF-16 and back; nothing for malformed input (bad sequences, overlong forms, lone
// surrogates), which a translation must never carry into the file.
std::optional<std::u16string> Utf8ToUtf16(const std::string& text);
std::optional<std::string> Utf16ToUtf8(const std::u16string& text);

} // namespace OrvaneLrc
