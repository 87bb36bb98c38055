#pragma once

#include "MonitoredEntry/MFP.hpp"
#include "Utility/SearchAgent.hpp"

#include <QObject>

#include <exception>
#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace Orvane::UI {

// Runs one search of the agent on a thread of its own, so that the windows stay alive while it
// searches, and reports on the UI thread: the devices found so far each time they change, then the
// end with the search's error (null when none). Destroying it cancels the search and waits for it.
class DeviceSearchRunner : public QObject
{
    Q_OBJECT

public:
    using Devices = std::vector<MonitoredEntry::MFP>;

    explicit DeviceSearchRunner(Utility::SearchAgent agent, QObject* parent = nullptr);
    ~DeviceSearchRunner() override;

    // Starts a search unless one runs.
    void Start();
    // The running search ends soon with what it has found.
    void Cancel();
    bool IsRunning() const;

    // Searches now with a busy progress window over the parent that can cancel the search; the
    // devices found so far go to progress as they come. Raises what the search raised.
    static void SearchNow(Utility::SearchAgent agent, QWidget* parent,
                          const std::function<void(const Devices&)>& progress);

signals:
    void Found(const Orvane::UI::DeviceSearchRunner::Devices& devices);
    void Finished(std::exception_ptr error);

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::UI
