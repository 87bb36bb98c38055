#include "UI/Texts.hpp"

#include "Utility/LoadStringFromApp.hpp"

namespace Orvane::UI {

QString Text(std::uint32_t id)
{
    return QString::fromStdWString(Utility::LoadStringFromApp(id));
}

} // namespace Orvane::UI
