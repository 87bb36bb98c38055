#include "UI/EntryWizard/Wizard.hpp"

#include "Config.hpp"
#include "UI/EntryWizard/CommitPage.hpp"
#include "UI/EntryWizard/MachineSelectPage.hpp"
#include "UI/EntryWizard/UserInputPage.hpp"
#include "UI/EntryWizard/UserSelectPage.hpp"
#include "UI/Texts.hpp"
#include "UI/WindowIcon.hpp"
#include "Utility/StringId.hpp"

namespace Orvane::UI::EntryWizard {

namespace Id = Utility::StringId;

namespace {

constexpr int Steps = 3;

} // namespace

struct Wizard::Pimpl
{
    Pimpl(MonitoredEntry::EntryManager& entries, Utility::SearchAgent searchAgent)
        : manager(entries)
        , agent(std::move(searchAgent))
        , property(Config::Instance().GetDefaultEntryProperty())
    { }

    MonitoredEntry::EntryManager& manager;
    Utility::SearchAgent agent;
    MonitoredEntry::EntryProperty property;
    std::exception_ptr failure;
};

Wizard::Wizard(MonitoredEntry::EntryManager& manager, Utility::SearchAgent agent, QWidget* parent)
    : QWizard(parent)
    , m_pimpl(std::make_unique<Pimpl>(manager, std::move(agent)))
{
    setObjectName(QStringLiteral("entryWizard"));
    SetWindowIcon(*this);
    setWizardStyle(QWizard::ClassicStyle);
    setOption(QWizard::NoBackButtonOnStartPage, false);
    setOption(QWizard::HaveHelpButton, false);
    setButtonText(QWizard::BackButton, Text(Id::WizardBack));
    setButtonText(QWizard::NextButton, Text(Id::WizardNext));
    setButtonText(QWizard::FinishButton, Text(Id::WizardFinish));
    setButtonText(QWizard::CancelButton, Text(Id::Cancel));
    for (Page* page : std::initializer_list<Page*> {new MachineSelectPage(*this), new UserSelectPage(*this),
                                                    new UserInputPage(*this), new CommitPage(*this)})
        setPage(page->GetId(), page);
    setStartId(MachineSelect);
    // The caption says the step: "title n/3".
    connect(this, &QWizard::currentIdChanged, this, [this](int id) {
        if (const auto* shown = dynamic_cast<const Page*>(page(id)))
            setWindowTitle(QStringLiteral("%1 %2/%3").arg(Text(Id::WizardTitle)).arg(shown->GetStep()).arg(Steps));
    });
    setWindowTitle(QStringLiteral("%1 %2/%3").arg(Text(Id::WizardTitle)).arg(1).arg(Steps));
    setMinimumSize(560, 440);
}

Wizard::~Wizard() = default;

int Wizard::Run()
{
    m_pimpl->failure = nullptr;
    const int result = exec();
    if (m_pimpl->failure)
        std::rethrow_exception(m_pimpl->failure);
    return result;
}

void Wizard::Fail(std::exception_ptr error)
{
    m_pimpl->failure = std::move(error);
    reject();
}

const MonitoredEntry::EntryProperty& Wizard::GetEntryProperty() const
{
    return m_pimpl->property;
}

void Wizard::SetEntryProperty(const MonitoredEntry::EntryProperty& property)
{
    m_pimpl->property = property;
}

MonitoredEntry::EntryManager& Wizard::GetManager() const
{
    return m_pimpl->manager;
}

Utility::SearchAgent& Wizard::GetSearchAgent() const
{
    return m_pimpl->agent;
}

} // namespace Orvane::UI::EntryWizard
