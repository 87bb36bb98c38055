#pragma once

#include "UI/UiThreadPresenter.hpp"

namespace Orvane::UI {

// Shows the popup manager's popups as PopupEventDlg windows in the corner of the work area.
class WindowPopupPresenter : public UiThreadPresenter
{
public:
    // ui: an object of the UI thread; windows are made only while it exists. openViewer runs on the
    // UI thread when a popup asks for the event log viewer.
    WindowPopupPresenter(QObject& ui, std::function<void()> openViewer);
};

} // namespace Orvane::UI
