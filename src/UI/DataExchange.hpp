#pragma once

#include <boost/optional/optional.hpp>

#include <cstdint>
#include <string>

class QLineEdit;

namespace Orvane::UI {

// The direction of a data exchange between a window's values and its fields.
enum class Exchange { Load, Save };

// Optional text: an absent value is an empty field, and an empty field an absent value.
void DDX_Text(Exchange direction, QLineEdit& edit, boost::optional<std::wstring>& value);

// Optional number: as the text, and saving a field whose text is not an int (blanks around it
// allowed) raises InvalidInteger, leaving the value as it was.
void DDX_Text(Exchange direction, QLineEdit& edit, boost::optional<std::int32_t>& value);

} // namespace Orvane::UI
