#include "UI/EntryWizard/CommitPage.hpp"

#include "MonitoredEntry/Conditions/Duplicate.hpp"
#include "MonitoredEntry/EntryManager.hpp"
#include "QX/Quexhall.hpp"
#include "UI/DialogParts.hpp"
#include "UI/EntryWizard/Wizard.hpp"
#include "UI/Message.hpp"
#include "UI/SubscriptionWait.hpp"
#include "Utility/StringId.hpp"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

namespace Orvane::UI::EntryWizard {

namespace Id = Utility::StringId;
using MonitoredEntry::EntryManager;

CommitPage::CommitPage(Wizard& wizard)
    : Page(wizard, Wizard::Commit, 3)
{
    auto* guide = MakeLabel(Id::CommitGuide, this);
    m_selectItems = MakeCheckBox(Id::SelectEventItems, "selectItemsBox", this);
    m_selectItems->setChecked(true);
    auto* whole = new QVBoxLayout(this);
    whole->addWidget(guide);
    whole->addSpacing(12);
    whole->addWidget(m_selectItems);
    whole->addStretch();
}

int CommitPage::nextId() const
{
    return -1;
}

QCheckBox& CommitPage::GetSelectItemsBox() const
{
    return *m_selectItems;
}

bool CommitPage::UpdateButtons() const
{
    return true;
}

bool CommitPage::ValidateAndStore()
{
    const MonitoredEntry::EntryProperty property = GetEntryProperty();
    EntryManager& manager = GetWizard().GetManager();
    MonitoredEntry::Entry::ID id;
    bool duplicate = false;
    {
        // The transaction ends, unchanged, before the question is asked.
        EntryManager::Transaction transaction(manager);
        duplicate = !transaction.GetDB()
                         .Search(MonitoredEntry::Conditions::Duplicate<MonitoredEntry::EntryProperty>(property))
                         ->empty();
        if (!duplicate) {
            id = transaction.Append(property);
            transaction.Commit();
        }
    }
    if (duplicate) {
        if (Message::Affirmation(Id::DuplicateDevice, this))
            GetWizard().reject();
        return false;
    }
    if (m_selectItems->isChecked()) {
        WaitForSubscription(this, manager, id);
        QX::Quexhall(property.GetMFP()).OpenWebPage(property.GetUser(), 4);
    }
    return true;
}

} // namespace Orvane::UI::EntryWizard
