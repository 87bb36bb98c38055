#pragma once

// How the records of an entry are stored: identifiers, device, account, password and settings.

#include "MonitoredEntry/BasicID.hpp"
#include "MonitoredEntry/EntryProperty.hpp"
#include "MonitoredEntry/Serialization/LegacyConfig.hpp"
#include "MonitoredEntry/Serialization/Optional.hpp"
#include "MonitoredEntry/Serialization/PasswordData.hpp"
#include "MonitoredEntry/Serialization/WideText.hpp"
#include <Config.hpp> // the program's configuration

#include <boost/serialization/nvp.hpp>
#include <boost/serialization/split_free.hpp>

#include <cstdint>

namespace boost::serialization {

template <class Archive>
void save(Archive& ar, const Orvane::BasicID<long>& id, unsigned int /*version*/)
{
    const std::int32_t value = id.GetValue();
    ar << make_nvp("value", value);
}

template <class Archive>
void load(Archive& ar, Orvane::BasicID<long>& id, unsigned int /*version*/)
{
    std::int32_t value = 0;
    ar >> make_nvp("value", value);
    id = Orvane::BasicID<long>(value);
}

template <class Archive>
void save(Archive& ar, const Orvane::MonitoredEntry::MFP& mfp, unsigned int /*version*/)
{
    using namespace Orvane::MonitoredEntry::Serialization;
    const Optional<std::wstring> name(mfp.GetName());
    const WideText host(mfp.GetHost());
    const Optional<std::int32_t> http(mfp.GetHTTP());
    const Optional<std::int32_t> https(mfp.GetHTTPS());
    const bool ssl = mfp.IsSSL();
    ar << make_nvp("Name", name) << make_nvp("Host", host) << make_nvp("HTTP", http) << make_nvp("HTTPS", https)
       << make_nvp("SSL", ssl);
}

template <class Archive>
void load(Archive& ar, Orvane::MonitoredEntry::MFP& mfp, unsigned int /*version*/)
{
    using namespace Orvane::MonitoredEntry::Serialization;
    Optional<std::wstring> name;
    WideText host;
    Optional<std::int32_t> http;
    Optional<std::int32_t> https;
    bool ssl = false;
    ar >> make_nvp("Name", name) >> make_nvp("Host", host) >> make_nvp("HTTP", http) >> make_nvp("HTTPS", https)
        >> make_nvp("SSL", ssl);
    mfp.SetName(name.Get());
    mfp.SetHost(host.Get());
    mfp.SetHTTP(http.Get());
    mfp.SetHTTPS(https.Get());
    mfp.SetSSL(ssl);
}

template <class Archive>
void save(Archive& ar, const Orvane::MonitoredEntry::User& user, unsigned int /*version*/)
{
    using namespace Orvane::MonitoredEntry::Serialization;
    const Optional<std::wstring> name(user.GetName());
    const WideText id(user.GetID());
    ar << make_nvp("Name", name) << make_nvp("ID", id) << make_nvp("Password", user.GetPassword());
}

template <class Archive>
void load(Archive& ar, Orvane::MonitoredEntry::User& user, unsigned int /*version*/)
{
    using namespace Orvane::MonitoredEntry::Serialization;
    Optional<std::wstring> name;
    WideText id;
    Orvane::MonitoredEntry::Password password;
    ar >> make_nvp("Name", name) >> make_nvp("ID", id) >> make_nvp("Password", password);
    user.SetName(name.Get());
    user.SetID(id.Get());
    user.SetPassword(password);
}

template <class Archive>
void save(Archive& ar, const Orvane::MonitoredEntry::Password& password, unsigned int /*version*/)
{
    const Orvane::MonitoredEntry::Serialization::PasswordData data(password.GetData());
    ar << make_nvp("Data", data);
}

template <class Archive>
void load(Archive& ar, Orvane::MonitoredEntry::Password& password, unsigned int /*version*/)
{
    Orvane::MonitoredEntry::Serialization::PasswordData data;
    ar >> make_nvp("Data", data);
    password.SetData(data.Get());
}

template <class Archive>
void save(Archive& ar, const Orvane::MonitoredEntry::Config& config, unsigned int /*version*/)
{
    const std::int32_t logMax = config.GetLogMax();
    const std::int32_t interval = config.GetInterval();
    const bool notice = config.IsNotice();
    const std::int32_t eraseTime = config.GetEraseTime();
    const bool eventRead = config.IsEventRead();
    const bool deleteMsg = config.IsDeleteMsg();
    ar << make_nvp("LogMax", logMax) << make_nvp("Interval", interval) << make_nvp("Notice", notice)
       << make_nvp("EraseTime", eraseTime) << make_nvp("EventRead", eventRead) << make_nvp("DeleteMsg", deleteMsg);
}

// The three settings added last, or, for a store that predates them, the configured defaults.
template <class Archive>
void LoadLaterSettings(Archive& ar, Orvane::MonitoredEntry::Config& config)
{
    using namespace Orvane::MonitoredEntry::Serialization;
    if (IsLegacyConfig()) {
        const Orvane::Config defaults = Orvane::Config::Instance();
        config.SetEraseTime(defaults.GetPopupEventEraseIntervalMs());
        config.SetEventRead(defaults.IsEntryDefaultEnableEventRead());
        config.SetDeleteMsg(defaults.IsEntryDefaultEnableDeleteMsg());
        return;
    }
    SetLegacyConfig(true);
    std::int32_t eraseTime = 0;
    bool eventRead = false;
    bool deleteMsg = false;
    ar >> make_nvp("EraseTime", eraseTime) >> make_nvp("EventRead", eventRead) >> make_nvp("DeleteMsg", deleteMsg);
    SetLegacyConfig(false);
    config.SetEraseTime(eraseTime);
    config.SetEventRead(eventRead);
    config.SetDeleteMsg(deleteMsg);
}

template <class Archive>
void load(Archive& ar, Orvane::MonitoredEntry::Config& config, unsigned int /*version*/)
{
    std::int32_t logMax = 0;
    std::int32_t interval = 0;
    bool notice = false;
    ar >> make_nvp("LogMax", logMax) >> make_nvp("Interval", interval) >> make_nvp("Notice", notice);
    config.SetLogMax(logMax);
    config.SetInterval(interval);
    config.SetNotice(notice);
    LoadLaterSettings(ar, config);
}

template <class Archive>
void save(Archive& ar, const Orvane::MonitoredEntry::EntryProperty& property, unsigned int /*version*/)
{
    const bool monitoring = property.IsMonitoring();
    ar << make_nvp("Monitoring", monitoring) << make_nvp("MFP", property.GetMFP())
       << make_nvp("User", property.GetUser()) << make_nvp("Config", property.GetConfig());
}

template <class Archive>
void load(Archive& ar, Orvane::MonitoredEntry::EntryProperty& property, unsigned int /*version*/)
{
    bool monitoring = false;
    Orvane::MonitoredEntry::MFP mfp;
    Orvane::MonitoredEntry::User user;
    Orvane::MonitoredEntry::Config config;
    ar >> make_nvp("Monitoring", monitoring) >> make_nvp("MFP", mfp) >> make_nvp("User", user)
        >> make_nvp("Config", config);
    property.SetMonitoring(monitoring);
    property.SetMFP(mfp);
    property.SetUser(user);
    property.SetConfig(config);
}

} // namespace boost::serialization

BOOST_SERIALIZATION_SPLIT_FREE(Orvane::BasicID<long>)
BOOST_SERIALIZATION_SPLIT_FREE(Orvane::MonitoredEntry::MFP)
BOOST_SERIALIZATION_SPLIT_FREE(Orvane::MonitoredEntry::User)
BOOST_SERIALIZATION_SPLIT_FREE(Orvane::MonitoredEntry::Password)
BOOST_SERIALIZATION_SPLIT_FREE(Orvane::MonitoredEntry::Config)
BOOST_SERIALIZATION_SPLIT_FREE(Orvane::MonitoredEntry::EntryProperty)
