#pragma once

#include "UI/EntryWizard/Page.hpp"

#include <memory>

namespace Orvane::UI::EntryWizard {

// Step 2 for a device that does not list its users (or did not answer): the account ID and its
// password, typed in.
class UserInputPage : public Page
{
public:
    explicit UserInputPage(Wizard& wizard);
    ~UserInputPage() override;

    int nextId() const override;

protected:
    bool UpdateButtons() const override;
    bool ValidateAndStore() override;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::UI::EntryWizard
