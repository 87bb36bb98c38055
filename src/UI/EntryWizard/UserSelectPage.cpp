#include "UI/EntryWizard/UserSelectPage.hpp"

#include "HTTP/Exceptions.hpp"
#include "QX/Quexhall.hpp"
#include "System/Text.hpp"
#include "UI/DialogParts.hpp"
#include "UI/EntryConfigUserDlg.hpp"
#include "UI/EntryWizard/Wizard.hpp"
#include "UI/Message.hpp"
#include "UI/Texts.hpp"
#include "UI/VirtualList/UserColumns/MakeColumn.hpp"
#include "UI/VirtualList/UserList.hpp"
#include "UI/VirtualList/UserListCtrl.hpp"
#include "UI/WaitCursor.hpp"
#include "Utility/StringId.hpp"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace Orvane::UI::EntryWizard {

namespace Id = Utility::StringId;

struct UserSelectPage::Pimpl
{
    explicit Pimpl(QWidget* page)
        : source(users)
        , list(page)
    { }

    // The user the fields show, from the working entry's user.
    MonitoredEntry::User Build(const MonitoredEntry::User& working) const
    {
        MonitoredEntry::User user = working;
        const QString display = name->text();
        user.SetName(display.isEmpty() ? boost::none : boost::make_optional(ToWide(display)));
        user.SetID(ToWide(id->text()));
        user.SetPassword(MonitoredEntry::Password(ToWide(password->text())));
        return user;
    }

    void ShowSelected()
    {
        const auto selected = list.GetSelectedKey();
        QString display;
        QString account;
        if (selected) {
            const VirtualList::ScopedLock<VirtualList::UserListSource> lock(source);
            if (source.Contains(*selected)) {
                const QX::User& user = source.GetUser(*selected);
                display = FromWide(System::FromANSI(user.DisplayName));
                account = FromWide(System::FromANSI(user.UserName));
            }
        }
        name->setText(display);
        id->setText(account);
        if (!selected)
            password->clear();
        password->setReadOnly(!selected);
    }

    VirtualList::UserList users;
    VirtualList::UserListSource source;
    VirtualList::UserListCtrl list;
    QPushButton* refresh = nullptr;
    QLineEdit* name = nullptr;
    QLineEdit* id = nullptr;
    QLineEdit* password = nullptr;
    boost::optional<std::wstring> loadedHost;
    bool initialised = false;
};

UserSelectPage::UserSelectPage(Wizard& wizard)
    : Page(wizard, Wizard::UserSelect, 2)
    , m_pimpl(std::make_unique<Pimpl>(this))
{
    Pimpl& p = *m_pimpl;
    auto* guide = MakeLabel(Id::UserSelectGuide, this);
    p.list.SetSource(&p.source);
    AddColumns(p.list, p.source, &VirtualList::UserColumns::MakeColumn, {"IndexColumn", "NameColumn"},
               Id::WizardUserColumnWidths);
    QTreeView* view = p.list.GetView();
    view->setObjectName(QStringLiteral("userList"));
    view->setAccessibleName(guide->text());
    view->setMinimumHeight(120);
    guide->setBuddy(view);
    p.refresh = MakeButton(Id::Refresh, "refreshButton", this);

    auto* fields = new QGridLayout;
    p.name = AddFieldRow(*fields, 0, Id::UserName, "nameValue", true, this);
    p.id = AddFieldRow(*fields, 1, Id::AccountID, "idValue", true, this);
    p.password = AddFieldRow(*fields, 2, Id::Password, "passwordEdit", false, this);
    p.password->setEchoMode(QLineEdit::Password);
    fields->setColumnStretch(1, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(guide, 1);
    top->addWidget(p.refresh);
    auto* whole = new QVBoxLayout(this);
    whole->addLayout(top);
    whole->addWidget(view, 1);
    whole->addLayout(fields);

    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        m_pimpl->ShowSelected();
        ButtonsChanged();
    });
    connect(p.password, &QLineEdit::textChanged, this, [this] { ButtonsChanged(); });
    connect(p.refresh, &QPushButton::clicked, this, [this] { Guarded([this] { LoadUsers(); }); });
}

UserSelectPage::~UserSelectPage()
{
    QObject::disconnect(m_pimpl->list.GetView()->selectionModel(), nullptr, this, nullptr);
}

void UserSelectPage::initializePage()
{
    Pimpl& p = *m_pimpl;
    if (!p.initialised) {
        p.initialised = true;
        p.list.Reload();
        p.ShowSelected();
    }
    if (p.loadedHost != GetEntryProperty().GetMFP().GetHost())
        Guarded([this] { LoadUsers(); });
    ButtonsChanged();
}

void UserSelectPage::LoadUsers()
{
    Pimpl& p = *m_pimpl;
    const MonitoredEntry::MFP mfp = GetEntryProperty().GetMFP();
    std::unique_ptr<std::vector<QX::User>> users;
    try {
        const WaitCursor wait;
        users = QX::Quexhall(mfp).GetUserList();
    } catch (const HTTP::Error&) {
        Message::CommunicationError(this);
        return;
    }
    p.loadedHost = mfp.GetHost();
    const bool none = users->empty();
    p.users.SetUsers(std::move(*users));
    p.list.GetView()->selectionModel()->clear();
    p.list.Reload();
    p.ShowSelected();
    ButtonsChanged();
    if (none)
        Message::NoUsers(this);
}

VirtualList::UserListCtrl& UserSelectPage::GetUserList() const
{
    return m_pimpl->list;
}

bool UserSelectPage::UpdateButtons() const
{
    const Pimpl& p = *m_pimpl;
    if (!p.list.GetSelectedKey() || !EntryConfigUserDlg::IsAcceptedPassword(p.password->text()))
        return false;
    try {
        return p.Build(GetEntryProperty().GetUser()).IsValid();
    } catch (const std::exception&) {
        return false;
    }
}

bool UserSelectPage::ValidateAndStore()
{
    MonitoredEntry::EntryProperty property = GetEntryProperty();
    property.SetUser(m_pimpl->Build(property.GetUser()));
    SetEntryProperty(property);
    return true;
}

int UserSelectPage::nextId() const
{
    return Wizard::Commit;
}

} // namespace Orvane::UI::EntryWizard
