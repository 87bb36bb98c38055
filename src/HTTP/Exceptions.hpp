#pragma once

#include <kestle/exception.hpp>
#include <kestle/system_error.hpp>

namespace Orvane::HTTP {

// A failed HTTP exchange with a device.
struct Error : virtual kestle::communication_failure
{ };
struct OpenFailure : virtual Error
{ };
struct NoAuthority : virtual Error
{ };
struct ServerError : virtual Error
{ };
struct InvalidResponse : virtual Error
{ };
struct InvalidContentType : virtual InvalidResponse
{ };

// A system call of the device transport failed.
class SystemError : public kestle::system_error
{
public:
    explicit SystemError(int code)
        : kestle::system_error(code)
    { }
};

} // namespace Orvane::HTTP
