#pragma once

#include "Utility/SearchError.hpp"
#include "Utility/Sighting.hpp"

#include <boost/optional/optional.hpp>

#include <chrono>
#include <memory>
#include <vector>

namespace Orvane::Utility {

// Carries what the source threads learn to the thread that runs the search.
class SearchChannel
{
public:
    using Clock = std::chrono::steady_clock;

    // What the sources sent since the last Take, and where they stand now.
    struct Batch
    {
        std::vector<Sighting> sightings;
        // Every source has ended or has nothing pending (a source that may still hear of new
        // devices, such as mDNS, can be settled and go on listening).
        bool settled = false;
        // Every source thread has ended.
        bool finished = false;
        boost::optional<SearchError> error;
    };

    // The number of sources that will report.
    explicit SearchChannel(int sources);
    ~SearchChannel();
    SearchChannel(const SearchChannel&) = delete;
    SearchChannel& operator=(const SearchChannel&) = delete;

    // From the source threads. A source is known by its index below the number of sources.
    void Post(Sighting sighting);
    void SetSettled(int source, bool settled);
    // The first failure is kept.
    void Fail(const SearchError& error);
    void Finish(int source);

    // Ends a Take that waits, so that the search looks at its own state (cancel).
    void Wake();

    // Waits until a source sends something or the time comes, and takes what was sent.
    Batch Take(Clock::time_point until);

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::Utility
