#pragma once

#include "MachineEvent/PopupPresenter.hpp"
#include "UI/EventThumbnail.hpp"

#include <QDialog>

#include <cstdint>
#include <memory>
#include <optional>

namespace Orvane::UI {

// The details of one event: device, account, event name, information and time, the entry's unread
// count and, when the event has a document, its thumbnail with the document actions (preview,
// print, save, delete; see DocumentActions and DocumentSaver). Ends accepted with the close button
// or after the document was deleted, rejected otherwise; the viewer button ends it asking for the
// event log viewer.
class EventDlg : public QDialog
{
    Q_OBJECT

public:
    using Target = MachineEvent::PopupPresenter::Request;

    // Reads the entry's settings and fetches the thumbnail (with the wait cursor) unless one is
    // given. The entry manager must outlive the dialog.
    explicit EventDlg(const Target& target, std::optional<EventThumbnail> thumbnail = std::nullopt,
                      QWidget* parent = nullptr);
    ~EventDlg() override;

    bool IsViewerRequested() const;
    // The entry's erase time in milliseconds (0: never; also when the entry is gone).
    std::int32_t GetEraseTime() const;

    // An end asked for while a document action waits (a popup's timer, a stop) comes once it is done.
    void done(int result) override;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::UI
