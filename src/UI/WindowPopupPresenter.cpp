#include "UI/WindowPopupPresenter.hpp"

#include "UI/Placement.hpp"
#include "UI/PopupEventDlg.hpp"

#include <QPointer>

namespace Orvane::UI {

namespace {

class PopupWindows : public UiThreadPresenter::Surface
{
public:
    void Open(const MachineEvent::PopupPresenter::Request& request, const EventThumbnail& thumbnail,
              Ended ended) override
    {
        auto* popup = new PopupEventDlg(request, thumbnail);
        popup->setAttribute(Qt::WA_DeleteOnClose);
        m_window = popup;
        QObject::connect(popup, &QDialog::finished, popup, [popup, ended](int code) {
            ended(MachineEvent::PopupPresenter::Result {code, popup->IsViewerRequested()});
        });
        popup->adjustSize();
        MoveToBottomRight(*popup);
        popup->show();
        popup->raise();
        popup->StartTimer();
    }

    void CloseOpen() override
    {
        if (m_window)
            m_window->reject();
    }

private:
    QPointer<PopupEventDlg> m_window;
};

} // namespace

WindowPopupPresenter::WindowPopupPresenter(QObject& ui, std::function<void()> openViewer)
    : UiThreadPresenter(ui, std::make_shared<PopupWindows>(), std::move(openViewer))
{ }

} // namespace Orvane::UI
