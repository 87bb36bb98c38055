#pragma once

#include <string>

namespace Orvane::QX {

// What GetUserInfo reads from the device about one account.
struct UserInfo
{
    std::string DisplayName;
};

} // namespace Orvane::QX
