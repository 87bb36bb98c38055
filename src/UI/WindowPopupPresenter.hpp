#pragma once

#include "MachineEvent/PopupPresenter.hpp"

#include <functional>
#include <memory>

class QObject;

namespace Orvane::UI {

// Shows the popup manager's popups as windows. Widgets live on the UI thread only: Show posts the
// request there and waits on a condition of its own for the window's end; Close ends the open
// window from any thread and releases the wait at once, so a stop from the UI thread cannot
// deadlock against a popup thread waiting for that same thread.
class WindowPopupPresenter : public MachineEvent::PopupPresenter
{
public:
    // ui: an object of the UI thread; windows are made only while it exists. openViewer runs on the
    // UI thread when a popup asks for the event log viewer.
    WindowPopupPresenter(QObject& ui, std::function<void()> openViewer);
    ~WindowPopupPresenter() override;

    Result Show(const Request& request) override;
    void Close() override;
    void Reopen() override;

private:
    struct Pimpl;
    std::shared_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::UI
