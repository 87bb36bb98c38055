#pragma once

#include <QObject>

#include <memory>

class QMenu;

namespace Orvane::UI {

// The notification-area icon with its two statuses. Qt docks it through a StatusNotifierItem host
// or XEmbed; where neither exists the icon is simply not seen (the desktop seam decides what to do).
class SystemTrayIcon : public QObject
{
    Q_OBJECT

public:
    enum class StatusTag { NoUnread, Unread };

    explicit SystemTrayIcon(QObject* parent = nullptr);
    ~SystemTrayIcon() override;

    // Shown at right-click; not owned.
    void SetMenu(QMenu* menu);
    void Show(StatusTag status);
    // Changes the picture only while shown.
    void Change(StatusTag status);
    void Remove();
    bool IsShown() const;
    StatusTag GetStatus() const;

signals:
    // A double-click, or the single click that is the activation on most Linux trays.
    void Activated();
    // The picture was switched to another status.
    void StatusChanged(Orvane::UI::SystemTrayIcon::StatusTag status);

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::UI
