#pragma once

#include "HTTP/Exceptions.hpp"

namespace Orvane::QX {

// A failure reported by or about the device's service.
struct Error : virtual HTTP::Error
{ };

// The device answered with an error result.
struct ErrorResult : virtual Error
{ };
struct AuthenticateFailure : virtual ErrorResult
{ };
struct InvalidMode : virtual ErrorResult
{ };
struct ListenPortUnreachable : virtual ErrorResult
{ };
struct MachineBusy : virtual ErrorResult
{ };
struct MissingEntry : virtual ErrorResult
{ };
struct MissingRSSFeed : virtual ErrorResult
{ };
struct MissingUser : virtual ErrorResult
{ };

struct InvalidResponse : virtual Error
{ };
struct InvalidRSSFeed : virtual InvalidResponse
{ };

} // namespace Orvane::QX
