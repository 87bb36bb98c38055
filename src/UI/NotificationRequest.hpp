#pragma once

#include "MachineEvent/PopupPresenter.hpp"
#include "UI/EventThumbnail.hpp"

#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

#include <cstdint>

namespace Orvane::UI {

// The freedesktop notification that carries one popup: summary = event name and device, body =
// account, information and time, the thumbnail as "image-data", and the popup's buttons as actions
// where the server has actions. Built without the bus, so it can be checked on its own.
class NotificationRequest
{
public:
    // Action keys; "default" is what a click on the notification does: open the details.
    static const QString Details;
    static const QString Viewer;
    static const QString Preview;
    static const QString Print;

    NotificationRequest(const MachineEvent::PopupPresenter::Request& request, const EventThumbnail& thumbnail,
                        const QStringList& capabilities);

    const QString& GetSummary() const;
    const QString& GetBody() const;
    // Pairs of key and label, as Notify takes them.
    const QStringList& GetActions() const;
    const QVariantMap& GetHints() const;
    // The entry's erase time (0: never), also the notification's expiry.
    std::int32_t GetEraseTime() const;
    // The entry's mark-read setting for the document actions.
    bool IsMarkRead() const;

    // The arguments of org.freedesktop.Notifications.Notify.
    QVariantList Arguments() const;

private:
    QString m_summary;
    QString m_body;
    QStringList m_actions;
    QVariantMap m_hints;
    std::int32_t m_eraseTime = 0;
    bool m_markRead = false;
};

} // namespace Orvane::UI
