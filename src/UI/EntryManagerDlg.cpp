#include "UI/EntryManagerDlg.hpp"

#include "Config.hpp"
#include "MonitoredEntry/Conditions/Duplicate.hpp"
#include "MonitoredEntry/EntryManager.hpp"
#include "QX/Quexhall.hpp"
#include "UI/DialogParts.hpp"
#include "UI/QueuedReload.hpp"
#include "UI/EntryConfigSheet.hpp"
#include "UI/EntryWizard/Wizard.hpp"
#include "UI/Message.hpp"
#include "UI/SubscriptionWait.hpp"
#include "UI/Texts.hpp"
#include "UI/VirtualList/EntryColumns/MakeColumn.hpp"
#include "UI/VirtualList/EntryListCtrl.hpp"
#include "UI/WindowIcon.hpp"
#include "Utility/StringId.hpp"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <vector>

namespace Orvane::UI {

using MonitoredEntry::Entry;
using MonitoredEntry::EntryManager;
namespace Id = Utility::StringId;

struct EntryManagerDlg::Pimpl
{
    Pimpl(EntryManagerDlg& dialog, EntryManager& entries, Utility::SearchAgent searchAgent)
        : self(dialog)
        , manager(entries)
        , agent(std::move(searchAgent))
        , source(entries)
        , list(&dialog)
    { }

    EntryManagerDlg& self;
    EntryManager& manager;
    Utility::SearchAgent agent;
    VirtualList::EntryListSource source;
    VirtualList::EntryListCtrl list;
    QPushButton* toggle = nullptr;
    QPushButton* noticeItems = nullptr;
    QPushButton* add = nullptr;
    QPushButton* remove = nullptr;
    QPushButton* detail = nullptr;
    QPushButton* close = nullptr;
    QueuedReload queuedReload {self, [this] { Guarded([this] { self.Reload(); }); }};
    bool toggling = false; // the toggle stays off while its wait runs

    void SetUpList()
    {
        list.SetSource(&source);
        AddColumns(list, source, &VirtualList::EntryColumns::MakeColumn,
                   {"MFPNameColumn", "StatusColumn", "UserNameColumn", "EnableNoticeColumn"},
                   Id::EntryManagerColumnWidths);
        list.GetView()->setObjectName(QStringLiteral("entryList"));
        list.GetView()->setAccessibleName(Text(Id::EntryManagerTitle));
    }

    void Lay()
    {
        auto* buttons = new QVBoxLayout;
        buttons->addWidget(toggle = MakeButton(Id::SwitchMonitoring, "switchMonitoringButton", &self));
        buttons->addWidget(noticeItems = MakeButton(Id::SelectNoticeItems, "noticeItemsButton", &self));
        buttons->addSpacing(12);
        buttons->addWidget(add = MakeButton(Id::Add, "addButton", &self));
        buttons->addWidget(remove = MakeButton(Id::Remove, "removeButton", &self));
        buttons->addWidget(detail = MakeButton(Id::Detail, "detailButton", &self));
        buttons->addStretch();
        buttons->addWidget(close = MakeButton(Id::Close, "closeButton", &self));
        close->setDefault(true);
        auto* whole = new QHBoxLayout(&self);
        whole->addWidget(list.GetView(), 1);
        whole->addLayout(buttons);
    }

    void Connect()
    {
        const auto run = [this](QPushButton* button, void (EntryManagerDlg::*command)()) {
            QObject::connect(button, &QPushButton::clicked, &self,
                             [this, command] { Guarded([&] { (self.*command)(); }); });
        };
        run(toggle, &EntryManagerDlg::SwitchMonitoring);
        run(noticeItems, &EntryManagerDlg::SelectNoticeItems);
        run(add, &EntryManagerDlg::AddEntry);
        run(remove, &EntryManagerDlg::RemoveEntry);
        run(detail, &EntryManagerDlg::OpenSettings);
        QObject::connect(close, &QPushButton::clicked, &self, &QDialog::accept);
        QObject::connect(list.GetView()->selectionModel(), &QItemSelectionModel::selectionChanged, &self,
                         [this] { UpdateButtons(); });
        QObject::connect(list.GetView(), &QAbstractItemView::doubleClicked, &self,
                         [this] { Guarded([this] { self.OpenSettings(); }); });
    }

    void UpdateButtons()
    {
        const auto selected = list.GetSelectedKey();
        bool monitored = false;
        if (selected) {
            const EntryManager::ScopedLock lock(manager);
            const Entry* entry = source.Find(*selected);
            monitored = entry && entry->IsMonitoring();
        }
        toggle->setEnabled(selected && !toggling);
        noticeItems->setEnabled(monitored);
        remove->setEnabled(bool(selected));
        detail->setEnabled(bool(selected));
    }

    // Inverts the entry's monitoring; switched on, it switches off the other monitored entry of
    // its host in the same transaction. False when the entry is gone.
    bool Invert(const Entry::ID& id)
    {
        EntryManager::Transaction transaction(manager);
        if (!transaction.GetDB().Contains(id))
            return false;
        const std::shared_ptr<Entry> copy = transaction.CopyEntry(id);
        MonitoredEntry::EntryProperty property = copy->GetProperty();
        property.SetMonitoring(!property.IsMonitoring());
        copy->SetProperty(property);
        if (property.IsMonitoring()) {
            std::vector<Entry::ID> others;
            const auto duplicates = transaction.GetDB().Search(MonitoredEntry::Conditions::Duplicate<Entry>(*copy));
            for (const Entry& stored : *duplicates)
                others.push_back(stored.GetID());
            for (const Entry::ID& other : others)
                StoreUnmonitored(transaction, other);
        }
        property.SetSubscriptionState(MonitoredEntry::EntryProperty::Unknown);
        copy->SetProperty(property);
        transaction.SetEntry(copy);
        transaction.Commit();
        return true;
    }

    static void StoreUnmonitored(EntryManager::Transaction& transaction, const Entry::ID& id)
    {
        const std::shared_ptr<Entry> other = transaction.CopyEntry(id);
        MonitoredEntry::EntryProperty property = other->GetProperty();
        property.SetMonitoring(false);
        other->SetProperty(property);
        transaction.SetEntry(other);
    }
};

EntryManagerDlg::EntryManagerDlg(EntryManager& manager, Utility::SearchAgent agent, QWidget* parent)
    : QDialog(parent)
    , m_pimpl(std::make_unique<Pimpl>(*this, manager, std::move(agent)))
{
    setWindowTitle(Text(Id::EntryManagerTitle));
    SetWindowIcon(*this);
    // A window of its own on the taskbar, not a dialog over another.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    m_pimpl->SetUpList();
    m_pimpl->Lay();
    m_pimpl->Connect();
    resize(sizeHint());
    Reload();
    m_pimpl->list.SelectFirstRow();
    manager.AddObserver(this);
}

EntryManagerDlg::~EntryManagerDlg()
{
    m_pimpl->manager.RemoveObserver(this);
    QObject::disconnect(m_pimpl->list.GetView()->selectionModel(), nullptr, this, nullptr);
}

void EntryManagerDlg::Update(const EntryManager&)
{
    m_pimpl->queuedReload.Request();
}

void EntryManagerDlg::Reload()
{
    m_pimpl->list.Reload();
    m_pimpl->UpdateButtons();
}

void EntryManagerDlg::SwitchMonitoring()
{
    Pimpl& p = *m_pimpl;
    const auto selected = p.list.GetSelectedKey();
    if (!selected || p.toggling)
        return;
    p.toggling = true;
    p.UpdateButtons();
    try {
        if (p.Invert(*selected))
            WaitForSubscription(this, p.manager, *selected);
    } catch (...) {
        p.toggling = false;
        p.UpdateButtons();
        throw;
    }
    p.toggling = false;
    p.UpdateButtons();
}

void EntryManagerDlg::SelectNoticeItems()
{
    Pimpl& p = *m_pimpl;
    const auto selected = p.list.GetSelectedKey();
    if (!selected)
        return;
    MonitoredEntry::MFP mfp;
    MonitoredEntry::User user;
    {
        const EntryManager::ScopedLock lock(p.manager);
        const Entry* entry = p.source.Find(*selected);
        if (!entry)
            return;
        mfp = entry->GetProperty().GetMFP();
        user = entry->GetProperty().GetUser();
    }
    QX::Quexhall(mfp).OpenWebPage(user, 4);
}

void EntryManagerDlg::AddEntry()
{
    Pimpl& p = *m_pimpl;
    std::size_t count = 0;
    {
        const EntryManager::ScopedLock lock(p.manager);
        count = p.manager.GetDB().Size();
    }
    if (count >= static_cast<std::size_t>(std::max(0, Config::GetCurrent().EntryMax))) {
        Message::EntryLimit(this);
        return;
    }
    EntryWizard::Wizard wizard(p.manager, p.agent, this);
    wizard.Run();
    Reload();
}

void EntryManagerDlg::RemoveEntry()
{
    Pimpl& p = *m_pimpl;
    const auto selected = p.list.GetSelectedKey();
    if (!selected || !Message::Affirmation(Id::Confirm, this))
        return;
    {
        EntryManager::Transaction transaction(p.manager);
        transaction.Remove(*selected);
        transaction.Commit();
    }
    Reload();
}

void EntryManagerDlg::OpenSettings()
{
    Pimpl& p = *m_pimpl;
    const auto selected = p.list.GetSelectedKey();
    if (!selected)
        return;
    EntryConfigSheet sheet(p.manager, *selected, p.agent, this);
    sheet.exec();
    Reload();
}

VirtualList::EntryListCtrl& EntryManagerDlg::GetEntryList() const
{
    return m_pimpl->list;
}

} // namespace Orvane::UI
