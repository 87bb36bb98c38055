#pragma once

#include "UI/EntryConfigPage.hpp"

#include <memory>

namespace Orvane::UI {

// The account page: the account's name and ID as stored, and its password to change.
class EntryConfigUserDlg : public EntryConfigPage
{
public:
    explicit EntryConfigUserDlg(EntryConfigSheet& sheet);
    ~EntryConfigUserDlg() override;

    void CheckFields() const override;
    void Apply(MonitoredEntry::Entry& copy) const override;

    // A password the device accepts: characters below U+0080 only, at most 28 of them.
    static bool IsAcceptedPassword(const QString& password);

protected:
    void Load(const MonitoredEntry::Entry& entry) override;
    bool AreFieldsValid() const override;
    void UpdateControls() override;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::UI
