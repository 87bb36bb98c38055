#pragma once

#include "UI/EventDlg.hpp"

namespace Orvane::UI {

// The details dialog as the announcement of a new event: at the bottom-right of the work area,
// above other windows, without taking the focus. It erases itself (rejected) after the entry's
// erase time unless the pointer has really moved over it.
class PopupEventDlg : public EventDlg
{
    Q_OBJECT

public:
    explicit PopupEventDlg(const Target& target, std::optional<EventThumbnail> thumbnail = std::nullopt,
                           QWidget* parent = nullptr);
    ~PopupEventDlg() override;

    // Starts the erase timer (not at all for an erase time of 0).
    void StartTimer();
    bool IsTimerActive() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::UI
