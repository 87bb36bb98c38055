#pragma once

#include "UI/EntryWizard/Page.hpp"

#include <memory>

namespace Orvane::UI::VirtualList {
class UserListCtrl;
}

namespace Orvane::UI::EntryWizard {

// Step 2 for a device that lists its users: an account from that list and its password. The list
// is fetched again only when the device's host changed since it was fetched last.
class UserSelectPage : public Page
{
public:
    explicit UserSelectPage(Wizard& wizard);
    ~UserSelectPage() override;

    void initializePage() override;
    int nextId() const override;

    // "更新": fetches the list from the device again.
    void LoadUsers();
    VirtualList::UserListCtrl& GetUserList() const;

protected:
    bool UpdateButtons() const override;
    bool ValidateAndStore() override;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::UI::EntryWizard
