#include "Exceptions.hpp"

#include <cerrno>

namespace Orvane {

SystemError SystemError::last()
{
    return SystemError(errno);
}

} // namespace Orvane
