#include "ResidentLock.hpp"

#include "Config.hpp"
#include "Exceptions.hpp"
#include "SingleInstance.hpp"

namespace Orvane {

void TakeResidentLock(SingleInstance& instance)
{
    if (!instance.TryLock()) {
        SingleInstance::Activate();
        BOOST_THROW_EXCEPTION(ApplicationBusy());
    }
    Config config = Config::Instance();
    config.Load();
    config.Publish();
}

} // namespace Orvane
