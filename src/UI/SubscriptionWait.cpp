#include "UI/SubscriptionWait.hpp"

#include "Config.hpp"
#include "MonitoredEntry/EntryManager.hpp"
#include "UI/Texts.hpp"
#include "UI/WindowIcon.hpp"
#include "Utility/StringId.hpp"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <exception>

namespace Orvane::UI {

namespace {

constexpr int StepMs = 200;

bool IsSubscribed(const MonitoredEntry::EntryManager& manager, const MonitoredEntry::Entry::ID& id)
{
    try {
        const MonitoredEntry::EntryManager::ScopedLock lock(manager);
        const auto& db = manager.GetDB();
        return db.Contains(id) && db.GetEntry(id).GetProperty().GetSubscriptionState() != 0;
    } catch (const std::exception&) {
        return false; // errors while waiting do not end the wait
    }
}

} // namespace

bool WaitForSubscription(QWidget* parent, const MonitoredEntry::EntryManager& manager,
                         const MonitoredEntry::Entry::ID& id)
{
    if (IsSubscribed(manager, id))
        return true;
    const int steps = std::max(1, Config::GetCurrent().SubscribeWaitLimitMs / StepMs);
    QProgressDialog progress(Text(Utility::StringId::SubscriptionWait), Text(Utility::StringId::Cancel), 0, steps,
                             parent);
    progress.setObjectName(QStringLiteral("subscriptionWait"));
    progress.setWindowTitle(Text(Utility::StringId::ApplicationTitle));
    SetWindowIcon(progress);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoReset(false);
    progress.setAutoClose(false);

    QEventLoop loop;
    QTimer timer;
    int step = 0;
    bool subscribed = false;
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        subscribed = IsSubscribed(manager, id);
        // The limit is counted in steps, as the design's wait counts them.
        if (subscribed || ++step > steps)
            loop.quit();
        else
            progress.setValue(step);
    });
    QObject::connect(&progress, &QProgressDialog::canceled, &loop, &QEventLoop::quit);
    timer.start(StepMs);
    progress.setValue(0);
    loop.exec();
    return subscribed;
}

} // namespace Orvane::UI
