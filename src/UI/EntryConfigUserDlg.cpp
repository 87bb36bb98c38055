#include "UI/EntryConfigUserDlg.hpp"

#include "MonitoredEntry/Password.hpp"
#include "UI/DataExchange.hpp"
#include "UI/DialogParts.hpp"
#include "UI/Texts.hpp"
#include "Utility/StringId.hpp"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace Orvane::UI {

namespace Id = Utility::StringId;

namespace {

constexpr int PasswordMax = 28;

} // namespace

struct EntryConfigUserDlg::Pimpl
{
    QLineEdit* name = nullptr;
    QLineEdit* id = nullptr;
    QLineEdit* password = nullptr;
    MonitoredEntry::User stored;
};

EntryConfigUserDlg::EntryConfigUserDlg(EntryConfigSheet& sheet)
    : EntryConfigPage(sheet)
    , m_pimpl(std::make_unique<Pimpl>())
{
    Pimpl& p = *m_pimpl;
    setObjectName(QStringLiteral("userPage"));
    auto* fields = new QGridLayout(this);
    p.name = AddFieldRow(*fields, 0, Id::UserName, "userNameValue", true, this);
    p.id = AddFieldRow(*fields, 1, Id::AccountID, "idValue", true, this);
    p.password = AddFieldRow(*fields, 2, Id::Password, "passwordEdit", false, this);
    p.password->setEchoMode(QLineEdit::Password);
    fields->setColumnStretch(1, 1);
    fields->setRowStretch(3, 1);
    connect(p.password, &QLineEdit::textChanged, this, [this] { Changed(); });
}

EntryConfigUserDlg::~EntryConfigUserDlg() = default;

bool EntryConfigUserDlg::IsAcceptedPassword(const QString& password)
{
    return password.size() <= PasswordMax
        && std::all_of(password.begin(), password.end(), [](QChar c) { return c.unicode() < 0x80; });
}

void EntryConfigUserDlg::CheckFields() const { }

void EntryConfigUserDlg::Apply(MonitoredEntry::Entry& copy) const
{
    MonitoredEntry::User user = m_pimpl->stored;
    user.SetPassword(MonitoredEntry::Password(ToWide(m_pimpl->password->text())));
    MonitoredEntry::EntryProperty property = copy.GetProperty();
    property.SetUser(user);
    copy.SetProperty(property);
}

void EntryConfigUserDlg::Load(const MonitoredEntry::Entry& entry)
{
    Pimpl& p = *m_pimpl;
    p.stored = entry.GetProperty().GetUser();
    boost::optional<std::wstring> name = p.stored.GetName();
    DDX_Text(Exchange::Load, *p.name, name);
    p.id->setText(FromWide(p.stored.GetID()));
    p.password->setText(FromWide(p.stored.GetPassword().GetPlainText()));
}

bool EntryConfigUserDlg::AreFieldsValid() const
{
    return IsAcceptedPassword(m_pimpl->password->text());
}

void EntryConfigUserDlg::UpdateControls() { }

} // namespace Orvane::UI
