#pragma once

#include "UI/EntryWizard/Page.hpp"

class QCheckBox;

namespace Orvane::UI::EntryWizard {

// Step 3: Finish appends the entry, unless the device already has one; with its box ticked it
// then waits for the entry's subscription and opens the device's notified-items page.
class CommitPage : public Page
{
public:
    explicit CommitPage(Wizard& wizard);

    int nextId() const override;
    QCheckBox& GetSelectItemsBox() const;

protected:
    bool UpdateButtons() const override;
    bool ValidateAndStore() override;

private:
    QCheckBox* m_selectItems = nullptr;
};

} // namespace Orvane::UI::EntryWizard
