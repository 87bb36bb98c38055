#pragma once

#include <kestle/exception.hpp>
#include <kestle/system_error.hpp>

namespace Orvane {

// Another instance holds the single-instance lock.
struct ApplicationBusy : virtual kestle::domain_error
{ };

// A system call of the application failed; carries errno in the system category.
class SystemError : public kestle::system_error
{
public:
    explicit SystemError(int code)
        : kestle::system_error(code)
    { }
    static SystemError last();
};

} // namespace Orvane
