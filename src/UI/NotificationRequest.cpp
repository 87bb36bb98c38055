#include "UI/NotificationRequest.hpp"

#include "MonitoredEntry/EntryManager.hpp"
#include "UI/DisplayNames.hpp"
#include "UI/Texts.hpp"
#include "Utility/EventTimeText.hpp"
#include "Utility/StringId.hpp"

#include <QDBusArgument>

namespace Orvane::UI {

namespace Id = Utility::StringId;

const QString NotificationRequest::Details = QStringLiteral("default");
const QString NotificationRequest::Viewer = QStringLiteral("viewer");
const QString NotificationRequest::Preview = QStringLiteral("preview");
const QString NotificationRequest::Print = QStringLiteral("print");

namespace {

// The "image-data" hint: width, height, row stride, alpha, bits per sample, channels, bytes (iiibiiay).
QVariant ImageData(const QImage& picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    QDBusArgument image;
    image.beginStructure();
    image << rgb.width() << rgb.height() << static_cast<int>(rgb.bytesPerLine()) << false << 8 << 3
          << QByteArray(reinterpret_cast<const char*>(rgb.constBits()), static_cast<int>(rgb.sizeInBytes()));
    image.endStructure();
    return QVariant::fromValue(image);
}

QString Escaped(const std::wstring& text, bool markup)
{
    return markup ? FromWide(text).toHtmlEscaped() : FromWide(text);
}

} // namespace

NotificationRequest::NotificationRequest(const MachineEvent::PopupPresenter::Request& request,
                                         const EventThumbnail& thumbnail, const QStringList& capabilities)
{
    const MachineEvent::Event& event = request.event;
    const MonitoredEntry::EventProperty& property = event.GetEventProperty();
    m_summary
        = QStringLiteral("%1 - %2").arg(FromWide(property.GetCategory()), FromWide(DeviceDisplayName(event.GetMFP())));
    const bool markup = capabilities.contains(QStringLiteral("body-markup"));
    m_body = QStringList {Escaped(AccountDisplayName(event.GetUser()), markup), Escaped(property.GetInfo(), markup),
                          Escaped(Utility::EventTimeText(property.GetTime()), markup)}
                 .join(QLatin1Char('\n'));
    if (capabilities.contains(QStringLiteral("actions"))) {
        m_actions << Details << Text(Id::Detail) << Viewer << Text(Id::MenuEventLog);
        if (thumbnail.GetState() == EventThumbnail::State::Picture
            || thumbnail.GetState() == EventThumbnail::State::NoPicture)
            m_actions << Preview << Text(Id::Preview) << Print << Text(Id::Print);
    }
    if (thumbnail.GetState() == EventThumbnail::State::Picture)
        m_hints.insert(QStringLiteral("image-data"), ImageData(thumbnail.GetImage()));
    m_hints.insert(QStringLiteral("urgency"), QVariant::fromValue(static_cast<uchar>(1)));
    const MonitoredEntry::EntryManager::ScopedLock lock(request.manager);
    const MonitoredEntry::EntryDB& db = request.manager.GetDB();
    if (db.Contains(request.entryID)) {
        const MonitoredEntry::Config& config = db.GetEntry(request.entryID).GetProperty().GetConfig();
        m_eraseTime = config.GetEraseTime();
        m_markRead = config.IsEventRead();
    }
}

const QString& NotificationRequest::GetSummary() const
{
    return m_summary;
}

const QString& NotificationRequest::GetBody() const
{
    return m_body;
}

const QStringList& NotificationRequest::GetActions() const
{
    return m_actions;
}

const QVariantMap& NotificationRequest::GetHints() const
{
    return m_hints;
}

std::int32_t NotificationRequest::GetEraseTime() const
{
    return m_eraseTime;
}

bool NotificationRequest::IsMarkRead() const
{
    return m_markRead;
}

QVariantList NotificationRequest::Arguments() const
{
    return {Text(Id::ApplicationTitle),   0u, QStringLiteral("orvane"), m_summary, m_body, m_actions, m_hints,
            static_cast<int>(m_eraseTime)};
}

} // namespace Orvane::UI
