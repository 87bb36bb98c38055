#pragma once

#include "UI/EntryWizard/Page.hpp"

#include <memory>

namespace Orvane::UI::EntryWizard {

// Step 1: a device found by the last search, or one typed in by hand. Next asks the device
// whether it lists its users.
class MachineSelectPage : public Page
{
public:
    explicit MachineSelectPage(Wizard& wizard);
    ~MachineSelectPage() override;

    void initializePage() override;
    int nextId() const override;

    // "更新": searches the network now, then fills the list anew.
    void Refresh();

protected:
    bool UpdateButtons() const override;
    bool ValidateAndStore() override;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::UI::EntryWizard
