#pragma once

#include "UI/EntryConfigPage.hpp"

#include <memory>

namespace Orvane::UI {

// The settings page: the log's maximum, the check interval in minutes, notice and the popup's
// erase time in seconds, marking documents read and asking before deleting. The three numbers are
// typed or stepped within their ranges, which the page shows.
class EntryConfigSettingDlg : public EntryConfigPage
{
public:
    explicit EntryConfigSettingDlg(EntryConfigSheet& sheet);
    ~EntryConfigSettingDlg() override;

    void CheckFields() const override;
    // A lower log maximum keeps the newest events.
    void Apply(MonitoredEntry::Entry& copy) const override;

protected:
    void Load(const MonitoredEntry::Entry& entry) override;
    bool AreFieldsValid() const override;
    void UpdateControls() override;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::UI
