#pragma once

#include "UI/UiThreadPresenter.hpp"

#include <memory>

namespace Orvane::UI {

// Popups as PopupEventDlg windows in the corner of the work area, one at a time.
class PopupWindows : public UiThreadPresenter::Surface
{
public:
    PopupWindows();
    ~PopupWindows() override;

    void Open(const MachineEvent::PopupPresenter::Request& request, const EventThumbnail& thumbnail,
              Ended ended) override;
    void CloseOpen() override;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::UI
