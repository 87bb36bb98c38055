#pragma once

#include <QString>

#include <cstdint>
#include <string>

namespace Orvane::UI {

// A string id's text (language resource file first, else the built-in table) for a widget.
// Raises SystemError for an id without text.
QString Text(std::uint32_t id);

QString FromWide(const std::wstring& text);
std::wstring ToWide(const QString& text);

// Labels, buttons, check boxes, actions: anything with setText.
template <class Widget>
void SetText(Widget& widget, std::uint32_t id)
{
    widget.setText(Text(id));
}

} // namespace Orvane::UI
