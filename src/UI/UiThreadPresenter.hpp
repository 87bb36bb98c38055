#pragma once

#include "MachineEvent/PopupPresenter.hpp"
#include "UI/EventThumbnail.hpp"

#include <functional>
#include <memory>

class QObject;

namespace Orvane::UI {

// The popup manager's presenter on the desktop. Widgets and the session bus's signals live on the
// UI thread only: Show fetches the thumbnail on the caller's thread, posts the request to the UI
// thread and waits on a condition of its own for the popup's end; Close ends the open popup from
// any thread and releases the wait at once, so a stop from the UI thread cannot deadlock against a
// popup thread waiting for that same thread. What a popup is comes from its Surface.
class UiThreadPresenter : public MachineEvent::PopupPresenter
{
public:
    // One way of putting a popup in front of the user; called on the UI thread only.
    class Surface
    {
    public:
        using Ended = std::function<void(const Result& result)>;
        virtual ~Surface() = default;
        // Shows the popup; ended is called once when it is gone, whatever ended it.
        virtual void Open(const Request& request, const EventThumbnail& thumbnail, Ended ended) = 0;
        virtual void CloseOpen() = 0;
    };

    // ui: an object of the UI thread; popups are shown only while it exists. openViewer runs on the
    // UI thread when a popup asks for the event log viewer.
    UiThreadPresenter(QObject& ui, std::shared_ptr<Surface> surface, std::function<void()> openViewer);
    ~UiThreadPresenter() override;

    Result Show(const Request& request) override;
    void Close() override;
    void Reopen() override;

private:
    struct Pimpl;
    std::shared_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::UI
