#pragma once

#include <boost/system/system_error.hpp>

namespace kestle {

// An operating-system failure: the errno value in the system category. The what-argument is empty,
// so what() is the system's own text for the code, built lazily.
class system_error : public boost::system::system_error
{
public:
    explicit system_error(int code);

    // From the calling thread's errno.
    static system_error last();
};

} // namespace kestle
