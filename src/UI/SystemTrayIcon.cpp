#include "UI/SystemTrayIcon.hpp"

#include "UI/Texts.hpp"
#include "Utility/StringId.hpp"

#include <QIcon>
#include <QSystemTrayIcon>

namespace Orvane::UI {

namespace {

QIcon IconOf(SystemTrayIcon::StatusTag status)
{
    return QIcon(status == SystemTrayIcon::StatusTag::Unread ? QStringLiteral(":/icons/tray-unread.svg")
                                                             : QStringLiteral(":/icons/tray-none.svg"));
}

} // namespace

struct SystemTrayIcon::Pimpl
{
    QSystemTrayIcon icon;
    StatusTag status = StatusTag::NoUnread;
    bool shown = false;
};

SystemTrayIcon::SystemTrayIcon(QObject* parent)
    : QObject(parent)
    , m_pimpl(std::make_unique<Pimpl>())
{
    m_pimpl->icon.setToolTip(Text(Utility::StringId::ApplicationTitle));
    connect(&m_pimpl->icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::Trigger)
            emit Activated();
    });
}

SystemTrayIcon::~SystemTrayIcon() = default;

void SystemTrayIcon::SetMenu(QMenu* menu)
{
    m_pimpl->icon.setContextMenu(menu);
}

void SystemTrayIcon::Show(StatusTag status)
{
    m_pimpl->status = status;
    m_pimpl->icon.setIcon(IconOf(status));
    m_pimpl->icon.show();
    m_pimpl->shown = true;
}

void SystemTrayIcon::Change(StatusTag status)
{
    if (!m_pimpl->shown || status == m_pimpl->status)
        return;
    m_pimpl->status = status;
    m_pimpl->icon.setIcon(IconOf(status));
    emit StatusChanged(status);
}

void SystemTrayIcon::Remove()
{
    if (!m_pimpl->shown)
        return;
    m_pimpl->icon.hide();
    m_pimpl->shown = false;
}

bool SystemTrayIcon::IsShown() const
{
    return m_pimpl->shown;
}

SystemTrayIcon::StatusTag SystemTrayIcon::GetStatus() const
{
    return m_pimpl->status;
}

} // namespace Orvane::UI
