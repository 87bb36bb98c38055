#include "UI/Texts.hpp"

#include "Utility/LoadStringFromApp.hpp"

namespace Orvane::UI {

QString Text(std::uint32_t id)
{
    return FromWide(Utility::LoadStringFromApp(id));
}

QString FromWide(const std::wstring& text)
{
    return QString::fromStdWString(text);
}

std::wstring ToWide(const QString& text)
{
    return text.toStdWString();
}

} // namespace Orvane::UI
