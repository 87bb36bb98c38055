#pragma once

#include "CommandLine.hpp"
#include "RunMode.hpp"

#include <memory>
#include <ostream>

namespace Orvane {

// Searches the local network for devices without any window and writes one JSON object per device
// found to standard output, one a line, for administrators and scripts. Exit code 0, 13 for a
// timeout that is not a number of seconds above 0, 10 when the search failed.
class SearchMode : public RunMode
{
public:
    SearchMode(const CommandLine::SearchOptions& options, std::ostream& out);
    ~SearchMode() override;

    bool Execute() override;
    void Finish() override;

    // The longest timeout accepted, in seconds.
    static constexpr double TimeoutMax = 600;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane
