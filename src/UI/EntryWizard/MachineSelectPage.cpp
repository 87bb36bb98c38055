#include "UI/EntryWizard/MachineSelectPage.hpp"

#include "HTTP/Exceptions.hpp"
#include "QX/Quexhall.hpp"
#include "UI/DeviceFields.hpp"
#include "UI/DeviceSearchRunner.hpp"
#include "UI/DialogParts.hpp"
#include "UI/DisplayNames.hpp"
#include "UI/EntryWizard/Wizard.hpp"
#include "UI/Message.hpp"
#include "UI/Texts.hpp"
#include "UI/WaitCursor.hpp"
#include "Utility/StringId.hpp"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <exception>
#include <vector>

namespace Orvane::UI::EntryWizard {

namespace Id = Utility::StringId;

struct MachineSelectPage::Pimpl
{
    QListWidget* list = nullptr;
    QPushButton* refresh = nullptr;
    QCheckBox* manual = nullptr;
    std::unique_ptr<DeviceFields> device;
    std::vector<MonitoredEntry::MFP> devices;
    bool listsUsers = false;

    void Fill(const std::vector<MonitoredEntry::MFP>& found)
    {
        devices = found;
        const QSignalBlocker blocker(list);
        list->clear();
        for (const MonitoredEntry::MFP& device : devices)
            list->addItem(FromWide(DeviceDisplayName(device)));
    }

    void Show(const MonitoredEntry::MFP* shown) { device->Show(shown); }

    // The device the fields describe, from the working entry's device; raises InvalidInteger.
    MonitoredEntry::MFP Build(const MonitoredEntry::MFP& working) const { return device->Read(working); }

    void UpdateManual()
    {
        const bool isManual = manual->isChecked();
        list->setEnabled(!isManual);
        refresh->setEnabled(!isManual);
        device->SetEditable(isManual);
    }
};

MachineSelectPage::MachineSelectPage(Wizard& wizard)
    : Page(wizard, Wizard::MachineSelect, 1)
    , m_pimpl(std::make_unique<Pimpl>())
{
    Pimpl& p = *m_pimpl;
    auto* guide = MakeLabel(Id::MachineSelectGuide, this);
    p.list = new QListWidget(this);
    p.list->setObjectName(QStringLiteral("deviceList"));
    p.list->setAccessibleName(guide->text());
    p.list->setMinimumHeight(110);
    guide->setBuddy(p.list);
    p.refresh = MakeButton(Id::Refresh, "refreshButton", this);
    p.manual = MakeCheckBox(Id::ManualMachine, "manualBox", this);
    auto* fields = new QGridLayout;
    p.device = std::make_unique<DeviceFields>(*fields, *this);

    auto* listRow = new QHBoxLayout;
    listRow->addWidget(p.list, 1);
    auto* side = new QVBoxLayout;
    side->addWidget(p.refresh);
    side->addStretch();
    listRow->addLayout(side);
    auto* whole = new QVBoxLayout(this);
    whole->addWidget(guide);
    whole->addLayout(listRow, 1);
    whole->addWidget(p.manual);
    whole->addLayout(fields);
    whole->addWidget(p.device->SSL());

    connect(p.list, &QListWidget::currentRowChanged, this, [this](int row) {
        Pimpl& self = *m_pimpl;
        self.Show(row >= 0 && row < static_cast<int>(self.devices.size()) ? &self.devices[row] : nullptr);
        ButtonsChanged();
    });
    connect(p.manual, &QCheckBox::toggled, this, [this] {
        m_pimpl->Show(nullptr);
        m_pimpl->UpdateManual();
        ButtonsChanged();
    });
    connect(p.device->SSL(), &QCheckBox::toggled, this, [this] { ButtonsChanged(); });
    for (QLineEdit* edit : {p.device->Host(), p.device->HTTP(), p.device->HTTPS()})
        connect(edit, &QLineEdit::textChanged, this, [this] { ButtonsChanged(); });
    connect(p.refresh, &QPushButton::clicked, this, [this] { Guarded([this] { Refresh(); }); });
}

MachineSelectPage::~MachineSelectPage() = default;

void MachineSelectPage::initializePage()
{
    Pimpl& p = *m_pimpl;
    p.Fill(GetWizard().GetSearchAgent().GetFoundDevices());
    p.Show(nullptr);
    p.device->SSL()->setChecked(GetDefaultEntryProperty().GetMFP().IsSSL());
    p.UpdateManual();
    ButtonsChanged();
}

void MachineSelectPage::Refresh()
{
    Pimpl& p = *m_pimpl;
    DeviceSearchRunner::SearchNow(GetWizard().GetSearchAgent(), this,
                                  [&p](const DeviceSearchRunner::Devices& found) { p.Fill(found); });
    p.Fill(GetWizard().GetSearchAgent().GetFoundDevices());
    p.Show(nullptr);
    ButtonsChanged();
}

bool MachineSelectPage::UpdateButtons() const
{
    try {
        return m_pimpl->Build(GetEntryProperty().GetMFP()).IsValid();
    } catch (const std::exception&) {
        return false;
    }
}

bool MachineSelectPage::ValidateAndStore()
{
    Pimpl& p = *m_pimpl;
    const MonitoredEntry::MFP mfp = p.Build(GetEntryProperty().GetMFP());
    const WaitCursor wait;
    std::unique_ptr<QX::Quexhall> client;
    try {
        client = std::make_unique<QX::Quexhall>(mfp);
    } catch (const HTTP::Error&) {
        Message::CommunicationError(this);
        return false;
    }
    try {
        p.listsUsers = !client->GetMachineSettings()->SecurityPolicy;
    } catch (const HTTP::Error&) {
        p.listsUsers = false; // the account is typed in instead
    }
    MonitoredEntry::EntryProperty property = GetEntryProperty();
    property.SetMFP(mfp);
    SetEntryProperty(property);
    return true;
}

int MachineSelectPage::nextId() const
{
    return m_pimpl->listsUsers ? Wizard::UserSelect : Wizard::UserInput;
}

} // namespace Orvane::UI::EntryWizard
