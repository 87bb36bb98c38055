#include "UI/EntryConfigRun.hpp"

#include "UI/EntryConfigSheet.hpp"
#include "Utility/SearchAgent.hpp"

#include <QApplication>
#include <QIcon>

#include <vector>

// The icons live in a static library: their registration must be asked for by name, outside any
// namespace.
static void RegisterSheetResources()
{
    Q_INIT_RESOURCE(orvane);
}

namespace Orvane::UI {

void RunEntrySettings(int argc, const char* const argv[], MonitoredEntry::EntryManager& manager,
                      const MonitoredEntry::Entry::ID& id)
{
    int qtArgc = argc;
    std::vector<char*> qtArgv;
    for (int i = 0; i < argc; ++i)
        qtArgv.push_back(const_cast<char*>(argv[i])); // Qt may drop its own options from the list
    qtArgv.push_back(nullptr);
    QApplication application(qtArgc, qtArgv.data());
    RegisterSheetResources();
    QApplication::setApplicationName(QStringLiteral("Orvane"));
    QApplication::setDesktopFileName(QStringLiteral("orvane"));
    EntryConfigSheet sheet(manager, id, Utility::SearchAgent());
    sheet.exec();
}

} // namespace Orvane::UI
