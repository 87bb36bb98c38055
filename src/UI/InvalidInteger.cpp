#include "UI/InvalidInteger.hpp"

#include "UI/Message.hpp"

#include <QLineEdit>

namespace Orvane::UI {

InvalidInteger::InvalidInteger(QLineEdit& edit)
    : m_edit(&edit)
{ }

QLineEdit& InvalidInteger::GetEdit() const
{
    return *m_edit;
}

void InvalidInteger::Report() const
{
    Message::EnterInteger(m_edit->window());
    m_edit->setFocus(Qt::OtherFocusReason);
    m_edit->selectAll();
}

} // namespace Orvane::UI
