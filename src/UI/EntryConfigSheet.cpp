#include "UI/EntryConfigSheet.hpp"

#include "MonitoredEntry/Conditions/Duplicate.hpp"
#include "MonitoredEntry/EntryManager.hpp"
#include "MonitoredEntry/Exceptions.hpp"
#include "UI/EntryConfigMFPDlg.hpp"
#include "UI/EntryConfigSettingDlg.hpp"
#include "UI/EntryConfigUserDlg.hpp"
#include "UI/InvalidInteger.hpp"
#include "UI/Texts.hpp"
#include "UI/WindowIcon.hpp"
#include "Utility/StringId.hpp"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <vector>

namespace Orvane::UI {

using MonitoredEntry::Entry;
using MonitoredEntry::EntryManager;
namespace Id = Utility::StringId;

struct EntryConfigSheet::Pimpl
{
    Pimpl(EntryManager& entries, const Entry::ID& entryID, Utility::SearchAgent searchAgent)
        : manager(entries)
        , id(entryID)
        , agent(std::move(searchAgent))
    { }

    // A page that holds a number field without a number reports it and is shown.
    bool CheckFields(QTabWidget& shown)
    {
        for (EntryConfigPage* page : pages) {
            if (!page->IsLoaded())
                continue;
            try {
                page->CheckFields();
            } catch (const InvalidInteger& invalid) {
                shown.setCurrentWidget(page);
                invalid.Report();
                return false;
            }
        }
        return true;
    }

    // One transaction for one page; false when the entry is gone.
    bool Apply(const EntryConfigPage& page)
    {
        EntryManager::Transaction transaction(manager);
        if (!transaction.GetDB().Contains(id))
            return false;
        const std::shared_ptr<Entry> copy = transaction.CopyEntry(id);
        page.Apply(*copy);
        // A host shared with a monitored entry is stored unmonitored.
        if (!transaction.GetDB().Search(MonitoredEntry::Conditions::Duplicate<Entry>(*copy))->empty()) {
            MonitoredEntry::EntryProperty property = copy->GetProperty();
            property.SetMonitoring(false);
            copy->SetProperty(property);
        }
        try {
            transaction.SetEntry(copy);
        } catch (const MonitoredEntry::DuplicateEntry&) {
            return true; // the page stores nothing
        }
        transaction.Commit();
        return true;
    }

    EntryManager& manager;
    const Entry::ID id;
    Utility::SearchAgent agent;
    std::vector<EntryConfigPage*> pages;
    QTabWidget* tabs = nullptr;
    QPushButton* ok = nullptr;
    int current = 0;
    bool closing = false;
};

EntryConfigSheet::EntryConfigSheet(EntryManager& manager, const Entry::ID& id, Utility::SearchAgent agent,
                                   QWidget* parent)
    : QDialog(parent)
    , m_pimpl(std::make_unique<Pimpl>(manager, id, std::move(agent)))
{
    Pimpl& p = *m_pimpl;
    setWindowTitle(Text(Id::EntryConfigTitle));
    SetWindowIcon(*this);
    p.tabs = new QTabWidget(this);
    p.tabs->setObjectName(QStringLiteral("tabs"));
    p.pages = {new EntryConfigMFPDlg(*this), new EntryConfigUserDlg(*this), new EntryConfigSettingDlg(*this)};
    const std::uint32_t titles[] = {Id::MachineTab, Id::UserTab, Id::SettingTab};
    for (std::size_t i = 0; i < p.pages.size(); ++i)
        p.tabs->addTab(p.pages[i], Text(titles[i]));

    auto* buttons = new QDialogButtonBox(this);
    p.ok = buttons->addButton(Text(Id::OK), QDialogButtonBox::AcceptRole);
    p.ok->setObjectName(QStringLiteral("okButton"));
    p.ok->setDefault(true);
    buttons->addButton(Text(Id::Cancel), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("cancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Leaving a page reads its fields first, as a property page does when it is left.
    connect(p.tabs, &QTabWidget::currentChanged, this, [this](int index) {
        Pimpl& self = *m_pimpl;
        const int previous = self.current;
        self.current = index;
        if (previous == index || self.closing)
            return;
        try {
            self.pages[previous]->CheckFields();
        } catch (const InvalidInteger& invalid) {
            self.tabs->setCurrentIndex(previous);
            invalid.Report();
        }
    });

    auto* whole = new QVBoxLayout(this);
    whole->addWidget(p.tabs, 1);
    whole->addWidget(buttons);
}

EntryConfigSheet::~EntryConfigSheet() = default;

EntryManager& EntryConfigSheet::GetManager() const
{
    return m_pimpl->manager;
}

const Entry::ID& EntryConfigSheet::GetEntryID() const
{
    return m_pimpl->id;
}

Utility::SearchAgent& EntryConfigSheet::GetSearchAgent() const
{
    return m_pimpl->agent;
}

bool EntryConfigSheet::IsAllValid() const
{
    for (const EntryConfigPage* page : m_pimpl->pages)
        if (!page->IsValid())
            return false;
    return true;
}

void EntryConfigSheet::EnableOK(bool enable)
{
    m_pimpl->ok->setEnabled(enable);
}

void EntryConfigSheet::RequestClose()
{
    if (m_pimpl->closing)
        return;
    m_pimpl->closing = true;
    QMetaObject::invokeMethod(
        this, [this] { reject(); }, Qt::QueuedConnection);
}

QTabWidget& EntryConfigSheet::GetTabs() const
{
    return *m_pimpl->tabs;
}

QPushButton& EntryConfigSheet::GetOKButton() const
{
    return *m_pimpl->ok;
}

void EntryConfigSheet::accept()
{
    Pimpl& p = *m_pimpl;
    if (p.closing || !p.ok->isEnabled() || !p.CheckFields(*p.tabs))
        return;
    try {
        for (const EntryConfigPage* page : p.pages) {
            if (page->IsLoaded() && !p.Apply(*page)) {
                reject();
                return;
            }
        }
    } catch (const std::exception&) {
        QApplication::beep(); // the sheet stays, as after a command that failed
        return;
    }
    QDialog::accept();
}

} // namespace Orvane::UI
