#include "UI/MainFrame.hpp"

#include "Config.hpp"
#include "ConsoleMessage.hpp"
#include "Engine.hpp"
#include "ExitCode.hpp"
#include "Serializer.hpp"
#include "SingleInstance.hpp"
#include "System/Folders.hpp"
#include "UI/AboutDlg.hpp"
#include "UI/Desktop.hpp"
#include "UI/DesktopPopups.hpp"
#include "UI/EntryManagerDlg.hpp"
#include "UI/EventDlg.hpp"
#include "UI/EventLogDlg.hpp"
#include "UI/InstanceChannel.hpp"
#include "UI/MarkEventRead.hpp"
#include "UI/Message.hpp"
#include "UI/PopupMenu.hpp"
#include "UI/PreviewFolders.hpp"
#include "UI/SingletonWnd.hpp"
#include "UI/SystemTrayIcon.hpp"
#include "UI/UiThreadPresenter.hpp"

#include <QAction>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <iostream>

namespace Orvane::UI {

struct MainFrame::Pimpl
{
    Pimpl(MainFrame& frame, SingleInstance& instance, Desktop& desktop)
        : frame(frame)
        , instance(instance)
        , desktop(desktop)
        , channel(frame, {[&frame] { frame.OpenEventLog(); }, [&frame] { frame.Close(); }})
    { }

    void LoadStore();
    void StartEngine();
    void UpdateTray();
    bool SaveNow();
    std::unique_ptr<QWidget> MakeEventLog();
    void OpenEventDetails(const MachineEvent::Event& event, const EventLogDlg::EventKey& key, QWidget* parent);
    void EventLogClosed();

    MainFrame& frame;
    SingleInstance& instance;
    Desktop& desktop;
    Serializer serializer;
    std::shared_ptr<UiThreadPresenter> presenter;
    QPointer<EventDlg> details; // the open details dialog
    std::unique_ptr<Engine> engine;
    std::unique_ptr<PopupMenu> menu;
    QTimer saveTimer;
    bool hasUnread = false;
    bool running = false;
    bool closing = false;
    bool backgroundNoticeShown = false;
    int exitCode = ExitCode::Success;
    SingletonWnd eventLog {[this] { return MakeEventLog(); }};
    SingletonWnd about {[this] { return std::make_unique<AboutDlg>(desktop.GetFacts()); }};
    // One agent for the run: the wizard offers the devices of the last search.
    Utility::SearchAgent searchAgent;
    SingletonWnd settings {
        [this] { return std::make_unique<EntryManagerDlg>(serializer.GetEntryManager(), searchAgent); }};
    InstanceChannel channel; // last: nothing reaches the frame from outside once it is gone
};

void MainFrame::Pimpl::LoadStore()
{
    if (!LoadOnStartUp(serializer))
        Message::LoadFailure();
}

void MainFrame::Pimpl::StartEngine()
{
    // Details opened from a notification run later, from the frame, like those of the viewer.
    auto openDetails = [this](const MachineEvent::PopupPresenter::Request& request) {
        QMetaObject::invokeMethod(
            &frame,
            [this, request] {
                // Read before the details count the unread events, as from the viewer.
                MarkEventRead(serializer.GetEntryManager(), request.entryID, request.eventID);
                OpenEventDetails(request.event, {request.entryID, request.eventID}, nullptr);
            },
            Qt::QueuedConnection);
    };
    presenter = std::make_shared<UiThreadPresenter>(frame, std::make_shared<DesktopPopups>(desktop, openDetails),
                                                    [this] { frame.OpenEventLog(); });
    engine = std::make_unique<Engine>(serializer.GetEntryManager(), presenter);
    serializer.GetEntryManager().AddObserver(&frame);
    engine->Start();
}

void MainFrame::Pimpl::UpdateTray()
{
    bool unread = false;
    {
        const MonitoredEntry::EntryManager& entries = serializer.GetEntryManager();
        const MonitoredEntry::EntryManager::ScopedLock lock(entries);
        unread = entries.GetDB().CountUnread() != 0;
    }
    if (unread == hasUnread)
        return;
    hasUnread = unread;
    desktop.GetTray().Change(unread ? SystemTrayIcon::StatusTag::Unread : SystemTrayIcon::StatusTag::NoUnread);
}

// A failed save is reported on standard error; on the timer it is tried again at the next tick.
bool MainFrame::Pimpl::SaveNow()
{
    try {
        Save(serializer);
        return true;
    } catch (const std::exception& error) {
        std::cerr << ConsoleMessage::GetText(ConsoleMessage::SaveFailure) << '\n' << error.what() << std::endl;
    }
    return false;
}

std::unique_ptr<QWidget> MainFrame::Pimpl::MakeEventLog()
{
    EventLogDlg::Hooks hooks;
    hooks.refresh = [this](const Monitor::Signal& signal) {
        if (engine)
            engine->OnSignal(signal);
    };
    hooks.openEvent = [this](const MachineEvent::Event& event, const EventLogDlg::EventKey& key) {
        // Later, from the frame: the viewer's own handler has returned when the details run, so a
        // close of the viewer meanwhile takes nothing from under them.
        QPointer<QWidget> parent = eventLog.Get();
        QMetaObject::invokeMethod(
            &frame,
            [this, event, key, parent] {
                if (parent)
                    OpenEventDetails(event, key, parent);
            },
            Qt::QueuedConnection);
    };
    auto viewer = std::make_unique<EventLogDlg>(
        serializer.GetEntryManager(), hooks,
        // Without a tray the viewer is the program's window and offers what the tray menu would.
        desktop.HasTray() ? QList<QAction*>() : menu->GetWindowActions());
    QObject::connect(viewer.get(), &QObject::destroyed, &frame, [this] { EventLogClosed(); });
    return viewer;
}

void MainFrame::Pimpl::OpenEventDetails(const MachineEvent::Event& event, const EventLogDlg::EventKey& key,
                                        QWidget* parent)
{
    if (closing || details)
        return;
    // Over the viewer, a child of it: it goes with the viewer when the run ends.
    details = new EventDlg({serializer.GetEntryManager(), key.first, key.second, event}, {}, parent);
    details->exec();
    const bool viewerRequested = details && details->IsViewerRequested();
    delete details.data();
    if (viewerRequested)
        frame.OpenEventLog();
}

void MainFrame::Pimpl::EventLogClosed()
{
    if (desktop.HasTray() || closing || backgroundNoticeShown)
        return;
    backgroundNoticeShown = true;
    Message::RunningInBackground();
}

MainFrame::MainFrame(SingleInstance& instance, Desktop& desktop)
    : m_pimpl(std::make_unique<Pimpl>(*this, instance, desktop))
{
    connect(&m_pimpl->saveTimer, &QTimer::timeout, this, [this] { m_pimpl->SaveNow(); });
    connect(&desktop.GetTray(), &SystemTrayIcon::Activated, this, &MainFrame::OpenEventLog);
}

MainFrame::~MainFrame()
{
    Close();
}

void MainFrame::Create()
{
    Pimpl& p = *m_pimpl;
    p.desktop.GetTray().Show(SystemTrayIcon::StatusTag::NoUnread);
    p.LoadStore();
    PreviewFolders::RemoveExpired(System::GetAppTempDir());
    p.menu = std::make_unique<PopupMenu>(p.serializer.GetEntryManager());
    connect(p.menu.get(), &PopupMenu::SettingsRequested, this, &MainFrame::OpenSettings);
    connect(p.menu.get(), &PopupMenu::ViewerRequested, this, &MainFrame::OpenEventLog);
    connect(p.menu.get(), &PopupMenu::AboutRequested, this, &MainFrame::OpenAbout);
    connect(p.menu.get(), &PopupMenu::ExitRequested, this, &MainFrame::Close);
    p.desktop.GetTray().SetMenu(p.menu->GetMenu());
    p.StartEngine();
    p.running = true;
    p.saveTimer.start(Config::Instance().GetRegularSerializeIntervalMs());
    // Listening comes last: whoever reaches the socket finds a run that has fully started.
    p.channel.Listen();
    if (!p.desktop.HasTray())
        OpenEventLog();
}

void MainFrame::Close()
{
    Pimpl& p = *m_pimpl;
    if (p.closing)
        return;
    p.closing = true;
    p.saveTimer.stop();
    if (p.details)
        p.details->reject();
    p.eventLog.CloseAndBlock();
    p.about.CloseAndBlock();
    p.settings.CloseAndBlock();
    if (p.running) {
        // Saved before the engine stops as well: a stop that takes long loses nothing.
        p.SaveNow();
        p.serializer.GetEntryManager().RemoveObserver(this);
        p.engine->Stop();
        if (!p.SaveNow()) {
            Message::SaveFailure();
            p.exitCode = ExitCode::SaveFailure;
        }
    }
    p.desktop.GetTray().Remove();
    p.channel.Finish([&p] { p.instance.Unlock(); });
    emit Closed(p.exitCode);
}

int MainFrame::GetExitCode() const
{
    return m_pimpl->exitCode;
}

MonitoredEntry::EntryManager& MainFrame::GetEntryManager() const
{
    return m_pimpl->serializer.GetEntryManager();
}

void MainFrame::OpenEventLog()
{
    if (!m_pimpl->closing)
        m_pimpl->eventLog.Open();
}

void MainFrame::OpenAbout()
{
    if (!m_pimpl->closing)
        m_pimpl->about.Open();
}

void MainFrame::OpenSettings()
{
    if (!m_pimpl->closing)
        m_pimpl->settings.Open();
}

QWidget* MainFrame::GetEventLog() const
{
    return m_pimpl->eventLog.Get();
}

QWidget* MainFrame::GetAbout() const
{
    return m_pimpl->about.Get();
}

QWidget* MainFrame::GetSettings() const
{
    return m_pimpl->settings.Get();
}

// Called on the entry manager's thread: the tray is updated later on the UI thread.
void MainFrame::Update(const MonitoredEntry::EntryManager&)
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!m_pimpl->closing)
                m_pimpl->UpdateTray();
        },
        Qt::QueuedConnection);
}

} // namespace Orvane::UI
