#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Orvane::System {

// The optional language resource file, which replaces built-in texts with translated ones. A file
// that is missing or breaks any rule of its format is ignored whole, and the built-in texts stay.
//
// Load and Release must not run while other threads look texts up; lookups may run concurrently.
class CLrcReader
{
public:
    CLrcReader();
    ~CLrcReader();
    CLrcReader(const CLrcReader&) = delete;
    CLrcReader& operator=(const CLrcReader&) = delete;

    // The process's table: loaded at start-up, released at exit, consulted by the string loader.
    static CLrcReader& Instance();

    // The running program's path followed by ".lrc"; empty when the program path is unknown.
    static std::string DefaultPath();

    // Where an installed program keeps its language files: <prefix>/share/orvane beside <prefix>/bin.
    static std::string LanguageFolder();

    // The files of folder named "orvane.<language>.lrc" for the environment's language, best first:
    // the first of LANGUAGE (a colon list), LC_ALL, LC_MESSAGES and LANG that is set, "en_US" before
    // "en". Empty for Japanese, "C" or none, whose texts are the built-in ones.
    using Environment = std::function<const char*(const char*)>;
    static std::vector<std::string> LanguagePaths(const std::string& folder, const Environment& environment);

    // Load() takes the file at DefaultPath() and, without it, the first file of LanguagePaths in
    // LanguageFolder() that loads; Load(path) the file at path. Either replaces the table and returns
    // whether a file was taken.
    bool Load();
    bool Load(const std::string& path);
    void Release();
    bool IsLoaded() const;

    // The composed text of a string id, or nothing when there is no table or the table lacks the
    // id; a lacking id marks the table incomplete.
    std::optional<std::wstring> GetString(std::uint32_t id) const;
    bool IsIncomplete() const;

    // "-" without a table; else the file's four version numbers joined by ".", with " !" appended
    // once a lookup missed.
    std::wstring GetVersionText() const;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::System
