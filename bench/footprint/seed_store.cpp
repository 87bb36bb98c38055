// Writes the data store of the footprint benchmark: one monitored entry per device given as
// host:port, account "demo" with password "demo", in the program folder of XDG_DATA_HOME. The
// configuration is created with its defaults when there is none.

#include "Config.hpp"
#include "MonitoredEntry/EntryManager.hpp"
#include "Serializer.hpp"
#include "System/Text.hpp"

#include <iostream>

namespace {

Orvane::MonitoredEntry::EntryProperty Entry(const std::string& device)
{
    const auto colon = device.rfind(':');
    if (colon == std::string::npos)
        throw std::invalid_argument("not host:port: " + device);
    Orvane::MonitoredEntry::EntryProperty property = Orvane::Config::Instance().GetDefaultEntryProperty();
    Orvane::MonitoredEntry::MFP mfp = property.GetMFP();
    mfp.SetHost(Orvane::System::FromANSI(device.substr(0, colon)));
    mfp.SetHTTP(std::stoi(device.substr(colon + 1)));
    property.SetMFP(mfp);
    Orvane::MonitoredEntry::User user;
    user.SetID(L"demo");
    user.SetPassword(Orvane::MonitoredEntry::Password(L"demo"));
    property.SetUser(user);
    return property;
}

} // namespace

int main(int argc, char* argv[])
{
    try {
        Orvane::Config::Instance().Load();
        Orvane::Config::Instance().Publish();
        Orvane::Serializer serializer;
        {
            Orvane::MonitoredEntry::EntryManager::Transaction transaction(serializer.GetEntryManager());
            for (int i = 1; i < argc; ++i)
                transaction.Append(Entry(argv[i]));
            transaction.Commit();
        }
        Orvane::Save(serializer);
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "seed_store: " << error.what() << '\n';
        return 1;
    }
}
