#include "UI/EntryConfigRun.hpp"

#include "UI/EntryConfigSheet.hpp"
#include "UI/ProgramApplication.hpp"
#include "Utility/SearchAgent.hpp"

namespace Orvane::UI {

void RunEntrySettings(int argc, const char* const argv[], MonitoredEntry::EntryManager& manager,
                      const MonitoredEntry::Entry::ID& id)
{
    const ProgramApplication application(argc, argv);
    EntryConfigSheet sheet(manager, id, Utility::SearchAgent());
    sheet.exec();
}

} // namespace Orvane::UI
