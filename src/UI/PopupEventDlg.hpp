#pragma once

#include "MachineEvent/PopupPresenter.hpp"

#include <QDialog>

#include <memory>

namespace Orvane::UI {

// The window that announces one new event: at the bottom-right of the work area, above other
// windows, without taking the focus. It erases itself after the entry's erase time unless the
// pointer has moved over it. Closed with its close button it ends with the read result; its
// viewer button ends it asking for the event log viewer.
class PopupEventDlg : public QDialog
{
    Q_OBJECT

public:
    explicit PopupEventDlg(const MachineEvent::PopupPresenter::Request& request, QWidget* parent = nullptr);
    ~PopupEventDlg() override;

    bool IsViewerRequested() const;
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
