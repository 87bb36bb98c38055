#pragma once

#include <cstddef>
#include <string>

namespace Orvane::HTTP {

// A file written beside its target and put in the target's place only when complete. The bytes go
// to a new private file (0600) in the target's folder, made afresh so no link is followed; Commit
// renames it over the target, which replaces a link there instead of writing through it. Until
// then, and whenever the file goes uncommitted, whatever stands at the target stays untouched.
class ReplacementFile
{
public:
    // HTTP::Error when the folder takes no new file.
    explicit ReplacementFile(const std::string& target);
    // Removes the written file unless it was committed.
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // False when the bytes cannot all be written.
    bool Write(const char* data, std::size_t size);
    // Flushes the file to disk and renames it over the target; HTTP::Error when that fails.
    void Commit();

private:
    void Discard();

    std::string m_target;
    std::string m_temporary;
    int m_fd = -1;
};

} // namespace Orvane::HTTP
