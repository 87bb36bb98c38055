#pragma once

namespace Orvane::UI {

// Shows the wait cursor over the program's windows while it lives.
class WaitCursor
{
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace Orvane::UI
