#pragma once

#include <string>

namespace Orvane::QX {

// One account of the device's user list.
struct User
{
    int Number = 0; // 1 for the first of the list, counting up
    std::string DisplayName;
    std::string UserName; // the account ID used to log in
};

} // namespace Orvane::QX
