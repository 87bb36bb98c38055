#include "UI/DataExchange.hpp"

#include "UI/InvalidInteger.hpp"
#include "UI/Texts.hpp"

#include <QLineEdit>

namespace Orvane::UI {

void DDX_Text(Exchange direction, QLineEdit& edit, boost::optional<std::wstring>& value)
{
    if (direction == Exchange::Load) {
        edit.setText(value ? FromWide(*value) : QString());
        return;
    }
    const QString text = edit.text();
    value = text.isEmpty() ? boost::none : boost::make_optional(ToWide(text));
}

void DDX_Text(Exchange direction, QLineEdit& edit, boost::optional<std::int32_t>& value)
{
    if (direction == Exchange::Load) {
        edit.setText(value ? QString::number(*value) : QString());
        return;
    }
    const QString text = edit.text();
    if (text.isEmpty()) {
        value = boost::none;
        return;
    }
    bool isNumber = false;
    const int number = text.trimmed().toInt(&isNumber);
    if (!isNumber)
        BOOST_THROW_EXCEPTION(InvalidInteger(edit));
    value = number;
}

} // namespace Orvane::UI
