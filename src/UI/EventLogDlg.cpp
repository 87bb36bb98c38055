#include "UI/EventLogDlg.hpp"

#include "MachineEvent/Event.hpp"
#include "Monitor/UpdateSignal.hpp"
#include "MonitoredEntry/EntryManager.hpp"
#include "QX/Quexhall.hpp"
#include "UI/DialogParts.hpp"
#include "UI/QueuedReload.hpp"
#include "UI/DisplayNames.hpp"
#include "UI/MarkEventRead.hpp"
#include "UI/Texts.hpp"
#include "UI/VirtualList/EntryColumns/MakeColumn.hpp"
#include "UI/VirtualList/EntryListCtrl.hpp"
#include "UI/VirtualList/EventColumns/MakeColumn.hpp"
#include "UI/VirtualList/EventListCtrl.hpp"
#include "UI/WindowIcon.hpp"
#include "Utility/StringId.hpp"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <string>
#include <vector>

namespace Orvane::UI {

using MonitoredEntry::Entry;
using MonitoredEntry::EntryManager;
using VirtualList::EntryListCtrl;
using VirtualList::EntryListSource;
using VirtualList::EventListCtrl;
using VirtualList::EventListSource;

struct EventLogDlg::Pimpl
{
    Pimpl(EventLogDlg& dialog, EntryManager& entries, Hooks callbacks)
        : self(dialog)
        , manager(entries)
        , hooks(std::move(callbacks))
        , entrySource(entries)
        , eventSource(entries)
        , entryList(&dialog)
        , eventList(&dialog)
    { }

    EventLogDlg& self;
    EntryManager& manager;
    Hooks hooks;
    EntryListSource entrySource;
    EventListSource eventSource;
    EntryListCtrl entryList;
    EventListCtrl eventList;
    QLabel* deviceName = nullptr;
    QLabel* accountName = nullptr;
    QPushButton* login = nullptr;
    QPushButton* markAllRead = nullptr;
    QPushButton* refresh = nullptr;
    QPushButton* close = nullptr;
    std::vector<QToolButton*> extras;
    QueuedReload queuedReload {self, [this] { Guarded([this] { self.Reload(); }); }};
    bool reloading = false; // the entry list's own selection changes wait for the reload's end

    void SetUpLists()
    {
        entryList.SetSource(&entrySource);
        AddColumns(entryList, entrySource, &VirtualList::EntryColumns::MakeColumn,
                   {"UnreadIconColumn", "MFPNameColumn", "StatusColumn"}, Utility::StringId::ViewerEntryColumnWidths);
        eventList.SetSource(&eventSource);
        AddColumns(eventList, eventSource, &VirtualList::EventColumns::MakeColumn,
                   {"UnreadIconColumn", "EventNameColumn", "TimeColumn", "InfoColumn"},
                   Utility::StringId::ViewerEventColumnWidths);
        eventList.SetSortColumn(2); // TimeColumn
        entryList.GetView()->setObjectName(QStringLiteral("entryList"));
        entryList.GetView()->setAccessibleName(Text(Utility::StringId::MachineName));
        eventList.GetView()->setObjectName(QStringLiteral("eventList"));
        eventList.GetView()->setAccessibleName(Text(Utility::StringId::EventLogTitle));
    }

    QLabel* MakeValue(const char* name, const QString& accessibleName)
    {
        auto* value = new QLabel(&self);
        value->setObjectName(QString::fromLatin1(name));
        value->setAccessibleName(accessibleName);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setMinimumWidth(120);
        return value;
    }

    QLayout* MakeSelectionPart()
    {
        auto* names = new QGridLayout;
        const QString device = Text(Utility::StringId::MachineName);
        const QString account = Text(Utility::StringId::UserName);
        names->addWidget(new QLabel(device, &self), 0, 0);
        names->addWidget(deviceName = MakeValue("deviceName", device), 0, 1);
        names->addWidget(new QLabel(account, &self), 1, 0);
        names->addWidget(accountName = MakeValue("accountName", account), 1, 1);
        names->setColumnStretch(1, 1);
        names->setHorizontalSpacing(12);

        auto* buttons = new QVBoxLayout;
        auto* row = new QHBoxLayout;
        row->addStretch();
        row->addWidget(login = MakeButton(Utility::StringId::Login, "loginButton", &self));
        row->addWidget(markAllRead = MakeButton(Utility::StringId::MarkAllRead, "markAllReadButton", &self));
        row->addWidget(refresh = MakeButton(Utility::StringId::Refresh, "refreshButton", &self));
        buttons->addStretch();
        buttons->addLayout(row);

        auto* part = new QHBoxLayout;
        part->addLayout(names, 1);
        part->addLayout(buttons);
        return part;
    }

    QLayout* MakeBottomRow(const QList<QAction*>& actions)
    {
        auto* row = new QHBoxLayout;
        for (QAction* action : actions) {
            auto* button = new QToolButton(&self);
            button->setDefaultAction(action);
            button->setToolButtonStyle(Qt::ToolButtonTextOnly);
            button->setFocusPolicy(Qt::StrongFocus);
            button->setAccessibleName(QString(action->text()).remove(QLatin1Char('&')));
            row->addWidget(button);
            extras.push_back(button);
        }
        row->addStretch();
        close = MakeButton(Utility::StringId::Close, "closeButton", &self);
        close->setDefault(true);
        row->addWidget(close);
        return row;
    }

    void Lay(const QList<QAction*>& actions)
    {
        auto* right = new QVBoxLayout;
        right->addLayout(MakeSelectionPart());
        right->addWidget(eventList.GetView(), 1);
        auto* lists = new QHBoxLayout;
        lists->addWidget(entryList.GetView());
        lists->addLayout(right, 1);
        auto* whole = new QVBoxLayout(&self);
        whole->addLayout(lists, 1);
        whole->addLayout(MakeBottomRow(actions));
    }

    void SetTabOrder()
    {
        std::vector<QWidget*> order {entryList.GetView(), login, markAllRead, refresh, eventList.GetView()};
        order.insert(order.end(), extras.begin(), extras.end());
        order.push_back(close);
        for (std::size_t i = 1; i < order.size(); ++i)
            QWidget::setTabOrder(order[i - 1], order[i]);
    }

    void Connect()
    {
        QObject::connect(entryList.GetView()->selectionModel(), &QItemSelectionModel::selectionChanged, &self, [this] {
            if (!reloading)
                Guarded([this] { SelectionUpdate(); });
        });
        QObject::connect(eventList.GetView(), &QAbstractItemView::doubleClicked, &self,
                         [this] { Guarded([this] { OpenEvent(); }); });
        QObject::connect(refresh, &QPushButton::clicked, &self, [this] { Guarded([this] { Refresh(); }); });
        QObject::connect(login, &QPushButton::clicked, &self, [this] { Guarded([this] { Login(); }); });
        QObject::connect(markAllRead, &QPushButton::clicked, &self, [this] { Guarded([this] { MarkAllRead(); }); });
        QObject::connect(close, &QPushButton::clicked, &self, &QDialog::accept);
    }

    void Reload()
    {
        reloading = true;
        try {
            entryList.Reload();
        } catch (...) {
            reloading = false;
            throw;
        }
        reloading = false;
        SelectionUpdate();
    }

    // Follows the selected entry: its texts, the buttons it allows and its events.
    void SelectionUpdate()
    {
        const auto selected = entryList.GetSelectedKey();
        eventSource.SetEntry(selected);
        if (!selected) {
            ShowEntry(false, false, QString(), QString());
        } else {
            const EntryManager::ScopedLock lock(manager);
            const Entry* entry = entrySource.Find(*selected);
            if (!entry)
                return;
            const auto& property = entry->GetProperty();
            ShowEntry(entry->IsMonitoring(), entry->ReadEventLog().CountUnread() > 0,
                      FromWide(DeviceDisplayName(property.GetMFP())), FromWide(AccountDisplayName(property.GetUser())));
        }
        eventList.Reload();
    }

    void ShowEntry(bool monitored, bool unread, const QString& device, const QString& account)
    {
        refresh->setEnabled(monitored);
        login->setEnabled(monitored);
        markAllRead->setEnabled(unread);
        deviceName->setText(device);
        accountName->setText(account);
    }

    // The selected entry's device and account, copied out under the lock; false when there is none.
    bool CopySelected(MonitoredEntry::MFP& mfp, MonitoredEntry::User& user) const
    {
        const auto selected = entryList.GetSelectedKey();
        if (!selected)
            return false;
        const EntryManager::ScopedLock lock(manager);
        const Entry* entry = entrySource.Find(*selected);
        if (!entry)
            return false;
        mfp = entry->GetProperty().GetMFP();
        user = entry->GetProperty().GetUser();
        return true;
    }

    void Refresh() const
    {
        MonitoredEntry::MFP mfp;
        MonitoredEntry::User user;
        if (CopySelected(mfp, user) && hooks.refresh)
            hooks.refresh(Monitor::UpdateSignal(mfp));
    }

    void Login() const
    {
        MonitoredEntry::MFP mfp;
        MonitoredEntry::User user;
        if (CopySelected(mfp, user))
            QX::Quexhall(mfp).OpenWebPage(user, 3);
    }

    // An entry or event that vanished meanwhile stops it with the button as it was.
    void MarkAllRead()
    {
        if (!entryList.GetSelectedKey())
            return;
        EventListSource::Keys keys;
        {
            const EntryManager::ScopedLock lock(manager);
            keys = *eventSource.GetKeys();
        }
        if (MarkEventsRead(manager, keys))
            markAllRead->setEnabled(false);
    }

    void OpenEvent()
    {
        const auto selected = eventList.GetSelectedKey();
        if (!selected)
            return;
        std::unique_ptr<MachineEvent::Event> event;
        {
            const EntryManager::ScopedLock lock(manager);
            const MonitoredEntry::Event* logged = eventSource.FindEvent(*selected);
            if (!logged)
                return;
            const auto& property = entrySource.Find(selected->first)->GetProperty();
            event = std::make_unique<MachineEvent::Event>(property.GetMFP(), property.GetUser(), logged->GetProperty());
        }
        MarkEventRead(manager, selected->first, selected->second);
        if (hooks.openEvent)
            hooks.openEvent(*event, *selected);
    }
};

EventLogDlg::EventLogDlg(EntryManager& manager, Hooks hooks, const QList<QAction*>& extraActions, QWidget* parent)
    : QDialog(parent)
    , m_pimpl(std::make_unique<Pimpl>(*this, manager, std::move(hooks)))
{
    setWindowTitle(Text(Utility::StringId::EventLogTitle));
    SetWindowIcon(*this);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    m_pimpl->SetUpLists();
    m_pimpl->Lay(extraActions);
    m_pimpl->SetTabOrder();
    m_pimpl->Connect();
    resize(sizeHint().expandedTo(QSize(960, 420)));
    m_pimpl->Reload();
    m_pimpl->entryList.SelectFirstRow();
    manager.AddObserver(this);
}

EventLogDlg::~EventLogDlg()
{
    m_pimpl->manager.RemoveObserver(this);
    // The lists go one after the other: no selection change may reach a half-destroyed viewer.
    QObject::disconnect(m_pimpl->entryList.GetView()->selectionModel(), nullptr, this, nullptr);
}

void EventLogDlg::Update(const EntryManager&)
{
    m_pimpl->queuedReload.Request();
}

void EventLogDlg::Reload()
{
    m_pimpl->Reload();
}

EntryListCtrl& EventLogDlg::GetEntryList() const
{
    return m_pimpl->entryList;
}

EventListCtrl& EventLogDlg::GetEventList() const
{
    return m_pimpl->eventList;
}

} // namespace Orvane::UI
