#pragma once

namespace Orvane::Utility {

// Why a search failed, in the codes the callers of the device search know.
struct SearchError
{
    static constexpr int CommunicationFailure = 2;
    static constexpr int SystemFailure = 4;

    int code = 0;
    // errno for a system failure.
    int systemError = 0;
};

} // namespace Orvane::Utility
