#include "UI/PopupWindows.hpp"

#include "UI/Placement.hpp"
#include "UI/PopupEventDlg.hpp"

#include <QPointer>

namespace Orvane::UI {

struct PopupWindows::Pimpl
{
    QPointer<PopupEventDlg> window;
};

PopupWindows::PopupWindows()
    : m_pimpl(std::make_unique<Pimpl>())
{ }

PopupWindows::~PopupWindows() = default;

void PopupWindows::Open(const MachineEvent::PopupPresenter::Request& request, const EventThumbnail& thumbnail,
                        Ended ended)
{
    auto* popup = new PopupEventDlg(request, thumbnail);
    popup->setAttribute(Qt::WA_DeleteOnClose);
    m_pimpl->window = popup;
    QObject::connect(popup, &QDialog::finished, popup, [popup, ended](int code) {
        ended(MachineEvent::PopupPresenter::Result {code, popup->IsViewerRequested()});
    });
    popup->adjustSize();
    MoveToBottomRight(*popup);
    popup->show();
    popup->raise();
    popup->StartTimer();
}

void PopupWindows::CloseOpen()
{
    if (m_pimpl->window)
        m_pimpl->window->reject();
}

} // namespace Orvane::UI
