#include "UI/EntryWizard/MachineSelectPage.hpp"

#include "HTTP/Exceptions.hpp"
#include "QX/Quexhall.hpp"
#include "UI/DataExchange.hpp"
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
    QLineEdit* name = nullptr;
    QLineEdit* host = nullptr;
    QLineEdit* http = nullptr;
    QLineEdit* https = nullptr;
    QCheckBox* ssl = nullptr;
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

    void Show(const MonitoredEntry::MFP* device)
    {
        boost::optional<std::wstring> nameValue = device ? device->GetName() : boost::none;
        boost::optional<std::wstring> hostValue = device ? boost::make_optional(device->GetHost()) : boost::none;
        boost::optional<std::int32_t> httpValue = device ? device->GetHTTP() : boost::none;
        boost::optional<std::int32_t> httpsValue = device ? device->GetHTTPS() : boost::none;
        DDX_Text(Exchange::Load, *name, nameValue);
        DDX_Text(Exchange::Load, *host, hostValue);
        DDX_Text(Exchange::Load, *http, httpValue);
        DDX_Text(Exchange::Load, *https, httpsValue);
    }

    // The device the fields describe, from the working entry's device; raises InvalidInteger.
    MonitoredEntry::MFP Build(const MonitoredEntry::MFP& working) const
    {
        boost::optional<std::wstring> nameValue;
        boost::optional<std::wstring> hostValue;
        boost::optional<std::int32_t> httpValue;
        boost::optional<std::int32_t> httpsValue;
        DDX_Text(Exchange::Save, *name, nameValue);
        DDX_Text(Exchange::Save, *host, hostValue);
        DDX_Text(Exchange::Save, *http, httpValue);
        DDX_Text(Exchange::Save, *https, httpsValue);
        MonitoredEntry::MFP mfp = working;
        mfp.SetName(nameValue);
        mfp.SetHost(hostValue.value_or(std::wstring()));
        mfp.SetHTTP(httpValue);
        mfp.SetHTTPS(httpsValue);
        mfp.SetSSL(ssl->isChecked());
        return mfp;
    }

    void UpdateManual()
    {
        const bool isManual = manual->isChecked();
        list->setEnabled(!isManual);
        refresh->setEnabled(!isManual);
        for (QLineEdit* edit : {host, http, https})
            edit->setReadOnly(!isManual);
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
    const auto row = [&](int line, std::uint32_t label, QLineEdit*& edit, const char* name, bool readOnly) {
        QLabel* text = MakeLabel(label, this);
        edit = readOnly ? MakeValue(name, text, this) : MakeEdit(name, text, this);
        fields->addWidget(text, line, 0);
        fields->addWidget(edit, line, 1);
    };
    row(0, Id::MachineName, p.name, "nameValue", true);
    row(1, Id::Host, p.host, "hostEdit", false);
    row(2, Id::HTTPPort, p.http, "httpEdit", false);
    row(3, Id::HTTPSPort, p.https, "httpsEdit", false);
    fields->setColumnStretch(1, 1);
    p.ssl = MakeCheckBox(Id::UseSSL, "sslBox", this);

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
    whole->addWidget(p.ssl);

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
    connect(p.ssl, &QCheckBox::toggled, this, [this] { ButtonsChanged(); });
    for (QLineEdit* edit : {p.host, p.http, p.https})
        connect(edit, &QLineEdit::textChanged, this, [this] { ButtonsChanged(); });
    connect(p.refresh, &QPushButton::clicked, this, [this] { Guarded([this] { Refresh(); }); });
}

MachineSelectPage::~MachineSelectPage() = default;

void MachineSelectPage::initializePage()
{
    Pimpl& p = *m_pimpl;
    p.Fill(GetWizard().GetSearchAgent().GetFoundDevices());
    p.Show(nullptr);
    p.ssl->setChecked(GetDefaultEntryProperty().GetMFP().IsSSL());
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
