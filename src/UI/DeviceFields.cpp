#include "UI/DeviceFields.hpp"

#include "MonitoredEntry/MFP.hpp"
#include "UI/DataExchange.hpp"
#include "UI/DialogParts.hpp"
#include "Utility/StringId.hpp"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace Orvane::UI {

namespace Id = Utility::StringId;

struct DeviceFields::Pimpl
{
    QLineEdit* name = nullptr;
    QLineEdit* host = nullptr;
    QLineEdit* http = nullptr;
    QLineEdit* https = nullptr;
    QCheckBox* ssl = nullptr;
};

DeviceFields::DeviceFields(QGridLayout& fields, QWidget& parent)
    : m_pimpl(std::make_unique<Pimpl>())
{
    Pimpl& p = *m_pimpl;
    p.name = AddFieldRow(fields, 0, Id::MachineName, "nameValue", true, &parent);
    p.host = AddFieldRow(fields, 1, Id::Host, "hostEdit", false, &parent);
    p.http = AddFieldRow(fields, 2, Id::HTTPPort, "httpEdit", false, &parent);
    p.https = AddFieldRow(fields, 3, Id::HTTPSPort, "httpsEdit", false, &parent);
    fields.setColumnStretch(1, 1);
    p.ssl = MakeCheckBox(Id::UseSSL, "sslBox", &parent);
}

DeviceFields::~DeviceFields() = default;

MonitoredEntry::MFP DeviceFields::Read(const MonitoredEntry::MFP& base) const
{
    const Pimpl& p = *m_pimpl;
    boost::optional<std::wstring> name;
    boost::optional<std::wstring> host;
    boost::optional<std::int32_t> http;
    boost::optional<std::int32_t> https;
    DDX_Text(Exchange::Save, *p.name, name);
    DDX_Text(Exchange::Save, *p.host, host);
    DDX_Text(Exchange::Save, *p.http, http);
    DDX_Text(Exchange::Save, *p.https, https);
    MonitoredEntry::MFP mfp = base;
    mfp.SetName(name);
    mfp.SetHost(host.value_or(std::wstring()));
    mfp.SetHTTP(http);
    mfp.SetHTTPS(https);
    mfp.SetSSL(p.ssl->isChecked());
    return mfp;
}

void DeviceFields::Show(const MonitoredEntry::MFP* device)
{
    const Pimpl& p = *m_pimpl;
    boost::optional<std::wstring> name = device ? device->GetName() : boost::none;
    boost::optional<std::wstring> host = device ? boost::make_optional(device->GetHost()) : boost::none;
    boost::optional<std::int32_t> http = device ? device->GetHTTP() : boost::none;
    boost::optional<std::int32_t> https = device ? device->GetHTTPS() : boost::none;
    DDX_Text(Exchange::Load, *p.name, name);
    DDX_Text(Exchange::Load, *p.host, host);
    DDX_Text(Exchange::Load, *p.http, http);
    DDX_Text(Exchange::Load, *p.https, https);
}

void DeviceFields::SetEditable(bool editable)
{
    for (QLineEdit* edit : {m_pimpl->host, m_pimpl->http, m_pimpl->https})
        edit->setReadOnly(!editable);
}

QLineEdit* DeviceFields::Host() const
{
    return m_pimpl->host;
}

QLineEdit* DeviceFields::HTTP() const
{
    return m_pimpl->http;
}

QLineEdit* DeviceFields::HTTPS() const
{
    return m_pimpl->https;
}

QCheckBox* DeviceFields::SSL() const
{
    return m_pimpl->ssl;
}

} // namespace Orvane::UI
