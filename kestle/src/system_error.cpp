#include "kestle/system_error.hpp"

#include <cerrno>

namespace kestle {

system_error::system_error(int code)
    : boost::system::system_error(code, boost::system::system_category())
{ }

system_error system_error::last()
{
    return system_error(errno);
}

} // namespace kestle
