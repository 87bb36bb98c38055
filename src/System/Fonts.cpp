#include "System/Fonts.hpp"

#include <fontconfig/fontconfig.h>

#include <memory>
#include <optional>
#include <string>

namespace Orvane::System {

namespace {

constexpr std::uint32_t kDefaultCharset = 1;

// Windows character sets and the fontconfig language whose coverage stands for them.
std::optional<std::string> charsetLanguage(std::uint32_t charset)
{
    switch (charset) {
    case 0: // ANSI_CHARSET
        return "en";
    case 128: // SHIFTJIS_CHARSET
        return "ja";
    case 129: // HANGUL_CHARSET
    case 130: // JOHAB_CHARSET
        return "ko";
    case 134: // GB2312_CHARSET
        return "zh-cn";
    case 136: // CHINESEBIG5_CHARSET
        return "zh-tw";
    case 161: // GREEK_CHARSET
        return "el";
    case 162: // TURKISH_CHARSET
        return "tr";
    case 163: // VIETNAMESE_CHARSET
        return "vi";
    case 177: // HEBREW_CHARSET
        return "he";
    case 178: // ARABIC_CHARSET
        return "ar";
    case 186: // BALTIC_CHARSET
        return "lt";
    case 204: // RUSSIAN_CHARSET
        return "ru";
    case 222: // THAI_CHARSET
        return "th";
    case 238: // EASTEUROPE_CHARSET
        return "pl";
    default:
        return std::nullopt;
    }
}

struct PatternDeleter
{
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
struct ObjectSetDeleter
{
    void operator()(FcObjectSet* objects) const { FcObjectSetDestroy(objects); }
};
struct FontSetDeleter
{
    void operator()(FcFontSet* fonts) const { FcFontSetDestroy(fonts); }
};

// Listing by language also admits fonts of another territory (zh-cn for zh-tw), so each listed
// font's language set is checked for the exact language.
bool coversExactly(const FcFontSet& fonts, const std::string& language)
{
    const auto* wanted = reinterpret_cast<const FcChar8*>(language.c_str());
    for (int i = 0; i < fonts.nfont; ++i) {
        FcLangSet* languages = nullptr;
        if (FcPatternGetLangSet(fonts.fonts[i], FC_LANG, 0, &languages) == FcResultMatch
            && FcLangSetHasLang(languages, wanted) == FcLangEqual)
            return true;
    }
    return false;
}

} // namespace

bool IsCharsetFontInstalled(std::uint32_t charset)
{
    const std::optional<std::string> language = charset == kDefaultCharset ? "" : charsetLanguage(charset);
    if (!language)
        return false;
    std::unique_ptr<FcPattern, PatternDeleter> pattern(FcPatternCreate());
    std::unique_ptr<FcObjectSet, ObjectSetDeleter> objects(FcObjectSetBuild(FC_LANG, static_cast<char*>(nullptr)));
    if (!pattern || !objects)
        return true;
    if (!language->empty())
        FcPatternAddString(pattern.get(), FC_LANG, reinterpret_cast<const FcChar8*>(language->c_str()));
    std::unique_ptr<FcFontSet, FontSetDeleter> fonts(FcFontList(nullptr, pattern.get(), objects.get()));
    if (!fonts)
        return true;
    return language->empty() ? fonts->nfont > 0 : coversExactly(*fonts, *language);
}

} // namespace Orvane::System
