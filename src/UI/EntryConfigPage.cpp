#include "UI/EntryConfigPage.hpp"

#include "MonitoredEntry/EntryManager.hpp"
#include "UI/EntryConfigSheet.hpp"

#include <exception>

namespace Orvane::UI {

EntryConfigPage::EntryConfigPage(EntryConfigSheet& sheet)
    : m_sheet(sheet)
{ }

bool EntryConfigPage::IsLoaded() const
{
    return m_loaded;
}

bool EntryConfigPage::IsValid() const
{
    if (!m_loaded)
        return true;
    try {
        CheckFields();
        return AreFieldsValid();
    } catch (const std::exception&) {
        return false;
    }
}

void EntryConfigPage::Changed()
{
    if (!m_loaded)
        return;
    UpdateControls();
    EnableSheetButton(IsAllValidParams());
}

bool EntryConfigPage::IsAllValidParams() const
{
    return m_sheet.IsAllValid();
}

void EntryConfigPage::EnableSheetButton(bool enable)
{
    m_sheet.EnableOK(enable);
}

void EntryConfigPage::OnErasedEntry()
{
    m_sheet.RequestClose();
}

EntryConfigSheet& EntryConfigPage::GetSheet() const
{
    return m_sheet;
}

void EntryConfigPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_loaded)
        Initialise();
}

void EntryConfigPage::Initialise()
{
    {
        const MonitoredEntry::EntryManager& manager = m_sheet.GetManager();
        const MonitoredEntry::EntryManager::ScopedLock lock(manager);
        const auto& db = manager.GetDB();
        if (!db.Contains(m_sheet.GetEntryID())) {
            OnErasedEntry();
            return;
        }
        Load(db.GetEntry(m_sheet.GetEntryID()));
    }
    m_loaded = true;
    Changed();
}

} // namespace Orvane::UI
