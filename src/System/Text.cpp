#include "System/Text.hpp"

#include "Exceptions.hpp"

#include <boost/throw_exception.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <iterator>
#include <langinfo.h>
#include <memory>

namespace Orvane::System {

namespace {

// glibc's name for the wchar_t encoding of this platform.
constexpr const char* WideCodeset = "WCHAR_T";

std::string currentCodeset()
{
    const char* codeset = ::nl_langinfo(CODESET);
    std::string name = codeset ? codeset : "";
    if (name.empty() || name == "ANSI_X3.4-1968" || name == "ASCII")
        return "UTF-8";
    return name;
}

struct IconvCloser
{
    void operator()(void* descriptor) const { ::iconv_close(static_cast<iconv_t>(descriptor)); }
};

// Converts with the C library's iconv, dropping what cannot be converted: an invalid or unconvertible
// input unit of `unit` bytes is skipped, an incomplete sequence at the end is dropped. (iconv rather
// than a locale library keeps a large Unicode library out of the resident program.)
std::string Convert(const char* to, const char* from, const char* input, std::size_t length, std::size_t unit)
{
    const iconv_t opened = ::iconv_open(to, from);
    if (opened == reinterpret_cast<iconv_t>(-1))
        BOOST_THROW_EXCEPTION(SystemError::last());
    const std::unique_ptr<void, IconvCloser> descriptor(opened);
    std::string output;
    char buffer[4096];
    char* in = const_cast<char*>(input);
    std::size_t left = length;
    while (left > 0) {
        char* out = buffer;
        std::size_t room = sizeof buffer;
        const std::size_t done = ::iconv(opened, &in, &left, &out, &room);
        const int error = errno;
        output.append(buffer, static_cast<std::size_t>(out - buffer));
        if (done != static_cast<std::size_t>(-1) || error == E2BIG)
            continue;
        if (error != EILSEQ)
            break; // EINVAL: an incomplete sequence at the end
        const std::size_t skipped = std::min(unit, left);
        in += skipped;
        left -= skipped;
    }
    char* out = buffer;
    std::size_t room = sizeof buffer;
    ::iconv(opened, nullptr, nullptr, &out, &room); // the closing shift sequence of stateful sets
    output.append(buffer, static_cast<std::size_t>(out - buffer));
    return output;
}

} // namespace

const std::string& ANSICodeset()
{
    static const std::string codeset = currentCodeset();
    return codeset;
}

std::string ToANSI(const std::wstring& text)
{
    // The C library would encode values beyond Unicode as bytes no UTF-8 reader accepts: drop them,
    // and lone surrogates, first.
    std::wstring characters;
    characters.reserve(text.size());
    std::copy_if(text.begin(), text.end(), std::back_inserter(characters), [](wchar_t c) {
        const auto code = static_cast<std::uint32_t>(c);
        return code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
    });
    return Convert(ANSICodeset().c_str(), WideCodeset, reinterpret_cast<const char*>(characters.data()),
                   characters.size() * sizeof(wchar_t), sizeof(wchar_t));
}

std::wstring FromANSI(const std::string& text)
{
    const std::string wide = Convert(WideCodeset, ANSICodeset().c_str(), text.data(), text.size(), 1);
    std::wstring result(wide.size() / sizeof(wchar_t), L'\0');
    std::copy(wide.data(), wide.data() + result.size() * sizeof(wchar_t), reinterpret_cast<char*>(result.data()));
    return result;
}

} // namespace Orvane::System
