#include "UI/EntryConfigMFPDlg.hpp"

#include "HTTP/KnownDevices.hpp"
#include "UI/DataExchange.hpp"
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
    QLineEdit* name = nullptr;
    QLineEdit* host = nullptr;
    QLineEdit* http = nullptr;
    QLineEdit* https = nullptr;
    QCheckBox* ssl = nullptr;
    QLabel* certificate = nullptr;
    QPushButton* forget = nullptr;
    MonitoredEntry::MFP stored;

    // The device the fields describe; raises InvalidInteger.
    MonitoredEntry::MFP Read() const
    {
        boost::optional<std::wstring> nameValue;
        boost::optional<std::wstring> hostValue;
        boost::optional<std::int32_t> httpValue;
        boost::optional<std::int32_t> httpsValue;
        DDX_Text(Exchange::Save, *name, nameValue);
        DDX_Text(Exchange::Save, *host, hostValue);
        DDX_Text(Exchange::Save, *http, httpValue);
        DDX_Text(Exchange::Save, *https, httpsValue);
        MonitoredEntry::MFP mfp = stored;
        mfp.SetName(nameValue);
        mfp.SetHost(hostValue.value_or(std::wstring()));
        mfp.SetHTTP(httpValue);
        mfp.SetHTTPS(httpsValue);
        mfp.SetSSL(ssl->isChecked());
        return mfp;
    }

    void Write(const MonitoredEntry::MFP& mfp)
    {
        boost::optional<std::wstring> nameValue = mfp.GetName();
        boost::optional<std::wstring> hostValue = mfp.GetHost();
        boost::optional<std::int32_t> httpValue = mfp.GetHTTP();
        boost::optional<std::int32_t> httpsValue = mfp.GetHTTPS();
        DDX_Text(Exchange::Load, *name, nameValue);
        DDX_Text(Exchange::Load, *host, hostValue);
        DDX_Text(Exchange::Load, *http, httpValue);
        DDX_Text(Exchange::Load, *https, httpsValue);
    }

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
    whole->addWidget(p.ssl);
    whole->addWidget(trust);
    whole->addStretch();

    connect(p.manual, &QCheckBox::toggled, this, [this] { Changed(); });
    connect(p.ssl, &QCheckBox::toggled, this, [this] { Changed(); });
    for (QLineEdit* edit : {p.host, p.http, p.https})
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
        chosen.SetSSL(p.ssl->isChecked()); // the box stays as it is
        p.Write(chosen);
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
    p.Write(p.stored);
    p.ssl->setChecked(p.stored.IsSSL());
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
    for (QLineEdit* edit : {p.host, p.http, p.https})
        edit->setReadOnly(!manual);
    p.ShowTrust();
}

} // namespace Orvane::UI
