#include "UI/EntryWizard/Page.hpp"

#include "Config.hpp"
#include "UI/EntryWizard/Wizard.hpp"

#include <exception>

namespace Orvane::UI::EntryWizard {

Page::Page(Wizard& wizard, int id, int step)
    : m_wizard(wizard)
    , m_id(id)
    , m_step(step)
{
    setObjectName(QStringLiteral("page%1").arg(id));
}

int Page::GetId() const
{
    return m_id;
}

int Page::GetStep() const
{
    return m_step;
}

MonitoredEntry::EntryProperty Page::GetDefaultEntryProperty()
{
    return Config::Instance().GetDefaultEntryProperty();
}

const MonitoredEntry::EntryProperty& Page::GetEntryProperty() const
{
    return m_wizard.GetEntryProperty();
}

void Page::SetEntryProperty(const MonitoredEntry::EntryProperty& property)
{
    m_wizard.SetEntryProperty(property);
}

Wizard& Page::GetWizard() const
{
    return m_wizard;
}

bool Page::validatePage()
{
    try {
        return ValidateAndStore();
    } catch (...) {
        m_wizard.Fail(std::current_exception());
    }
    return false;
}

void Page::ButtonsChanged()
{
    emit completeChanged();
}

bool Page::isComplete() const
{
    return UpdateButtons();
}

} // namespace Orvane::UI::EntryWizard
