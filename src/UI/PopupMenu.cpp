#include "UI/PopupMenu.hpp"

#include "MonitoredEntry/EntryManager.hpp"
#include "QX/Quexhall.hpp"
#include "UI/DisplayNames.hpp"
#include "UI/Texts.hpp"
#include "Utility/StringId.hpp"

#include <QMenu>

#include <vector>

namespace Orvane::UI {

namespace {

namespace StringId = Utility::StringId;

constexpr int LoginMode = 3;

// "&" would mark an access key; a device name shows it as it is.
QString Literal(QString text)
{
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

struct PopupMenu::Pimpl
{
    explicit Pimpl(const MonitoredEntry::EntryManager& manager)
        : entries(manager)
    { }

    void OpenLogin(std::size_t position) const;

    const MonitoredEntry::EntryManager& entries;
    QMenu menu;
    QMenu login;
    QAction* settings = nullptr;
    QAction* about = nullptr;
    QAction* exit = nullptr;
    std::vector<MonitoredEntry::Entry::ID> listed;
};

void PopupMenu::Pimpl::OpenLogin(std::size_t position) const
{
    if (position >= listed.size())
        return;
    const MonitoredEntry::EntryManager::ScopedLock lock(entries);
    const MonitoredEntry::EntryDB& db = entries.GetDB();
    if (!db.Contains(listed[position]))
        return; // removed since the menu opened
    const MonitoredEntry::EntryProperty& property = db.GetEntry(listed[position]).GetProperty();
    QX::Quexhall(property.GetMFP()).OpenWebPage(property.GetUser(), LoginMode);
}

PopupMenu::PopupMenu(const MonitoredEntry::EntryManager& entries, QObject* parent)
    : QObject(parent)
    , m_pimpl(std::make_unique<Pimpl>(entries))
{
    QMenu& menu = m_pimpl->menu;
    m_pimpl->settings = menu.addAction(Text(StringId::MenuSettings), this, &PopupMenu::SettingsRequested);
    menu.addAction(Text(StringId::MenuEventLog), this, &PopupMenu::ViewerRequested);
    m_pimpl->login.setTitle(Text(StringId::MenuLogin));
    menu.addMenu(&m_pimpl->login);
    menu.addSeparator();
    m_pimpl->about = menu.addAction(Text(StringId::MenuAbout), this, &PopupMenu::AboutRequested);
    m_pimpl->exit = menu.addAction(Text(StringId::MenuExit), this, &PopupMenu::ExitRequested);
    connect(&menu, &QMenu::aboutToShow, this, &PopupMenu::ConstructSubMenu);
}

PopupMenu::~PopupMenu() = default;

QMenu* PopupMenu::GetMenu() const
{
    return &m_pimpl->menu;
}

QList<QAction*> PopupMenu::GetWindowActions() const
{
    return {m_pimpl->settings, m_pimpl->about, m_pimpl->exit};
}

void PopupMenu::EnableSettings(bool enable)
{
    m_pimpl->settings->setEnabled(enable);
}

void PopupMenu::ConstructSubMenu()
{
    m_pimpl->login.clear();
    m_pimpl->listed.clear();
    const MonitoredEntry::EntryManager::ScopedLock lock(m_pimpl->entries);
    for (const auto& entry : m_pimpl->entries.GetDB().GetEntryList()) {
        if (!entry->GetProperty().IsMonitoring())
            continue;
        const std::size_t position = m_pimpl->listed.size();
        m_pimpl->listed.push_back(entry->GetID());
        m_pimpl->login.addAction(Literal(QString::fromStdWString(DeviceDisplayName(entry->GetProperty().GetMFP()))), this,
                                 [this, position] { m_pimpl->OpenLogin(position); });
    }
}

} // namespace Orvane::UI
