#pragma once

#include "MonitoredEntry/Observer.hpp"

#include <QObject>

#include <memory>

class QWidget;

namespace Orvane {
class SingleInstance;
}
namespace Orvane::MonitoredEntry {
class EntryManager;
}

namespace Orvane::UI {

class Desktop;

// Everything resident in the desktop program, without a window of its own: the data store, the
// monitoring engine, the tray icon and its menu, the singleton windows (event log viewer, About
// box, monitored users), the regular save and the orderly end of the run. It follows the entry
// manager to switch the tray icon between no unread and unread.
class MainFrame : public QObject, public MonitoredEntry::Observer
{
    Q_OBJECT

public:
    // The caller holds the single-instance lock and has published the configuration.
    MainFrame(SingleInstance& instance, Desktop& desktop);
    ~MainFrame() override; // closes when still running

    // Start-up: tray icon shown as no unread, data store loaded, engine started, save timer,
    // listening for other starts; without a tray the event log viewer opens as the program's
    // window. Raises when the start fails.
    void Create();
    // The close sequence; idempotent. Emits Closed with the exit code at its end.
    void Close();
    int GetExitCode() const;

    MonitoredEntry::EntryManager& GetEntryManager() const;
    void OpenEventLog();
    void OpenAbout();
    void OpenSettings();
    // The open singleton windows, null when closed (tests).
    QWidget* GetEventLog() const;
    QWidget* GetAbout() const;
    QWidget* GetSettings() const;

    void Update(const MonitoredEntry::EntryManager& manager) override;

signals:
    void Closed(int exitCode);

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::UI
