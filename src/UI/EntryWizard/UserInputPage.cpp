#include "UI/EntryWizard/UserInputPage.hpp"

#include "UI/DialogParts.hpp"
#include "UI/EntryConfigUserDlg.hpp"
#include "UI/EntryWizard/Wizard.hpp"
#include "UI/Texts.hpp"
#include "Utility/StringId.hpp"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <exception>

namespace Orvane::UI::EntryWizard {

namespace Id = Utility::StringId;

struct UserInputPage::Pimpl
{
    // The user typed in, from the working entry's user (its name stays).
    MonitoredEntry::User Build(const MonitoredEntry::User& working) const
    {
        MonitoredEntry::User user = working;
        user.SetID(ToWide(id->text()));
        user.SetPassword(MonitoredEntry::Password(ToWide(password->text())));
        return user;
    }

    QLineEdit* id = nullptr;
    QLineEdit* password = nullptr;
};

UserInputPage::UserInputPage(Wizard& wizard)
    : Page(wizard, Wizard::UserInput, 2)
    , m_pimpl(std::make_unique<Pimpl>())
{
    Pimpl& p = *m_pimpl;
    auto* guide = MakeLabel(Id::UserInputGuide, this);
    auto* fields = new QGridLayout;
    QLabel* idLabel = MakeLabel(Id::AccountID, this);
    QLabel* passwordLabel = MakeLabel(Id::Password, this);
    p.id = MakeEdit("idEdit", idLabel, this);
    p.password = MakeEdit("passwordEdit", passwordLabel, this);
    p.password->setEchoMode(QLineEdit::Password);
    fields->addWidget(idLabel, 0, 0);
    fields->addWidget(p.id, 0, 1);
    fields->addWidget(passwordLabel, 1, 0);
    fields->addWidget(p.password, 1, 1);
    fields->setColumnStretch(1, 1);
    auto* whole = new QVBoxLayout(this);
    whole->addWidget(guide);
    whole->addSpacing(12);
    whole->addLayout(fields);
    whole->addStretch();
    for (QLineEdit* edit : {p.id, p.password})
        connect(edit, &QLineEdit::textChanged, this, [this] { ButtonsChanged(); });
}

UserInputPage::~UserInputPage() = default;

bool UserInputPage::UpdateButtons() const
{
    const Pimpl& p = *m_pimpl;
    if (!EntryConfigUserDlg::IsAcceptedPassword(p.password->text()))
        return false;
    try {
        return p.Build(GetEntryProperty().GetUser()).IsValid();
    } catch (const std::exception&) {
        return false;
    }
}

bool UserInputPage::ValidateAndStore()
{
    MonitoredEntry::EntryProperty property = GetEntryProperty();
    property.SetUser(m_pimpl->Build(property.GetUser()));
    SetEntryProperty(property);
    return true;
}

int UserInputPage::nextId() const
{
    return Wizard::Commit;
}

} // namespace Orvane::UI::EntryWizard
