#include "UI/EntryConfigMFPDlg.hpp"

#include "HTTP/KnownDevices.hpp"
#include "UI/DeviceFields.hpp"
#include "UI/DeviceSelectDlg.hpp"
#include "UI/DeviceTrust.hpp"
#include "UI/DialogParts.hpp"
#include "UI/EntryConfigSheet.hpp"
#include "UI/Message.hpp"
#include "UI/Texts.hpp"
#include "Utility/StringId.hpp"

#include <kestle/exception.hpp>

#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace Orvane::UI {

namespace Id = Utility::StringId;

namespace {

// A fingerprint of 32 pairs on two lines of 16.
QString FingerprintText(const std::string& record)
{
    if (record == "authority")
        return Text(Id::CertificateAuthority);
    QString text = QString::fromStdString(record);
    if (text.size() > 48)
        text.insert(48, QLatin1Char('\n'));
    return text;
}

} // namespace

struct EntryConfigMFPDlg::Pimpl
{
    QCheckBox* manual = nullptr;
    QPushButton* select = nullptr;
    std::unique_ptr<DeviceFields> device;
    QLabel* certificate = nullptr;
    QPushButton* forget = nullptr;
    MonitoredEntry::MFP stored;

    // The device the fields describe; raises InvalidInteger.
    MonitoredEntry::MFP Read() const { return device->Read(stored); }

    // The record of the address the fields name now.
    boost::optional<std::string> TrustRecord() const
    {
        try {
            return DeviceTrust(HTTP::KnownDevices::Default()).Record(Read());
        } catch (const std::exception&) {
            return boost::none;
        }
    }

    void ShowTrust()
    {
        const auto record = TrustRecord();
        certificate->setText(record ? FingerprintText(*record) : Text(Id::NoCertificate));
        forget->setEnabled(bool(record));
    }
};

EntryConfigMFPDlg::EntryConfigMFPDlg(EntryConfigSheet& sheet)
    : EntryConfigPage(sheet)
    , m_pimpl(std::make_unique<Pimpl>())
{
    Pimpl& p = *m_pimpl;
    setObjectName(QStringLiteral("machinePage"));
    p.manual = MakeCheckBox(Id::ManualMachine, "manualBox", this);
    p.select = MakeButton(Id::MachineSelect, "machineSelectButton", this);
    auto* fields = new QGridLayout;
    p.device = std::make_unique<DeviceFields>(*fields, *this);

    auto* trust = new QGroupBox(Text(Id::Certificate), this);
    p.certificate = new QLabel(trust);
    p.certificate->setObjectName(QStringLiteral("certificateValue"));
    p.certificate->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    p.certificate->setTextInteractionFlags(Qt::TextSelectableByMouse);
    p.forget = MakeButton(Id::ForgetCertificate, "forgetCertificateButton", trust);
    auto* trustLayout = new QHBoxLayout(trust);
    trustLayout->addWidget(p.certificate, 1);
    trustLayout->addWidget(p.forget, 0, Qt::AlignTop);

    auto* top = new QHBoxLayout;
    top->addWidget(p.manual);
    top->addStretch();
    top->addWidget(p.select);
    auto* whole = new QVBoxLayout(this);
    whole->addLayout(top);
    whole->addLayout(fields);
    whole->addWidget(p.device->SSL());
    whole->addWidget(trust);
    whole->addStretch();

    connect(p.manual, &QCheckBox::toggled, this, [this] { Changed(); });
    connect(p.device->SSL(), &QCheckBox::toggled, this, [this] { Changed(); });
    for (QLineEdit* edit : {p.device->Host(), p.device->HTTP(), p.device->HTTPS()})
        connect(edit, &QLineEdit::textChanged, this, [this] { Changed(); });
    connect(p.select, &QPushButton::clicked, this, [this] { Guarded([this] { SelectMachine(); }); });
    connect(p.forget, &QPushButton::clicked, this, [this] { Guarded([this] { ForgetCertificate(); }); });
}

EntryConfigMFPDlg::~EntryConfigMFPDlg() = default;

void EntryConfigMFPDlg::CheckFields() const
{
    m_pimpl->Read();
}

void EntryConfigMFPDlg::Apply(MonitoredEntry::Entry& copy) const
{
    MonitoredEntry::EntryProperty property = copy.GetProperty();
    property.SetMFP(m_pimpl->Read());
    copy.SetProperty(property);
}

void EntryConfigMFPDlg::SelectMachine()
{
    Pimpl& p = *m_pimpl;
    try {
        if (!DeviceSelectDlg::Select(GetSheet().GetSearchAgent(), this))
            return;
        MonitoredEntry::MFP chosen = GetSheet().GetSearchAgent().GetSelectedDevice();
        p.device->Show(&chosen); // the SSL box stays as it is
    } catch (const kestle::communication_failure&) {
        Message::CommunicationError(this);
    }
    Changed();
}

void EntryConfigMFPDlg::ForgetCertificate()
{
    if (!Message::Affirmation(Id::Confirm, this))
        return;
    DeviceTrust(HTTP::KnownDevices::Default()).Forget(m_pimpl->Read());
    m_pimpl->ShowTrust();
}

void EntryConfigMFPDlg::Load(const MonitoredEntry::Entry& entry)
{
    Pimpl& p = *m_pimpl;
    p.stored = entry.GetProperty().GetMFP();
    p.device->Show(&p.stored);
    p.device->SSL()->setChecked(p.stored.IsSSL());
}

bool EntryConfigMFPDlg::AreFieldsValid() const
{
    return m_pimpl->Read().IsValid();
}

void EntryConfigMFPDlg::UpdateControls()
{
    Pimpl& p = *m_pimpl;
    const bool manual = p.manual->isChecked();
    p.select->setEnabled(!manual);
    p.device->SetEditable(manual);
    p.ShowTrust();
}

} // namespace Orvane::UI
