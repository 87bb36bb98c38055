#pragma once

#include "UI/EntryConfigPage.hpp"

#include <memory>

namespace Orvane::UI {

// The device page: name, host, ports and SSL, filled from a device found on the network or typed
// in by hand, and the certificate trusted for the device's HTTPS address with a button that
// forgets it.
class EntryConfigMFPDlg : public EntryConfigPage
{
public:
    explicit EntryConfigMFPDlg(EntryConfigSheet& sheet);
    ~EntryConfigMFPDlg() override;

    void CheckFields() const override;
    void Apply(MonitoredEntry::Entry& copy) const override;

    // "機器選択": lets the user choose a found device and copies it into the fields.
    void SelectMachine();
    // Forgets the trusted certificate after the user has confirmed it.
    void ForgetCertificate();

protected:
    void Load(const MonitoredEntry::Entry& entry) override;
    bool AreFieldsValid() const override;
    void UpdateControls() override;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::UI
